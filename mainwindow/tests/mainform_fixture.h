#pragma once
// Every test makes the main window afresh, as the program does, in a working folder of its own
// without a settings file: a first launch.
#include "mainwindow/Mainform.h"

#include "pump.h"
#include "testpaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

class MainformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        FSavedFolder = std::filesystem::current_path();
        const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "mainform-first-launch";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        vcl::Application->CreateForm(frmMain);
    }

    void TearDown() override
    {
        vcl::FreeAndNil(frmMain);
        testsupport::PumpFor(0);
        std::filesystem::current_path(FSavedFolder);
    }

    static TfrmMain* Form() { return frmMain; }

private:
    std::filesystem::path FSavedFolder;
};

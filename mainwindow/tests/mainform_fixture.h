#pragma once
// Every test makes the main window afresh, as the program does, in a working folder of its own
// without a settings file: a first launch.
#include "mainwindow/Mainform.h"
#include "mainwindow/Seams.h"
#include "mainwindow/Testthread.h"

#include "pump.h"
#include "testpaths.h"

#include "skin/core/sSkinManager.h"
#include "skin/graphics/acPNG.h"
#include "vcl/pictures.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

namespace mainformtest {

// A single-instance name that no other process uses.
inline vcl::String OwnInstanceMutex(const wchar_t* purpose)
{
    return vcl::String(InstanceMutexName) + L"." + purpose + L"." + std::to_wstring(GetCurrentProcessId());
}

// An update server that refuses at once: nothing listens on port 1 of this machine.
inline TUpdateServer RefusingUpdateServer()
{
    return TUpdateServer{L"127.0.0.1", 1};
}

// Once per process, what the program's start does: the picture formats and the skin engine's
// start-up (which tells the system's family: without it menus are skinned as on a system that
// cannot name the window of a drawing context, their frames sized by guess). Test executables run
// side by side under one wineserver, so each takes a single-instance name of its own, and the
// update check is refused at once.
inline void PrepareProcess()
{
    static const bool done = [] {
        testsupport::InitializeApplication();
        vcl::RegisterStandardGraphicFormats();
        skin::RegisterPNGGraphic();
        skin::InitSkinManagerUnit();
        ProgramSeams().InstanceMutex = OwnInstanceMutex(L"tests");
        ProgramSeams().UpdateServer = RefusingUpdateServer();
        return true;
    }();
    (void)done;
}

// A fresh folder holding the program's pictures, made the current directory. It lies in a folder
// named after the test executable, since executables run side by side.
inline std::filesystem::path EnterProgramFolder(const std::string& name)
{
    wchar_t executable[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, executable, MAX_PATH);
    const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "testwork" /
                                         std::filesystem::path(executable).stem() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::copy(std::filesystem::path(testsupport::SourceDir()) / "assets" / "image", folder / "image");
    std::filesystem::current_path(folder);
    return folder;
}

}  // namespace mainformtest

class MainformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainformtest::PrepareProcess();
        FSavedFolder = std::filesystem::current_path();
        mainformtest::EnterProgramFolder("mainform-first-launch");
        vcl::Application->CreateForm(frmMain);
    }

    void TearDown() override
    {
        // As closing the window would: the poll thread goes first.
        vcl::FreeAndNil(ReqInfoThread);
        vcl::FreeAndNil(frmMain);
        testsupport::PumpFor(0);
        std::filesystem::current_path(FSavedFolder);
    }

    static TfrmMain* Form() { return frmMain; }

private:
    std::filesystem::path FSavedFolder;
};

#pragma once
// Every test makes the main window afresh, as the program does, in a working folder of its own
// without a settings file: a first launch.
#include "mainwindow/Mainform.h"
#include "mainwindow/Testthread.h"

#include "pump.h"
#include "testpaths.h"

#include "skin/graphics/acPNG.h"
#include "vcl/pictures.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace mainformtest {

// Once per process, what the program's start does: the picture formats. Test executables run
// side by side under one wineserver, so each takes a single-instance name of its own, and the
// update check is refused at once: nothing listens on port 1 of this machine.
inline void PrepareProcess()
{
    static const bool done = [] {
        testsupport::InitializeApplication();
        vcl::RegisterStandardGraphicFormats();
        skin::RegisterPNGGraphic();
        const std::wstring mutexName = L"MutexOfTheZirvane." + std::to_wstring(GetCurrentProcessId());
        SetEnvironmentVariableW(L"ZIRV_INSTANCE_MUTEX", mutexName.c_str());
        SetEnvironmentVariableW(L"ZIRV_UPDATE_HOST", L"127.0.0.1");
        SetEnvironmentVariableW(L"ZIRV_UPDATE_PORT", L"1");
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

// Sets an environment variable for its lifetime, for this process and the ones it starts.
class TEnvironmentOverride {
public:
    TEnvironmentOverride(const wchar_t* name, const std::wstring& value) : FName(name)
    {
        wchar_t saved[256] = {};
        if (GetEnvironmentVariableW(name, saved, 256) != 0)
            FSaved = saved;
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~TEnvironmentOverride() { SetEnvironmentVariableW(FName, FSaved ? FSaved->c_str() : nullptr); }
    TEnvironmentOverride(const TEnvironmentOverride&) = delete;
    TEnvironmentOverride& operator=(const TEnvironmentOverride&) = delete;

private:
    const wchar_t* FName;
    std::optional<std::wstring> FSaved;
};

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

#pragma once
// Another application's window on the screen, for the tests of what follows the activation of
// the application: a process of its own (zirv_other_program) started for the object's life.
#include <windows.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "processwindows.h"
#include "pump.h"
#include "testpaths.h"

namespace testsupport {

class OtherProgram {
public:
    // Shows its window at Bounds (screen coordinates) without activating it; throws when the
    // program does not show it in time.
    explicit OtherProgram(const RECT& Bounds)
    {
        const std::wstring program =
            (std::filesystem::path(BinaryDir()) / "testsupport" / "zirv_other_program.exe").wstring();
        std::wstring commandLine = L"\"" + program + L"\" " + std::to_wstring(Bounds.left) + L" " +
                                   std::to_wstring(Bounds.top) + L" " + std::to_wstring(Bounds.right - Bounds.left) +
                                   L" " + std::to_wstring(Bounds.bottom - Bounds.top);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &FInfo))
            throw std::runtime_error("the other program did not start");
        // The test's own window keeps drawing while the other one comes up.
        PumpUntil([this] { return (FWindow = ShownWindow()) != nullptr; }, StartTimeoutMs);
        if (!FWindow) {
            End();
            throw std::runtime_error("the other program showed no window");
        }
    }
    ~OtherProgram() { End(); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    HWND Window() const { return FWindow; }

private:
    static constexpr int StartTimeoutMs = 30000;
    static constexpr DWORD EndTimeoutMs = 5000;

    // Closes the window; a program that does not end then is ended.
    void End()
    {
        if (FWindow)
            PostMessageW(FWindow, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(FInfo.hProcess, FWindow ? EndTimeoutMs : 0) != WAIT_OBJECT_0) {
            TerminateProcess(FInfo.hProcess, 1);
            WaitForSingleObject(FInfo.hProcess, EndTimeoutMs);
        }
        CloseHandle(FInfo.hProcess);
        CloseHandle(FInfo.hThread);
    }
    // The program's one window, once shown.
    HWND ShownWindow() const
    {
        return FindWindowOf(FInfo.dwProcessId, [](HWND wnd) { return IsWindowVisible(wnd) != FALSE; });
    }

    PROCESS_INFORMATION FInfo{};
    HWND FWindow = nullptr;
};

}  // namespace testsupport

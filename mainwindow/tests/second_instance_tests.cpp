// The program itself started twice under one wineserver: the second says so in a message box,
// never shows its window and ends; the first runs on. Every wait is bounded.
#include "mainform_fixture.h"

#include <functional>
#include <string>

namespace {

const wchar_t AlreadyRunning[] = L"У вас уже запущена одна копия приложения";
const wchar_t ProgramTitle[] = L"Config Zirvane series";
constexpr DWORD StartTimeoutMs = 30000;

struct TProcess {
    PROCESS_INFORMATION Info{};

    ~TProcess()
    {
        if (!Info.hProcess)
            return;
        // A process the test could not end by its window.
        if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(Info.hProcess, 1);
            WaitForSingleObject(Info.hProcess, 5000);
        }
        CloseHandle(Info.hProcess);
        CloseHandle(Info.hThread);
    }

    bool Ended(DWORD timeoutMs) const { return WaitForSingleObject(Info.hProcess, timeoutMs) == WAIT_OBJECT_0; }
};

bool Start(TProcess& process, const std::filesystem::path& program, const std::filesystem::path& folder)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    return CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process.Info) != FALSE;
}

std::wstring ClassOf(HWND wnd)
{
    wchar_t name[256] = {};
    GetClassNameW(wnd, name, 256);
    return name;
}

std::wstring TextOf(HWND wnd)
{
    wchar_t text[512] = {};
    GetWindowTextW(wnd, text, 512);
    return text;
}

// The first top-level window of the process that matches.
HWND FindWindowOf(DWORD processId, const std::function<bool(HWND)>& match)
{
    struct Search {
        DWORD ProcessId;
        const std::function<bool(HWND)>* Match;
        HWND Found;
    } search{processId, &match, nullptr};
    EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(wnd, &owner);
            if (owner == s->ProcessId && (*s->Match)(wnd)) {
                s->Found = wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND ShownMainWindow(DWORD processId)
{
    return FindWindowOf(processId, [](HWND wnd) { return IsWindowVisible(wnd) && ClassOf(wnd) == L"TfrmMain"; });
}

// The message box of the process: a dialog with the program's title.
HWND MessageBoxOf(DWORD processId)
{
    return FindWindowOf(processId, [](HWND wnd) {
        return IsWindowVisible(wnd) && ClassOf(wnd) == L"#32770" && TextOf(wnd) == ProgramTitle;
    });
}

// Polls every 50 ms until done() holds or the time is up; watch() runs at each poll.
bool PollUntil(const std::function<bool()>& done, const std::function<void()>& watch, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        watch();
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(50);
    }
}

TEST(SecondInstance, ShowsItsMessageNeverItsWindowAndEnds)
{
    mainformtest::PrepareProcess();
    const std::filesystem::path saved = std::filesystem::current_path();
    const std::filesystem::path folder = mainformtest::EnterProgramFolder("startup-two-instances");
    std::filesystem::current_path(saved);
    const std::filesystem::path program =
        std::filesystem::path(testsupport::BinaryDir()) / "mainwindow" / "ZirvaneConfig.exe";
    ASSERT_TRUE(std::filesystem::exists(program)) << program;
    // Both inherit a single-instance name no other test uses, and an update check that is
    // refused at once: nothing listens on port 1.
    const mainformtest::TEnvironmentOverride mutexName(L"ZIRV_INSTANCE_MUTEX",
                                         L"MutexOfTheZirvane.two." + std::to_wstring(GetCurrentProcessId()));
    const mainformtest::TEnvironmentOverride host(L"ZIRV_UPDATE_HOST", L"127.0.0.1");
    const mainformtest::TEnvironmentOverride port(L"ZIRV_UPDATE_PORT", L"1");

    TProcess first;
    ASSERT_TRUE(Start(first, program, folder));
    HWND firstWindow = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (firstWindow = ShownMainWindow(first.Info.dwProcessId)) != nullptr; }, [] {},
                          StartTimeoutMs))
        << "the first instance shows no window";

    TProcess second;
    ASSERT_TRUE(Start(second, program, folder));
    bool secondShownItsWindow = false;
    const auto watchSecond = [&] { secondShownItsWindow |= ShownMainWindow(second.Info.dwProcessId) != nullptr; };
    HWND box = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (box = MessageBoxOf(second.Info.dwProcessId)) != nullptr; }, watchSecond,
                          StartTimeoutMs))
        << "the second instance shows no message box";
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message box's text
    EXPECT_EQ(std::wstring(AlreadyRunning), text);
    EXPECT_EQ(nullptr, MessageBoxOf(first.Info.dwProcessId));

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PollUntil([&] { return second.Ended(0); }, watchSecond, StartTimeoutMs))
        << "the second instance did not end";
    DWORD exitCode = 1;
    GetExitCodeProcess(second.Info.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(secondShownItsWindow);

    // The first runs on until its window is closed.
    EXPECT_FALSE(first.Ended(0));
    EXPECT_TRUE(IsWindowVisible(firstWindow));
    PostMessageW(firstWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(first.Ended(StartTimeoutMs)) << "the first instance did not end when closed";
}

}  // namespace

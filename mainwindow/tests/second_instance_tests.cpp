// The program itself as a process: started twice under one wineserver, the second says so in a
// message box, never shows its window and ends, while the first runs on; and the shipped program
// takes no switch from its environment. Every wait is bounded.
#include "mainform_fixture.h"

#include "ftp_fixture.h"
#include "processwindows.h"

#include <functional>
#include <optional>
#include <string>

namespace {

using testsupport::ClassOf;
using testsupport::FindWindowOf;
using testsupport::TextOf;

const wchar_t AlreadyRunningText[] = L"У вас уже запущена одна копия приложения";
const wchar_t ProgramTitle[] = L"Config Zirvane series";
constexpr DWORD StartTimeoutMs = 30000;
// The update check's own limit of a minute, and time to spare.
constexpr DWORD UpdateCheckTimeoutMs = 120000;

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

bool Start(TProcess& process, const std::filesystem::path& program, const std::filesystem::path& folder,
           const std::wstring& arguments = {})
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program.wstring() + L"\" " + arguments;
    return CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process.Info) != FALSE;
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

// A folder of the program's own, the test's current directory left as it was.
std::filesystem::path ProgramFolder(const std::string& name)
{
    const std::filesystem::path saved = std::filesystem::current_path();
    const std::filesystem::path folder = mainformtest::EnterProgramFolder(name);
    std::filesystem::current_path(saved);
    return folder;
}

std::filesystem::path Program(const char* relative)
{
    return std::filesystem::path(testsupport::BinaryDir()) / relative;
}

// Waits for the second instance's message box and answers it, checking on the way that it never
// shows its window; false when no box came.
bool AnswerAlreadyRunning(const TProcess& process, bool& windowShown)
{
    const auto watch = [&] { windowShown |= ShownMainWindow(process.Info.dwProcessId) != nullptr; };
    HWND box = nullptr;
    if (!PollUntil([&] { return (box = MessageBoxOf(process.Info.dwProcessId)) != nullptr; }, watch, StartTimeoutMs))
        return false;
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message box's text
    EXPECT_EQ(std::wstring(AlreadyRunningText), text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
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

TEST(SecondInstance, ShowsItsMessageNeverItsWindowAndEnds)
{
    mainformtest::PrepareProcess();
    const std::filesystem::path folder = ProgramFolder("startup-two-instances");
    const std::filesystem::path program = Program("mainwindow/tests/ZirvaneConfigForTests.exe");
    ASSERT_TRUE(std::filesystem::exists(program)) << program;
    // Both take a single-instance name no other test uses, and an update check that is refused
    // at once: nothing listens on port 1.
    const std::wstring switches = L"--instance-mutex " + mainformtest::OwnInstanceMutex(L"two") +
                                  L" --update-server 127.0.0.1:1";

    TProcess first;
    ASSERT_TRUE(Start(first, program, folder, switches));
    HWND firstWindow = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (firstWindow = ShownMainWindow(first.Info.dwProcessId)) != nullptr; }, [] {},
                          StartTimeoutMs))
        << "the first instance shows no window";

    TProcess second;
    ASSERT_TRUE(Start(second, program, folder, switches));
    bool secondShownItsWindow = false;
    ASSERT_TRUE(AnswerAlreadyRunning(second, secondShownItsWindow)) << "the second instance shows no message box";
    EXPECT_EQ(nullptr, MessageBoxOf(first.Info.dwProcessId));
    const auto watchSecond = [&] { secondShownItsWindow |= ShownMainWindow(second.Info.dwProcessId) != nullptr; };
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

// The switches tests once set through the environment reach nothing in the shipped program: it
// takes the maker's single-instance name, which this test holds, and never asks the FTP server the
// environment names, which would have left its version file in the program's folder.
TEST(ShippedProgram, IgnoresTheOldEnvironmentSwitches)
{
    mainformtest::PrepareProcess();
    const auto server = testsupport::FtpFixture::Find();
    if (!server)
        GTEST_SKIP() << "the FTP server fixture is not running: run through ctest";
    const std::filesystem::path folder = ProgramFolder("startup-environment");
    const std::filesystem::path program = Program("mainwindow/ZirvaneConfig.exe");
    ASSERT_TRUE(std::filesystem::exists(program)) << program;

    const HANDLE held = CreateMutexW(nullptr, TRUE, InstanceMutexName);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, 0)) << "another process holds the maker's instance name";
    const TEnvironmentOverride mutexName(L"ZIRV_INSTANCE_MUTEX", mainformtest::OwnInstanceMutex(L"environment"));
    const TEnvironmentOverride host(L"ZIRV_UPDATE_HOST", L"127.0.0.1");
    const TEnvironmentOverride port(L"ZIRV_UPDATE_PORT", std::to_wstring(server->Port));
    const TEnvironmentOverride timeout(L"ZIRV_UPDATE_TIMEOUT_MS", L"2000");

    TProcess shipped;
    ASSERT_TRUE(Start(shipped, program, folder));
    bool windowShown = false;
    EXPECT_TRUE(AnswerAlreadyRunning(shipped, windowShown)) << "the environment's instance name was taken";
    // Its start ends with the update check against the maker's server, however long that takes.
    EXPECT_TRUE(shipped.Ended(UpdateCheckTimeoutMs)) << "the program did not end";
    EXPECT_FALSE(windowShown);
    EXPECT_FALSE(std::filesystem::exists(folder / "zirvane_ver.ini")) << "the environment's update server was asked";
    ReleaseMutex(held);
    CloseHandle(held);
}

}  // namespace

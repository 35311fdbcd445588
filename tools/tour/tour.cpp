// A scripted tour of the program for a machine without a screen of its own: it starts the program
// on the simulated line, takes it through its views as a user would, from outside, and saves a PNG
// picture of each view. It runs in two parts, a program start each:
//   tour.exe first-launch PROGRAM RUN_FOLDER PICTURE_FOLDER
//     the run folder holds the program's files and no settings file: the first launch, the
//     language chosen, the search, the wizard question answered No, the monitoring view with live
//     values;
//   tour.exe next-start PROGRAM RUN_FOLDER PICTURE_FOLDER
//     the settings file the first part left: the search, the question answered Yes, the wizard's
//     first step. The search finds detectors at their start speed only: the line's detectors are
//     to be switched off and on again between the parts.
// It prints each picture's path, and ends with exit code 0, or with 1 and the step that did not
// come (a picture of the screen beside the others).
#include "pixelcopy.h"
#include "processwindows.h"
#include "pngfile.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using testsupport::ClassOf;
using testsupport::TextOf;

// The program's start includes its update check, which waits up to a minute for a server that
// does not answer; everything else comes in seconds.
constexpr DWORD StartTimeoutMs = 120000;
constexpr DWORD StepTimeoutMs = 60000;
constexpr DWORD SettleMs = 500;

struct TFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

class TProgram {
public:
    TProgram(const std::wstring& program, const std::wstring& folder)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + program + L"\"";
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                            &startup, &FInfo))
            throw TFailure("the program did not start: " + Narrow(program));
    }
    ~TProgram()
    {
        if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(FInfo.hProcess, 1);
            WaitForSingleObject(FInfo.hProcess, 5000);
        }
        CloseHandle(FInfo.hProcess);
        CloseHandle(FInfo.hThread);
    }

    // The first visible top-level window of the program with this class.
    HWND Window(const wchar_t* className) const
    {
        return testsupport::FindWindowOf(FInfo.dwProcessId, [className](HWND wnd) {
            return IsWindowVisible(wnd) && testsupport::ClassOf(wnd) == className;
        });
    }

    // Asks the program to close its window, and waits for it to end.
    void Close(HWND window)
    {
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(FInfo.hProcess, StepTimeoutMs) != WAIT_OBJECT_0)
            throw TFailure("the program did not end when its window was closed");
    }

private:
    PROCESS_INFORMATION FInfo{};
};

// The first visible child window, at any depth, that matches.
HWND Child(HWND parent, const std::function<bool(HWND)>& match)
{
    struct Search {
        const std::function<bool(HWND)>* Match;
        HWND Found;
    } search{&match, nullptr};
    EnumChildWindows(
        parent,
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (IsWindowVisible(wnd) && (*s->Match)(wnd)) {
                s->Found = wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND ChildOfClass(HWND parent, const wchar_t* className)
{
    return Child(parent, [className](HWND wnd) { return ClassOf(wnd) == className; });
}

HWND Button(HWND parent, const wchar_t* caption)
{
    return Child(parent, [caption](HWND wnd) { return ClassOf(wnd) == L"TsButton" && TextOf(wnd) == caption; });
}

// Polls every 100 ms until found() gives a window; the step's name goes into the failure.
HWND WaitFor(const char* step, DWORD timeoutMs, const std::function<HWND()>& found)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND wnd = found())
            return wnd;
        if (GetTickCount() - start >= timeoutMs)
            throw TFailure(std::string("no ") + step);
        Sleep(100);
    }
}

// The screen's pixels where the window lies, or the whole screen without one.
void SaveScreenOf(HWND window, const std::wstring& file)
{
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window)
        GetWindowRect(window, &r);
    HDC screen = GetDC(nullptr);
    const std::vector<uint32_t> pixels = testsupport::CopyPixels(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
    ReleaseDC(nullptr, screen);
    if (!testsupport::SavePng(file, r.right - r.left, r.bottom - r.top, pixels))
        throw TFailure("cannot write " + Narrow(file));
}

class TTour {
public:
    TTour(std::wstring program, std::wstring folder, std::wstring pictures)
        : FProgram(std::move(program)), FFolder(std::move(folder)), FPictures(std::move(pictures))
    {
    }

    // On failure: what the screen shows, beside the pictures taken.
    void SaveScreen() { Picture(nullptr, L"failed"); }

    // First launch: the language, the search, the question answered No, the monitoring view.
    void FirstLaunch()
    {
        TProgram program(FProgram, FFolder);
        const HWND main = WaitFor("main window", StartTimeoutMs, [&] { return program.Window(L"TfrmMain"); });
        const HWND languages = WaitFor("language list", StepTimeoutMs, [&] { return ChildOfClass(main, L"TsComboBox"); });
        Settle();
        Picture(main, L"1-first-launch");

        // English, as a choice in the list makes it.
        SendMessageW(languages, CB_SETCURSEL, 1, 0);
        SendMessageW(GetParent(languages), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(languages), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(languages));
        // The search holds the program's thread until it ends: only the screen is looked at meanwhile.
        WaitFor("search", StepTimeoutMs, [&] { return ChildOfClass(main, L"TsProgressBar"); });
        Sleep(1500);
        Picture(main, L"2-search");

        const HWND question =
            WaitFor("wizard question", StepTimeoutMs, [&] { return program.Window(L"TfrmMasterSetting"); });
        Settle();
        Picture(main, L"3-question");
        PostMessageW(WaitFor("No button", StepTimeoutMs, [&] { return Button(question, L"No"); }), BM_CLICK, 0, 0);

        // The level field shows the detector's level once the poll thread has shown a reply.
        WaitFor("live value", StepTimeoutMs, [&] {
            return Child(main, [](HWND wnd) {
                RECT r{};
                GetWindowRect(wnd, &r);
                const bool levelField = ClassOf(wnd) == L"TsEdit" && r.right - r.left == 100 && r.bottom - r.top == 48;
                return levelField && TextOf(wnd) != L"0,0";
            });
        });
        Settle();
        Picture(main, L"4-monitoring");
        program.Close(main);
    }

    // The next start: the stored language, the search, the question answered Yes.
    void NextStart()
    {
        TProgram program(FProgram, FFolder);
        const HWND question =
            WaitFor("wizard question", StartTimeoutMs, [&] { return program.Window(L"TfrmMasterSetting"); });
        PostMessageW(WaitFor("Yes button", StepTimeoutMs, [&] { return Button(question, L"Yes"); }), BM_CLICK, 0, 0);
        const HWND main = WaitFor("main window", StepTimeoutMs, [&] { return program.Window(L"TfrmMain"); });
        WaitFor("wizard", StepTimeoutMs, [&] { return Button(main, L"Next"); });
        Settle();
        Picture(main, L"5-wizard-step-1");
        program.Close(main);
    }

private:
    static void Settle() { Sleep(SettleMs); }

    void Picture(HWND window, const std::wstring& name)
    {
        const std::wstring file = FPictures + L"\\" + name + L".png";
        SaveScreenOf(window, file);
        std::printf("%s\n", Narrow(file).c_str());
        std::fflush(stdout);
    }

    std::wstring FProgram;
    std::wstring FFolder;
    std::wstring FPictures;
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring part = argc == 5 ? argv[1] : L"";
    if (part != L"first-launch" && part != L"next-start") {
        std::fprintf(stderr, "usage: tour first-launch|next-start PROGRAM RUN_FOLDER PICTURE_FOLDER\n");
        return 2;
    }
    CreateDirectoryW(argv[4], nullptr);
    TTour tour(argv[2], argv[3], argv[4]);
    try {
        if (part == L"first-launch")
            tour.FirstLaunch();
        else
            tour.NextStart();
    } catch (const TFailure& failure) {
        std::fprintf(stderr, "tour: %s\n", failure.what());
        try {
            tour.SaveScreen();
        } catch (const TFailure&) {
        }
        return 1;
    }
    return 0;
}

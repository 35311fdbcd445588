#include "pump.h"

#include "pixelcopy.h"

#include "vcl/classes.h"

#include <memory>

namespace testsupport {

using namespace vcl;

void InitializeApplication()
{
    static bool done = false;
    if (!done) {
        Application->Initialize();
        done = true;
    }
}

namespace {

// The application's idle work, without waiting: queued Synchronize calls, canvas DCs given back.
void IdleWork()
{
    CheckSynchronize();
    TControlCanvas::FreeDeviceContexts();
}

// One pump step: the queue, the idle work, then a short wait for input.
void PumpStep(DWORD waitMs)
{
    Application->ProcessMessages();
    IdleWork();
    MsgWaitForMultipleObjectsEx(0, nullptr, waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

UINT RunMessage() { return WM_APP + 1; }

void RunnerProc(TMessage& m);

HWND RunnerWindow()
{
    static HWND wnd = AllocateHWnd(TWndMethod(&RunnerProc));
    return wnd;
}

void RunnerProc(TMessage& m)
{
    if (m.Msg != RunMessage()) {
        m.Result = DefWindowProcW(RunnerWindow(), m.Msg, m.WParam, m.LParam);
        return;
    }
    std::unique_ptr<std::function<void()>> fn(reinterpret_cast<std::function<void()>*>(m.LParam));
    (*fn)();
}

}  // namespace

void PumpFor(int ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= static_cast<DWORD>(ms))
            break;
        PumpStep(std::min<DWORD>(10, static_cast<DWORD>(ms) - elapsed));
    }
    Application->ProcessMessages();
}

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        IdleWork();
        if (pred())
            return true;
        if (GetTickCount() - start >= static_cast<DWORD>(timeoutMs))
            return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void RunInNextLoopTurn(std::function<void()> fn)
{
    auto* stored = new std::function<void()>(std::move(fn));
    PostMessageW(RunnerWindow(), RunMessage(), 0, reinterpret_cast<LPARAM>(stored));
}

namespace {

struct DialogSearch {
    HWND Found = nullptr;
};

BOOL CALLBACK FindDialog(HWND wnd, LPARAM param)
{
    wchar_t name[16] = {};
    GetClassNameW(wnd, name, 16);
    if (IsWindowVisible(wnd) && wcscmp(name, L"#32770") == 0) {
        reinterpret_cast<DialogSearch*>(param)->Found = wnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool CloseThreadDialog(int command)
{
    DialogSearch search;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.Found)
        return false;
    PostMessageW(search.Found, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    return true;
}

TGrab Grab(HWND wnd)
{
    TGrab grab;
    RECT window{};
    GetWindowRect(wnd, &window);
    POINT client{0, 0};
    ClientToScreen(wnd, &client);
    grab.Width = window.right - window.left;
    grab.Height = window.bottom - window.top;
    grab.ClientOrigin = POINT{client.x - window.left, client.y - window.top};
    HDC windowDC = GetWindowDC(wnd);
    const std::vector<uint32_t> pixels = CopyPixels(windowDC, 0, 0, grab.Width, grab.Height);
    ReleaseDC(wnd, windowDC);
    grab.Pixels.assign(pixels.begin(), pixels.end());
    return grab;
}

TGrab GrabScreen(const RECT& area)
{
    TGrab grab;
    grab.Width = area.right - area.left;
    grab.Height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    const std::vector<uint32_t> pixels = CopyPixels(screen, area.left, area.top, grab.Width, grab.Height);
    ReleaseDC(nullptr, screen);
    grab.Pixels.assign(pixels.begin(), pixels.end());
    return grab;
}

TMessageBoxRecorder::TMessageBoxRecorder(int answer) : FSaved(Seams()), FAnswer(answer)
{
    Seams().MessageBox = [this](HWND owner, const String& text, const String& caption, UINT type) {
        FBoxes.push_back(Box{owner, text, caption, type});
        return FAnswer;
    };
}

TMessageBoxRecorder::~TMessageBoxRecorder() { Seams() = FSaved; }

TExceptionCapture::TExceptionCapture() : FSaved(Application->OnException())
{
    Application->SetOnException(TExceptionEvent(this, &TExceptionCapture::Capture));
}

TExceptionCapture::~TExceptionCapture() { Application->SetOnException(FSaved); }

void TExceptionCapture::Capture(TObject* Sender, Exception& E) { FReports.push_back(Report{Sender, E.Message()}); }

}  // namespace testsupport

#pragma once
// Helpers for tests with real windows: pumping the message loop with a deadline, acting inside a
// nested message loop, reading back pixels, answering message boxes and catching the exceptions
// the application object reports.
#include "vcl/forms.h"
#include "vcl/seams.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace testsupport {

// Initialises the application object once (its window, the Synchronize wake-up).
void InitializeApplication();

// Handles messages and Synchronize calls for about ms milliseconds.
void PumpFor(int ms);
// Handles messages until pred() holds or timeoutMs passes; whether it held.
bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 5000);
// Runs fn from the next turn of whichever message loop runs then (ShowModal, MessageBoxW ...).
void RunInNextLoopTurn(std::function<void()> fn);
// Presses a button (IDOK, IDYES ...) of the system dialog this thread shows; false without one.
bool CloseThreadDialog(int command);

// The pixels of a window as the screen shows them, nonclient area included.
struct TGrab {
    int Width = 0;
    int Height = 0;
    POINT ClientOrigin{};               // the client area's top-left within the grab
    std::vector<COLORREF> Pixels;       // rows from the top, 0x00BBGGRR

    COLORREF Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    COLORREF ClientPixel(int x, int y) const { return Pixel(ClientOrigin.x + x, ClientOrigin.y + y); }
};
TGrab Grab(HWND wnd);
// The pixels the screen shows in area (screen coordinates), whatever windows lie there; the
// client origin is left at the area's top-left.
TGrab GrabScreen(const RECT& area);

// Replaces the message-box seam for its lifetime: records every box and answers it.
class TMessageBoxRecorder {
public:
    struct Box {
        HWND Owner;
        vcl::String Text;
        vcl::String Caption;
        UINT Type;
    };
    explicit TMessageBoxRecorder(int answer = IDOK);
    ~TMessageBoxRecorder();
    TMessageBoxRecorder(const TMessageBoxRecorder&) = delete;
    TMessageBoxRecorder& operator=(const TMessageBoxRecorder&) = delete;

    const std::vector<Box>& Boxes() const { return FBoxes; }
    void SetAnswer(int answer) { FAnswer = answer; }

private:
    vcl::TSystemSeams FSaved;
    std::vector<Box> FBoxes;
    int FAnswer;
};

// Sets Application->OnException for its lifetime and keeps what it reports.
class TExceptionCapture {
public:
    struct Report {
        vcl::TObject* Sender;
        vcl::String Message;
    };
    TExceptionCapture();
    ~TExceptionCapture();
    TExceptionCapture(const TExceptionCapture&) = delete;
    TExceptionCapture& operator=(const TExceptionCapture&) = delete;

    const std::vector<Report>& Reports() const { return FReports; }

private:
    void Capture(vcl::TObject* Sender, vcl::Exception& E);
    vcl::TExceptionEvent FSaved;
    std::vector<Report> FReports;
};

}  // namespace testsupport

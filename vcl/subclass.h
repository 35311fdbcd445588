#pragma once
// Subclassing any window, ours or not (a system control's child, a dialog's control, a menu
// window): the window's messages go through a WindowProc chain of ours before its previous
// procedure. No executable thunks: a small fixed set of procedures, one per subclass of a window.
#include "vcl/controls.h"
#include "vcl/system.h"

#include <windows.h>

namespace vcl {

class TWindowSubclass {
public:
    // Takes the window over at once. Sender is reported with the exceptions WindowProc throws
    // (the application's HandleException); none is fine. Raises EOutOfResources when the window
    // is gone or carries too many subclasses of ours already.
    explicit TWindowSubclass(HWND Wnd, TObject* Sender = nullptr);
    // Restore, then the subclass is gone; a procedure laid over ours later may still call ours,
    // which then passes every message on unchanged.
    ~TWindowSubclass();
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    HWND Handle() const { return FHandle; }
    // Whether the window's messages still come through this subclass (false after Restore and
    // once the window is destroyed).
    bool Attached() const { return FAttached; }

    // Where every message goes first; starts as DefaultHandler. Save it, install your own and
    // call the saved one, as with a control's WindowProc.
    TWndMethod WindowProc() const { return FWindowProc; }
    void SetWindowProc(const TWndMethod& value) { FWindowProc = value; }
    // Hands the message to the window's previous procedure.
    void DefaultHandler(TMessage& Message);
    // The window's previous procedure.
    WNDPROC PreviousProc() const { return FPrevious; }

    // Gives the window its previous procedure back when ours is still the window's; true then.
    // Otherwise the subclass stays in the chain and passes every message on.
    bool Restore();

private:
    friend struct TSubclassSlots;
    LRESULT Receive(UINT Msg, WPARAM WParam, LPARAM LParam);
    void Detach();

    HWND FHandle;
    TObject* FSender;
    int FSlot = -1;
    WNDPROC FPrevious = nullptr;
    bool FAttached = false;
    TWndMethod FWindowProc;
};

}  // namespace vcl

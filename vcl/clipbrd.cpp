#include "vcl/clipbrd.h"

#include "vcl/application.h"

#include <cstring>

namespace vcl {

TClipboard::~TClipboard()
{
    if (FWindow)
        DeallocateHWnd(FWindow);
}

// Emptying the clipboard makes the opening window its owner; a window of our own keeps that
// ownership out of every form's way.
HWND TClipboard::Window()
{
    if (!FWindow)
        FWindow = AllocateHWnd(TWndMethod(this, &TClipboard::WndProc));
    return FWindow;
}

void TClipboard::WndProc(TMessage& Message)
{
    Message.Result = DefWindowProcW(FWindow, Message.Msg, Message.WParam, Message.LParam);
}

TClipboard::TOpened::TOpened(TClipboard& Clipboard)
{
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(Clipboard.Window()))
            return;
        Sleep(10);
    }
    throw EClipboardException(L"Cannot open clipboard");
}

bool TClipboard::HasFormat(UINT Format) const { return IsClipboardFormatAvailable(Format) != FALSE; }

String TClipboard::AsText()
{
    TOpened opened(*this);
    String text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    return text;
}

void TClipboard::SetAsText(const String& value)
{
    TOpened opened(*this);
    EmptyClipboard();
    const size_t bytes = (value.size() + 1) * sizeof(wchar_t);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!data)
        throw EClipboardException(L"Out of memory for the clipboard's text");
    std::memcpy(GlobalLock(data), value.c_str(), bytes);
    GlobalUnlock(data);
    // The system owns the data once it took it.
    if (!SetClipboardData(CF_UNICODETEXT, data)) {
        GlobalFree(data);
        throw EClipboardException(L"The clipboard did not take the text");
    }
}

void TClipboard::Clear()
{
    TOpened opened(*this);
    EmptyClipboard();
}

TClipboard* Clipboard()
{
    static TClipboard* clipboard = new TClipboard();
    return clipboard;
}

}  // namespace vcl

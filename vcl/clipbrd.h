#pragma once
// The system clipboard: what formats it holds, and its text. Every call opens the clipboard on a
// hidden window of its own and closes it again before it returns.
#include "vcl/classes.h"
#include "vcl/system.h"

#include <windows.h>

namespace vcl {

class EClipboardException : public Exception {
public:
    using Exception::Exception;
};

class TClipboard : public TPersistent {
    CL_CLASS(TClipboard, TPersistent)
public:
    TClipboard() = default;
    ~TClipboard() override;
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // Whether data of the format (CF_TEXT, CF_UNICODETEXT ...) can be had, also through the
    // system's conversion of another format.
    bool HasFormat(UINT Format) const;
    // The clipboard's text; "" when it holds none.
    String AsText();
    // Replaces everything on the clipboard by the text.
    void SetAsText(const String& value);
    // Empties the clipboard.
    void Clear();

private:
    // Opens the clipboard for the life of the object; raises EClipboardException when another
    // window keeps it open.
    class TOpened {
    public:
        explicit TOpened(TClipboard& Clipboard);
        ~TOpened() { CloseClipboard(); }
        TOpened(const TOpened&) = delete;
        TOpened& operator=(const TOpened&) = delete;
    };
    HWND Window();
    void WndProc(TMessage& Message);

    HWND FWindow = nullptr;
};

// The program's clipboard object, made on first use.
TClipboard* Clipboard();

}  // namespace vcl

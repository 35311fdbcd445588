#pragma once
// Replaceable entries to the system calls that tests must record and answer: message boxes,
// screen metrics, the cursor position, the command line, the desktop window manager and the shell's
// opening of documents and links. They default to the real functions.
#include "vcl/system.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace vcl {

struct TSystemSeams {
    // MessageBoxW: the button the user chose (IDOK, IDYES ...).
    std::function<int(HWND Owner, const String& Text, const String& Caption, UINT Type)> MessageBox;
    // GetSystemMetrics.
    std::function<int(int Index)> SystemMetrics;
    // GetCursorPos, in screen coordinates.
    std::function<TPoint()> CursorPos;
    // The words of the program's command line, the program as it was started first.
    std::function<std::vector<String>()> CommandLine;
    // The desktop window manager, loaded on first use: composition is on (false without it), a
    // window attribute set (E_NOTIMPL without it), a window's iconic bitmaps invalidated.
    std::function<bool()> CompositionEnabled;
    std::function<HRESULT(HWND Wnd, DWORD Attribute, const void* Value, DWORD Size)> DwmSetWindowAttribute;
    std::function<void(HWND Wnd)> DwmInvalidateIconicBitmaps;
    // The taskbar's thumbnail and live preview of a window, and the blur behind it: the manager's
    // result, E_NOTIMPL without it.
    std::function<HRESULT(HWND Wnd, HBITMAP Bitmap, DWORD Flags)> DwmSetIconicThumbnail;
    std::function<HRESULT(HWND Wnd, HBITMAP Bitmap, const POINT* ClientOffset, DWORD Flags)>
        DwmSetIconicLivePreviewBitmap;
    std::function<HRESULT(HWND Wnd, BOOL Enable, HRGN Region)> DwmEnableBlurBehindWindow;
    // ShellExecuteW without parameters or folder: its result, above 32 when it succeeded.
    std::function<INT_PTR(HWND Owner, const String& Operation, const String& File, int ShowCmd)> ShellExecute;
};

// The seams in force; assign a member to replace one, copy the whole to restore it later.
TSystemSeams& Seams();

}  // namespace vcl

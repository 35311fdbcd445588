#pragma once
// Replaceable entries to the system calls that tests must record and answer: message boxes,
// screen metrics and settings, the cursor position, the command line, the system's version, the
// desktop window manager, the work area and the taskbar, the shell's opening of documents and
// links, the colour dialog, the warning beep and the clock. They default to the real functions.
#include "vcl/system.h"

#include <windows.h>
#include <commdlg.h>

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
    // The running system's version record (GetVersionExW, its size field filled).
    std::function<OSVERSIONINFOW()> SystemVersion;
    // SystemParametersInfoW: read or set a system setting; its result.
    std::function<BOOL(UINT Action, UINT UIParam, void* PVParam, UINT WinIni)> SystemParametersInfo;
    // The work area of the monitor that holds the window, the nearest one when none does.
    std::function<TRect(HWND Wnd)> WorkArea;
    // The rectangle of the taskbar's window on the screen; empty without a taskbar.
    std::function<TRect()> TrayRect;
    // ChooseColorW: true when the user chose a colour (rgbResult and lpCustColors then hold it).
    std::function<bool(CHOOSECOLORW& Choice)> ChooseColor;
    // MessageBeep with a sound type (0, MB_ICONERROR ...).
    std::function<void(UINT Type)> MessageBeep;
    // GetLocalTime: the local date and time now.
    std::function<SYSTEMTIME()> LocalTime;
};

// The seams in force; assign a member to replace one, copy the whole to restore it later.
TSystemSeams& Seams();

}  // namespace vcl

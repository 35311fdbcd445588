#include "vcl/seams.h"

#include <shellapi.h>

namespace vcl {

namespace {

// An entry of the desktop window manager's library, loaded on first use; none without it.
template <class F>
F DwmEntry(const char* Name)
{
    static const HMODULE library = LoadLibraryW(L"dwmapi.dll");
    return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, Name))) : nullptr;
}

bool DwmCompositionEnabled()
{
    using TIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
    static const auto query = DwmEntry<TIsCompositionEnabled>("DwmIsCompositionEnabled");
    BOOL enabled = FALSE;
    return query && SUCCEEDED(query(&enabled)) && enabled;
}

HRESULT DwmSetAttribute(HWND Wnd, DWORD Attribute, const void* Value, DWORD Size)
{
    using TSetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const auto set = DwmEntry<TSetWindowAttribute>("DwmSetWindowAttribute");
    return set ? set(Wnd, Attribute, Value, Size) : E_NOTIMPL;
}

void DwmInvalidateIconic(HWND Wnd)
{
    using TInvalidateIconicBitmaps = HRESULT(WINAPI*)(HWND);
    static const auto invalidate = DwmEntry<TInvalidateIconicBitmaps>("DwmInvalidateIconicBitmaps");
    if (invalidate)
        invalidate(Wnd);
}

HRESULT DwmIconicThumbnail(HWND Wnd, HBITMAP Bitmap, DWORD Flags)
{
    using TSetIconicThumbnail = HRESULT(WINAPI*)(HWND, HBITMAP, DWORD);
    static const auto set = DwmEntry<TSetIconicThumbnail>("DwmSetIconicThumbnail");
    return set ? set(Wnd, Bitmap, Flags) : E_NOTIMPL;
}

HRESULT DwmIconicLivePreview(HWND Wnd, HBITMAP Bitmap, const POINT* ClientOffset, DWORD Flags)
{
    using TSetIconicLivePreviewBitmap = HRESULT(WINAPI*)(HWND, HBITMAP, POINT*, DWORD);
    static const auto set = DwmEntry<TSetIconicLivePreviewBitmap>("DwmSetIconicLivePreviewBitmap");
    POINT offset = ClientOffset ? *ClientOffset : POINT{};
    return set ? set(Wnd, Bitmap, ClientOffset ? &offset : nullptr, Flags) : E_NOTIMPL;
}

// The system's record of the blur behind a window.
struct TDwmBlurBehind {
    DWORD Flags;
    BOOL Enable;
    HRGN BlurRegion;
    BOOL TransitionOnMaximized;
};

HRESULT DwmBlurBehind(HWND Wnd, BOOL Enable, HRGN Region)
{
    constexpr DWORD bbEnable = 1;
    constexpr DWORD bbBlurRegion = 2;
    using TEnableBlurBehindWindow = HRESULT(WINAPI*)(HWND, const TDwmBlurBehind*);
    static const auto enable = DwmEntry<TEnableBlurBehindWindow>("DwmEnableBlurBehindWindow");
    const TDwmBlurBehind blur{bbEnable | (Region ? bbBlurRegion : 0), Enable, Region, FALSE};
    return enable ? enable(Wnd, &blur) : E_NOTIMPL;
}

OSVERSIONINFOW RunningVersion()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&info);
#pragma GCC diagnostic pop
    return info;
}

TRect MonitorWorkArea(HWND Wnd)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

TRect TaskbarRect()
{
    RECT r{};
    const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    return tray && GetWindowRect(tray, &r) ? TRect(r) : TRect();
}

}  // namespace

TSystemSeams& Seams()
{
    static TSystemSeams seams{
        [](HWND owner, const String& text, const String& caption, UINT type) {
            return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
        },
        [](int index) { return GetSystemMetrics(index); },
        [] {
            POINT p{};
            GetCursorPos(&p);
            return TPoint(p);
        },
        [] {
            int count = 0;
            LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
            std::vector<String> words(argv, argv + (argv ? count : 0));
            LocalFree(argv);
            return words;
        },
        DwmCompositionEnabled,
        DwmSetAttribute,
        DwmInvalidateIconic,
        DwmIconicThumbnail,
        DwmIconicLivePreview,
        DwmBlurBehind,
        [](HWND owner, const String& operation, const String& file, int showCmd) {
            return reinterpret_cast<INT_PTR>(
                ShellExecuteW(owner, operation.c_str(), file.c_str(), nullptr, nullptr, showCmd));
        },
        RunningVersion,
        [](UINT action, UINT uiParam, void* pvParam, UINT winIni) {
            return SystemParametersInfoW(action, uiParam, pvParam, winIni);
        },
        MonitorWorkArea,
        TaskbarRect,
        [](CHOOSECOLORW& choice) { return ChooseColorW(&choice) != FALSE; },
        [](UINT type) { ::MessageBeep(type); },
        [] {
            SYSTEMTIME now{};
            GetLocalTime(&now);
            return now;
        },
    };
    return seams;
}

}  // namespace vcl

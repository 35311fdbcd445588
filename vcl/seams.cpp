#include "vcl/seams.h"

#include <shellapi.h>

namespace vcl {

namespace {

// An entry of the desktop window manager's library, loaded on first use; none without it.
template<class F>
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
    };
    return seams;
}

}  // namespace vcl

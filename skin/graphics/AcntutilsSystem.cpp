// Paths, system settings, message boxes and the unit's start-up.
#include "skin/graphics/Acntutils.h"

#include <shellapi.h>

#include <cstddef>

#include "vcl/dialogs.h"
#include "vcl/forms.h"
#include "vcl/seams.h"

namespace skin {

using vcl::String;

bool acGlowDisabled = false;

OSVERSIONINFOW SystemVersion() { return vcl::Seams().SystemVersion(); }

bool acCompositionEnabled() { return SystemVersion().dwMajorVersion >= 6 && vcl::Seams().CompositionEnabled(); }

namespace {

// The optional kernel functions, looked up once before any window exists; the same start-up
// decides whether glows are drawn.
struct TKernelEntries {
    using TIsDebuggerPresent = BOOL(WINAPI*)();
    using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);

    HMODULE Module = LoadLibraryW(L"kernel32.dll");
    TIsDebuggerPresent IsDebuggerPresent = GetProc<TIsDebuggerPresent>(Module, "IsDebuggerPresent");
    TIsWow64Process IsWow64Process = GetProc<TIsWow64Process>(Module, "IsWow64Process");

    TKernelEntries()
    {
        if (Module)
            acGlowDisabled = Wow64() && !acCompositionEnabled();
    }
    bool Wow64() const
    {
        BOOL wow64 = FALSE;
        return IsWow64Process && IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
    }
    ~TKernelEntries()
    {
        if (Module)
            FreeLibrary(Module);
    }
};
const TKernelEntries KernelEntries;

// The non-client metrics in the record size of the running system.
bool NonClientMetrics(NONCLIENTMETRICSW& metrics)
{
    metrics = {};
    metrics.cbSize = SystemVersion().dwMajorVersion >= 6 ? sizeof(metrics)
                                                          : offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    return vcl::Seams().SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
}

}  // namespace

String NormalDir(const String& D)
{
    if (D.empty() || D.back() == L'\\')
        return D;
    if (D.back() == L'/')
        return D.substr(0, D.size() - 1) + L'\\';
    return D + (D.size() == 1 ? L":\\" : L"\\");
}

String GetAppPath()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    const String file(path, length);
    return file.substr(0, file.find_last_of(L"\\/") + 1);
}

std::unique_ptr<vcl::TIcon> GetIconForFile(const String& F, UINT Flags)
{
    SHFILEINFOW info = {};
    if (GetFileAttributesW(F.c_str()) == INVALID_FILE_ATTRIBUTES ||
        !SHGetFileInfoW(F.c_str(), 0, &info, sizeof(info), Flags | SHGFI_ICON) || !info.hIcon)
        return nullptr;
    auto icon = std::make_unique<vcl::TIcon>();
    icon->SetHandle(info.hIcon);
    return icon;
}

bool IsNTFamily()
{
    const OSVERSIONINFOW v = SystemVersion();
    return v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion > 0);
}

bool IsWOW64Proc() { return KernelEntries.Wow64(); }

bool IsIDERunning() { return !KernelEntries.IsDebuggerPresent || KernelEntries.IsDebuggerPresent(); }

bool acGetAnimation()
{
    ANIMATIONINFO info = {sizeof(info), 0};
    return vcl::Seams().SystemParametersInfo(SPI_GETANIMATION, sizeof(info), &info, 0) && info.iMinAnimate != 0;
}

void acSetAnimation(bool On)
{
    ANIMATIONINFO info = {sizeof(info), On ? -1 : 0};
    vcl::Seams().SystemParametersInfo(SPI_SETANIMATION, sizeof(info), &info, 0);
}

int GetCaptionFontSize()
{
    NONCLIENTMETRICSW metrics;
    return NonClientMetrics(metrics) ? metrics.lfCaptionFont.lfHeight : 0;
}

HFONT acGetTitleFont()
{
    NONCLIENTMETRICSW metrics;
    return NonClientMetrics(metrics) ? CreateFontIndirectW(&metrics.lfCaptionFont) : nullptr;
}

void Delay(int Ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        vcl::Application->ProcessMessages();
        const DWORD passed = GetTickCount() - start;  // unsigned: a wrap of the counter does no harm
        if (Ms <= 0 || passed >= DWORD(Ms))
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(Ms) - passed, QS_ALLINPUT);
    }
}

void ShowError(const String& S)
{
    vcl::MessageDlg(S, vcl::TMsgDlgType::mtError, {vcl::TMsgDlgBtn::mbOK}, 0);
}

}  // namespace skin

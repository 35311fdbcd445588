// The screen: the list of forms, the active form and control, metrics, system fonts, cursors.
#include "vcl/screen.h"

#include "vcl/forms.h"
#include "vcl/seams.h"
#include "vcl/sysutils.h"

#include <algorithm>

namespace vcl {

// =============================================================================================
// TScreen

// =============================================================================================
// TMonitor

MONITORINFO TMonitor::Info() const
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(FHandle, &info);
    return info;
}

bool TMonitor::Primary() const { return (Info().dwFlags & MONITORINFOF_PRIMARY) != 0; }
TRect TMonitor::BoundsRect() const { return Info().rcMonitor; }
TRect TMonitor::WorkareaRect() const { return Info().rcWork; }

// =============================================================================================
// TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TCustomForm* TScreen::CustomForms(int index) const
{
    if (index < 0 || index >= CustomFormCount())
        throw EListError(L"Form index out of bounds");
    return FForms[static_cast<size_t>(index)];
}

int TScreen::FormCount() const
{
    return static_cast<int>(std::count_if(FForms.begin(), FForms.end(),
                                          [](TCustomForm* f) { return dynamic_cast<TForm*>(f) != nullptr; }));
}

TForm* TScreen::Forms(int index) const
{
    for (TCustomForm* f : FForms)
        if (auto* form = dynamic_cast<TForm*>(f))
            if (index-- == 0)
                return form;
    throw EListError(L"Form index out of bounds");
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FActiveForm == Form)
        FActiveForm = nullptr;
    if (FActiveControl && Form->ContainsControl(FActiveControl))
        FActiveControl = nullptr;
}

void TScreen::FormActivated(TCustomForm* Form)
{
    FActiveForm = Form;
    auto it = std::find(FForms.begin(), FForms.end(), Form);
    if (it != FForms.end())
        std::rotate(FForms.begin(), it, it + 1);
}

int TScreen::Width() const { return Seams().SystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return Seams().SystemMetrics(SM_CYSCREEN); }
int TScreen::DesktopLeft() const { return Seams().SystemMetrics(SM_XVIRTUALSCREEN); }
int TScreen::DesktopTop() const { return Seams().SystemMetrics(SM_YVIRTUALSCREEN); }
int TScreen::DesktopWidth() const { return Seams().SystemMetrics(SM_CXVIRTUALSCREEN); }
int TScreen::DesktopHeight() const { return Seams().SystemMetrics(SM_CYVIRTUALSCREEN); }

TRect TScreen::WorkAreaRect() const
{
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

namespace {

int CALLBACK AddFontFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param)
{
    auto* list = reinterpret_cast<TStringList*>(param);
    // Vertical variants ("@Name") are not families of their own.
    if (lf->lfFaceName[0] != L'@' && list->IndexOf(lf->lfFaceName) < 0)
        list->Add(lf->lfFaceName);
    return 1;
}

void FontFromLogFont(TFont* font, const LOGFONTW& lf)
{
    HFONT handle = CreateFontIndirectW(&lf);
    font->SetHandle(handle);
    DeleteObject(handle);
}

}  // namespace

void TScreen::ReadMonitors()
{
    std::vector<HMONITOR> handles;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM list) {
            reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&handles));
    FMonitors.clear();
    for (HMONITOR handle : handles)
        FMonitors.push_back(std::make_unique<TMonitor>(handle, static_cast<int>(FMonitors.size())));
}

TMonitor* TScreen::FindMonitor(HMONITOR Handle) const
{
    for (const auto& monitor : FMonitors)
        if (monitor->Handle() == Handle)
            return monitor.get();
    return nullptr;
}

int TScreen::MonitorCount()
{
    if (FMonitors.empty())
        ReadMonitors();
    return static_cast<int>(FMonitors.size());
}

TMonitor* TScreen::Monitors(int index)
{
    if (index < 0 || index >= MonitorCount())
        throw EListError(L"Monitor index out of bounds (" + IntToStr(index) + L")");
    return FMonitors[static_cast<size_t>(index)].get();
}

TMonitor* TScreen::MonitorFromWindow(HWND Wnd)
{
    HMONITOR handle = ::MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST);
    TMonitor* monitor = FindMonitor(handle);
    if (!monitor) {
        ReadMonitors();
        monitor = FindMonitor(handle);
    }
    return monitor;
}

TStrings* TScreen::Fonts()
{
    if (!FFonts) {
        FFonts = std::make_unique<TStringList>();
        FFonts->SetSorted(true);
        HDC dc = GetDC(nullptr);
        LOGFONTW lf{};
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(dc, &lf, AddFontFamily, reinterpret_cast<LPARAM>(FFonts.get()), 0);
        ReleaseDC(nullptr, dc);
    }
    return FFonts.get();
}

void TScreen::ReadSystemFonts()
{
    if (FMenuFont)
        return;
    FMenuFont = std::make_unique<TFont>();
    FHintFont = std::make_unique<TFont>();
    FIconFont = std::make_unique<TFont>();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        FontFromLogFont(FMenuFont.get(), metrics.lfMenuFont);
        FontFromLogFont(FHintFont.get(), metrics.lfStatusFont);
    }
    LOGFONTW icon{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0))
        FontFromLogFont(FIconFont.get(), icon);
}

TFont* TScreen::MenuFont()
{
    ReadSystemFonts();
    return FMenuFont.get();
}

TFont* TScreen::HintFont()
{
    ReadSystemFonts();
    return FHintFont.get();
}

TFont* TScreen::IconFont()
{
    ReadSystemFonts();
    return FIconFont.get();
}

HCURSOR TScreen::Cursors(TCursor id) const
{
    struct Entry {
        TCursor Cursor;
        const wchar_t* Resource;
    };
    static const Entry table[] = {
        {TCursor::crArrow, IDC_ARROW},       {TCursor::crCross, IDC_CROSS},        {TCursor::crIBeam, IDC_IBEAM},
        {TCursor::crSizeNESW, IDC_SIZENESW}, {TCursor::crSizeNS, IDC_SIZENS},      {TCursor::crSizeNWSE, IDC_SIZENWSE},
        {TCursor::crSizeWE, IDC_SIZEWE},     {TCursor::crUpArrow, IDC_UPARROW},    {TCursor::crHourGlass, IDC_WAIT},
        {TCursor::crNoDrop, IDC_NO},         {TCursor::crHSplit, IDC_SIZEWE},      {TCursor::crVSplit, IDC_SIZENS},
        {TCursor::crSQLWait, IDC_WAIT},      {TCursor::crNo, IDC_NO},              {TCursor::crAppStart, IDC_APPSTARTING},
        {TCursor::crHelp, IDC_HELP},         {TCursor::crHandPoint, IDC_HAND},     {TCursor::crSizeAll, IDC_SIZEALL},
    };
    if (id == TCursor::crNone)
        return nullptr;
    for (const Entry& e : table)
        if (e.Cursor == id)
            return LoadCursorW(nullptr, e.Resource);
    return LoadCursorW(nullptr, IDC_ARROW);
}

void TScreen::SetCursor(TCursor value)
{
    if (!ChangeField(FCursor, value))
        return;
    if (value != TCursor::crDefault) {
        ::SetCursor(Cursors(value));
        return;
    }
    // Back to the default: let the window under the mouse choose again.
    TPoint pos = Seams().CursorPos();
    HWND wnd = WindowFromPoint(pos);
    if (wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
        LRESULT hit = SendMessageW(wnd, WM_NCHITTEST, 0, PointToLParam(pos.x, pos.y));
        SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
    }
}

// =============================================================================================
// The global screen object

TScreen* Screen = Create<TScreen>(nullptr);

}  // namespace vcl

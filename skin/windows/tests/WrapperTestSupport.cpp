#include "skin/windows/tests/WrapperTestSupport.h"

#include <filesystem>

#include "pump.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "testpaths.h"

namespace wraptest {

vcl::String TestSkin(const char* Name)
{
    return (std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests" / "testskins" / Name).wstring();
}

// ---------------------------------------------------------------------------------------------
// Recording windows

namespace {

constexpr wchar_t RecordingClass[] = L"ZirvRecordingWindow";

void RegisterRecordingClass(WNDPROC Proc)
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = RecordingClass;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    registered = RegisterClassW(&wc) != 0;
}

}  // namespace

TRecordingWindow::TRecordingWindow(HWND Parent, const vcl::TRect& Bounds, DWORD Style, DWORD ExStyle, int AInset)
    : Inset(AInset)
{
    RegisterRecordingClass(Proc);
    const DWORD kind = Parent ? WS_CHILD : WS_POPUP;
    FHandle = CreateWindowExW(ExStyle, RecordingClass, L"", kind | Style, Bounds.left, Bounds.top, Bounds.Width(),
                              Bounds.Height(), Parent, nullptr, GetModuleHandleW(nullptr), this);
}

TRecordingWindow::~TRecordingWindow()
{
    if (IsWindow(FHandle)) {
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        DestroyWindow(FHandle);
    }
}

std::vector<TRecord> TRecordingWindow::Received(UINT Msg) const
{
    std::vector<TRecord> found;
    for (const TRecord& r : Records)
        if (r.Msg == Msg)
            found.push_back(r);
    return found;
}

void TRecordingWindow::SetScroll(int Bar, int Min, int Max, UINT Page, int Pos) const
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = Min;
    info.nMax = Max;
    info.nPage = Page;
    info.nPos = Pos;
    SetScrollInfo(FHandle, Bar, &info, FALSE);
}

LRESULT CALLBACK TRecordingWindow::Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_NCCREATE)
        SetWindowLongPtrW(Wnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(LParam)->lpCreateParams));
    auto* self = reinterpret_cast<TRecordingWindow*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(Wnd, Msg, WParam, LParam);
    self->Records.push_back({Msg, WParam, LParam});
    LRESULT result = 0;
    if (self->Answer && self->Answer(Msg, WParam, LParam, result))
        return result;
    if (Msg == WM_NCCALCSIZE) {
        // A frame of Inset pixels on every side, and nothing for the system's scroll bars.
        self->StyleAtCalcSize = GetWindowLongPtrW(Wnd, GWL_STYLE);
        InflateRect(reinterpret_cast<RECT*>(LParam), -self->Inset, -self->Inset);
        return 0;
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

// ---------------------------------------------------------------------------------------------
// The fixture

void WrapperTest::SetUp()
{
    testsupport::InitializeApplication();
    FSavedSeams = vcl::Seams();
    FSavedScrollSeams = skin::ScrollSeams();
    FSavedArrow = skin::acScrollWidth;
    const auto system = FSavedSeams.SystemMetrics;
    vcl::Seams().SystemMetrics = [system](int Index) {
        return Index == SM_CYHSCROLL || Index == SM_CXVSCROLL ? 17 : system(Index);
    };
    skin::acScrollWidth = 17;
    skin::InitSBUtilsUnit();
    Manager = skintest::LoadSkin(TestSkin(SkinName()));
    Manager->SetIsDefault(true);
    Manager->SendNewSkin(false);
    Host.reset(vcl::Create<vcl::TForm>(nullptr));
    Host->SetBounds(40, 40, 400, 300);
    Host->HandleNeeded();
}

void WrapperTest::TearDown()
{
    Host.reset();
    Manager.reset();
    skin::DoneSBUtilsUnit();
    skin::acScrollState = skin::TacScrollInteraction{};
    skin::acScrollWidth = FSavedArrow;
    skin::ScrollSeams() = FSavedScrollSeams;
    vcl::Seams() = FSavedSeams;
    testsupport::PumpFor(0);
}

COLORREF Rgb(vcl::TColor Colour) { return COLORREF(vcl::ColorToRGB(Colour)); }

COLORREF SectionColour(const skin::TsSkinManager& Manager, const wchar_t* Section, int State)
{
    const skin::TsGeneralData& data = Manager.gd[size_t(Manager.GetSkinIndex(Section))];
    return Rgb(State > 0 ? data.HotColor : data.Color);
}

COLORREF WrapperTest::SectionColour(const wchar_t* Section, int State) const
{
    return wraptest::SectionColour(*Manager, Section, State);
}

// ---------------------------------------------------------------------------------------------
// Memory DCs

TMemoryDC::TMemoryDC(int Width, int Height) : FDC(CreateCompatibleDC(nullptr))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FOld = SelectObject(FDC, FBitmap);
    FPixels = skin::TPixelView{static_cast<uint8_t*>(bits), ptrdiff_t(Width) * 4, Width, Height};
    const RECT all{0, 0, Width, Height};
    FillRect(FDC, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

TMemoryDC::~TMemoryDC()
{
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
}

COLORREF TMemoryDC::Pixel(int X, int Y) const
{
    GdiFlush();
    const uint32_t p = FPixels.At(X, Y);
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

}  // namespace wraptest

// A skinned window's cache copied onto a device context around the child windows that paint
// themselves, over real windows: a group box keeps its inside from the cache only where the skin
// says how wide its frame is.
#include <gtest/gtest.h>

#include "ManagerTestSupport.h"
#include "pump.h"
#include "skin/core/sCommonData.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/graphics.h"

using namespace skin;
using skintest::NewManager;
using skintest::TManagerPtr;
using skintest::TTempSkin;
using skintest::WriteSkin;
using vcl::TRect;

namespace {

constexpr COLORREF Marker = RGB(255, 0, 255);
constexpr vcl::TColor CacheColour = vcl::TColor(0x00C000);
constexpr int Width = 200, Height = 100;

// A shown borderless window as a window wrapper has it, with a group box child at (20, 20) of
// 80 x 60 and a plain child at (120, 20) of 40 x 40.
class TWrappedWindow {
public:
    TWrappedWindow()
    {
        Wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 300, 300, Width, Height, nullptr,
                              nullptr, nullptr, nullptr);
        Child(L"BUTTON", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, TRect(20, 20, 100, 80));
        Child(L"STATIC", WS_CHILD | WS_VISIBLE, TRect(120, 20, 160, 60));
    }
    ~TWrappedWindow() { DestroyWindow(Wnd); }
    TWrappedWindow(const TWrappedWindow&) = delete;
    TWrappedWindow& operator=(const TWrappedWindow&) = delete;

    HWND Wnd;

private:
    void Child(const wchar_t* Class, DWORD Style, const TRect& R) const
    {
        CreateWindowExW(0, Class, L"", Style, R.left, R.top, R.Width(), R.Height(), Wnd, nullptr, nullptr, nullptr);
    }
};

// A marked DC of the window's size with the cache of one colour copied onto it.
struct TCopy {
    TCopy(HWND Wnd, TsCommonData& Data) : DC(nullptr, Width, Height)
    {
        FillDC(DC.Handle(), TRect(0, 0, Width, Height), vcl::TColor(Marker));
        CopyHwndCache(Wnd, Data, TRect(0, 0, Width, Height), TRect(0, 0, Width, Height), DC.Handle(), false, 0, 0);
    }
    bool FromCache(int X, int Y) const { return GetPixel(DC.Handle(), X, Y) == COLORREF(CacheColour); }

    vcl::TMemoryDC DC;
};

}  // namespace

TEST(CopyHwndCache, AGroupBoxKeepsItsInsideOnlyWhereTheSkinGivesItsFrame)
{
    testsupport::InitializeApplication();
    TTempSkin dir;
    WriteSkin(dir, "FRAMED",
              "[GLOBALINFO]\nVERSION=8\n[GROUPBOX]\nBORDERSMASK=^0000^0000^0012^0012^0003^0003^0003^0003^1^0^1^0\n");
    WriteSkin(dir, "BARE", "[GLOBALINFO]\nVERSION=8\n[PANEL]\nCOLOR=255\n");
    TManagerPtr manager = NewManager(dir.Folder());
    ASSERT_EQ(DefaultManager, manager.get());
    TWrappedWindow window;
    testsupport::PumpFor(0);
    TsCommonData data(nullptr, false);
    data.FCacheBmp = CreateBmp32(Width, Height);
    FillDC(data.FCacheBmp->Canvas()->Handle(), TRect(0, 0, Width, Height), CacheColour);

    struct TCase {
        const wchar_t* Skin;
        bool InsideFromCache;
    };
    for (const TCase c : {TCase{L"FRAMED", true}, TCase{L"BARE", false}}) {
        SCOPED_TRACE(vcl::ToAnsi(c.Skin));
        manager->SetSkinName(c.Skin);
        const TCopy copy(window.Wnd, data);
        EXPECT_TRUE(copy.FromCache(5, 5)) << "beside the children";
        EXPECT_FALSE(copy.FromCache(21, 50)) << "the group box's left frame";
        EXPECT_FALSE(copy.FromCache(60, 78)) << "its bottom frame";
        EXPECT_EQ(copy.FromCache(60, 50), c.InsideFromCache) << "its inside";
        EXPECT_FALSE(copy.FromCache(140, 40)) << "the plain child";
    }

    data.FCacheBmp.reset();  // nothing to copy: the DC keeps what it had
    const TCopy none(window.Wnd, data);
    EXPECT_EQ(GetPixel(none.DC.Handle(), 5, 5), Marker);
}

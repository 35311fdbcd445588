// The wrapper's cache over the GALLERY test skin: a plain child window of a parent whose answer to
// the background query the test chooses; the section rendered over it, the dialog look, the
// disabled look of a class-library control, and the border's transparent corners.
#include <gtest/gtest.h>

#include "skin/core/sMessages.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/windows/tests/WrapperTestSupport.h"
#include "vcl/stdctrls.h"

using namespace skin;
using vcl::TRect;
using wraptest::Rgb;
using wraptest::TRecordingWindow;

namespace {

COLORREF CachePixel(const TsCommonData& Data, int X, int Y)
{
    const uint32_t p = PixelsOf(Data.FCacheBmp.get()).At(X, Y);
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

// A child 50 x 30 at (10, 10) of a parent 200 x 150 whose background answer the test sets.
class WrapperCacheTest : public wraptest::WrapperTest {
protected:
    void SetUp() override
    {
        WrapperTest::SetUp();
        Parent = std::make_unique<TRecordingWindow>(Host->Handle(), TRect(0, 0, 200, 150), 0, 0, 0);
        Parent->Answer = [this](UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
            if (Msg != SkinCommandMessage || HIWORD(WParam) != scmdQueryBackground || !Background.BgKind)
                return false;
            auto& info = *reinterpret_cast<TacBGInfo*>(LParam);
            info.BgKind = Background.BgKind;
            info.Bmp = Background.Bmp;
            info.Color = Background.Color;
            info.Offset = Background.Offset;
            Result = 1;
            return true;
        };
        Child = std::make_unique<TRecordingWindow>(Parent->Handle(), TRect(10, 10, 60, 40), 0, 0, 0);
        Data = std::make_unique<TsCommonData>(nullptr, true);
        Data->SetSkinSection(L"PANEL");
    }
    void TearDown() override
    {
        Child.reset();
        Parent.reset();
        Data.reset();
        WrapperTest::TearDown();
    }

    TacBGInfo Background;  // kind 0: the parent does not answer
    std::unique_ptr<TRecordingWindow> Parent;
    std::unique_ptr<TRecordingWindow> Child;
    std::unique_ptr<TsCommonData> Data;
};

}  // namespace

TEST_F(WrapperCacheTest, APanelOverItsParentAndNothingWhileTheParentIsNotReady)
{
    Background.BgKind = 3;
    PrepareCache(Data.get(), Child->Handle(), false);
    EXPECT_TRUE(Data->FUpdating);
    EXPECT_TRUE(Data->BGChanged) << "tried again at the next paint";

    Background.BgKind = 1;
    Background.Color = vcl::TColor(0x00FF00);
    Data->FUpdating = false;
    PrepareCache(Data.get(), Child->Handle(), false);
    EXPECT_FALSE(Data->BGChanged);
    ASSERT_EQ(Data->FCacheBmp->Width(), 50);
    ASSERT_EQ(Data->FCacheBmp->Height(), 30);
    EXPECT_EQ(CachePixel(*Data, 25, 15), SectionColour(L"PANEL"));

    PixelsOf(Data->FCacheBmp.get()).At(25, 15) = 0xFF010203;
    PrepareCache(Data.get(), Child->Handle(), false);
    EXPECT_EQ(CachePixel(*Data, 25, 15), RGB(1, 2, 3)) << "not stale: left alone";
}

TEST_F(WrapperCacheTest, TheDialogLookIsTheWindowColourFramedInTheSkinsBorderColour)
{
    Manager->SkinData->BorderColor = vcl::TColor(0x604020);
    PrepareCache(Data.get(), Child->Handle(), true);
    EXPECT_EQ(CachePixel(*Data, 0, 0), RGB(0x20, 0x40, 0x60));
    EXPECT_EQ(CachePixel(*Data, 49, 15), RGB(0x20, 0x40, 0x60));
    EXPECT_EQ(CachePixel(*Data, 25, 15), Rgb(vcl::clWindow));

    Manager->SkinData->BorderColor = vcl::clFuchsia;
    Data->BGChanged = true;
    PrepareCache(Data.get(), Child->Handle(), true);
    EXPECT_EQ(CachePixel(*Data, 25, 15), SectionColour(L"PANEL")) << "a skin without a border colour: its look";
}

TEST_F(WrapperCacheTest, ADisabledClassLibraryControlIsBlendedAPlainWindowNever)
{
    EnableWindow(Child->Handle(), FALSE);
    PrepareCache(Data.get(), Child->Handle(), false);
    EXPECT_EQ(CachePixel(*Data, 25, 15), SectionColour(L"PANEL")) << "a plain window";

    auto* edit = vcl::Create<vcl::TEdit>(Host.get());
    edit->SetParent(Host.get());
    edit->SetBounds(10, 10, 50, 30);
    TsCommonData data(edit, true);
    data.SetSkinSection(L"PANEL");
    PrepareCache(&data, edit->Handle(), false);
    const COLORREF enabled = CachePixel(data, 25, 15);
    EXPECT_EQ(enabled, SectionColour(L"PANEL"));
    edit->SetEnabled(false);
    data.BGChanged = true;
    PrepareCache(&data, edit->Handle(), false);
    EXPECT_NE(CachePixel(data, 25, 15), enabled);
}

// ---------------------------------------------------------------------------------------------
// The transparent corners

namespace {

constexpr uint32_t Key = 0x00FF00FF;
constexpr uint32_t KeyOpaque = 0xFFFF00FF;

// The child wrapped with a border image of one 6 x 4 state, borders of 2, whose top-left pixel is
// the key with an opaque alpha and whose other corners' outer pixels are the key; its cache grey.
class TransparentCorners : public WrapperCacheTest {
protected:
    void SetUp() override
    {
        WrapperCacheTest::SetUp();
        TsMaskData mask;
        mask.Bmp.reset(CreateBmp32(6, 4).release());
        const TPixelView pixels = PixelsOf(mask.Bmp.get());
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                pixels.At(x, y) = 0xFF405060;
        pixels.At(0, 0) = KeyOpaque;
        pixels.At(5, 0) = pixels.At(0, 3) = pixels.At(5, 3) = Key;
        mask.R = TRect(0, 0, 6, 4);
        mask.ImageCount = 1;
        mask.WL = mask.WT = mask.WR = mask.WB = 2;
        mask.Manager = Manager.get();
        Manager->ma.push_back(std::move(mask));
        Wrapper = NewWrapper<TacMainWnd>(Child->Handle(), Data.get(), Manager.get(), L"PANEL", false);
        Data->BorderIndex = int(Manager->ma.size()) - 1;
        InitCtrlData(Wrapper->CtrlHandle, Wrapper->ParentWnd, Wrapper->WndRect, Wrapper->ParentRect,
                     Wrapper->WndSize, Wrapper->WndPos);
        Grey();
    }
    void TearDown() override
    {
        Wrapper.reset();
        WrapperCacheTest::TearDown();
    }
    void Grey()
    {
        Data->FCacheBmp->SetSize(50, 30);
        const TPixelView cache = PixelsOf(Data->FCacheBmp.get());
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 50; ++x)
                cache.At(x, y) = 0xFF808080;
    }
    TsMaskData& Mask() { return Manager->ma.back(); }

    std::unique_ptr<TacMainWnd> Wrapper;
};

}  // namespace

TEST_F(TransparentCorners, KeyPixelsShowTheParentsPictureAtTheWindowsPlace)
{
    ASSERT_EQ(Wrapper->WndPos, vcl::TPoint(10, 10));
    const std::unique_ptr<vcl::TBitmap> picture = CreateBmp32(100, 100);
    const TPixelView pixels = PixelsOf(picture.get());
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            pixels.At(x, y) = 0xFF000000u | uint32_t(x) << 16 | uint32_t(y);
    Background.BgKind = 2;
    Background.Bmp = picture.get();
    Background.Offset = vcl::TPoint(3, 4);
    FillTransparentCorners(Data.get(), 0, Wrapper.get());
    EXPECT_EQ(CachePixel(*Data, 0, 0), RGB(13, 0, 14)) << "colour keyed: an opaque key too";
    EXPECT_EQ(CachePixel(*Data, 49, 0), RGB(62, 0, 14));
    EXPECT_EQ(CachePixel(*Data, 0, 29), RGB(13, 0, 43));
    EXPECT_EQ(CachePixel(*Data, 49, 29), RGB(62, 0, 43));
    EXPECT_EQ(CachePixel(*Data, 1, 0), RGB(128, 128, 128));

    Grey();
    Mask().MaskType = 1;
    FillTransparentCorners(Data.get(), 0, Wrapper.get());
    EXPECT_EQ(CachePixel(*Data, 0, 0), RGB(128, 128, 128)) << "the whole value: an opaque key is none";
    EXPECT_EQ(CachePixel(*Data, 49, 0), RGB(62, 0, 14));
}

TEST_F(TransparentCorners, WithoutAPictureTheFillColourUnlessItIsMagenta)
{
    Background.BgKind = 1;
    Background.Color = vcl::TColor(0x332211);
    FillTransparentCorners(Data.get(), 0, Wrapper.get());
    EXPECT_EQ(CachePixel(*Data, 0, 0), RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(CachePixel(*Data, 49, 29), RGB(0x11, 0x22, 0x33));

    Grey();
    Background.Color = vcl::clFuchsia;
    FillTransparentCorners(Data.get(), 0, Wrapper.get());
    EXPECT_EQ(CachePixel(*Data, 0, 0), RGB(128, 128, 128));
}

TEST_F(TransparentCorners, NothingInDialogModeOrForAWindowOneWide)
{
    Background.BgKind = 1;
    Background.Color = vcl::TColor(0x332211);
    Wrapper->DlgMode = true;
    FillTransparentCorners(Data.get(), 0, Wrapper.get());
    EXPECT_EQ(CachePixel(*Data, 0, 0), RGB(128, 128, 128));
    Wrapper->DlgMode = false;
    Wrapper->WndSize.cx = 1;
    FillTransparentCorners(Data.get(), 0, Wrapper.get());
    EXPECT_EQ(CachePixel(*Data, 0, 0), RGB(128, 128, 128));
    Wrapper->WndSize.cx = 50;
    Mask().ImageCount = 0;
    FillTransparentCorners(Data.get(), 0, Wrapper.get());
    EXPECT_EQ(CachePixel(*Data, 0, 0), RGB(128, 128, 128)) << "an image without frames";
}

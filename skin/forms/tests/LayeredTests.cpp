// Layered windows of the animations (a form made layered and almost transparent, pictures at an
// opacity, covers, snapshots) and the taskbar's pictures, seen through what they hand the
// layered-window entry points and the window manager's seams.
#include "skin/forms/sSkinProvider.h"

#include "pump.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/LayeredRecorder.h"
#include "vcl/forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace skin;

TEST(DoLayered, AWindowBecomesLayeredWithAlphaOneOnceAndLosesItWithItsVisibility)
{
    testsupport::InitializeApplication();
    skin::test::TLayeredRecorder recorder;
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    const HWND wnd = form->Handle();
    SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) | WS_VISIBLE);

    EXPECT_TRUE(DoLayered(wnd, true));
    EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    ASSERT_EQ(recorder.Attributes.size(), 1u);
    EXPECT_EQ(recorder.Attributes[0].Wnd, wnd);
    EXPECT_EQ(recorder.Attributes[0].Alpha, 1);
    EXPECT_EQ(recorder.Attributes[0].Flags, DWORD(LWA_ALPHA));

    EXPECT_FALSE(DoLayered(wnd, true)) << "already layered";
    EXPECT_EQ(recorder.Attributes.size(), 1u);

    EXPECT_FALSE(DoLayered(wnd, false));
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(recorder.Attributes.size(), 1u);
    EXPECT_TRUE(recorder.Frames.empty());
}

namespace {

// A shown plain form of a known size and colour, painted.
class LayeredFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        Form.reset(vcl::Create<vcl::TForm>(nullptr));
        Form->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
        Form->SetBounds(40, 50, 120, 80);
        Form->SetColor(vcl::TColor(0x0000FF));  // red
        Form->Show();
        testsupport::PumpFor(50);
    }
    HWND Wnd() { return Form->Handle(); }

    vcl::TObjectPtr<vcl::TForm> Form;
};

}  // namespace

TEST_F(LayeredFormTest, WithoutAPictureTheWindowGetsATransparentOneOfItsSizeAtTheValue)
{
    skin::test::TLayeredRecorder recorder;
    SetFormBlendValue(Wnd(), nullptr, 0);
    EXPECT_TRUE(GetWindowLongPtrW(Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(IsWindowVisible(Wnd()));
    ASSERT_EQ(recorder.Frames.size(), 1u);
    const auto& frame = recorder.Frames[0];
    EXPECT_EQ(frame.Wnd, Wnd());
    EXPECT_EQ(frame.Size, vcl::TSize(120, 80));
    EXPECT_EQ(frame.Pos, vcl::TPoint(40, 50));
    EXPECT_EQ(frame.Blend.SourceConstantAlpha, 0);
    EXPECT_EQ(frame.Blend.AlphaFormat, AC_SRC_ALPHA);
    EXPECT_EQ(frame.Flags, DWORD(ULW_ALPHA));
    EXPECT_EQ(std::count(frame.Pixels.begin(), frame.Pixels.end(), 0u), 120 * 80);
}

TEST_F(LayeredFormTest, ALayeredWindowKeepsItsStyleAndAPictureGoesWhereItIsSent)
{
    const LONG_PTR exStyle = GetWindowLongPtrW(Wnd(), GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TOOLWINDOW;
    SetWindowLongPtrW(Wnd(), GWL_EXSTYLE, exStyle);
    skin::test::TLayeredRecorder recorder;
    const auto bmp = CreateBmp32(30, 20);
    PixelsOf(bmp.get()).At(3, 2) = 0x80102030;
    const vcl::TPoint pos(7, 9);
    SetFormBlendValue(Wnd(), bmp.get(), 0x1C8, &pos);  // the value's low byte
    EXPECT_EQ(GetWindowLongPtrW(Wnd(), GWL_EXSTYLE), exStyle);
    ASSERT_EQ(recorder.Frames.size(), 1u);
    EXPECT_EQ(recorder.Frames[0].Pos, pos);
    EXPECT_EQ(recorder.Frames[0].Size, vcl::TSize(30, 20));
    EXPECT_EQ(recorder.Frames[0].Blend.SourceConstantAlpha, 0xC8);
    EXPECT_EQ(recorder.Frames[0].Pixel(3, 2), 0x80102030u);
}

TEST_F(LayeredFormTest, WithoutLayeredWindowsTheWindowStaysAsItIs)
{
    const TUpdateLayeredWindow saved = skin::UpdateLayeredWindow;
    skin::UpdateLayeredWindow = nullptr;
    SetFormBlendValue(Wnd(), nullptr, 0);
    skin::UpdateLayeredWindow = saved;
    EXPECT_FALSE(GetWindowLongPtrW(Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED) << "a layered window without content is unseen";
}

TEST_F(LayeredFormTest, ACoverLiesOverTheWindowTopmostNeverActiveShowingItOpaque)
{
    skin::test::TLayeredRecorder recorder;
    vcl::TObjectPtr<vcl::TForm> cover(MakeCoverForm(Wnd()));
    const HWND coverWnd = cover->Handle();
    RECT r{};
    GetWindowRect(coverWnd, &r);
    EXPECT_EQ(vcl::TRect(r), vcl::TRect(40, 50, 160, 130));
    EXPECT_EQ(cover->Tag(), -98);
    const LONG_PTR exStyle = GetWindowLongPtrW(coverWnd, GWL_EXSTYLE);
    for (LONG_PTR bit :
         {LONG_PTR(WS_EX_TOPMOST), LONG_PTR(WS_EX_TOOLWINDOW), LONG_PTR(WS_EX_NOACTIVATE), LONG_PTR(WS_EX_LAYERED)})
        EXPECT_TRUE(exStyle & bit) << std::hex << bit;
    EXPECT_TRUE(IsWindowVisible(coverWnd));
    EXPECT_NE(GetActiveWindow(), coverWnd);

    ASSERT_EQ(recorder.Frames.size(), 1u);
    const auto& frame = recorder.Frames[0];
    EXPECT_EQ(frame.Wnd, coverWnd);
    EXPECT_EQ(frame.Blend.SourceConstantAlpha, 255);
    EXPECT_EQ(frame.Size, vcl::TSize(120, 80));
    EXPECT_EQ(frame.Pixel(60, 40), 0xFFFF0000u) << "the form's red, opaque";
    EXPECT_EQ(frame.Pixel(0, 0), 0xFFFF0000u);
}

TEST_F(LayeredFormTest, AFormImageNeedsTheCacheAndCanTakeItsPlace)
{
    vcl::TObjectPtr<TsSkinProvider> bare(vcl::Create<TsSkinProvider>(nullptr));
    EXPECT_EQ(GetFormImage(bare.get(), false), nullptr);

    vcl::TObjectPtr<TsSkinProvider> owned(vcl::Create<TsSkinProvider>(Form.get()));
    owned->SkinData()->FCacheBmp = CreateBmp32(120, 80);
    const auto image = GetFormImage(owned.get(), true);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 120);
    EXPECT_EQ(image->Height(), 80);
    EXPECT_EQ(PixelsOf(image.get()).At(60, 40), 0xFFFF0000u);
    EXPECT_EQ(owned->SkinData()->FCacheBmp, nullptr);
}

TEST(ThumbSize, ThePictureFitsTheBoxWithItsProportions)
{
    EXPECT_EQ(ThumbSize(400, 300, 200, 100), vcl::TSize(133, 100));
    EXPECT_EQ(ThumbSize(400, 300, 100, 200), vcl::TSize(100, 75));
    EXPECT_EQ(ThumbSize(300, 300, 100, 100), vcl::TSize(100, 100));
    EXPECT_EQ(ThumbSize(5, 2, 1, 100), vcl::TSize(1, 0));  // 0.4: nothing to show
}

namespace {

// Records the window manager's iconic pictures and blur, answering with Answer.
class TIconicRecorder {
public:
    TIconicRecorder() : FSaved(vcl::Seams())
    {
        vcl::Seams().DwmSetIconicThumbnail = [this](HWND Wnd, HBITMAP Bitmap, DWORD Flags) {
            Thumbnails.push_back({Wnd, SizeOf(Bitmap), Flags});
            return Answer;
        };
        vcl::Seams().DwmSetIconicLivePreviewBitmap = [this](HWND Wnd, HBITMAP Bitmap, const POINT* Offset,
                                                            DWORD Flags) {
            Previews.push_back({Wnd, SizeOf(Bitmap), Flags});
            PreviewOffset = Offset ? vcl::TPoint(*Offset) : vcl::TPoint(-1, -1);
            return Answer;
        };
        vcl::Seams().DwmEnableBlurBehindWindow = [this](HWND Wnd, BOOL Enable, HRGN Region) {
            Blurs.push_back({Wnd, Enable, Region});
            return S_OK;
        };
    }
    ~TIconicRecorder() { vcl::Seams() = FSaved; }

    struct TPicture {
        HWND Wnd;
        vcl::TSize Size;
        DWORD Flags;
    };
    struct TBlur {
        HWND Wnd;
        BOOL Enable;
        HRGN Region;
    };
    std::vector<TPicture> Thumbnails, Previews;
    std::vector<TBlur> Blurs;
    vcl::TPoint PreviewOffset;
    HRESULT Answer = S_OK;

private:
    static vcl::TSize SizeOf(HBITMAP Bitmap)
    {
        BITMAP bm{};
        GetObjectW(Bitmap, sizeof(bm), &bm);
        return vcl::TSize(bm.bmWidth, bm.bmHeight);
    }
    vcl::TSystemSeams FSaved;
};

// The system version the taskbar pictures are checked against, restored when it goes.
class TSystemVersionScope {
public:
    explicit TSystemVersionScope(DWORD Major) : FSaved(OSVersionInfo) { OSVersionInfo.dwMajorVersion = Major; }
    ~TSystemVersionScope() { OSVersionInfo = FSaved; }

private:
    OSVERSIONINFOW FSaved;
};

}  // namespace

TEST_F(LayeredFormTest, TheThumbnailFitsTheFormsPictureIntoTheTaskbarsBox)
{
    TSystemVersionScope version(6);
    vcl::TObjectPtr<TsSkinProvider> provider(vcl::Create<TsSkinProvider>(Form.get()));
    provider->SkinData()->FCacheBmp = CreateBmp32(400, 300);
    TIconicRecorder dwm;

    EXPECT_TRUE(SetThumbIcon(Wnd(), provider.get(), 200, 100));
    ASSERT_FALSE(dwm.Thumbnails.empty());
    for (const auto& thumb : dwm.Thumbnails) {
        EXPECT_EQ(thumb.Wnd, Wnd());
        EXPECT_EQ(thumb.Size, vcl::TSize(133, 100));
        EXPECT_EQ(thumb.Flags, 0u);
    }
    dwm.Thumbnails.clear();
    EXPECT_TRUE(SetThumbIcon(Wnd(), provider.get(), 100, 200));
    ASSERT_FALSE(dwm.Thumbnails.empty());
    EXPECT_EQ(dwm.Thumbnails[0].Size, vcl::TSize(100, 75));

    dwm.Thumbnails.clear();
    dwm.Answer = E_FAIL;
    EXPECT_FALSE(SetThumbIcon(Wnd(), provider.get(), 200, 100)) << "refused";
    EXPECT_EQ(dwm.Thumbnails.size(), 1u);
}

TEST_F(LayeredFormTest, NoThumbnailOrPreviewForASizeOfZeroAnOldSystemOrNoPicture)
{
    vcl::TObjectPtr<TsSkinProvider> provider(vcl::Create<TsSkinProvider>(Form.get()));
    TIconicRecorder dwm;
    {
        TSystemVersionScope version(6);
        EXPECT_FALSE(SetThumbIcon(Wnd(), provider.get(), 200, 100)) << "no cache";
        EXPECT_FALSE(SetPreviewBmp(Wnd(), provider.get())) << "no cache";
        provider->SkinData()->FCacheBmp = CreateBmp32(400, 300);
        EXPECT_FALSE(SetThumbIcon(Wnd(), provider.get(), 0, 100));
        EXPECT_FALSE(SetThumbIcon(Wnd(), provider.get(), 200, 0));
    }
    {
        TSystemVersionScope version(5);
        EXPECT_FALSE(SetThumbIcon(Wnd(), provider.get(), 200, 100));
        EXPECT_FALSE(SetPreviewBmp(Wnd(), provider.get()));
    }
    EXPECT_TRUE(dwm.Thumbnails.empty());
    EXPECT_TRUE(dwm.Previews.empty());
}

TEST_F(LayeredFormTest, ThePreviewIsTheWholeFormAtItsFrameAndTheBlurGoesToTheWindowManager)
{
    TSystemVersionScope version(6);
    vcl::TObjectPtr<TsSkinProvider> provider(vcl::Create<TsSkinProvider>(Form.get()));
    provider->SkinData()->FCacheBmp = CreateBmp32(120, 80);
    TIconicRecorder dwm;
    EXPECT_TRUE(SetPreviewBmp(Wnd(), provider.get()));
    ASSERT_EQ(dwm.Previews.size(), 1u);
    EXPECT_EQ(dwm.Previews[0].Size, vcl::TSize(120, 80));
    EXPECT_EQ(dwm.Previews[0].Flags, 1u);
    EXPECT_EQ(dwm.PreviewOffset, vcl::TPoint(0, 0));
    EXPECT_NE(provider->SkinData()->FCacheBmp, nullptr) << "the cache stays";

    const HRGN region = CreateRectRgn(0, 0, 5, 5);
    SetBlurBehind(Wnd(), true, region);
    SetBlurBehind(Wnd(), false, nullptr);
    ASSERT_EQ(dwm.Blurs.size(), 2u);
    EXPECT_EQ(dwm.Blurs[0].Wnd, Wnd());
    EXPECT_TRUE(dwm.Blurs[0].Enable);
    EXPECT_EQ(dwm.Blurs[0].Region, region);
    EXPECT_FALSE(dwm.Blurs[1].Enable);
    DeleteObject(region);
}

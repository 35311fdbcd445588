// The gallery's row of wrapped native windows (a plain window with both bars, an EDIT and a
// LISTBOX) shown in our skin and in the GALLERY test skin: on the screen each bar shows the skin's
// arrow, track and thumb where the scroll information puts them, the windows side by side are
// saved as screenshots for people to look at, and the user's real clicks and drags on the bars
// scroll the windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "pngfile.h"
#include "pump.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/windows/tests/WrapperTestSupport.h"
#include "testpaths.h"
#include "user_input.h"
#include "tools/gallery/Gallery.h"

using namespace skin;
using vcl::TRect;
using wraptest::Rgb;

namespace {

constexpr int Gap = 8;

// The gallery in the skin of Folder, shown and painted.
class ShownGallery {
public:
    explicit ShownGallery(const vcl::String& Folder)
        : FManager(skintest::LoadSkin(Folder)), FForm(vcl::Create<vcl::TForm>(nullptr))
    {
        FManager->SetIsDefault(true);
        FManager->SendNewSkin(false);
        FForm->SetBounds(20, 20, 100, 100);
        Gallery = gallery::BuildGallery(FForm.get());
        gallery::ShowGallery(Gallery);
        testsupport::PumpFor(200);
    }
    ~ShownGallery()
    {
        FForm.reset();
        Gallery.Wrappers.clear();
    }

    COLORREF SectionColour(const wchar_t* Section, int State = 0) const
    {
        return wraptest::SectionColour(*FManager, Section, State);
    }
    // A bar's rectangle on the screen.
    TRect BarOnScreen(size_t Index, int Bar) const
    {
        TRect bar;
        Ac_GetScrollRect(Gallery.Wrappers[Index].get(), Bar, Gallery.Wrapped[Index], bar);
        return bar;
    }
    // A bar's rectangle in the coordinates of its window's grab.
    TRect BarInWindow(size_t Index, int Bar) const
    {
        TRect bar = BarOnScreen(Index, Bar), window;
        GetWindowRect(Gallery.Wrapped[Index], &window);
        bar.Offset(-window.left, -window.top);
        return bar;
    }
    // The middle of a bar's thumb on the screen.
    POINT ThumbMiddle(size_t Index, int Bar) const
    {
        const TRect bar = BarOnScreen(Index, Bar);
        TacScrollWnd* wrapper = Gallery.Wrappers[Index].get();
        const TThumb thumb = Ac_CalcThumbSize(Bar == SB_HORZ ? wrapper->sBarHorz.get() : wrapper->sBarVert.get(), bar);
        const int middle = thumb.Start + thumb.Size / 2;
        return Bar == SB_HORZ ? POINT{middle, (bar.top + bar.bottom) / 2} : POINT{(bar.left + bar.right) / 2, middle};
    }
    // The wrapped windows as the screen shows them side by side, saved as Name.
    void SaveRow(const wchar_t* Name) const
    {
        std::vector<testsupport::TGrab> grabs;
        int width = Gap, height = 0;
        for (HWND window : Gallery.Wrapped) {
            grabs.push_back(testsupport::Grab(window));
            width += grabs.back().Width + Gap;
            height = std::max(height, grabs.back().Height + 2 * Gap);
        }
        std::vector<uint32_t> pixels(size_t(width) * size_t(height), Rgb(FForm->Color()));
        int left = Gap;
        for (const testsupport::TGrab& g : grabs) {
            for (int y = 0; y < g.Height; ++y)
                for (int x = 0; x < g.Width; ++x)
                    pixels[size_t(y + Gap) * size_t(width) + size_t(left + x)] = g.Pixel(x, y);
            left += g.Width + Gap;
        }
        const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(testsupport::SavePng((folder / Name).wstring(), width, height, pixels));
    }

    gallery::TGallery Gallery;

private:
    vcl::TObjectPtr<TsSkinManager> FManager;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

// The plain window's lying bar on the screen: its first arrow's corner, the track after that
// arrow, and the pixel Thumb of its thumb (from the thumb's start and the bar's top).
struct TBarPixels {
    COLORREF ArrowCorner, Track, Thumb;
};
TBarPixels LyingBarPixels(const ShownGallery& Shown, const vcl::TPoint& Thumb)
{
    const HWND plain = Shown.Gallery.Wrapped[0];
    TacScrollWnd* wrapper = Shown.Gallery.Wrappers[0].get();
    const TRect bar = Shown.BarInWindow(0, SB_HORZ);
    const TThumb thumb = Ac_CalcThumbSize(wrapper->sBarHorz.get(), bar);
    const testsupport::TGrab grab = testsupport::Grab(plain);
    return {grab.Pixel(bar.left + 1, bar.top + 1), grab.Pixel(bar.left + 20, bar.top + 1),
            grab.Pixel(thumb.Start + Thumb.x, bar.top + Thumb.y)};
}

void ExpectEveryBarShown(const ShownGallery& Shown)
{
    const struct {
        size_t Index;
        bool Horz, Vert;
    } bars[] = {{0, true, true}, {1, true, true}, {2, false, true}};
    for (const auto& b : bars) {
        SCOPED_TRACE(b.Index);
        ASSERT_FALSE(Shown.Gallery.Wrappers[b.Index]->Destroyed());
        EXPECT_EQ(Shown.Gallery.Wrappers[b.Index]->HorzBarHeight() > 0, b.Horz);
        EXPECT_EQ(Shown.Gallery.Wrappers[b.Index]->VertBarWidth() > 0, b.Vert);
    }
}

}  // namespace

class WrappedGallery : public wraptest::WrapperTest {};

TEST_F(WrappedGallery, InTheTestSkinTheBarsShowTheirSectionsAndGlyphs)
{
    const ShownGallery shown(wraptest::TestSkin("GALLERY"));
    ExpectEveryBarShown(shown);
    shown.SaveRow(L"gallery_wrapped_test_skin.png");
    const TBarPixels pixels = LyingBarPixels(shown, vcl::TPoint(1, 1));
    EXPECT_EQ(pixels.ArrowCorner, shown.SectionColour(L"SCROLLBTNLEFT"));
    EXPECT_EQ(pixels.Track, shown.SectionColour(L"SCROLLBAR1H"));
    EXPECT_EQ(pixels.Thumb, shown.SectionColour(L"SCROLLSLIDERH"));

    // The EDIT scrolled by its own handling keeps the skinned bar, its thumb moved on.
    const HWND edit = shown.Gallery.Wrapped[1];
    const TRect editBar = shown.BarInWindow(1, SB_VERT);
    const auto thumbTop = [&] {
        const testsupport::TGrab grab = testsupport::Grab(edit);
        int y = editBar.top + 17;
        while (y < editBar.bottom && grab.Pixel(editBar.left + 1, y) != shown.SectionColour(L"SCROLLSLIDERV"))
            ++y;
        return y;
    };
    const int before = thumbTop();
    SendMessageW(edit, EM_LINESCROLL, 0, 3);
    testsupport::PumpFor(100);
    EXPECT_GT(thumbTop(), before);
    EXPECT_LT(thumbTop(), editBar.bottom - 17);
    EXPECT_EQ(testsupport::Grab(edit).Pixel(editBar.left + 1, editBar.top + 1), shown.SectionColour(L"SCROLLBTNTOP"));

    // The list's standing bar: the down arrow's glyph in its middle.
    const TRect bar = shown.BarInWindow(2, SB_VERT);
    const testsupport::TGrab list = testsupport::Grab(shown.Gallery.Wrapped[2]);
    EXPECT_EQ(list.Pixel(bar.left + 8, bar.bottom - 9), RGB(30, 30, 30));
    EXPECT_EQ(list.Pixel(bar.left + 1, bar.bottom - 2), shown.SectionColour(L"SCROLLBTNBOTTOM"));
}

TEST_F(WrappedGallery, InOurSkinTheBarsAreCalmWithAThinThumbAndSmallChevrons)
{
    const ShownGallery shown(
        (std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)").wstring());
    ExpectEveryBarShown(shown);
    shown.SaveRow(L"gallery_wrapped_our_skin.png");
    // A thumb of C9CED6 inside a margin of the surface, one row above its ridges.
    const TThumb thumb = Ac_CalcThumbSize(shown.Gallery.Wrappers[0]->sBarHorz.get(), shown.BarInWindow(0, SB_HORZ));
    const TBarPixels pixels = LyingBarPixels(shown, vcl::TPoint(thumb.Size / 2, 4));
    EXPECT_EQ(pixels.ArrowCorner, RGB(0xF3, 0xF4, 0xF6));
    EXPECT_EQ(pixels.Track, RGB(0xF3, 0xF4, 0xF6));
    EXPECT_EQ(pixels.Thumb, RGB(0xC9, 0xCE, 0xD6));
    EXPECT_EQ(LyingBarPixels(shown, vcl::TPoint(thumb.Size / 2, 1)).Thumb, RGB(0xF3, 0xF4, 0xF6)) << "the margin";

    // The first arrow's chevron: a few pixels of the glyph grey in the middle of the arrow.
    const TRect bar = shown.BarInWindow(0, SB_HORZ);
    const testsupport::TGrab grab = testsupport::Grab(shown.Gallery.Wrapped[0]);
    int dark = 0;
    for (int y = bar.top; y < bar.bottom; ++y)
        for (int x = bar.left; x < bar.left + 17; ++x)
            dark += GetRValue(grab.Pixel(x, y)) < 0xA0;
    EXPECT_GE(dark, 4);
    EXPECT_LE(dark, 30);
}

// The user clicks a list's down arrow, drags the EDIT's thumb down past the bar's end and the
// plain window's thumb left past its start, each with the real mouse.
TEST_F(WrappedGallery, TheUsersClicksAndDragsOnTheSkinnedBarsScrollTheWindows)
{
    const ShownGallery shown(wraptest::TestSkin("GALLERY"));
    testsupport::UserInput input;

    const HWND list = shown.Gallery.Wrapped[2];
    const TRect listBar = shown.BarOnScreen(2, SB_VERT);
    input.Click(POINT{listBar.left + 8, listBar.bottom - 8});
    EXPECT_TRUE(testsupport::PumpUntil([&] { return SendMessageW(list, LB_GETTOPINDEX, 0, 0) == 1; }));
    testsupport::PumpFor(400);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 1) << "released before the repeat began";

    const HWND edit = shown.Gallery.Wrapped[1];
    TacScrollWnd* editWrapper = shown.Gallery.Wrappers[1].get();
    const POINT grab = shown.ThumbMiddle(1, SB_VERT);
    input.Press(grab);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return editWrapper->fThumbTracking; }));
    input.Move(POINT{grab.x, grab.y + 12});
    EXPECT_TRUE(testsupport::PumpUntil([&] { return SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0) > 0; }));
    RECT editWindow{};
    GetWindowRect(edit, &editWindow);
    const testsupport::TGrab dragged = testsupport::Grab(edit);
    const int underCursor = grab.y + 12 - editWindow.top;
    const TRect editBarInWindow = shown.BarInWindow(1, SB_VERT);
    EXPECT_EQ(dragged.Pixel(editBarInWindow.left + 1, underCursor), shown.SectionColour(L"SCROLLSLIDERV", 2))
        << "the thumb shows pressed under the cursor";
    EXPECT_EQ(dragged.Pixel(grab.x - editWindow.left, underCursor), RGB(110, 110, 110)) << "with its pressed glyph";
    const TRect editHorz = shown.BarInWindow(1, SB_HORZ);
    EXPECT_EQ(dragged.Pixel(editHorz.left + 1, editHorz.top + 1), shown.SectionColour(L"SCROLLBTNLEFT"))
        << "the other bar, which the EDIT sets as it scrolls, stays skinned";
    shown.SaveRow(L"gallery_wrapped_dragging.png");
    const TRect editBar = shown.BarOnScreen(1, SB_VERT);
    input.Move(POINT{grab.x, editBar.bottom + 40});
    input.Release(POINT{grab.x, editBar.bottom + 40});
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !editWrapper->fThumbTracking; }));
    SCROLLINFO info{sizeof(info), SIF_ALL};
    GetScrollInfo(edit, SB_VERT, &info);
    EXPECT_EQ(info.nPos, info.nMax - int(info.nPage) + 1) << "the last page";
    EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), info.nPos);
    testsupport::PumpFor(100);
    EXPECT_EQ(testsupport::Grab(edit).Pixel(editBarInWindow.left + 1, editBarInWindow.bottom - 18),
              shown.SectionColour(L"SCROLLSLIDERV"))
        << "the thumb against the down arrow";
    EXPECT_EQ(testsupport::Grab(edit).Pixel(editHorz.left + 1, editHorz.top + 1), shown.SectionColour(L"SCROLLBTNLEFT"));

    const HWND plain = shown.Gallery.Wrapped[0];
    ASSERT_EQ(GetScrollPos(plain, SB_HORZ), 30);
    const POINT thumb = shown.ThumbMiddle(0, SB_HORZ);
    input.Press(thumb);
    input.Move(POINT{thumb.x - 10, thumb.y});
    EXPECT_TRUE(testsupport::PumpUntil([&] { return GetScrollPos(plain, SB_HORZ) < 30; }));
    const TRect plainBar = shown.BarOnScreen(0, SB_HORZ);
    input.Move(POINT{plainBar.left - 30, thumb.y});
    input.Release(POINT{plainBar.left - 30, thumb.y});
    EXPECT_TRUE(testsupport::PumpUntil([&] { return GetScrollPos(plain, SB_HORZ) == 0; }));
}

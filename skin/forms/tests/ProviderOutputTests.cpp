// The provider's cache on the screen: the frame and the client background as the window shows
// them (read back through the window DC, RGB only), the caption cover, the system menu's style
// while the frame is skinned, and what each property change repaints.
#include <functional>

#include "ProviderFixtures.h"
#include "skin/core/sCommonData.h"

using namespace skin;
using skintest::ProviderTest;
using skintest::Rgb;
using skintest::TLoggingForm;
using vcl::TRect;

namespace {

// A screen pixel as 0xRRGGBB.
uint32_t ScreenRgb(const testsupport::TGrab& Grab, int X, int Y)
{
    const COLORREF c = Grab.Pixel(X, Y);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// The pixels of the area (non-client or client) whose screen and cache colours differ; the cache
// pixel of a non-client pixel is at the same place, that of a client pixel (x, y) at (x + Dx, y + Dy).
struct TMismatch {
    int Count = 0;
    int X = -1, Y = -1;
};
TMismatch Compare(const testsupport::TGrab& Grab, HWND Wnd, const TPixelView& Cache, bool Client, int Dx = 0,
                  int Dy = 0)
{
    RECT c{};
    GetClientRect(Wnd, &c);
    const TRect client = vcl::Bounds(Grab.ClientOrigin.x, Grab.ClientOrigin.y, c.right, c.bottom);
    TMismatch m;
    for (int y = 0; y < Grab.Height; ++y)
        for (int x = 0; x < Grab.Width; ++x) {
            if (client.Contains(vcl::TPoint(x, y)) != Client)
                continue;
            const int cx = Client ? x - client.left + Dx : x;
            const int cy = Client ? y - client.top + Dy : y;
            if (ScreenRgb(Grab, x, y) != Rgb(Cache, cx, cy) && m.Count++ == 0) {
                m.X = x;
                m.Y = y;
            }
        }
    return m;
}

LONG_PTR StyleOf(vcl::TCustomForm* Form) { return GetWindowLongPtrW(Form->Handle(), GWL_STYLE); }

class OutputTest : public ProviderTest {
protected:
    // A shown form whose frame the provider has painted: the first paint gives the window its
    // region, whose redraw the form's own procedure takes; the second paints the frame.
    TLoggingForm* ShownForm()
    {
        TLoggingForm* form = NewForm();
        form->Show();
        testsupport::PumpFor(30);
        form->Provider->AC_WMNCPaint();
        testsupport::PumpFor(30);
        form->Provider->AC_WMNCPaint();
        return form;
    }
    TPixelView Cache(TsSkinProvider* P) { return PixelsOf(P->SkinData()->FCacheBmp.get()); }
    // The cache's row through the middle of the caption.
    std::vector<uint32_t> CaptionRow(TsSkinProvider* P)
    {
        std::vector<uint32_t> row;
        for (int x = 0; x < P->Form->Width(); ++x)
            row.push_back(Rgb(Cache(P), x, P->HeaderHeight() / 2));
        return row;
    }
    // The window's non-client area shows the cache.
    void ExpectFrameIsCache(TLoggingForm* Form, const char* What)
    {
        const testsupport::TGrab grab = testsupport::Grab(Form->Handle());
        const TMismatch m = Compare(grab, Form->Handle(), Cache(Form->Provider), false);
        EXPECT_EQ(m.Count, 0) << What << ": first at (" << m.X << ", " << m.Y << ")";
    }
};

}  // namespace

TEST_F(OutputTest, TheFrameShowsTheCacheAndTheErasedClientItsClientPart)
{
    TLoggingForm* form = ShownForm();
    TsSkinProvider* p = form->Provider;
    ASSERT_TRUE(p->SkinData()->FCacheBmp);
    ExpectFrameIsCache(form, "frame");

    // The client area in black, then erased: a section that needs no cache paints the form's colour,
    // one that does the cache's client part.
    ASSERT_TRUE(p->SkinData()->CtrlSkinState & cssNoCache) << "the frame test skin's form is flat";
    const auto erase = [&] {
        const HDC dc = GetDC(form->Handle());
        FillDC(dc, TRect(0, 0, form->ClientWidth(), form->ClientHeight()), vcl::clBlack);
        ReleaseDC(form->Handle(), dc);
        p->AC_WMEraseBkGnd(nullptr);
        return testsupport::Grab(form->Handle());
    };
    testsupport::TGrab grab = erase();
    ASSERT_EQ(grab.ClientOrigin.x, p->OffsetX());
    ASSERT_EQ(grab.ClientOrigin.y, p->OffsetY());
    const uint32_t colour = uint32_t(vcl::ColorToRGB(p->FormColor()));
    EXPECT_EQ(grab.ClientPixel(0, 0), colour);
    EXPECT_EQ(grab.ClientPixel(form->ClientWidth() - 1, form->ClientHeight() - 1), colour);

    p->SkinData()->CtrlSkinState &= uint16_t(~cssNoCache);
    p->SkinData()->BGChanged = true;
    grab = erase();
    const TMismatch m = Compare(grab, form->Handle(), Cache(p), true, p->OffsetX(), p->OffsetY());
    EXPECT_EQ(m.Count, 0) << "client: first at (" << m.X << ", " << m.Y << ")";
    EXPECT_NE(Rgb(Cache(p), p->OffsetX(), p->OffsetY()), 0u) << "the cache holds the client's background";
}

TEST_F(OutputTest, ACaptionChangeIsDrawnAndLeavesNoCover)
{
    TLoggingForm* form = ShownForm();
    TsSkinProvider* p = form->Provider;
    const std::vector<uint32_t> before = CaptionRow(p);
    // What the window procedure does around the system's caption drawing.
    p->ShowCaptForm(false);
    form->SetCaption(L"A longer caption than before");
    p->KillCaptForm();
    p->UpdateSkinCaption();
    EXPECT_EQ(p->CaptForm, nullptr);
    ExpectFrameIsCache(form, "after the caption change");
    EXPECT_NE(CaptionRow(p), before) << "the new text is in the caption";
}

TEST_F(OutputTest, TheCoverLiesOverTheCaptionOrTheWholeFormAndNotWhileLocked)
{
    TLoggingForm* form = ShownForm();
    TsSkinProvider* p = form->Provider;
    const auto coverRect = [&] {
        RECT r{};
        GetWindowRect(p->CaptForm->Handle(), &r);
        return TRect(r);
    };
    p->ShowCaptForm(false);
    ASSERT_NE(p->CaptForm, nullptr);
    EXPECT_EQ(p->CaptForm->Tag(), -98) << "never skinned";
    EXPECT_TRUE(IsWindowVisible(p->CaptForm->Handle()));
    EXPECT_EQ(coverRect(), vcl::Bounds(form->Left(), form->Top(), form->Width(), p->HeaderHeight()));
    p->ShowCaptForm(true);
    EXPECT_EQ(coverRect(), vcl::Bounds(form->Left(), form->Top(), form->Width(), form->Height()));
    p->KillCaptForm();
    EXPECT_EQ(p->CaptForm, nullptr);

    struct {
        const char* What;
        std::function<void(bool)> Set;
    } locks[] = {
        {"LockCount", [&](bool On) { p->LockCount = On ? 1 : 0; }},
        {"blend on moving", [&](bool On) { p->FormState = On ? TsSkinProvider::fsBlendOnMoving : 0; }},
        {"frame not drawn", [&](bool On) { p->SetDrawNonClientArea(!On); }},
    };
    for (const auto& lock : locks) {
        lock.Set(true);
        p->ShowCaptForm(false);
        EXPECT_EQ(p->CaptForm, nullptr) << lock.What;
        lock.Set(false);
    }
}

TEST_F(OutputTest, TheSystemMenuStyleIsGoneWhileTheFrameIsSkinned)
{
    TLoggingForm* form = ShownForm();
    TsSkinProvider* p = form->Provider;
    UpdateRgn(p, false);
    EXPECT_TRUE(p->HaveSysMenu);
    EXPECT_FALSE(StyleOf(form) & WS_SYSMENU);
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(form->Handle(), region), ERROR);

    p->SetDrawNonClientArea(false);
    EXPECT_TRUE(StyleOf(form) & WS_SYSMENU);
    EXPECT_EQ(GetWindowRgn(form->Handle(), region), ERROR) << "region gone";
    p->SetDrawNonClientArea(true);
    EXPECT_FALSE(StyleOf(form) & WS_SYSMENU);

    UpdateRgn(p, false);
    Manager->SendRemoveSkin();
    EXPECT_TRUE(StyleOf(form) & WS_SYSMENU);
    EXPECT_FALSE(p->HaveSysMenu);
    EXPECT_EQ(GetWindowRgn(form->Handle(), region), ERROR) << "region gone";
    DeleteObject(region);
}

TEST_F(OutputTest, CaptionAlignmentRedrawsTheCaptionAtOnce)
{
    TLoggingForm* form = ShownForm();
    TsSkinProvider* p = form->Provider;
    const std::vector<uint32_t> before = CaptionRow(p);
    p->SetCaptionAlignment(vcl::TAlignment::taRightJustify);
    EXPECT_FALSE(p->SkinData()->BGChanged) << "drawn already";
    ExpectFrameIsCache(form, "right-aligned caption");
    EXPECT_NE(CaptionRow(p), before);
}

TEST_F(OutputTest, IconAndTitleSectionAskForAFrameAndTheMenuLineSectionForNothing)
{
    TLoggingForm* form = ShownForm();
    TsSkinProvider* p = form->Provider;
    skintest::TMessageSpy& spy = Spy(form);
    // A new region may bring the system's own WM_NCPAINT along: count frames asked, not messages.
    p->SetShowAppIcon(false);
    EXPECT_GE(spy.Count(WM_NCPAINT), 1) << "ShowAppIcon";
    int asked = spy.Count(WM_NCPAINT);
    p->SetTitleSkin(L"OTHERTITLE");
    EXPECT_GT(spy.Count(WM_NCPAINT), asked) << "TitleSkin";
    EXPECT_EQ(p->FTitleSkinIndex, -1) << "looked up again";
    asked = spy.Count(WM_NCPAINT);
    p->SkinData()->BGChanged = false;
    p->SetMenuLineSkin(L"OTHERMENU");
    EXPECT_EQ(p->MenuLineSkin(), L"OTHERMENU");
    EXPECT_EQ(spy.Count(WM_NCPAINT), asked) << "MenuLineSkin";
    EXPECT_FALSE(p->SkinData()->BGChanged) << "MenuLineSkin";
    form->Hide();
    asked = spy.Count(WM_NCPAINT);
    p->SetShowAppIcon(true);
    EXPECT_EQ(spy.Count(WM_NCPAINT), asked) << "a hidden form";
    EXPECT_TRUE(p->SkinData()->BGChanged);
}

TEST_F(OutputTest, AFormPrintedAtAnOffsetLiesThereWholeWithinTheCallersClipWhichStays)
{
    TLoggingForm* form = ShownForm();
    TsSkinProvider* p = form->Provider;
    const TPixelView cache = Render(p);
    constexpr COLORREF Marker = RGB(1, 2, 3);
    constexpr int Dx = 30, Dy = 20, Cut = 10;
    const int width = form->Width() + 2 * Dx, height = form->Height() + 2 * Dy;
    const int clientWidth = form->ClientWidth(), clientHeight = form->ClientHeight();
    // The caller puts the form's origin at (Dx, Dy) of the picture by one origin or the other.
    const struct {
        const char* Way;
        POINT Viewport, Window;
    } ways[] = {{"viewport origin", {Dx, Dy}, {0, 0}}, {"window origin", {0, 0}, {-Dx, -Dy}}};
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Way);
        const vcl::TMemoryDC picture(nullptr, width, height);
        const HDC dc = picture.Handle();
        FillDC(dc, TRect(0, 0, width, height), vcl::TColor(Marker));
        SetViewportOrgEx(dc, way.Viewport.x, way.Viewport.y, nullptr);
        SetWindowOrgEx(dc, way.Window.x, way.Window.y, nullptr);
        // The caller leaves the form's last columns out.
        const int clipRight = Dx + form->Width() - Cut;
        const HRGN callersClip = CreateRectRgn(0, 0, clipRight, height);
        SelectClipRgn(dc, callersClip);

        SendMessageW(form->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT);

        const HRGN after = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetClipRgn(dc, after), 1) << "a clip region is still selected";
        EXPECT_TRUE(EqualRgn(after, callersClip)) << "the caller's";
        DeleteObject(after);
        DeleteObject(callersClip);
        POINT viewport{}, window{};
        GetViewportOrgEx(dc, &viewport);
        GetWindowOrgEx(dc, &window);
        EXPECT_EQ(vcl::TPoint(viewport), vcl::TPoint(way.Viewport)) << "the caller's viewport origin";
        EXPECT_EQ(vcl::TPoint(window), vcl::TPoint(way.Window)) << "the caller's window origin";

        SelectClipRgn(dc, nullptr);
        SetViewportOrgEx(dc, 0, 0, nullptr);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        const auto at = [&](int X, int Y) { return Rgb(GetPixel(dc, X, Y)); };
        const int left = Dx + p->OffsetX(), top = Dy + p->OffsetY();
        ASSERT_LT(clipRight, left + clientWidth) << "the clip cuts into the client area";
        // The frame test skin's client background is of one colour.
        const uint32_t background = Rgb(cache, p->OffsetX(), p->OffsetY());
        EXPECT_EQ(at(left, top), background) << "the client area's first pixel";
        EXPECT_EQ(at(clipRight - 1, top + clientHeight - 1), background) << "its last one in the clip";
        EXPECT_EQ(at(left - 1, top), Rgb(cache, p->OffsetX() - 1, p->OffsetY())) << "the frame beside it";
        EXPECT_EQ(at(Dx - 1, top), Rgb(Marker)) << "nothing left of the form";
        EXPECT_EQ(at(clipRight, top), Rgb(Marker)) << "nothing outside the caller's clip";
    }
}

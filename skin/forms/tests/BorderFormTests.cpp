// The border window of a form with extended borders, on real windows over the extended-border test
// skin (a skin border of 6, a title of 30, a shadow of 10 reaching 2 into the sizing zone): the
// frame's geometry against the system frame read at run time, its place right behind the form,
// its picture recorded at the layered-window entry point, its hit test, and the hole a mouse
// message over the shadow cuts into its region.
#include "ExBorderFixtures.h"

#include "skin/core/sSkinManager.h"
#include "skin/forms/acBorderForm.h"
#include "skin/graphics/sGraphUtils.h"
#include "skin/graphics/tests/LayeredRecorder.h"
#include "vcl/seams.h"

using namespace skin;
using namespace skintest;

TEST_F(BorderFormTest, TheSkinsExtendedLayoutIsRead)
{
    EXPECT_EQ(Manager->FormShadowSize, vcl::TRect(Shadow, Shadow, Shadow, Shadow));
    EXPECT_EQ(Manager->SkinData->ExBorderWidth, SkinBorder);
    EXPECT_EQ(Manager->SkinData->ExTitleHeight, SkinTitle);
    EXPECT_EQ(Manager->SkinData->ExShadowOffs, ShadowOffs);
    EXPECT_TRUE(Manager->IsValidImgIndex(Manager->ConstData.ExBorder));
}

TEST_F(BorderFormTest, TheFramesGeometryAgainstTheSystemFrame)
{
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_NE(border, nullptr);
    const HWND handle = form->Handle();
    EXPECT_EQ(SysBorderWidth(handle, border, true), SkinBorder);
    EXPECT_EQ(SysBorderWidth(handle, border, false), Sys.Frame);
    EXPECT_EQ(SysBorderHeight(handle, border, true), 0);
    EXPECT_EQ(DiffBorder(border), SkinBorder - Sys.Frame);
    EXPECT_EQ(form->Provider->CaptionHeight(true), SkinTitle);
    EXPECT_EQ(DiffTitle(border), SkinTitle - Sys.Caption - Sys.Frame);
    EXPECT_EQ(border->OffsetX(), SkinBorder + Shadow - Sys.Frame);
    EXPECT_EQ(border->OffsetY(), Shadow + SkinTitle - Sys.Frame - Sys.Caption);
    EXPECT_EQ(form->Provider->OffsetX(), SkinBorder + Shadow);
    EXPECT_EQ(form->Provider->OffsetY(), SkinTitle + Shadow);

    Render(form->Provider);
    vcl::TBitmap* cache = form->Provider->SkinData()->FCacheBmp.get();
    EXPECT_EQ(cache->Width(), 400 + 2 * DiffBorder(border) + 2 * Shadow);
    EXPECT_EQ(cache->Height(), 300 + DiffBorder(border) + DiffTitle(border) + 2 * Shadow);
}

TEST_F(BorderFormTest, TheBorderWindowSitsRightBehindTheFormAroundIt)
{
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    border->UpdateExBordersPos(true, 255);
    const HWND wnd = border->AForm->Handle();
    EXPECT_EQ(GetWindow(form->Handle(), GW_HWNDNEXT), wnd);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE),
              LONG_PTR(WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE));
    EXPECT_EQ(GetWindow(wnd, GW_OWNER), GetWindow(form->Handle(), GW_OWNER)) << "the form's own owner";
    RECT formRect{}, borderRect{};
    GetWindowRect(form->Handle(), &formRect);
    GetWindowRect(wnd, &borderRect);
    EXPECT_EQ(borderRect.left, formRect.left - border->OffsetX());
    EXPECT_EQ(borderRect.top, formRect.top - border->OffsetY());
    vcl::TBitmap* cache = form->Provider->SkinData()->FCacheBmp.get();
    EXPECT_EQ(borderRect.right - borderRect.left, cache->Width());
    EXPECT_EQ(borderRect.bottom - borderRect.top, cache->Height());
}

TEST_F(BorderFormTest, TheBlendIsTheFormsOwnWithAlphaBlend)
{
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    const HWND wnd = border->AForm->Handle();
    for (const bool alphaBlend : {false, true}) {
        form->SetAlphaBlend(alphaBlend);
        form->SetAlphaBlendValue(150);
        test::TLayeredRecorder recorder;
        border->UpdateExBordersPos(true, 40);
        ASSERT_EQ(recorder.Frames.size(), 1u);
        const test::TLayeredFrame& frame = recorder.Frames.back();
        EXPECT_EQ(frame.Wnd, wnd);
        EXPECT_EQ(frame.Blend.SourceConstantAlpha, alphaBlend ? 150 : 40);
        EXPECT_EQ(frame.Blend.AlphaFormat, AC_SRC_ALPHA);
        EXPECT_EQ(frame.Flags, DWORD(ULW_ALPHA));
        RECT formRect{};
        GetWindowRect(form->Handle(), &formRect);
        EXPECT_EQ(frame.Pos, vcl::TPoint(formRect.left - border->OffsetX(), formRect.top - border->OffsetY()));
    }
}

namespace {

// An update of the border window that asks for another update while its picture is handed over.
TacBorderForm* Reentered = nullptr;
int LayeredUpdates = 0;
TUpdateLayeredWindow PassedOn = nullptr;
BOOL WINAPI UpdateAndReenter(HWND Wnd, HDC DstDC, POINT* Pos, SIZE* Size, HDC SrcDC, POINT* SrcPos, COLORREF Key,
                             BLENDFUNCTION* Blend, DWORD Flags)
{
    ++LayeredUpdates;
    if (Reentered)
        Reentered->UpdateExBordersPos(true, 255);
    return PassedOn(Wnd, DstDC, Pos, Size, SrcDC, SrcPos, Key, Blend, Flags);
}

}  // namespace

TEST_F(BorderFormTest, AnUpdateFromInsideAnUpdateDoesNothing)
{
    TLoggingForm* form = ShowForm();
    Reentered = Border(form);
    ASSERT_TRUE(Reentered && Reentered->AForm);
    LayeredUpdates = 0;
    PassedOn = skin::UpdateLayeredWindow;
    skin::UpdateLayeredWindow = UpdateAndReenter;
    Reentered->UpdateExBordersPos(true, 255);
    skin::UpdateLayeredWindow = PassedOn;
    EXPECT_EQ(LayeredUpdates, 1);
    EXPECT_FALSE(Reentered->ExBorderShowing);
    Reentered = nullptr;
}

TEST_F(BorderFormTest, TheRegionsHoleIsTheClientAreaTheFormKeepsItsInnerPart)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    border->UpdateExBordersPos(true, 255);
    const HWND wnd = border->AForm->Handle();
    const int left = p->OffsetX(), top = p->OffsetY();
    const int right = left + form->ClientWidth(), bottom = top + form->ClientHeight();
    EXPECT_FALSE(InRegion(wnd, left, top));
    EXPECT_FALSE(InRegion(wnd, right - 1, bottom - 1));
    EXPECT_TRUE(InRegion(wnd, left - 1, top));
    EXPECT_TRUE(InRegion(wnd, left, top - 1));
    EXPECT_TRUE(InRegion(wnd, right, bottom - 1));
    EXPECT_TRUE(InRegion(wnd, right - 1, bottom));
    EXPECT_TRUE(InRegion(wnd, 0, 0)) << "the shadow belongs to the border window";

    UpdateRgn(p, false);
    const int b = Sys.Frame;
    EXPECT_TRUE(InRegion(form->Handle(), b, b + Sys.Caption));
    EXPECT_FALSE(InRegion(form->Handle(), b - 1, b + Sys.Caption));
    EXPECT_FALSE(InRegion(form->Handle(), b, b + Sys.Caption - 1));
}

TEST_F(BorderFormTest, AMouseMessageOverTheShadowCutsAHoleThatTheNextUpdateCloses)
{
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    border->UpdateExBordersPos(true, 255);
    const HWND wnd = border->AForm->Handle();
    ASSERT_TRUE(InRegion(wnd, 200, 3));
    SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(200, 3));
    EXPECT_TRUE(border->ResetRgn);
    EXPECT_FALSE(InRegion(wnd, 200, 3));
    EXPECT_TRUE(InRegion(wnd, 201, 3));
    EXPECT_TRUE(InRegion(wnd, 200, 2));

    // Over the frame no hole is cut, and the earlier one closes.
    SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(200, Shadow));
    EXPECT_FALSE(border->ResetRgn);
    EXPECT_TRUE(InRegion(wnd, 200, 3));
    EXPECT_TRUE(InRegion(wnd, 200, Shadow));
}

TEST_F(BorderFormTest, TheHitTestOnTheScreen)
{
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    border->UpdateExBordersPos(true, 255);
    RECT r{};
    GetWindowRect(border->AForm->Handle(), &r);
    const auto hitAt = [&](int X, int Y) {
        vcl::TMessage message;
        message.Msg = WM_NCHITTEST;
        message.LParam = MAKELPARAM(r.left + X, r.top + Y);
        return border->Ex_WMNCHitTest(message);
    };
    const int w = r.right - r.left, h = r.bottom - r.top;
    EXPECT_EQ(hitAt(200, Shadow), HTTOP);
    EXPECT_EQ(hitAt(Shadow, 150), HTLEFT);
    EXPECT_EQ(hitAt(w - Shadow, h - Shadow), HTBOTTOMRIGHT);
    EXPECT_EQ(hitAt(200, Shadow + 8), HTCAPTION);
    EXPECT_EQ(hitAt(200, 150), HTTRANSPARENT) << "the client area is the form's";

    // The provider's own answer wins...
    struct TAnswer {
        void Answer(vcl::TMessage& Message) { Message.Result = 1234; }
    } answer;
    form->Provider->SetOnExtHitTest(TacNCHitTest(&answer, &TAnswer::Answer));
    EXPECT_EQ(hitAt(200, 150), 1234);
    form->Provider->SetOnExtHitTest(TacNCHitTest());
    // ...and a disabled form lets the mouse through everywhere.
    EnableWindow(form->Handle(), FALSE);
    EXPECT_EQ(hitAt(200, Shadow), HTTRANSPARENT);
    EXPECT_EQ(hitAt(200, Shadow + 8), HTTRANSPARENT);
    EnableWindow(form->Handle(), TRUE);
}

TEST_F(BorderFormTest, AHiddenFormsBorderWindowGoes)
{
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    form->Hide();
    form->Provider->FormState = 0;
    border->UpdateExBordersPos(true, 255);
    EXPECT_EQ(border->AForm, nullptr);
    EXPECT_TRUE(form->Provider->SkinData()->BGChanged);
}

TEST_F(BorderFormTest, TheShadowTemplateLiesInTheCachesMarginsAroundTheFrame)
{
    TLoggingForm* form = ShowForm();
    TacBorderForm* border = Border(form);
    ASSERT_NE(border, nullptr);
    form->Provider->FormActive = false;
    const TPixelView cache = Render(form->Provider);
    vcl::TBitmap* shadow = Manager->ShdiTemplate.get();
    ASSERT_EQ(border->ShadowTemplate, shadow) << "the inactive form's template";
    const TPixelView tpl = PixelsOf(shadow);
    const int w = cache.Width, h = cache.Height, tw = tpl.Width, th = tpl.Height;
    // The corners come as they are, the sides stretched from the template's middle.
    for (int i = 0; i < Shadow; ++i) {
        EXPECT_EQ(cache.At(i, i), tpl.At(i, i)) << "top-left corner, " << i;
        EXPECT_EQ(cache.At(w - 1 - i, h - 1 - i), tpl.At(tw - 1 - i, th - 1 - i)) << "bottom-right corner, " << i;
        EXPECT_EQ(cache.At(i, h / 2), tpl.At(i, th / 2)) << "left side, " << i;
        EXPECT_EQ(cache.At(w / 2, h - 1 - i), tpl.At(tw / 2, th - 1 - i)) << "bottom side, " << i;
    }
    EXPECT_NE(cache.At(0, h / 2), cache.At(Shadow - 1, h / 2)) << "the shadow fades outwards";
    // The frame stays the form section's: its inactive border line (the state colour half darkened)
    // at the frame's left edge.
    EXPECT_EQ(Rgb(cache, Shadow, h / 2), 0x0E1473u);
}

TEST_F(BorderFormTest, ADoubleClickOnASideStretchesTheFormToTheWorkAreaAndASecondOneGivesItBack)
{
    TLoggingForm* form = ShowForm();
    TsSkinProvider* p = form->Provider;
    TacBorderForm* border = Border(form);
    ASSERT_TRUE(border && border->AForm);
    const vcl::TRect work = acWorkRect(form);
    const int d = DiffBorder(border), t = DiffTitle(border);
    // A double click at border-window point (X, Y); the form's left, top, width and height after it.
    const auto doubleClickAt = [&](int X, int Y) {
        border->UpdateExBordersPos(true, 255);
        RECT r{};
        GetWindowRect(border->AForm->Handle(), &r);
        SendMessageW(border->AForm->Handle(), WM_NCLBUTTONDBLCLK, HTLEFT, MAKELPARAM(r.left + X, r.top + Y));
        return vcl::TRect(form->Left(), form->Top(), form->Width(), form->Height());
    };
    const vcl::TRect before(form->Left(), form->Top(), form->Width(), form->Height());

    EXPECT_EQ(doubleClickAt(Shadow, 150), vcl::TRect(work.left + d, before.top, work.Width() - 2 * d, before.bottom));
    EXPECT_TRUE(p->FormState & TsSkinProvider::fsStretchedWidth);
    EXPECT_EQ(doubleClickAt(Shadow, 150), before);
    EXPECT_FALSE(p->FormState & TsSkinProvider::fsStretchedWidth);

    EXPECT_EQ(doubleClickAt(200, Shadow), vcl::TRect(before.left, work.top + t, before.right, work.Height() - t - d));
    EXPECT_TRUE(p->FormState & TsSkinProvider::fsStretchedHeight);
    EXPECT_EQ(doubleClickAt(200, Shadow), before);
    EXPECT_FALSE(p->FormState & TsSkinProvider::fsStretchedHeight);
}

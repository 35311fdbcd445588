#include "skin/controls/sSplitter.h"

#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TRect;

TRect GripRect(int Width, int Height, bool Standing)
{
    const int w = Standing ? 4 : 21, h = Standing ? 21 : 4;
    const int left = (Width - w) / 2, top = (Height - h) / 2;
    return TRect(left, top, left + w, top + h);
}

void DrawDottedGrip(HDC DC, const TRect& Grip)
{
    for (int y = Grip.top; y < Grip.bottom; y += 2)
        for (int x = Grip.left; x < Grip.right; x += 2) {
            SetPixel(DC, x, y, RGB(255, 255, 255));
            SetPixel(DC, x + 1, y + 1, RGB(0, 0, 0));
        }
}

TsSplitter::TsSplitter(vcl::TComponent* AOwner) : TsSkinnedControl(AOwner, ckSplitter), FGlyph(vcl::Create<vcl::TBitmap>())
{
    using S = vcl::TControlStyleItem;
    SetControlStyle({S::csAcceptsControls, S::csCaptureMouse, S::csClickEvents, S::csOpaque, S::csDoubleClicks});
    SetBounds(Left(), Top(), 6, Height());
}

void TsSplitter::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsSplitter::SkinData, &TsSplitter::SetSkinData);
    Table.Add(L"Glyph", &TsSplitter::Glyph, &TsSplitter::SetGlyph);
    Table.Add(L"ShowGrip", &TsSplitter::ShowGrip, &TsSplitter::SetShowGrip);
}

void TsSplitter::SetGlyph(vcl::TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TsSplitter::SetShowGrip(bool Value)
{
    FShowGrip = Value;
    Repaint();
}

// ---------------------------------------------------------------------------------------------
// Dragging

void TsSplitter::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    FHints.Press();
    if (AutoSnap() && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            vcl::TControl* sibling = Parent()->Controls(i);
            if (Align() == vcl::TAlign::alTop && sibling->Height() == 0)
                sibling->SetTop(Top());
            else if (Align() == vcl::TAlign::alLeft && sibling->Width() == 0)
                sibling->SetLeft(Left());
        }
    inherited::MouseDown(Button, Shift, X, Y);
    FSizing = true;
    if (ResizeStyle() == vcl::TResizeStyle::rsUpdate)
        Repaint();
}

void TsSplitter::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    FSizing = false;
    if (ResizeStyle() == vcl::TResizeStyle::rsUpdate)
        Repaint();
    FHints.Release();
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsSplitter::Paint()
{
    if (SkinData()->Skinned()) {
        PaintSkinned();
    } else {
        inherited::Paint();
        vcl::TCanvas* canvas = Canvas();
        if (!FGlyph->Empty()) {
            const auto area = CreateBmp32(Width(), Height());
            {
                const TCanvasLock lock(area->Canvas());
                BitBlt(area->Canvas()->Handle(), 0, 0, Width(), Height(), canvas->Handle(), 0, 0, SRCCOPY);
            }
            PaintGlyphOn(area.get());
            const TCanvasLock lock(area->Canvas());
            BitBlt(canvas->Handle(), 0, 0, Width(), Height(), area->Canvas()->Handle(), 0, 0, SRCCOPY);
        } else if (FShowGrip) {
            DrawDottedGrip(canvas->Handle(), GripRect(Width(), Height(), Standing()));
        }
    }
    if (const vcl::TNotifyEvent event = OnPaint())
        event(this);
}

void TsSplitter::PaintSkinned()
{
    TsCommonData& data = *SkinData();
    int state = ControlIsActive(data) ? 1 : 0;
    if (FSizing && ResizeStyle() == vcl::TResizeStyle::rsUpdate)
        state = 2;
    InitCacheBmp(data);
    vcl::TBitmap* cache = data.FCacheBmp.get();
    PaintItem(data, GetParentCache(this), state, TRect(0, 0, Width(), Height()), vcl::TPoint(Left(), Top()), cache, true);
    const TsSkinManager* m = data.SkinManager();
    if (!FGlyph->Empty()) {
        PaintGlyphOn(cache);
    } else if (FShowGrip) {
        const int grip = Standing() ? m->ConstData.GripVertical : m->ConstData.GripHorizontal;
        if (m->IsValidImgIndex(grip)) {
            const TsMaskData& image = m->ma[size_t(grip)];
            const TPixelView pixels = PixelsOf(cache);
            DrawSkinGlyph(pixels, vcl::TPoint((Width() - WidthOfImage(image)) / 2, (Height() - HeightOfImage(image)) / 2),
                          state, 1, image, TCacheView{pixels, 0, 0, vcl::clFuchsia, true});
        } else {
            const TCanvasLock lock(cache->Canvas());
            DrawDottedGrip(cache->Canvas()->Handle(), GripRect(Width(), Height(), Standing()));
        }
    }
    {
        const TCanvasLock lock(cache->Canvas());
        BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    data.FCacheBmp.reset();  // nothing is kept between paints
}

void TsSplitter::PaintGlyphOn(vcl::TBitmap* Bmp)
{
    vcl::TBitmap* glyph = FGlyph.get();
    const int w = glyph->Width(), h = glyph->Height();
    const TRect to((Width() - w) / 2, (Height() - h) / 2, (Width() - w) / 2 + w, (Height() - h) / 2 + h);
    if (glyph->PixelFormat() == vcl::TPixelFormat::pf32bit) {
        CopyByMask(to, TRect(0, 0, w, h), PixelsOf(Bmp), PixelsOf(glyph), CacheView(acEmptyCI), true);
        return;
    }
    const TCanvasLock dst(Bmp->Canvas()), src(glyph->Canvas());
    GdiTransparentBlt(Bmp->Canvas()->Handle(), to.left, to.top, w, h, glyph->Canvas()->Handle(), 0, 0, w, h,
                      UINT(vcl::ColorToRGB(glyph->TransparentColor())));
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsSplitter::SkinnedMessage(vcl::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_MOUSEWHEEL:
    case vcl::CM_VISIBLECHANGED:
    case vcl::CM_ENABLEDCHANGED:
        SkinData()->BGChanged = true;
        return false;
    case WM_ERASEBKGND:
    case WM_NCPAINT:  // the splitter paints all of itself
        Message.Result = 1;
        return true;
    default:
        return inherited::SkinnedMessage(Message);
    }
}

void TsSplitter::AfterInherited(vcl::TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Message.Msg) {
    case vcl::CM_ENTER:
    case vcl::CM_EXIT:
        data.FFocused = Message.Msg == vcl::CM_ENTER;
        data.FMouseAbove = false;
        data.BGChanged = true;
        Repaint();
        break;
    case vcl::CM_MOUSEENTER:
    case vcl::CM_MOUSELEAVE:
        if (!data.FFocused && !ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) {
            data.FMouseAbove = Message.Msg == vcl::CM_MOUSEENTER;
            data.BGChanged = true;
            Repaint();
        }
        break;
    default:
        break;
    }
}

}  // namespace skin

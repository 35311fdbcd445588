#include "skin/controls/sTrackBar.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/core/sFade.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/forms.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TMessage;
using vcl::TPoint;
using vcl::TRect;

namespace {

// Bmp mirrored top to bottom (Vertical false) or left to right.
void Mirror(const TPixelView& Bmp, bool LeftToRight)
{
    if (LeftToRight) {
        for (int y = 0; y < Bmp.Height; ++y)
            std::reverse(Bmp.Row(y), Bmp.Row(y) + Bmp.Width);
        return;
    }
    for (int y = 0; y < Bmp.Height / 2; ++y)
        std::swap_ranges(Bmp.Row(y), Bmp.Row(y) + Bmp.Width, Bmp.Row(Bmp.Height - 1 - y));
}

int RoundHalfEven(double Value) { return int(std::nearbyint(Value)); }

}  // namespace

std::vector<int> AutoTicks(const TTickLayout& L)
{
    std::vector<int> ticks;
    if (L.TickCount <= 1) {
        if (L.TickCount == 1)
            ticks.push_back(L.ChannelStart + L.ThumbLength / 2);
        return ticks;
    }
    const double step = double(L.ChannelEnd - L.ChannelStart - L.ThumbLength) / (L.TickCount - 1);
    for (int i = 0; i < L.TickCount; ++i)
        ticks.push_back(RoundHalfEven(i * step + L.ChannelStart + L.ThumbLength / 2));
    return ticks;
}

bool SelectionMark(const TTickLayout& L, int Value, int& At)
{
    if (L.TickCount <= 1)
        return false;
    const double step = double(L.ChannelEnd - L.ChannelStart - L.ThumbLength) / (L.TickCount - 1);
    At = RoundHalfEven((Value + 1) * step);
    return true;
}

TsTrackBar::TsTrackBar(vcl::TComponent* AOwner)
    : TsFadingControl(AOwner, ckTrackBar), FCanvas(std::make_unique<vcl::TControlCanvas>()),
      FThumbGlyph(vcl::Create<vcl::TBitmap>())
{
    FCanvas->SetControl(this);
    vcl::TControlStyle style = ControlStyle();
    style >> vcl::TControlStyleItem::csOpaque;
    SetControlStyle(style);
    SetThumbLength(23);
}

void TsTrackBar::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsTrackBar::SkinData, &TsTrackBar::SetSkinData);
    Table.Add(L"ShowFocus", &TsTrackBar::ShowFocus, &TsTrackBar::SetShowFocus);
    Table.Add(L"ThumbGlyph", &TsTrackBar::ThumbGlyph, &TsTrackBar::SetThumbGlyph);
    Table.Add(L"DisabledKind", &TsTrackBar::DisabledKind, &TsTrackBar::SetDisabledKind, {L"dkBlended", L"dkGrayed"});
    PublishAnimatEvents<TsTrackBar>(Table);
}

void TsTrackBar::SetDisabledKind(TsDisabledKind Value)
{
    if (Value == FDisabledKind)
        return;
    FDisabledKind = Value;
    SkinData()->Invalidate();
}

void TsTrackBar::SetThumbGlyph(vcl::TBitmap* Value)
{
    FThumbGlyph->Assign(Value);
    if (!ComponentState().Contains(vcl::TComponentStateItem::csLoading) && SkinData()->Skinned())
        SkinData()->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// The native geometry

TRect TsTrackBar::ThumbRect()
{
    RECT r{};
    SendMessageW(Handle(), TBM_GETTHUMBRECT, 0, LPARAM(&r));
    return TRect(r.left, r.top, r.right, r.bottom);
}

TRect TsTrackBar::ChannelRect()
{
    RECT r{};
    SendMessageW(Handle(), TBM_GETCHANNELRECT, 0, LPARAM(&r));
    // Some systems give a standing channel lying, others standing as it is.
    if (Vertical() && r.right - r.left > r.bottom - r.top)
        return TRect(r.top, r.left, r.bottom, r.right);
    return TRect(r.left, r.top, r.right, r.bottom);
}

int TsTrackBar::TickCount() { return int(SendMessageW(Handle(), TBM_GETNUMTICS, 0, 0)); }

int TsTrackBar::TickPos(int Index) { return int(SendMessageW(Handle(), TBM_GETTICPOS, WPARAM(Index), 0)); }

int TsTrackBar::Mode() const
{
    if (ControlState().Contains(vcl::TControlStateItem::csLButtonDown))
        return 2;
    return ControlIsActive(*SkinData()) ? 1 : 0;
}

int TsTrackBar::MaskIndex(const vcl::String& Name) const
{
    const TsCommonData& data = *SkinData();
    const TsSkinManager* m = data.SkinManager();
    const int own = m->GetMaskIndex(data.SkinIndex, data.SkinSection(), Name);
    return m->IsValidImgIndex(own) ? own : m->GetMaskIndex(TrackBarNdx, L"TRACKBAR", Name);
}

TTickLayout TsTrackBar::TickLayout()
{
    const TRect ch = ChannelRect(), thumb = ThumbRect();
    if (Vertical())
        return {int(ch.top), int(ch.bottom), int(thumb.Height()), TickCount()};
    return {int(ch.left), int(ch.right), int(thumb.Width()), TickCount()};
}

TCacheView TsTrackBar::CacheBeneath() const
{
    return TCacheView{PixelsOf(SkinData()->FCacheBmp.get()), 0, 0, vcl::clFuchsia, true};
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsTrackBar::PaintWindow(HDC DC)
{
    if (!SkinData()->Skinned()) {
        inherited::PaintWindow(DC);
        return;
    }
    if (Fading())  // the fade paints its own steps
        return;
    const bool own = DC == nullptr;
    const HDC dc = own ? GetDC(Handle()) : DC;
    FCanvas->PaintOn(dc, [this] { Paint(); });
    if (own)
        ReleaseDC(Handle(), dc);
}

void TsTrackBar::Paint()
{
    TsCommonData& data = *SkinData();
    if (ComponentState().Contains(vcl::TComponentStateItem::csDestroying) || !data.Skinned())
        return;
    data.FUpdating = data.GetUpdating();
    if (data.FUpdating || Fading())
        return;
    PrepareCache();
    if (data.SkinManager()->IsValidSkinIndex(data.SkinIndex))
        UpdateCorners(data, 0);
    const TCanvasLock lock(data.FCacheBmp->Canvas());
    BitBlt(FCanvas->Handle(), 0, 0, Width(), Height(), data.FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsTrackBar::PrepareCache()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    PaintBody();
    if (!Enabled()) {
        const TCacheInfo beneath = GetParentCache(data);
        BmpDisabledKind(PixelsOf(data.FCacheBmp.get()), FDisabledKind, GetControlColor(Parent()), CacheView(beneath),
                        TPoint(Left(), Top()));
    }
    data.BGChanged = false;
}

void TsTrackBar::PaintBody()
{
    TsCommonData& data = *SkinData();
    vcl::TBitmap* cache = data.FCacheBmp.get();
    const TRect client(0, 0, Width(), Height());
    PaintSkinControl(data, Parent(), ControlIsActive(data) ? 1 : 0, client, TPoint(Left(), Top()), cache, true);
    if (FShowFocus && (Focused() || ControlState().Contains(vcl::TControlStateItem::csLButtonDown))) {
        const TCanvasLock lock(cache->Canvas());
        FocusRect(cache->Canvas(), client.Inflated(-1, -1), vcl::clBtnFace, vcl::TColor(0));
    }
    TrackBarNdx = data.SkinManager()->GetSkinIndex(L"TRACKBAR");
    if (!data.SkinManager()->IsValidSkinIndex(TrackBarNdx))
        return;
    PaintBar();
    if (FOnSkinPaint) {
        const TCanvasLock lock(cache->Canvas());
        FOnSkinPaint(this, cache->Canvas());
    }
    PaintThumb();
}

void TsTrackBar::PaintBar()
{
    const TsSkinManager* m = SkinData()->SkinManager();
    const TRect ch = ChannelRect();
    if (const int channel = MaskIndex(L"SLIDERCHANNEL"); m->IsValidImgIndex(channel)) {
        const TsMaskData& image = m->ma[size_t(channel)];
        TRect r = ch;
        if (Vertical()) {
            r.left = ch.left + (ch.Width() - WidthOfImage(image) + 1) / 2;
            r.right = r.left + WidthOfImage(image) - 1;
        } else {
            r.top = ch.top + (ch.Height() - HeightOfImage(image) + 1) / 2;
            r.bottom = r.top + HeightOfImage(image) - 1;
        }
        DrawSkinRect(PixelsOf(SkinData()->FCacheBmp.get()), r, CacheBeneath(), image, ControlIsActive(*SkinData()) ? 1 : 0,
                     true);
    }
    PaintTicks(ch, ThumbRect());
}

void TsTrackBar::PaintTicks(const TRect& Channel, const TRect& Thumb)
{
    const bool vertical = Vertical();
    const int thumbThickness = vertical ? Thumb.Width() : Thumb.Height();
    const int channelThickness = vertical ? Channel.Width() : Channel.Height();
    const int gap = (thumbThickness - channelThickness) / 2 + 2;
    const vcl::TTickMark marks = TickMarks();
    const bool before = marks != vcl::TTickMark::tmBottomRight, after = marks != vcl::TTickMark::tmTopLeft;
    const int first = vertical ? Channel.left : Channel.top;
    const int last = vertical ? Channel.right : Channel.bottom;
    if (TickStyle() != vcl::TTickStyle::tsNone) {
        const TTickLayout layout = TickLayout();
        std::vector<int> ticks;
        if (TickStyle() == vcl::TTickStyle::tsAuto) {
            ticks = AutoTicks(layout);
        } else if (layout.TickCount > 0) {
            ticks.push_back(layout.ChannelStart + layout.ThumbLength / 2);
            for (int i = 1; i < layout.TickCount - 1; ++i)
                ticks.push_back(TickPos(i - 1));
            if (layout.TickCount > 1)
                ticks.push_back(layout.ChannelEnd - layout.ThumbLength / 2);
        }
        const bool selection = SelStart() != 0 || SelEnd() != 0;
        for (int i = 0; i < int(ticks.size()); ++i) {
            if (selection && (i == SelStart() || i == SelEnd()))
                continue;
            if (before)
                PaintTick(ticks[size_t(i)], first - gap - TickHeight);
            if (after)
                PaintTick(ticks[size_t(i)], last + gap);
        }
    }
    PaintSelection(Channel, TickStyle() == vcl::TTickStyle::tsNone ? 0 : gap);
}

void TsTrackBar::PaintTick(int At, int Across)
{
    const TsSkinManager* m = SkinData()->SkinManager();
    const bool vertical = Vertical();
    vcl::TBitmap* cache = SkinData()->FCacheBmp.get();
    if (const int tick = MaskIndex(vertical ? L"TICKVERT" : L"TICKHORZ"); m->IsValidImgIndex(tick)) {
        const TsMaskData& image = m->ma[size_t(tick)];
        const TPoint p = vertical ? TPoint(Across, At - HeightOfImage(image)) : TPoint(At - WidthOfImage(image), Across);
        DrawSkinGlyph(PixelsOf(cache), p, Mode(), 1, image, CacheBeneath());
        return;
    }
    TRect r = vertical ? TRect(Across, At, Across + TickHeight, At + 2) : TRect(At, Across, At + 2, Across + TickHeight);
    int width = 1;
    const TCanvasLock lock(cache->Canvas());
    DrawRectangleOnDC(cache->Canvas()->Handle(), r, vcl::TColor(vcl::ColorToRGB(vcl::clBtnShadow)), vcl::clWhite, width);
}

// Small triangles at the selection's ends on each side the tick marks name.
void TsTrackBar::PaintSelection(const TRect& Channel, int Gap)
{
    if (SelStart() <= 0 && SelEnd() <= 0)
        return;
    const TTickLayout layout = TickLayout();
    const bool vertical = Vertical();
    const vcl::TTickMark marks = TickMarks();
    vcl::TCanvas* canvas = SkinData()->FCacheBmp->Canvas();
    const TCanvasLock lock(canvas);
    const vcl::TColor colour = SkinData()->SkinManager()->GetGlobalFontColor();
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(colour);
    canvas->Pen()->SetStyle(vcl::TPenStyle::psSolid);
    canvas->Pen()->SetColor(colour);
    const int first = vertical ? Channel.left : Channel.top;
    const int last = vertical ? Channel.right : Channel.bottom;
    struct TSide {
        bool Shown;
        int Row, Sign;
    };
    const TSide sides[] = {{marks != vcl::TTickMark::tmBottomRight, first - Gap - TickHeight, -1},
                           {marks != vcl::TTickMark::tmTopLeft, last + Gap, 1}};
    for (const int value : {SelStart(), SelEnd()}) {
        int at = 0;
        if (!SelectionMark(layout, value, at))
            return;
        const int back = value == SelStart() ? -3 : 3;
        for (const TSide& s : sides) {
            if (!s.Shown)
                continue;
            const auto pt = [&](int along, int across) { return vertical ? TPoint(across, along) : TPoint(along, across); };
            canvas->Polygon({pt(at, s.Row), pt(at, s.Row + 3 * s.Sign), pt(at + back, s.Row + 3 * s.Sign)});
        }
    }
}

void TsTrackBar::PaintThumb()
{
    const TRect thumb = ThumbRect();
    if (!FThumbGlyph->Empty()) {
        PaintThumbGlyph(thumb);
        return;
    }
    const TsSkinManager* m = SkinData()->SkinManager();
    int mask = Vertical() ? MaskIndex(L"SLIDERVMASK") : -1;
    if (!m->IsValidImgIndex(mask))
        mask = MaskIndex(L"SLIDERMASK");
    if (!m->IsValidImgIndex(mask))
        return;
    const TsMaskData& image = m->ma[size_t(mask)];
    const int w = WidthOfImage(image), h = HeightOfImage(image);
    const int length = Vertical() ? thumb.Width() : thumb.Height();
    const bool mirrored = TickMarks() == vcl::TTickMark::tmTopLeft;
    vcl::TBitmap* cache = SkinData()->FCacheBmp.get();
    if (!mirrored && (length == 23 || (thumb.Width() == w && thumb.Height() == h))) {
        const TPoint p(thumb.left + (thumb.Width() - w) / 2, thumb.top + (thumb.Height() - h) / 2);
        DrawSkinGlyph(PixelsOf(cache), p, Mode(), 1, image, CacheBeneath());
        return;
    }
    // Drawn at the image's own size over the thumb's background, then resampled to the thumb.
    const auto piece = CreateBmp32(thumb.Width(), thumb.Height());
    {
        const TCanvasLock to(piece->Canvas()), from(cache->Canvas());
        BitBlt(piece->Canvas()->Handle(), 0, 0, thumb.Width(), thumb.Height(), cache->Canvas()->Handle(), thumb.left,
               thumb.top, SRCCOPY);
    }
    const auto natural = CreateBmp32(w, h);
    const TPixelView view = PixelsOf(natural.get());
    Stretch(PixelsOf(piece.get()), view, TFilterType::ftMitchell);
    if (mirrored)
        Mirror(view, Vertical());
    DrawSkinGlyph(view, TPoint(0, 0), Mode(), 1, image, TCacheView{view, 0, 0, vcl::clFuchsia, true});
    if (mirrored)
        Mirror(view, Vertical());
    Stretch(view, PixelsOf(piece.get()), TFilterType::ftMitchell);
    const TCanvasLock to(cache->Canvas()), from(piece->Canvas());
    BitBlt(cache->Canvas()->Handle(), thumb.left, thumb.top, thumb.Width(), thumb.Height(), piece->Canvas()->Handle(),
           0, 0, SRCCOPY);
}

void TsTrackBar::PaintThumbGlyph(const TRect& Thumb)
{
    vcl::TBitmap* glyph = FThumbGlyph.get();
    vcl::TBitmap* cache = SkinData()->FCacheBmp.get();
    const int x = Thumb.left + (Thumb.Width() - glyph->Width()) / 2;
    const int y = Thumb.top + (Thumb.Height() - glyph->Height()) / 2;
    bool alpha = false;
    if (glyph->PixelFormat() == vcl::TPixelFormat::pf32bit) {
        const TPixelView v = PixelsOf(glyph);
        for (int row = 0; row < v.Height && !alpha; ++row)
            for (int col = 0; col < v.Width && !alpha; ++col)
                alpha = (v.At(col, row) >> 24) == 0xFF;
    }
    if (alpha) {
        CopyBmp32(TRect(x, y, x + glyph->Width(), y + glyph->Height()), TRect(0, 0, glyph->Width(), glyph->Height()),
                  PixelsOf(cache), PixelsOf(glyph), CacheView(acEmptyCI), false, vcl::clNone, 0, false);
        return;
    }
    const TCanvasLock to(cache->Canvas()), from(glyph->Canvas());
    BitBlt(cache->Canvas()->Handle(), x, y, glyph->Width(), glyph->Height(), glyph->Canvas()->Handle(), 0, 0, SRCCOPY);
}

bool TsTrackBar::FormSeeThrough()
{
    const auto* form = dynamic_cast<vcl::TForm*>(vcl::GetParentForm(this));
    return form && form->TransparentColor();
}

void TsTrackBar::ChangePaint(TacAnimatEvent Event)
{
    inherited::ChangePaint(Event, ControlState().Contains(vcl::TControlStateItem::csLButtonDown));
}

void TsTrackBar::UserChanged()
{
    if (FOnUserChange)
        FOnUserChange(this);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsTrackBar::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    TsCommonData& data = *SkinData();
    const bool own = Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager());
    switch (Cmd) {
    case scmdSkinLoaded:
    case scmdRepaint:
        if (own) {
            StopFade();
            CommonWndProc(Message, &data);
            Repaint();
        }
        return true;
    case scmdSkinRemoved:
        if (own) {
            StopFade();
            CommonWndProc(Message, &data);
            RecreateWnd();
        }
        return true;
    case scmdRenderCache:
        PrepareCache();
        return false;
    case scmdPaintBitmap: {
        auto* bmp = reinterpret_cast<vcl::TBitmap*>(Message.LParam);
        Message.Result = bmp ? 1 : 0;
        if (bmp && HandleAllocated()) {
            const HDC dc = GetWindowDC(Handle());
            const TCanvasLock lock(bmp->Canvas());
            BitBlt(dc, BorderWidth(), BorderWidth(), Width(), Height(), bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
            ReleaseDC(Handle(), dc);
        }
        return true;
    }
    default:
        return inherited::EarlySkinCommand(Cmd, Message);
    }
}

void TsTrackBar::UnskinnedMessage(TMessage& Message)
{
    InheritedWndProc(Message);
    if (Message.Msg == vcl::CN_HSCROLL || Message.Msg == vcl::CN_VSCROLL)
        UserChanged();
}

bool TsTrackBar::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    const bool live = !ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
    if (SkinCommandOf(Message) == scmdParentUpdated) {
        if (data.FUpdating) {
            data.FUpdating = false;
            Repaint();
        }
        return false;
    }
    switch (Message.Msg) {
    case WM_SIZE:
        StopFade();
        return false;
    case WM_SETFOCUS:
    case vcl::CM_ENTER:
        if (!live)
            return false;
        InheritedWndProc(Message);
        if (Enabled() && !FadeTimer())
            Repaint();
        return true;
    case WM_KILLFOCUS:
    case vcl::CM_EXIT:
        if (!live)
            return false;
        InheritedWndProc(Message);
        if (Enabled())
            StopFade();
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(Handle(), &ps);
        PaintWindow(ps.hdc);
        EndPaint(Handle(), &ps);
        Message.Result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        Message.Result = 1;
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Enabled() && live) {
            FHints.Press();
            const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
            if (const RECT thumb = ThumbRect(); PtInRect(&thumb, p)) {
                SetControlState(ControlState() << vcl::TControlStateItem::csLButtonDown);
                ChangePaint(TacAnimatEvent::aeMouseDown);
            } else {
                StopFade();
            }
        }
        return false;
    case WM_LBUTTONUP:
        if (Enabled() && live) {
            FHints.Release();
            if (ControlState().Contains(vcl::TControlStateItem::csLButtonDown)) {
                SetControlState(ControlState() >> vcl::TControlStateItem::csLButtonDown);
                ChangePaint(TacAnimatEvent::aeMouseUp);
            } else {
                StopFade();
            }
        }
        return false;
    case WM_PRINT:
        data.FUpdating = false;
        PaintWindow(reinterpret_cast<HDC>(Message.WParam));
        return true;
    case vcl::CN_HSCROLL:
    case vcl::CN_VSCROLL:
        StopFade();
        Repaint();
        return false;
    default:
        return false;
    }
}

void TsTrackBar::AfterInherited(TMessage& Message)
{
    const bool live = !ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
    switch (Message.Msg) {
    case TBM_SETPOS:
        Repaint();
        break;
    case vcl::CM_MOUSEENTER:
    case vcl::CM_MOUSELEAVE:
        if (live && !ControlState().Contains(vcl::TControlStateItem::csLButtonDown) && !FormSeeThrough()) {
            const bool enter = Message.Msg == vcl::CM_MOUSEENTER;
            SkinData()->FMouseAbove = enter;
            ChangePaint(enter ? TacAnimatEvent::aeMouseEnter : TacAnimatEvent::aeMouseLeave);
        }
        break;
    case vcl::CN_HSCROLL:
    case vcl::CN_VSCROLL:
        UserChanged();
        break;
    default:
        break;
    }
}

}  // namespace skin

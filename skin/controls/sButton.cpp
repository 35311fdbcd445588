#include "skin/controls/sButton.h"

#include <algorithm>

#include "skin/core/Sborders.h"
#include "skin/core/sConst.h"
#include "skin/core/sFade.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/acAlphaImageList.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;
using vcl::TSize;

namespace {

constexpr int SplitPart = 16;
constexpr int NoGlyphBox = 32;  // the box a command link keeps for a glyph it lacks

// The caption font of a command link: bold and 2 points larger, for the length of a scope.
class TCommandLinkFont {
public:
    TCommandLinkFont(vcl::TFont* Font, bool Active) : FFont(Active ? Font : nullptr)
    {
        if (!FFont)
            return;
        FStyle = FFont->Style();
        FSize = FFont->Size();
        FFont->SetStyle(FStyle + vcl::TFontStyle::fsBold);
        FFont->SetSize(FSize + 2);
    }
    ~TCommandLinkFont()
    {
        if (!FFont)
            return;
        FFont->SetStyle(FStyle);
        FFont->SetSize(FSize);
    }
    TCommandLinkFont(const TCommandLinkFont&) = delete;
    TCommandLinkFont& operator=(const TCommandLinkFont&) = delete;

private:
    vcl::TFont* FFont;
    vcl::TFontStyles FStyle;
    int FSize = 0;
};

}  // namespace

TsButton::TsButton(vcl::TComponent* AOwner) : TsSkinnedControl(AOwner, ckButton, TSkinDataClass::WithColours)
{
    vcl::TControlStyle style = ControlStyle();
    SetControlStyle(style >> vcl::TControlStyleItem::csOpaque >> vcl::TControlStyleItem::csDoubleClicks);
    SetWordWrap(true);
}

// A region built but not yet handed to the window is ours to free.
TsButton::~TsButton() { FreeRegion(); }

void TsButton::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsButton::SkinData, &TsButton::SetSkinData);
    Table.Add(L"Down", &TsButton::Down, &TsButton::SetDown);
    Table.Add(L"FocusMargin", &TsButton::FocusMargin, &TsButton::SetFocusMargin);
    Table.Add(L"ContentMargin", &TsButton::ContentMargin, &TsButton::SetContentMargin);
    Table.Add(L"ShowFocus", &TsButton::ShowFocus, &TsButton::SetShowFocus);
    Table.Add(L"Reflected", &TsButton::Reflected, &TsButton::SetReflected);
    Table.Add(L"Style", &TsButton::Style, &TsButton::SetStyle);
}

void TsButton::Loaded()
{
    inherited::Loaded();
    if (SkinData()->FCacheBmp)
        SkinData()->FCacheBmp->Canvas()->SetFont(Font());
}

void TsButton::CreateParams(vcl::TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style |= BS_OWNERDRAW;
}

void TsButton::SetButtonStyle(bool ADefault)
{
    FIsFocused = ADefault;
    SkinData()->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Properties

template<class T>
void TsButton::Changed(T& Field, const T& Value)
{
    if (vcl::ChangeField(Field, Value))
        SkinData()->Invalidate();
}

void TsButton::SetDown(bool Value)
{
    if (vcl::ChangeField(FDown, Value) && !ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        SkinData()->Invalidate();
}

void TsButton::SetDisabledKind(TsDisabledKind Value)
{
    if (vcl::ChangeField(FDisabledKind, Value) && !ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        SkinData()->Invalidate();
}

void TsButton::SetContentMargin(int Value) { Changed(FContentMargin, Value); }

void TsButton::SetShowFocus(bool Value) { Changed(FShowFocus, Value); }

void TsButton::SetReflected(bool Value) { Changed(FReflected, Value); }

void TsButton::SetStyle(TButtonStyle Value) { Changed(FStyle, Value); }

void TsButton::SetImages(vcl::TCustomImageList* Value) { Changed(FImages, Value); }

void TsButton::SetImageIndexOf(int Look, int Value) { Changed(FImageIndex[Look], Value); }

void TsButton::SetImageAlignment(TImageAlignment Value) { Changed(FImageAlignment, Value); }

void TsButton::SetImageMargins(const TImageMargins& Value)
{
    FImageMargins = Value;
    SkinData()->Invalidate();
}

void TsButton::SetCommandLinkHint(const vcl::String& Value) { Changed(FCommandLinkHint, Value); }

// ---------------------------------------------------------------------------------------------
// State and layout

int TsButton::CurrentState() const
{
    const bool pushed = (HandleAllocated() && (SendMessageW(const_cast<TsButton*>(this)->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED)) ||
                        acPressedPaint;
    // Held with the mouse and dragged off, the button does not show pressed.
    if ((pushed && (SkinData()->FMouseAbove || !FMouseClicked)) || FDown || FDroppedDown)
        return 2;
    const bool designedDefault = ComponentState().Contains(vcl::TComponentStateItem::csDesigning) && Default();
    return FIsFocused || ControlIsActive(*SkinData()) || designedDefault ? 1 : 0;
}

int TsButton::ClippedState() const
{
    const TsCommonData& data = *SkinData();
    return std::min(CurrentState(), std::max(data.Section().States - 1, 0));
}

bool TsButton::GlyphExist() const
{
    return FImages && FImageIndex[0] >= 0 && FImageIndex[0] < FImages->Count();
}

int TsButton::GlyphIndex() const
{
    int look = CurrentState();
    if (!Enabled())
        look = 4;
    else if (look != 2 && Focused())
        look = 3;
    const int index = FImageIndex[look];
    return look != 0 && FImages && index >= 0 && index < FImages->Count() ? index : FImageIndex[0];
}

int TsButton::SplitWidth() const { return FStyle == TButtonStyle::bsSplitButton ? SplitPart : 0; }

TSize TsButton::GlyphBoxSize(bool WithMargins) const
{
    TSize size = GlyphExist() ? TSize{FImages->Width(), FImages->Height()} : TSize{NoGlyphBox, NoGlyphBox};
    if (WithMargins) {
        size.cx += FImageMargins.Left + FImageMargins.Right;
        size.cy += FImageMargins.Top + FImageMargins.Bottom;
    }
    return size;
}

TSize TsButton::MeasureText(const vcl::String& Text, int Width, UINT Flags)
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    vcl::TCanvas* canvas = data.FCacheBmp->Canvas();
    canvas->SetFont(Font());
    const TCanvasLock lock(canvas);
    TRect r(0, 0, Width, 0);
    acDrawText(canvas->Handle(), Text, r, Flags | DT_CALCRECT);
    return {r.Width(), r.Height()};
}

TSize TsButton::CaptionSize()
{
    if (Caption().empty())
        return {0, 0};
    const int width = FStyle == TButtonStyle::bsPushButton
                          ? Width()
                          : Width() - 2 * FContentMargin - GlyphBoxSize(true).cx - 6;
    const TCommandLinkFont bold(Font(), FStyle == TButtonStyle::bsCommandLink);
    return MeasureText(Caption(), width,
                       DT_EXPANDTABS | DT_CENTER | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE));
}

TRect TsButton::GlyphRect()
{
    if (!GlyphExist())
        return TRect();
    const int W = Width() - SplitWidth(), H = Height(), CM = FContentMargin;
    const int IW = FImages->Width(), IH = FImages->Height();
    const TImageMargins& IM = FImageMargins;
    vcl::TPoint at;
    if (FStyle == TButtonStyle::bsCommandLink) {
        at = {IM.Left + CM, CM};
    } else {
        switch (FImageAlignment) {
        case TImageAlignment::iaLeft: at = {IM.Left + CM, (H - IH) / 2}; break;
        case TImageAlignment::iaRight: at = {W - IM.Right - CM - IW, (H - IH) / 2}; break;
        case TImageAlignment::iaTop: at = {(W - IW) / 2, IM.Top + CM}; break;
        case TImageAlignment::iaBottom: at = {(W - IW) / 2, H - IM.Bottom - CM - IH}; break;
        default: at = {(W - IW) / 2, (H - IH) / 2}; break;
        }
    }
    TRect r(at.x, at.y, at.x + IW, at.y + IH);
    if (CurrentState() == 2)
        r.Offset(1, 1);
    return r;
}

TRect TsButton::CaptionRect()
{
    const int W = Width() - SplitWidth(), H = Height(), CM = FContentMargin;
    const TSize text = CaptionSize();
    const TImageMargins& IM = FImageMargins;
    const int IW = GlyphExist() ? FImages->Width() : 0, IH = GlyphExist() ? FImages->Height() : 0;
    TRect r;
    r.top = (H - text.cy) / 2;
    r.bottom = H - r.top;
    if (FStyle == TButtonStyle::bsCommandLink) {
        r = TRect(GlyphBoxSize(true).cx + CM + 6, CM, W - CM, CM + text.cy);
    } else if (!GlyphExist() || FImageAlignment == TImageAlignment::iaCenter) {
        r.left = (W - text.cx) / 2 - 1;
        r.right = r.left + text.cx + 2;
    } else {
        switch (FImageAlignment) {
        case TImageAlignment::iaLeft:
            r.left = IM.Left + CM + IW + IM.Right;
            r.right = W - CM;
            break;
        case TImageAlignment::iaRight:
            r.left = CM;
            r.right = W - (IM.Right + CM + IW + IM.Left);
            break;
        case TImageAlignment::iaTop: {
            const int a = IM.Top + 2 * CM + IH;
            r = TRect(CM, a + (H - CM - a - text.cy) / 2, W - CM, 0);
            r.bottom = r.top + text.cy;
            break;
        }
        default: {  // iaBottom
            const int b = H - (IM.Bottom + CM + IH + IM.Top);
            r = TRect(CM, IM.Top + (b - IM.Top - text.cy) / 2, W - CM, 0);
            r.bottom = r.top + text.cy;
            break;
        }
        }
    }
    if (CurrentState() == 2)
        r.Offset(1, 1);
    return r;
}

TGlyphSource TsButton::GlyphSource()
{
    TGlyphSource s;
    s.Images = FImages;
    s.ImageIndex = GlyphIndex();
    s.SkinData = SkinData();
    s.Rect = GlyphRect();
    s.Size = {Width(), Height()};
    s.Enabled = Enabled();
    s.State = CurrentState();
    s.Down = s.State == 2;
    s.Reflected = FReflected;
    return s;
}

// ---------------------------------------------------------------------------------------------
// Rendering

bool TsButton::RegionShaped() const
{
    const TsCommonData& data = *SkinData();
    const TsSkinManager* manager = data.SkinManager();
    return manager && manager->IsValidImgIndex(data.BorderIndex) && manager->ma[size_t(data.BorderIndex)].CornerType == 2;
}

void TsButton::FreeRegion()
{
    if (FRegion && FRegion != BeforeFirstRegion)
        DeleteObject(FRegion);
    FRegion = nullptr;
}

void TsButton::RemoveWindowRegion()
{
    if (HandleAllocated())
        SetWindowRgn(Handle(), nullptr, TRUE);
}

void TsButton::PrepareCache()
{
    TsCommonData& data = *SkinData();
    const TCacheInfo beneath = GetParentCache(data);
    InitCacheBmp(data);
    vcl::TBitmap* cache = data.FCacheBmp.get();
    cache->Canvas()->SetFont(Font());
    const int state = ClippedState();
    const TRect whole(0, 0, Width(), Height());
    PaintItemBG(data, beneath, state, whole, vcl::TPoint(Left(), Top()), cache);
    TsSkinManager* manager = data.SkinManager();
    if (manager->IsValidImgIndex(data.BorderIndex)) {
        const TsMaskData& border = manager->ma[size_t(data.BorderIndex)];
        const bool leftOut = state == 0 && (border.DrawMode & 2);
        if (RegionShaped() && !InAnimationProcess) {
            FreeRegion();
            FRegion = CreateRectRgn(0, 0, Width(), Height());
            if (!leftOut)
                PaintRgnBorder(PixelsOf(cache), FRegion, true, border, state);
        } else if (!leftOut) {
            TCacheInfo shifted = beneath;
            shifted.X += Left();
            shifted.Y += Top();
            DrawSkinRect(PixelsOf(cache), whole, CacheView(shifted), border, state, true);
        }
    }
    if (data.HUEOffset() != 0)
        ChangeBmpHUE(PixelsOf(cache), data.HUEOffset());
    if (data.Saturation() != 0)
        ChangeBmpSaturation(PixelsOf(cache), data.Saturation());
    DrawGlyph();
    DrawCaption(nullptr);
    if (FStyle == TButtonStyle::bsSplitButton) {
        const TsGeneralData& section = data.Section();
        PaintSplitPart(cache->Canvas(), vcl::TColor(section.Props[state > 0 ? 1 : 0].FontColor.Color));
    }
    if (!Enabled())
        BmpDisabledKind(PixelsOf(cache), FDisabledKind, GetControlColor(Parent()), CacheView(beneath),
                        vcl::TPoint(Left(), Top()));
    FPaintedState = CurrentState();
    data.BGChanged = false;
}

void TsButton::PaintSplitPart(vcl::TCanvas* Canvas, vcl::TColor Colour)
{
    const int W = Width(), H = Height();
    const TCanvasLock lock(Canvas);
    FillDC(Canvas->Handle(), TRect(W - 15, 4, W - 14, H - 4), Colour);
    DrawColorArrow(Canvas, Colour, TRect(W - SplitPart, 0, W, H), 8);
}

void TsButton::DrawGlyph()
{
    if (!GlyphExist())
        return;
    const TRect r = GlyphRect();
    vcl::TBitmap* cache = SkinData()->FCacheBmp.get();
    if (dynamic_cast<TsAlphaImageList*>(FImages)) {
        DrawAlphaImgList(FImages, cache, r.left, r.top, GlyphIndex(), 0, vcl::clNone, 0, 1, FReflected);
    } else {
        const TCanvasLock lock(cache->Canvas());
        FImages->Draw(cache->Canvas(), r.left, r.top, GlyphIndex(), true);
    }
}

void TsButton::DrawCaption(vcl::TCanvas* Canvas)
{
    TsCommonData& data = *SkinData();
    const bool cached = !Canvas;
    vcl::TCanvas* canvas = cached ? data.FCacheBmp->Canvas() : Canvas;
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    const bool link = FStyle == TButtonStyle::bsCommandLink;
    UINT flags = DT_EXPANDTABS;
    if (link)
        flags |= DT_WORDBREAK;
    else
        flags |= DT_VCENTER | DT_CENTER | (WordWrap() ? DT_WORDBREAK : 0);
    TRect r = CaptionRect();
    const bool hot = CurrentState() != 0;
    const bool skinned = data.Skinned();
    const TCanvasLock lock(canvas);
    const auto write = [&](const vcl::String& Text, TRect& R) {
        if (skinned)
            acWriteTextEx(canvas, Text, true, R, flags, data, hot);
        else
            WriteTextEx(canvas, Text, Enabled(), R, flags, -1, hot);
    };
    {
        const TCommandLinkFont bold(canvas->Font(), link);
        TRect text = r;
        write(Caption(), text);
    }
    if (link && !FCommandLinkHint.empty()) {
        TRect hint(r.left, r.bottom + 6, r.right, Height() - FContentMargin);
        write(FCommandLinkHint, hint);
    }
    if (Focused() && Enabled() && !Caption().empty() && FShowFocus && skinned && data.Section().ShowFocus) {
        TRect focus = r;
        focus.Inflate(FFocusMargin, FFocusMargin);
        FocusRect(canvas, focus, vcl::clBtnFace, vcl::clBtnFace);
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsButton::CopyCache(HDC DC)
{
    vcl::TBitmap* cache = SkinData()->FCacheBmp.get();
    if (!cache)
        return;
    const vcl::TSavedDC saved(DC);
    const TCanvasLock lock(cache->Canvas());
    BitBlt(DC, 0, 0, Width(), Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsButton::OurPaintHandler(HDC DC)
{
    TsCommonData& data = *SkinData();
    if (InAnimationProcess && DC != data.PrintDC)
        return;
    PAINTSTRUCT ps;
    const bool painting = !InAnimationProcess && !DC;
    if (painting)
        BeginPaint(Handle(), &ps);
    const HDC dc = DC ? DC : painting ? ps.hdc : GetWindowDC(Handle());
    if (!data.GetUpdating()) {
        data.BGChanged = data.BGChanged || data.HalfVisible ||
                         (Parent() && GetBoolMsg(Parent(), scmdQueryHalfVisible)) || CurrentState() != FPaintedState;
        data.HalfVisible = Parent() && !RectInRect(Parent()->ClientRect(), BoundsRect());
        const bool redrawRegion = FRegion == BeforeFirstRegion || aSkinChanging;
        FRegion = nullptr;
        if (RegionShaped() && !ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) {
            PrepareCache();
            UpdateCorners(data, ClippedState());
            if (FRegion && dc != data.PrintDC) {
                SetWindowRgn(Handle(), FRegion, redrawRegion);
                FRegion = nullptr;  // the window owns it now
            }
            FLastRect = BoundsRect();
        } else if (data.BGChanged) {
            PrepareCache();
        }
        CopyCache(dc);
    }
    if (painting)
        EndPaint(Handle(), &ps);
    else if (!DC)
        ReleaseDC(Handle(), dc);
}

// The standard look while not skinned: the system's push-button face, then caption and glyph.
void TsButton::StdDrawItem(const DRAWITEMSTRUCT& Item)
{
    vcl::TObjectPtr<vcl::TCanvas> canvas(vcl::Create<vcl::TCanvas>());
    canvas->SetHandle(Item.hDC);
    canvas->SetFont(Font());
    const bool pressed = Item.itemState & ODS_SELECTED, focused = Item.itemState & ODS_FOCUS;
    RECT r = Item.rcItem;
    UINT frame = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0) |
                 ((Item.itemState & ODS_DISABLED) ? DFCS_INACTIVE : 0);
    if (FIsFocused || focused) {
        FrameRect(Item.hDC, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (pressed) {
        FillRect(Item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        FrameRect(Item.hDC, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&r, -1, -1);
    } else {
        DrawFrameControl(Item.hDC, &r, DFC_BUTTON, frame);
    }
    if (FIsFocused && focused) {
        RECT focus = Item.rcItem;
        InflateRect(&focus, -4, -4);
        focus.right -= SplitWidth() ? 14 : 0;
        DrawFocusRect(Item.hDC, &focus);
    }
    DrawCaption(canvas.get());
    PaintButtonGlyph(this, canvas.get());
    if (FStyle == TButtonStyle::bsSplitButton)
        PaintSplitPart(canvas.get(), Font()->Color());
    canvas->SetHandle(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Mouse and focus

void TsButton::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    TsCommonData& data = *SkinData();
    const bool left = Button == vcl::TMouseButton::mbLeft;
    if (data.Skinned() && Enabled() && !ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) {
        data.FUpdating = false;
        if (left)
            SuppressHints();
        FMouseClicked = true;
        if (left && !FDown) {
            data.FUpdating = data.GetUpdating();
            data.BGChanged = false;
            DoChangePaint(data, true);
        }
        RestoreHints();
    }
    inherited::MouseDown(Button, Shift, X, Y);
}

void TsButton::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    if (ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
        return;
    TsCommonData& data = *SkinData();
    const bool left = Button == vcl::TMouseButton::mbLeft;
    if (data.Skinned() && Enabled() && !ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) {
        if (left)
            RestoreHints();
        if (!FMouseClicked)
            return;
        FMouseClicked = false;
        if (left) {
            data.FUpdating = false;
            data.BGChanged = false;
            DoChangePaint(data, true);
        }
    }
    inherited::MouseUp(Button, Shift, X, Y);
}

void TsButton::Hover(bool Enter)
{
    TsCommonData& data = *SkinData();
    if (!Enabled() || ComponentState().Contains(vcl::TComponentStateItem::csDesigning) ||
        (Enter && data.FMouseAbove))
        return;
    data.FMouseAbove = Enter;
    data.BGChanged = false;
    DoChangePaint(data, false);
}

void TsButton::FocusMessage(TMessage& Message, bool Gained)
{
    CommonWndProc(Message, SkinData());
    InheritedWndProc(Message);
    if (!Visible() || !Enabled() || ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
        return;
    if (!Gained) {
        SkinData()->FFocused = false;
        SkinData()->HideGlow();
    }
    SkinData()->Invalidate();
}

void TsButton::FollowState()
{
    if (HandleAllocated() && CurrentState() != FPaintedState) {
        SkinData()->BGChanged = true;
        Repaint();
    }
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsButton::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    TsCommonData& data = *SkinData();
    const bool own = Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager());
    switch (Cmd) {
    case scmdSkinLoaded:
        if (own)
            CommonWndProc(Message, &data);
        return true;
    case scmdSkinRemoved:
        if (!own || ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
            return true;
        CommonWndProc(Message, &data);
        FreeRegion();
        RemoveWindowRegion();
        RedrawNow();
        return true;
    case scmdRepaint:
        if (!own)
            return true;
        RemoveWindowRegion();
        CommonWndProc(Message, &data);
        if (!(data.CtrlSkinState & cssPrinting))
            RedrawNow();
        return true;
    case scmdStopFade:
        return true;
    case scmdRenderCache:
        PrepareCache();
        return false;
    case scmdPaintBitmap:
        FreeRegion();
        return false;
    default:
        return inherited::EarlySkinCommand(Cmd, Message);
    }
}

void TsButton::UnskinnedMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case vcl::CM_MOUSEENTER:
    case vcl::CM_MOUSELEAVE:
        SkinData()->FMouseAbove = Message.Msg == vcl::CM_MOUSEENTER;
        Invalidate();
        break;
    case vcl::CN_DRAWITEM:
        StdDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
        Message.Result = 1;
        return;
    default:
        break;
    }
    InheritedWndProc(Message);
}

bool TsButton::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    if (SkinCommandOf(Message) == scmdSetUrgent) {
        if (data.UrgentPainting)
            PrepareCache();
        CommonWndProc(Message, &data);
        return true;
    }
    switch (Message.Msg) {
    case WM_MOVE:
        if (data.Section().Transparency > 0 || (data.Section().HotTransparency > 0 && ControlIsActive(data)))
            Repaint();
        return false;
    case WM_SETFOCUS:
    case vcl::CM_ENTER:
        FocusMessage(Message, true);
        return true;
    case WM_KILLFOCUS:
    case vcl::CM_EXIT:
        FocusMessage(Message, false);
        return true;
    case WM_ENABLE:
        return true;
    case WM_PAINT:
        if (!(Visible() || ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) || !Parent())
            return false;
        OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return true;
    case WM_ERASEBKGND:
        if (Message.WParam && data.FCacheBmp && !data.BGChanged)
            CopyWinControlCache(this, data, TRect(0, 0, Width(), Height()), TRect(0, 0, Width(), Height()),
                                reinterpret_cast<HDC>(Message.WParam), false, 0, 0);
        Message.Result = 0;
        return true;
    case WM_WINDOWPOSCHANGED:
        data.BGChanged = true;
        return false;
    case WM_UPDATEUISTATE:
        return Visible();
    case WM_PRINT:
        data.FUpdating = false;
        OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
        return true;
    case vcl::CM_TEXTCHANGED:
        data.Invalidate();
        return true;
    case vcl::CM_MOUSEENTER:
    case vcl::CM_MOUSELEAVE:
        Hover(Message.Msg == vcl::CM_MOUSEENTER);
        return false;
    case vcl::CM_UIACTIVATE:
        data.FUpdating = false;
        return false;
    case vcl::CN_DRAWITEM:
        Message.Result = 1;
        return true;
    default:
        return inherited::SkinnedMessage(Message);
    }
}

void TsButton::AfterInherited(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Message.Msg) {
    case WM_SETFONT:
    case vcl::CM_ENABLEDCHANGED:
        if (Visible() || ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) {
            data.FUpdating = false;
            data.Invalidate();
        }
        break;
    case vcl::CM_VISIBLECHANGED:
        data.BGChanged = true;
        data.FUpdating = false;
        if (Visible())
            Repaint();
        break;
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE) {
            data.BGChanged = true;
            Repaint();
        }
        break;
    // The system button changes its pushed state after the press was handled.
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
        FollowState();
        break;
    default:
        break;
    }
}

}  // namespace skin

#include "skin/controls/sSpeedButton.h"

#include <algorithm>

#include "vcl/actnlist.h"
#include "skin/core/sConst.h"
#include "skin/core/sFade.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TAlignment;
using vcl::TButtonLayout;
using vcl::TButtonState;
using vcl::TMessage;
using vcl::TRect;
using vcl::TToolButtonStyle;

namespace {

constexpr int DropDownArrow = 16;

// Set while a speed button opens its drop-down menu: a second one does not open.
bool MenuOpening = false;

bool SideLayout(TButtonLayout Layout)
{
    return Layout == TButtonLayout::blGlyphLeft || Layout == TButtonLayout::blGlyphRight;
}

// The horizontal room left over by the block, halved (D), and the vertical one (V), for a spacing.
int SpareWidth(const TSpeedButtonLayout& L, int Spacing)
{
    return (L.Width - L.ArrowWidth - L.Glyph.cx - Spacing - L.Text.cx) / 2 - GenMargin(L.Margin);
}
int SpareHeight(const TSpeedButtonLayout& L, int Spacing)
{
    return (L.Height - L.Glyph.cy - Spacing - L.Text.cy) / 2 - GenMargin(L.Margin);
}

}  // namespace

int GenMargin(int Margin) { return Margin < 0 ? 0 : Margin + 3; }

TRect SpeedCaptionRect(const TSpeedButtonLayout& L)
{
    const int W = L.Width, H = L.Height, A = L.ArrowWidth, M = GenMargin(L.Margin);
    const int GW = L.Glyph.cx, GH = L.Glyph.cy, TW = L.Text.cx, TH = L.Text.cy;
    const bool side = SideLayout(L.Layout);
    const int S = (side ? GW : GH) > 0 && L.HasCaption ? L.Spacing : 0;
    const int gap = GW > 0 ? L.Spacing : 0;
    TRect r;
    r.top = (H - TH) / 2;
    r.bottom = H - r.top;
    if (side) {
        const int D = SpareWidth(L, S);
        const bool left = L.Layout == TButtonLayout::blGlyphLeft;
        switch (L.Alignment) {
        case TAlignment::taLeftJustify:
            r.left = left ? GW + L.Margin + gap : M;
            r.right = left ? W - A - M - 2 * D : M + TW;
            break;
        case TAlignment::taRightJustify:
            r.left = left ? M + 2 * D + GW + gap : M + 2 * D;
            r.right = left ? W - A - M : M + 2 * D + TW;
            break;
        default:
            r.left = left ? M + D + GW + gap : M + D;
            r.right = left ? W - A - M - D : M + D + TW;
            break;
        }
    } else {
        const int V = SpareHeight(L, S);
        r.left = (W - TW - A) / 2;
        r.right = W - r.left - A;
        if (L.Layout == TButtonLayout::blGlyphTop) {
            r.top = GH + M + V + S;
            r.bottom = H - V - M;
        } else {
            r.top = M + V;
            r.bottom = H - V - M - GH - S;
        }
    }
    r = TRect(r.left - 1 + L.TextOffset, r.top, r.right + 2 + L.TextOffset, r.bottom);
    if (L.Pressed)
        r.Offset(1, 1);
    return r;
}

TRect SpeedImgRect(const TSpeedButtonLayout& L)
{
    const int W = L.Width, H = L.Height, A = L.ArrowWidth, M = GenMargin(L.Margin);
    const int GW = L.Glyph.cx, GH = L.Glyph.cy, TW = L.Text.cx;
    const int S = L.ShowCaption && GW > 0 && L.HasCaption ? L.Spacing : 0;
    const int D = SpareWidth(L, S), V = SpareHeight(L, S);
    int x = 0, y = (H - GH) / 2;
    switch (L.Layout) {
    case TButtonLayout::blGlyphLeft:
        x = L.Alignment == TAlignment::taLeftJustify ? M : L.Alignment == TAlignment::taRightJustify ? M + 2 * D : M + D;
        break;
    case TButtonLayout::blGlyphRight:
        x = L.Alignment == TAlignment::taLeftJustify    ? SpeedCaptionRect(L).right + L.Spacing
            : L.Alignment == TAlignment::taRightJustify ? W - A - GW - M
                                                        : (W + S + TW - A - GW) / 2;
        break;
    case TButtonLayout::blGlyphTop:
        x = (W - A - GW) / 2 + 1;
        y = V + M;
        break;
    case TButtonLayout::blGlyphBottom:
        x = (W - A - GW) / 2 + 1;
        y = H - M - V - GH;
        break;
    }
    if (L.Pressed) {
        ++x;
        ++y;
    }
    if (L.Reflected)
        y -= GH / 6;
    return TRect(x, y, x + GW, y + GH);
}

// ---------------------------------------------------------------------------------------------

TsSpeedButton::TsSpeedButton(vcl::TComponent* AOwner)
    : TsSkinnedControl(AOwner, ckSpeedButton, TSkinDataClass::WithColours),
      FImageChangeLink(std::make_unique<vcl::TChangeLink>())
{
    FImageChangeLink->SetOnChange(vcl::TNotifyEvent(this, &TsSpeedButton::ImageListChange));
    FOldNumGlyphs = NumGlyphs();
    FOldSpacing = Spacing();
    FOldLayout = Layout();
}

TsSpeedButton::~TsSpeedButton()
{
    StopFade();
    TsSkinManager* manager = SkinData()->SkinManager();
    if (manager && manager->ActiveGraphControl() == this)
        manager->SetActiveGraphControl(nullptr);
    vcl::ChangeImageList(this, FImages, nullptr, *FImageChangeLink);
}

void TsSpeedButton::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsSpeedButton::SkinData, &TsSpeedButton::SetSkinData);
    PublishAnimatEvents<TsSpeedButton>(Table);
    Table.Add(L"ButtonStyle", &TsSpeedButton::ButtonStyle, &TsSpeedButton::SetButtonStyle);
    Table.Add(L"Blend", &TsSpeedButton::Blend, &TsSpeedButton::SetBlend);
    Table.Add(L"Grayed", &TsSpeedButton::Grayed, &TsSpeedButton::SetGrayed);
    Table.Add(L"ImageIndex", &TsSpeedButton::ImageIndex, &TsSpeedButton::SetImageIndex);
    Table.Add(L"ShowCaption", &TsSpeedButton::ShowCaption, &TsSpeedButton::SetShowCaption);
    Table.Add(L"DrawOverBorder", &TsSpeedButton::DrawOverBorder, &TsSpeedButton::SetDrawOverBorder);
    Table.Add(L"TextOffset", &TsSpeedButton::TextOffset, &TsSpeedButton::SetTextOffset);
    Table.Add(L"Reflected", &TsSpeedButton::Reflected, &TsSpeedButton::SetReflected);
}

void TsSpeedButton::Loaded()
{
    inherited::Loaded();
    if (ImageIndexValid() && Glyph())
        Glyph()->Assign(nullptr);
}

void TsSpeedButton::Invalidate()
{
    if (Layout() != FOldLayout) {
        FOldLayout = Layout();
        SkinData()->BGChanged = true;
    }
    inherited::Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Properties

void TsSpeedButton::Changed(bool Changed, bool InBatch)
{
    if (!Changed || !(Visible() || ComponentState().Contains(vcl::TComponentStateItem::csDesigning)))
        return;
    SkinData()->BGChanged = true;
    if (!InBatch || !(SkinData()->CtrlSkinState & cssBatch))
        GraphRepaint();
}

void TsSpeedButton::SetButtonStyle(TToolButtonStyle Value)
{
    const TToolButtonStyle old = FButtonStyle;
    if (!vcl::ChangeField(FButtonStyle, Value))
        return;
    if (!ComponentState().Contains(vcl::TComponentStateItem::csLoading)) {
        if (Value == TToolButtonStyle::tbsDropDown)
            SetWidth(Width() + DropDownArrow);
        else if (old == TToolButtonStyle::tbsDropDown)
            SetWidth(Width() - DropDownArrow);
    }
    Changed(true);
}

void TsSpeedButton::SetDropdownMenu(vcl::TPopupMenu* Value)
{
    FDropdownMenu = Value;
    if (Value)
        Value->FreeNotification(this);
}
void TsSpeedButton::SetAlignment(TAlignment Value) { Changed(vcl::ChangeField(FAlignment, Value)); }
void TsSpeedButton::SetTextAlignment(TAlignment Value) { Changed(vcl::ChangeField(FTextAlignment, Value)); }
void TsSpeedButton::SetBlend(int Value) { Changed(vcl::ChangeField(FBlend, std::clamp(Value, 0, 100)), true); }
void TsSpeedButton::SetGrayed(bool Value) { Changed(vcl::ChangeField(FGrayed, Value), true); }
void TsSpeedButton::SetImageIndex(int Value) { Changed(vcl::ChangeField(FImageIndex, Value), true); }
void TsSpeedButton::SetShowCaption(bool Value) { Changed(vcl::ChangeField(FShowCaption, Value)); }
void TsSpeedButton::SetDrawOverBorder(bool Value) { Changed(vcl::ChangeField(FDrawOverBorder, Value)); }
void TsSpeedButton::SetTextOffset(int Value) { Changed(vcl::ChangeField(FOffset, Value)); }
void TsSpeedButton::SetDisabledKind(TsDisabledKind Value) { Changed(vcl::ChangeField(FDisabledKind, Value)); }
void TsSpeedButton::SetDisabledGlyphKind(TsDisabledGlyphKind Value)
{
    Changed(vcl::ChangeField(FDisabledGlyphKind, Value));
}

void TsSpeedButton::SetReflected(bool Value)
{
    FReflected = Value;
    SkinData()->BGChanged = true;
    GraphRepaint();
}

void TsSpeedButton::SetImages(vcl::TCustomImageList* Value)
{
    if (!vcl::ChangeImageList(this, FImages, Value, *FImageChangeLink))
        return;
    Changed(true, true);
}

void TsSpeedButton::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != vcl::TOperation::opRemove)
        return;
    if (AComponent == FImages)
        SetImages(nullptr);
    if (AComponent == FDropdownMenu)
        FDropdownMenu = nullptr;
}

void TsSpeedButton::ActionChange(vcl::TObject* Sender, bool CheckDefaults)
{
    inherited::ActionChange(Sender, CheckDefaults);
    if (const auto* action = dynamic_cast<const vcl::TCustomAction*>(Sender))
        FImageIndex = action->ImageIndex();
    if (FImages && FImageIndex >= 0)
        Glyph()->Assign(nullptr);
    SkinData()->BGChanged = true;
    const vcl::TComponentState cs = ComponentState();
    if (!cs.Contains(vcl::TComponentStateItem::csDestroying) && !cs.Contains(vcl::TComponentStateItem::csLoading))
        GraphRepaint();
}

void TsSpeedButton::GlyphPropertiesChanged() { ShowGlyphChange(*this, *SkinData()); }

void TsSpeedButton::ImageListChange(vcl::TObject*)
{
    if (SkinData()->Skinned()) {
        SkinData()->BGChanged = true;
        GraphRepaint();
    } else {
        Repaint();
    }
}

// ---------------------------------------------------------------------------------------------
// Layout

int TsSpeedButton::CurrentState() const
{
    if (FState == TButtonState::bsDown || FState == TButtonState::bsExclusive)
        return 2;
    return ControlIsActive(*SkinData()) ? 1 : 0;
}

int TsSpeedButton::ArrowWidth() const { return FButtonStyle == TToolButtonStyle::tbsDropDown ? DropDownArrow : 0; }

bool TsSpeedButton::ImageIndexValid() const { return HasImage(FImages, FImageIndex); }

int TsSpeedButton::GlyphWidth() const
{
    if (Glyph() && Glyph()->Width() > 0)
        return Glyph()->Width() / NumGlyphs();
    return ImageIndexValid() ? FImages->Width() / NumGlyphs() : 0;
}

int TsSpeedButton::GlyphHeight() const
{
    if (Glyph() && Glyph()->Height() > 0)
        return Glyph()->Height();
    return ImageIndexValid() ? FImages->Height() : 0;
}

int TsSpeedButton::CaptionAreaWidth() const
{
    if (!FShowCaption || const_cast<TsSpeedButton*>(this)->Caption().empty())
        return 0;
    int width = Width() - 2 * Margin() - ArrowWidth();
    if (SideLayout(Layout()) && GlyphWidth() > 0)
        width -= GlyphWidth() + Spacing();
    return width;
}

vcl::TSize TsSpeedButton::TextRectSize()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    vcl::TCanvas* canvas = data.FCacheBmp->Canvas();
    canvas->SetFont(Font());
    TRect r(0, 0, CaptionAreaWidth(), 0);
    const TCanvasLock lock(canvas);
    canvas->TextRect(r, Caption(), DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);  // in the font, which the DC may not hold yet
    return {r.Width(), r.Height()};
}

TSpeedButtonLayout TsSpeedButton::LayoutValues()
{
    TSpeedButtonLayout l;
    l.Width = Width();
    l.Height = Height();
    l.ArrowWidth = ArrowWidth();
    l.Margin = Margin();
    l.Spacing = Spacing();
    l.Layout = Layout();
    l.Alignment = FAlignment;
    l.Glyph = {GlyphWidth(), GlyphHeight()};
    l.Text = TextRectSize();
    l.HasCaption = !Caption().empty();
    l.ShowCaption = FShowCaption;
    l.TextOffset = FOffset;
    l.Pressed = CurrentState() == 2;
    l.Reflected = FReflected;
    return l;
}

TRect TsSpeedButton::CaptionRect() { return SpeedCaptionRect(LayoutValues()); }

TRect TsSpeedButton::ImgRect() { return SpeedImgRect(LayoutValues()); }

TGlyphSource TsSpeedButton::GlyphSource()
{
    return ButtonGlyphSource(*this, ImgRect(), CurrentState());
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsSpeedButton::Paint()
{
    TsCommonData& data = *SkinData();
    TsSkinManager* manager = data.SkinManager();
    if (manager && manager->SkinData && manager->SkinData->Active && data.SkinIndex <= 0)
        data.UpdateIndexes();
    if (!data.Skinned()) {
        StdPaint(true);
        return;
    }
    if (Width() <= 0 || Height() <= 0)
        return;
    vcl::TBitmap* picture = FadeFrame();
    if (!picture) {
        data.BGChanged = data.BGChanged || CurrentState() > 0 || Down() != FStoredDown || data.HalfVisible;
        FStoredDown = Down();
        data.HalfVisible = data.RepaintIfMoved();
        if (NumGlyphs() != FOldNumGlyphs || Spacing() != FOldSpacing) {
            FOldNumGlyphs = NumGlyphs();
            FOldSpacing = Spacing();
            data.BGChanged = true;
        }
        if (data.BGChanged && !data.UrgentPainting)
            PrepareCache();
        picture = data.FCacheBmp.get();
    }
    const TCanvasLock lock(picture->Canvas());
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), picture->Canvas()->Handle(), 0, 0, SRCCOPY);
}

vcl::TBitmap* TsSpeedButton::FadeFrame() const
{
    if (!FFadeTimer || !FFadeTimer->Enabled() || FFadeTimer->TmpBmp()->Width() != Width())
        return nullptr;
    return FFadeTimer->TmpBmp();
}

void TsSpeedButton::GraphRepaint()
{
    const vcl::TComponentState cs = ComponentState();
    if (ControlState().Contains(vcl::TControlStateItem::csCreating) ||
        cs.Contains(vcl::TComponentStateItem::csDestroying) || cs.Contains(vcl::TComponentStateItem::csLoading) ||
        !Parent() || !Visible() || !Parent()->HandleAllocated())
        return;
    TsCommonData& data = *SkinData();
    if (!data.Skinned() || cs.Contains(vcl::TComponentStateItem::csDesigning)) {
        Repaint();
        return;
    }
    if (data.BGChanged) {
        PrepareCache();
        if (!ControlState().Contains(vcl::TControlStateItem::csPaintCopy))
            PaintOverlappingControls(data.FCacheBmp->Canvas());
    }
    vcl::TBitmap* picture = FadeFrame() ? FadeFrame() : data.FCacheBmp.get();
    if (!picture)
        return;
    const HDC dc = GetDC(Parent()->Handle());
    {
        const vcl::TSavedDC saved(dc);
        IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
        const TCanvasLock lock(picture->Canvas());
        BitBlt(dc, Left(), Top(), Width(), Height(), picture->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    ReleaseDC(Parent()->Handle(), dc);
}

void TsSpeedButton::PaintOverlappingControls(vcl::TCanvas* Canvas)
{
    vcl::TWinControl* parent = Parent();
    const TRect own = BoundsRect();
    const TCanvasLock lock(Canvas);
    for (int i = 0; i < parent->ControlCount(); ++i) {
        vcl::TControl* c = parent->Controls(i);
        const TRect b = c->BoundsRect();
        if (c == this || !c->Visible() ||
            !(own.Contains(b.TopLeft()) || own.Contains(vcl::TPoint(b.right - 1, b.bottom - 1))))
            continue;
        const HDC dc = Canvas->Handle();
        const vcl::TSavedDC saved(dc);
        vcl::TControlState state = c->ControlState();
        c->SetControlState(state << vcl::TControlStateItem::csPaintCopy);
        SetWindowOrgEx(dc, -(b.left - own.left), -(b.top - own.top), nullptr);
        IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        c->SetControlState(state);
    }
}

void TsSpeedButton::PrepareCache()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    data.FCacheBmp->Canvas()->SetFont(Font());
    const TCacheInfo beneath = GetParentCache(this);
    if (beneath.Ready && beneath.Bmp && beneath.Bmp->Width() == 0)
        return;
    if (FButtonStyle == TToolButtonStyle::tbsSeparator || FButtonStyle == TToolButtonStyle::tbsDivider) {
        PaintSeparator(beneath);
    } else {
        const int state = FButtonStyle == TToolButtonStyle::tbsDropDown ? PaintArrowPart(beneath) : CurrentState();
        PaintMainPart(beneath, state);
        if (!Enabled())
            BmpDisabledKind(PixelsOf(data.FCacheBmp.get()), FDisabledKind, GetControlColor(Parent()),
                            CacheView(beneath), vcl::TPoint(Left(), Top()));
    }
    if (FOnPaint)
        FOnPaint(this, data.FCacheBmp.get());
    data.BGChanged = false;
}

// A gap shows its parent; a divider a 2-pixel line of the "DIVIDER" border in the middle.
void TsSpeedButton::PaintSeparator(const TCacheInfo& Beneath)
{
    TsCommonData& data = *SkinData();
    vcl::TBitmap* cache = data.FCacheBmp.get();
    {
        const TCanvasLock lock(cache->Canvas());
        if (Beneath.Ready && Beneath.Bmp) {
            const TCanvasLock from(Beneath.Bmp->Canvas());
            BitBlt(cache->Canvas()->Handle(), 0, 0, Width(), Height(), Beneath.Bmp->Canvas()->Handle(),
                   Left() + Beneath.X, Top() + Beneath.Y, SRCCOPY);
        } else {
            FillDC(cache->Canvas()->Handle(), TRect(0, 0, Width(), Height()), Beneath.FillColor);
        }
    }
    TsSkinManager* manager = data.SkinManager();
    if (FButtonStyle != TToolButtonStyle::tbsDivider || !manager)
        return;
    const int mask = manager->GetMaskIndex(L"DIVIDER", L"BORDERSMASK");
    if (manager->IsValidImgIndex(mask))
        DrawSkinRect(PixelsOf(cache), TRect(Width() / 2 - 1, 0, Width() / 2 + 1, Height()), CacheView(Beneath),
                     manager->ma[size_t(mask)], 0, true);
}

// The drop-down arrow part; its state, which the main part takes.
int TsSpeedButton::PaintArrowPart(const TCacheInfo& Beneath)
{
    TsCommonData& data = *SkinData();
    const int pressed = FDroppedDown || Down() || FState == TButtonState::bsDown || FState == TButtonState::bsExclusive;
    const int state = pressed ? 2 : ControlIsActive(data) ? 1 : 0;
    const TRect part(Width() - DropDownArrow, 0, Width(), Height());
    const int hue = data.HUEOffset(), saturation = data.Saturation();
    data.SetHUEOffset(0);
    data.SetSaturation(0);
    PaintItem(data, Beneath, state, part, vcl::TPoint(Left() + part.left, Top()), data.FCacheBmp.get(), true);
    data.SetHUEOffset(hue);
    data.SetSaturation(saturation);
    const TsGeneralData& section = data.Section();
    const int props = std::min(state, section.States - 1) > 0 ? 1 : 0;
    const int fontIndex = GetFontIndex(this, data.SkinIndex, data.SkinManager(), state);
    const vcl::TColor colour = fontIndex >= 0 ? data.SkinManager()->gd[size_t(fontIndex)].Props[props].FontColor.Color
                                              : Font()->Color();
    TRect arrow = part;
    if (state == 2)
        arrow.Offset(1, 1);
    const TCanvasLock lock(data.FCacheBmp->Canvas());
    DrawColorArrow(data.FCacheBmp->Canvas(), colour, arrow, 8);
    return state;
}

void TsSpeedButton::PaintMainPart(const TCacheInfo& Beneath, int State)
{
    TsCommonData& data = *SkinData();
    const TRect main(0, 0, Width() - ArrowWidth(), Height());
    vcl::TBitmap* cache = data.FCacheBmp.get();
    const vcl::TPoint at(Left(), Top());
    if (FDrawOverBorder) {
        PaintItem(data, Beneath, State, main, at, cache, true);
        DrawCaption();
        DrawGlyph();
        return;
    }
    PaintItemBG(data, Beneath, State, main, at, cache);
    DrawCaption();
    DrawGlyph();
    TsSkinManager* manager = data.SkinManager();
    if (manager && manager->IsValidImgIndex(data.BorderIndex)) {
        TCacheInfo shifted = Beneath;
        shifted.X += Left();
        shifted.Y += Top();
        DrawSkinRect(PixelsOf(cache), main, CacheView(shifted), manager->ma[size_t(data.BorderIndex)], State, true);
    }
}

// On the cache while skinned, else on the control's canvas.
void TsSpeedButton::DrawCaption()
{
    if (!FShowCaption)
        return;
    vcl::TCanvas* canvas = SkinData()->Skinned() ? SkinData()->FCacheBmp->Canvas() : Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    DoDrawText(CaptionRect(), UINT(GetStringFlags(this, FTextAlignment)) | DT_EXPANDTABS | DT_WORDBREAK);
}

// Skinned, in the section's colours (the disabled look comes over the whole cache); else in the
// font's colour, engraved while disabled.
void TsSpeedButton::DoDrawText(TRect R, UINT Flags)
{
    Flags &= ~UINT(DT_SINGLELINE);
    if (UseRightToLeftReading())
        Flags |= DT_RTLREADING;
    TsCommonData& data = *SkinData();
    vcl::TCanvas* canvas = data.Skinned() ? data.FCacheBmp->Canvas() : Canvas();
    const TCanvasLock lock(canvas);
    acWriteTextEx(canvas, Caption(), data.Skinned() || Enabled(), R, Flags, data, CurrentState() != 0);
}

void TsSpeedButton::DrawGlyph() { PaintButtonGlyph(this, SkinData()->Skinned() ? nullptr : Canvas()); }

// The class library's face (left out when Face is false), then the caption and the glyph; a gap
// shows nothing and a divider a sunken line.
void TsSpeedButton::StdPaint(bool Face)
{
    if (FButtonStyle == TToolButtonStyle::tbsSeparator)
        return;
    if (FButtonStyle == TToolButtonStyle::tbsDivider) {
        RECT line{Width() / 2 - 1, 0, Width() / 2 + 1, Height()};
        DrawEdge(Canvas()->Handle(), &line, BDR_SUNKENOUTER, BF_RECT);
        return;
    }
    if (Face)
        PaintFace();
    DrawCaption();
    DrawGlyph();
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool TsSpeedButton::OpensMenu(vcl::TMouseButton Button, int X) const
{
    return Button == vcl::TMouseButton::mbLeft && Enabled() && FButtonStyle == TToolButtonStyle::tbsDropDown &&
           FDropdownMenu && (X >= Width() - DropDownArrow || !OnClick());
}

void TsSpeedButton::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    FHints.Press();
    if (OpensMenu(Button, X))
        DropDown();
    else
        inherited::MouseDown(Button, Shift, X, Y);
}

void TsSpeedButton::DropDown()
{
    acDroppedDownControl = this;
    StopFade();
    if (MenuOpening)
        return;
    MenuOpening = true;
    const bool clicks = bool(OnClick());
    FDroppedDown = true;
    if (!clicks)
        FState = TButtonState::bsDown;
    SkinData()->BGChanged = true;
    GraphRepaint();
    FDropdownMenu->SetPopupComponent(this);
    const vcl::TPoint at = ClientToScreen(vcl::TPoint(0, Height() + 1));
    FDropdownMenu->Popup(at.x, at.y);
    FDroppedDown = false;
    MenuOpening = false;
    acDroppedDownControl = nullptr;
    if (!clicks)
        FState = TButtonState::bsUp;
    const vcl::TPoint mouse = ScreenToClient(acMousePos());
    if (!ClientRect().Contains(mouse))
        Perform(vcl::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
    // The closed menu's look, whether or not the mouse left.
    SkinData()->BGChanged = true;
    if (SkinData()->Skinned())
        GraphRepaint();
    else
        Repaint();
}

void TsSpeedButton::MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    if (ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
        return;
    FHints.Release();
    if (Button == vcl::TMouseButton::mbLeft && Enabled() && FButtonStyle == TToolButtonStyle::tbsDropDown) {
        FDroppedDown = false;
        acDroppedDownControl = nullptr;
    }
    inherited::MouseUp(Button, Shift, X, Y);
}

void TsSpeedButton::Ac_CMMouseEnter()
{
    TsCommonData& data = *SkinData();
    if (data.FMouseAbove || FButtonStyle == TToolButtonStyle::tbsSeparator ||
        FButtonStyle == TToolButtonStyle::tbsDivider)
        return;
    data.FMouseAbove = true;
    if (TsSkinManager* manager = data.SkinManager())
        manager->SetActiveGraphControl(this);
    RepaintState(false, TacAnimatEvent::aeMouseEnter);
}

void TsSpeedButton::Ac_CMMouseLeave()
{
    TsCommonData& data = *SkinData();
    if (!data.FMouseAbove)
        return;
    data.FMouseAbove = false;
    if (FState == TButtonState::bsDown)
        FState = TButtonState::bsUp;
    if (Visible())
        RepaintState(false, TacAnimatEvent::aeMouseLeave);
}

void TsSpeedButton::RepaintState(bool Clicked, TacAnimatEvent Event)
{
    TsCommonData& data = *SkinData();
    const bool oldLookCached = !data.BGChanged;
    data.BGChanged = true;
    if (EventEnabled(Event, FAnimatEvents, data.SkinManager()) && !aSkinChanging && data.Skinned() &&
        data.Section().FadingEnabled && !acFadingSuspended && oldLookCached) {
        StartFade(Clicked);
    } else {
        if (FFadeTimer && FFadeTimer->Enabled())
            StopFade();
        GraphRepaint();
    }
    ShowGlowingIfNeeded(data, Clicked);
}

void TsSpeedButton::StartFade(bool Half)
{
    if (ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
        return;
    int level = 1;
    if (FFadeTimer) {
        level = FFadeTimer->Iterations - FFadeTimer->FadeLevel;
        vcl::FreeAndNil(FFadeTimer);
    }
    TsCommonData& data = *SkinData();
    if (!data.Section().FadingEnabled || acFadingSuspended)
        return;
    FFadeTimer = vcl::Create<TsAnimTimer>(nullptr);
    FFadeTimer->SetOwnerData(&data);
    if (Half)
        FFadeTimer->Iterations /= 2;
    FFadeTimer->FadeLevel = level;
    vcl::TCanvas* cache = data.FCacheBmp->Canvas();
    PaintOverlappingControls(cache);
    FFadeTimer->BmpFrom()->Assign(data.FCacheBmp.get());
    PrepareCache();
    PaintOverlappingControls(cache);
    UpdateCorners(data, CurrentState());
    FFadeTimer->SetEnabled(true);
    FFadeTimer->DoFade();
}

void TsSpeedButton::StopFade()
{
    if (!FFadeTimer || FFadeTimer->ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
        return;
    const vcl::TComponentState cs = ComponentState();
    if (!cs.Contains(vcl::TComponentStateItem::csDestroying) && !cs.Contains(vcl::TComponentStateItem::csDesigning)) {
        FFadeTimer->SetEnabled(false);
        if (FFadeTimer->FadeLevel != 0) {
            SkinData()->BGChanged = true;
            GraphRepaint();
        }
    }
    vcl::FreeAndNil(FFadeTimer);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsSpeedButton::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    TsCommonData& data = *SkinData();
    const bool own = Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager());
    vcl::TControlStyle style = ControlStyle();
    switch (Cmd) {
    case scmdSkinLoaded:
        if (!own)
            return true;
        CommonWndProc(Message, &data);
        if (data.Skinned())
            SetControlStyle(style << vcl::TControlStyleItem::csOpaque);
        return true;
    case scmdSkinRemoved:
        if (!own || ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
            return true;
        CommonWndProc(Message, &data);
        SetControlStyle(style >> vcl::TControlStyleItem::csOpaque);
        if (Visible())
            Repaint();
        return true;
    case scmdParentUpdated:
        if (!data.FUpdating)
            return false;
        data.FUpdating = false;
        GraphRepaint();
        return true;
    case scmdRedraw:
        data.FUpdating = false;
        data.BGChanged = true;
        GraphRepaint();
        return false;
    case scmdMouseLeave:
        Ac_CMMouseLeave();
        return true;
    case scmdStopFade:  // in every state: a fade the skin outlived still ends
        StopFade();
        return true;
    default:
        return inherited::EarlySkinCommand(Cmd, Message);
    }
}

void TsSpeedButton::UnskinnedMessage(TMessage& Message)
{
    const bool enter = Message.Msg == vcl::CM_MOUSEENTER, leave = Message.Msg == vcl::CM_MOUSELEAVE;
    if ((enter || leave) && Enabled() && !ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) {
        SkinData()->FMouseAbove = enter;
        if (leave && FState == TButtonState::bsDown)
            FState = TButtonState::bsUp;
    }
    InheritedWndProc(Message);
}

bool TsSpeedButton::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (SkinCommandOf(Message)) {
    case scmdQueryChanging:
        Message.Result = data.FUpdating;
        return true;
    case scmdSectionChanged:
        GraphRepaint();
        return true;
    default:
        break;
    }
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (Visible())
            data.BGChanged = true;
        return false;
    case WM_ERASEBKGND:
        return true;
    case WM_LBUTTONUP:
        // The release fades from the full pressed look.
        if (FadeFrame() && !ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) {
            StopFade();
            PrepareCache();
            GraphRepaint();
        }
        return false;
    case vcl::CM_VISIBLECHANGED:
        data.BGChanged = true;
        data.FMouseAbove = false;
        return false;
    case vcl::CM_TEXTCHANGED:
        if (FShowCaption) {
            data.BGChanged = true;
            GraphRepaint();
        }
        return true;
    case vcl::CM_MOUSEENTER:
        if (Enabled() && !FMouseInControl && !ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
            Ac_CMMouseEnter();
        InheritedWndProc(Message);
        return true;
    case vcl::CM_MOUSELEAVE:
        if (Enabled())
            Ac_CMMouseLeave();
        InheritedWndProc(Message);
        return true;
    default:
        return inherited::SkinnedMessage(Message);
    }
}

void TsSpeedButton::AfterInherited(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    const bool designing = ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!designing)
            RepaintState(true, TacAnimatEvent::aeMouseDown);
        break;
    case WM_LBUTTONUP:
        if (!designing)
            RepaintState(true, TacAnimatEvent::aeMouseUp);
        break;
    case vcl::CM_ENABLEDCHANGED:
        if (Visible() || designing) {
            if (!Enabled())
                StopFade();
            data.BGChanged = true;
            if (!ComponentState().Contains(vcl::TComponentStateItem::csLoading))
                GraphRepaint();
        }
        break;
    case vcl::CM_BUTTONPRESSED:
        data.BGChanged = true;
        GraphRepaint();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------

TsTimerSpeedButton::TsTimerSpeedButton(vcl::TComponent* AOwner) : TsSpeedButton(AOwner) { SetWidth(Height() - 4); }

void TsTimerSpeedButton::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"AllowTimer", &TsTimerSpeedButton::AllowTimer, &TsTimerSpeedButton::SetAllowTimer);
}

}  // namespace skin

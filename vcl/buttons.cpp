#include "vcl/buttons.h"

#include "vcl/forms.h"

#include <algorithm>
#include <cstring>

namespace vcl {

void CalcButtonLayout(const TRect& Client, const TPoint& GlyphSize, const TSize& TextSize, TButtonLayout Layout,
                      TAlignment Alignment, int Margin, int Spacing, TPoint& GlyphOrigin, TRect& CaptionRect,
                      int DrawFlags)
{
    if (DrawFlags & DT_RIGHT) {
        if (Layout == TButtonLayout::blGlyphLeft)
            Layout = TButtonLayout::blGlyphRight;
        else if (Layout == TButtonLayout::blGlyphRight)
            Layout = TButtonLayout::blGlyphLeft;
    }
    const int sx = Client.Width();
    const int sy = Client.Height();
    const int gx = GlyphSize.x;
    const int gy = GlyphSize.y;
    const int tcx = TextSize.cx;
    const int tcy = TextSize.cy;
    CaptionRect = TRect(0, 0, tcx, tcy);
    const bool horizontal = Layout == TButtonLayout::blGlyphLeft || Layout == TButtonLayout::blGlyphRight;
    // Across the main axis both parts are centred.
    TPoint glyph;
    TPoint text;
    if (horizontal) {
        glyph.y = (sy - gy + 1) / 2;
        text.y = (sy - tcy + 1) / 2;
    } else {
        glyph.x = (sx - gx + 1) / 2;
        text.x = (sx - tcx + 1) / 2;
    }
    if (tcx == 0 || gx == 0)
        Spacing = 0;
    // Room, glyph and text along the main axis.
    const int room = horizontal ? sx : sy;
    const int glyphLength = horizontal ? gx : gy;
    const int textLength = horizontal ? tcx : tcy;
    if (Margin == -1 && Spacing < 0) {
        Margin = (room - (glyphLength + textLength)) / 3;
        Spacing = Margin;
    } else if (Margin == -1) {
        Margin = Alignment == TAlignment::taCenter ? (room - (glyphLength + Spacing + textLength) + 1) / 2 : 2;
    } else if (Spacing < 0) {
        Spacing = ((room - Margin - glyphLength) - textLength) / 2;
    }
    switch (Layout) {
    case TButtonLayout::blGlyphLeft:
        switch (Alignment) {
        case TAlignment::taLeftJustify:
            glyph.x = Margin;
            text.x = glyph.x + gx + Spacing;
            CaptionRect.right = std::min<LONG>(tcx, Client.right - Margin - text.x);
            break;
        case TAlignment::taRightJustify:
            text.x = sx - Margin - tcx;
            glyph.x = text.x - Spacing - gx;
            break;
        case TAlignment::taCenter:
            glyph.x = std::max(Margin, (sx - tcx - Spacing - gx) / 2);
            text.x = glyph.x + Spacing + gx;
            break;
        }
        break;
    case TButtonLayout::blGlyphRight:
        switch (Alignment) {
        case TAlignment::taLeftJustify:
            text.x = Margin;
            glyph.x = Margin + tcx + Spacing;
            break;
        case TAlignment::taRightJustify:
            glyph.x = sx - Margin - gx;
            text.x = glyph.x - Spacing - tcx;
            break;
        case TAlignment::taCenter:
            text.x = (sx - tcx - Spacing - gx) / 2;
            glyph.x = text.x + Spacing + tcx;
            break;
        }
        break;
    case TButtonLayout::blGlyphTop:
        glyph.y = (sy - gy - Spacing - tcy) / 2;
        text.y = glyph.y + gy + Spacing;
        break;
    case TButtonLayout::blGlyphBottom:
        glyph.y = (sy - gy) - ((sy - gy) - Spacing - tcy) / 2;
        text.y = glyph.y - Spacing - tcy;
        break;
    }
    GlyphOrigin = glyph.Offset(Client.left, Client.top);
    CaptionRect.Offset(Client.left + text.x, Client.top + text.y);
}

namespace {

// A 32-bit glyph with any alpha set is blended; every other one is keyed.
bool HasAlpha(TBitmap* Glyph)
{
    if (Glyph->PixelFormat() != TPixelFormat::pf32bit)
        return false;
    for (int y = 0; y < Glyph->Height(); ++y) {
        auto* row = static_cast<const uint8_t*>(Glyph->ScanLine(y));
        for (int x = 0; x < Glyph->Width(); ++x)
            if (row[x * 4 + 3] != 0)
                return true;
    }
    return false;
}

// Draws image Index of the NumGlyphs images side by side in Glyph at At.
void DrawGlyphImage(TCanvas* Canvas, TBitmap* Glyph, int NumGlyphs, int Index, const TPoint& At)
{
    int w = Glyph->Width() / NumGlyphs;
    int h = Glyph->Height();
    if (Index >= NumGlyphs)
        Index = 0;
    TBitmap image;
    if (HasAlpha(Glyph)) {
        image.SetPixelFormat(TPixelFormat::pf32bit);
        image.SetSize(w, h);
        for (int y = 0; y < h; ++y)
            std::memcpy(image.ScanLine(y), static_cast<uint8_t*>(Glyph->ScanLine(y)) + Index * w * 4, size_t(w) * 4);
        image.SetAlphaFormat(TAlphaFormat::afDefined);
    } else {
        image.SetPixelFormat(TPixelFormat::pf24bit);
        image.SetSize(w, h);
        image.Canvas()->CopyRect(TRect(0, 0, w, h), Glyph->Canvas(), Bounds(Index * w, 0, w, h));
        // The key is the whole strip's: its bottom-left pixel unless a colour was fixed.
        image.SetTransparentColor(Glyph->TransparentColor());
        image.SetTransparent(true);
    }
    Canvas->Draw(At.x, At.y, &image);
}

}  // namespace

// =============================================================================================
// TGlyphProperties

TGlyphProperties::TGlyphProperties() : FGlyph(std::make_unique<TBitmap>())
{
    FGlyph->SetOnChange(TNotifyEvent(this, &TGlyphProperties::GlyphBitmapChanged));
}

TGlyphProperties::~TGlyphProperties() = default;

void TGlyphProperties::GlyphBitmapChanged(TObject*) { GlyphPropertiesChanged(); }

template<class T>
void TGlyphProperties::Change(T& field, T value)
{
    if (ChangeField(field, value))
        GlyphPropertiesChanged();
}

void TGlyphProperties::SetNumGlyphs(int value) { Change(FNumGlyphs, std::clamp(value, 1, 4)); }
void TGlyphProperties::SetLayout(TButtonLayout value) { Change(FLayout, value); }
void TGlyphProperties::SetMargin(int value) { Change(FMargin, value); }
void TGlyphProperties::SetSpacing(int value) { Change(FSpacing, value); }

void TGlyphProperties::DrawGlyphAndCaption(TCanvas* Canvas, const TRect& Client, int Index, const String& Caption,
                                           bool Enabled) const
{
    bool hasGlyph = !FGlyph->Empty();
    TPoint glyphSize = hasGlyph ? TPoint(FGlyph->Width() / FNumGlyphs, FGlyph->Height()) : TPoint();
    TRect measured(0, 0, Client.Width(), 0);
    if (!Caption.empty())
        Canvas->TextRect(measured, Caption, DT_CALCRECT | DT_SINGLELINE);
    TSize textSize = Caption.empty() ? TSize() : measured.Size();
    TPoint glyphOrigin;
    TRect captionRect;
    CalcButtonLayout(Client, glyphSize, textSize, FLayout, TAlignment::taCenter, FMargin, FSpacing, glyphOrigin,
                     captionRect, 0);
    if (hasGlyph)
        DrawGlyphImage(Canvas, FGlyph.get(), FNumGlyphs, Index, glyphOrigin);
    if (Caption.empty())
        return;
    Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    if (!Enabled)
        Canvas->Font()->SetColor(clGrayText);
    Canvas->TextRect(captionRect, Caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// =============================================================================================
// TSpeedButton

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner)
{
    // Clicks come from MouseUp, which knows about groups.
    FControlStyle = {TControlStyleItem::csCaptureMouse, TControlStyleItem::csDoubleClicks};
    FWidth = 23;
    FHeight = 22;
}

TButtonState TSpeedButton::RestingState() const
{
    if (!FEnabled)
        return TButtonState::bsDisabled;
    return FDown ? TButtonState::bsExclusive : TButtonState::bsUp;
}

void TSpeedButton::SetDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (FDown == value || (FDown && !FAllowAllUp))
        return;
    FDown = value;
    FState = RestingState();
    Invalidate();
    if (value)
        UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int value)
{
    if (ChangeField(FGroupIndex, value))
        UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value)
{
    if (ChangeField(FAllowAllUp, value))
        UpdateExclusive();
}

void TSpeedButton::SetFlat(bool value)
{
    if (ChangeField(FFlat, value))
        Invalidate();
}

void TSpeedButton::SetTransparent(bool value)
{
    if (ChangeField(FTransparent, value))
        Invalidate();
}

void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !FParent)
        return;
    TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
    FParent->Broadcast(message);
}

// Another button of the group went down (or changed AllowAllUp): follow it.
void TSpeedButton::CMButtonPressed(TMessage& Message)
{
    auto* sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TControl*>(Message.LParam));
    if (Message.WParam != static_cast<WPARAM>(FGroupIndex) || !sender || sender == this)
        return;
    if (sender->FDown && FDown) {
        FDown = false;
        FState = RestingState();
        Invalidate();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TSpeedButton::SetMouseInControl(bool value)
{
    if (!ChangeField(FMouseInControl, value))
        return;
    if (FFlat)
        Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !FEnabled)
        return;
    if (!FDown) {
        FState = TButtonState::bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    bool inside = ClientRect().Contains(TPoint(X, Y));
    TButtonState state = !FDown && inside ? TButtonState::bsDown : RestingState();
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging)
        return;
    FDragging = false;
    bool inside = ClientRect().Contains(TPoint(X, Y));
    if (inside && FGroupIndex != 0)
        SetDown(!FDown);
    FState = RestingState();
    Invalidate();
    if (inside)
        Click();
}

void TSpeedButton::Paint()
{
    const TRect client = PaintFace();
    Canvas()->SetFont(Font());
    DrawGlyphAndCaption(Canvas(), client, static_cast<int>(FState), Caption(), FEnabled);
}

TRect TSpeedButton::PaintFace()
{
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    bool pressed = FState == TButtonState::bsDown || FState == TButtonState::bsExclusive;
    if (!FFlat) {
        UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
        if (pressed)
            state |= DFCS_PUSHED;
        if (FState == TButtonState::bsExclusive)
            state |= DFCS_CHECKED;
        RECT face = client;
        DrawFrameControl(canvas->Handle(), &face, DFC_BUTTON, state);
        client = face;
    } else {
        if (!FTransparent || pressed) {
            canvas->Brush()->SetColor(clBtnFace);
            canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
            canvas->FillRect(client);
        }
        if (pressed || FMouseInControl) {
            RECT edge = client;
            DrawEdge(canvas->Handle(), &edge, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        client.Inflate(-1, -1);
    }
    if (pressed)
        client.Offset(1, 1);
    return client;
}

void TSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_BUTTONPRESSED: CMButtonPressed(Message); return;
    case CM_ENABLEDCHANGED:
        FState = RestingState();
        TGraphicControl::Dispatch(Message);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (Message.LParam == reinterpret_cast<LPARAM>(this))
            SetMouseInControl(Message.Msg == CM_MOUSEENTER);
        TGraphicControl::Dispatch(Message);
        return;
    case CM_DIALOGCHAR:
        if (FEnabled && Showing() && IsAccel(static_cast<wchar_t>(Message.WParam), Caption())) {
            Click();
            Message.Result = 1;
        }
        return;
    default: TGraphicControl::Dispatch(Message); return;
    }
}

// =============================================================================================
// TBitBtn

namespace {

struct TBitBtnKindInfo {
    const wchar_t* Caption;
    int ModalResult;
    bool Default;
    bool Cancel;
};

// Per kind, in the order of TBitBtnKind (bkCustom first, which changes nothing).
const TBitBtnKindInfo BitBtnKinds[] = {
    {L"", mrNone, false, false},         {L"OK", mrOk, true, false},         {L"Cancel", mrCancel, false, true},
    {L"&Help", mrNone, false, false},    {L"&Yes", mrYes, true, false},      {L"&No", mrNo, false, true},
    {L"&Close", mrNone, false, false},   {L"Abort", mrAbort, false, true},   {L"&Retry", mrRetry, false, false},
    {L"&Ignore", mrIgnore, false, false}, {L"&All", mrAll, false, false},
};

}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {}

// Owner drawn: the system then knows no default push button, so SetButtonStyle repaints instead.
void TBitBtn::CreateParams(TCreateParams& Params)
{
    TButton::CreateParams(Params);
    Params.Style = (Params.Style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool ADefault)
{
    if (FIsDefault == ADefault)
        return;
    FIsDefault = ADefault;
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind value)
{
    if (!ChangeField(FKind, value))
        return;
    if (value == TBitBtnKind::bkCustom)
        return;
    const TBitBtnKindInfo& info = BitBtnKinds[static_cast<int>(value)];
    SetCaption(info.Caption);
    SetModalResult(info.ModalResult);
    SetDefault(info.Default);
    SetCancel(info.Cancel);
}

void TBitBtn::CNDrawItem(TMessage& Message)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    bool pressed = dis->itemState & ODS_SELECTED;
    bool disabled = dis->itemState & ODS_DISABLED;
    TRect client = dis->rcItem;
    FCanvas->PaintOn(dis->hDC, [&] {
        if (FIsDefault || pressed) {
            FCanvas->Brush()->SetColor(clWindowFrame);
            FCanvas->FrameRect(client);
            client.Inflate(-1, -1);
        }
        RECT face = client;
        DrawFrameControl(dis->hDC, &face, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
        client = face;
        if (pressed)
            client.Offset(1, 1);
        // Images: up, disabled, down.
        FCanvas->SetFont(Font());
        DrawGlyphAndCaption(FCanvas.get(), client, disabled ? 1 : pressed ? 2 : 0, Caption(), !disabled);
        if (dis->itemState & ODS_FOCUS)
            FCanvas->DrawFocusRect(client.Inflated(-1, -1));
    });
    Message.Result = TRUE;
}

void TBitBtn::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_DRAWITEM) {
        CNDrawItem(Message);
        return;
    }
    TButton::Dispatch(Message);
}

}  // namespace vcl

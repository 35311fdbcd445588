#include "skin/controls/sButton.h"

#include <windowsx.h>

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

TsButton::TsButton(vcl::TComponent* AOwner) : TsButtonControl(AOwner, ckButton)
{
    vcl::TControlStyle style = ControlStyle();
    SetControlStyle(style >> vcl::TControlStyleItem::csOpaque >> vcl::TControlStyleItem::csDoubleClicks);
    SetWordWrap(true);
}

void TsButton::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsButton::SkinData, &TsButton::SetSkinData);
    PublishAnimatEvents<TsButton>(Table);
    Table.Add(L"Down", &TsButton::Down, &TsButton::SetDown);
    Table.Add(L"FocusMargin", &TsButton::FocusMargin, &TsButton::SetFocusMargin);
    Table.Add(L"ContentMargin", &TsButton::ContentMargin, &TsButton::SetContentMargin);
    Table.Add(L"ShowFocus", &TsButton::ShowFocus, &TsButton::SetShowFocus);
    Table.Add(L"Reflected", &TsButton::Reflected, &TsButton::SetReflected);
    Table.Add(L"Style", &TsButton::Style, &TsButton::SetStyle);
}

// ---------------------------------------------------------------------------------------------
// Properties

template<class T>
void TsButton::Changed(T& Field, const T& Value)
{
    if (vcl::ChangeField(Field, Value))
        SkinData()->Invalidate();
}

void TsButton::SetContentMargin(int Value) { Changed(FContentMargin, Value); }

void TsButton::SetStyle(TButtonStyle Value) { Changed(FStyle, Value); }

void TsButton::SetImages(vcl::TCustomImageList* Value)
{
    if (Value)
        Value->FreeNotification(this);
    Changed(FImages, Value);
}

void TsButton::SetImageIndexOf(int Look, int Value) { Changed(FImageIndex[Look], Value); }

void TsButton::SetImageAlignment(TImageAlignment Value) { Changed(FImageAlignment, Value); }

void TsButton::SetImageMargins(const TImageMargins& Value)
{
    FImageMargins = Value;
    SkinData()->Invalidate();
}

void TsButton::SetCommandLinkHint(const vcl::String& Value) { Changed(FCommandLinkHint, Value); }

void TsButton::SetDropDownMenu(vcl::TPopupMenu* Value)
{
    if (Value == FDropDownMenu)
        return;
    FDropDownMenu = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TsButton::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation != vcl::TOperation::opRemove)
        return;
    if (AComponent == FDropDownMenu)
        FDropDownMenu = nullptr;
    if (AComponent == FImages)
        FImages = nullptr;
}

void TsButton::ActionChange(vcl::TObject* Sender, bool CheckDefaults)
{
    inherited::ActionChange(Sender, CheckDefaults);
    if (const auto* action = dynamic_cast<const vcl::TCustomAction*>(Sender))
        SetEnabled(action->Enabled());
    SkinData()->Invalidate();  // the look follows the action's state even where the button's stays
}

// ---------------------------------------------------------------------------------------------
// State and layout

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
    canvas->TextRect(r, Text, Flags | DT_CALCRECT);  // in the font, which the DC may not hold yet
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
    s.Reflected = Reflected();
    return s;
}

// ---------------------------------------------------------------------------------------------
// Rendering

void TsButton::PrepareCache()
{
    TsCommonData& data = *SkinData();
    const TCacheInfo beneath = BeginCache();
    vcl::TBitmap* cache = data.FCacheBmp.get();
    const int state = ClippedState();
    PaintItemBG(data, beneath, state, TRect(0, 0, Width(), Height()), vcl::TPoint(Left(), Top()), cache);
    PaintBorder(beneath, state, true);
    ApplyColours();
    DrawGlyph();
    DrawCaption(nullptr);
    if (FStyle == TButtonStyle::bsSplitButton) {
        const TsGeneralData& section = data.Section();
        PaintSplitPart(cache->Canvas(), vcl::TColor(section.Props[state > 0 ? 1 : 0].FontColor.Color));
    }
    FinishCache(beneath);
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
        DrawAlphaImgList(FImages, cache, r.left, r.top, GlyphIndex(), 0, vcl::clNone, 0, 1, Reflected());
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
    // Skinned, the disabled look is laid over the whole cache afterwards; without a skin a
    // disabled caption is written greyed.
    const bool enabledLook = data.Skinned() || Enabled();
    const TCanvasLock lock(canvas);
    const auto write = [&](const vcl::String& Text, TRect& R) {
        acWriteTextEx(canvas, Text, enabledLook, R, flags, data, hot);
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
    DrawFocusFrame(canvas, r);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsButton::StdDrawContent(vcl::TCanvas* Canvas)
{
    DrawCaption(Canvas);
    PaintButtonGlyph(this, Canvas);
    if (FStyle == TButtonStyle::bsSplitButton)
        PaintSplitPart(Canvas, Font()->Color());
}

// ---------------------------------------------------------------------------------------------
// The drop-down part

bool TsButton::OnDropDownPart(const vcl::TMessage& Message) const
{
    if (FStyle != TButtonStyle::bsSplitButton || !FDropDownMenu ||
        (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_LBUTTONDBLCLK))
        return false;
    const int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
    return TRect(Width() - SplitPart, 0, Width(), Height()).Contains(vcl::TPoint(x, y));
}

void TsButton::DropDown()
{
    FDroppedDown = true;
    SkinData()->BGChanged = true;
    Repaint();
    const vcl::TPoint at = ClientToScreen(vcl::TPoint(0, Height()));
    FDropDownMenu->SetPopupComponent(this);
    FDropDownMenu->Popup(at.x, at.y);
    FDroppedDown = false;
    SkinData()->BGChanged = true;
    Repaint();
}

// A press on the drop-down part opens the menu instead of pressing the button; the system button
// never sees it, so that it does not stay pushed after the menu took the release.
void TsButton::WndProc(TMessage& Message)
{
    if (OnDropDownPart(Message) && Enabled()) {
        DropDown();
        return;
    }
    inherited::WndProc(Message);
}

}  // namespace skin

#include "skin/controls/sBitBtn.h"

#include <algorithm>

#include "vcl/actnlist.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;

TsBitBtn::TsBitBtn(vcl::TComponent* AOwner)
    : TsButtonControl(AOwner, ckBitBtn), FImageChangeLink(std::make_unique<vcl::TChangeLink>())
{
    SetControlStyle(ControlStyle() >> vcl::TControlStyleItem::csOpaque);
    FImageChangeLink->SetOnChange(vcl::TNotifyEvent(this, &TsBitBtn::ImageListChange));
    FOldSpacing = Spacing();
    FOldLayout = Layout();
    SetWordWrap(true);
}

TsBitBtn::~TsBitBtn()
{
    vcl::ChangeImageList(this, FImages, nullptr, *FImageChangeLink);
}

void TsBitBtn::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsBitBtn::SkinData, &TsBitBtn::SetSkinData);
    PublishAnimatEvents<TsBitBtn>(Table);
    Table.Add(L"Alignment", &TsBitBtn::Alignment, &TsBitBtn::SetAlignment);
    Table.Add(L"Blend", &TsBitBtn::Blend, &TsBitBtn::SetBlend);
    Table.Add(L"Down", &TsBitBtn::Down, &TsBitBtn::SetDown);
    Table.Add(L"FocusMargin", &TsBitBtn::FocusMargin, &TsBitBtn::SetFocusMargin);
    Table.Add(L"Grayed", &TsBitBtn::Grayed, &TsBitBtn::SetGrayed);
    Table.Add(L"ImageIndex", &TsBitBtn::ImageIndex, &TsBitBtn::SetImageIndex);
    Table.Add(L"Reflected", &TsBitBtn::Reflected, &TsBitBtn::SetReflected);
    Table.Add(L"ShowCaption", &TsBitBtn::ShowCaption, &TsBitBtn::SetShowCaption);
    Table.Add(L"ShowFocus", &TsBitBtn::ShowFocus, &TsBitBtn::SetShowFocus);
    Table.Add(L"DrawOverBorder", &TsBitBtn::DrawOverBorder, &TsBitBtn::SetDrawOverBorder);
    Table.Add(L"TextOffset", &TsBitBtn::TextOffset, &TsBitBtn::SetTextOffset);
    Table.Add(L"TextAlignment", &TsBitBtn::TextAlignment, &TsBitBtn::SetTextAlignment);
}

void TsBitBtn::Loaded()
{
    inherited::Loaded();
    if (ImageIndexValid())
        Glyph()->Assign(nullptr);
}

void TsBitBtn::Invalidate()
{
    if (vcl::ChangeField(FOldLayout, Layout()))
        SkinData()->BGChanged = true;
    inherited::Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Properties

void TsBitBtn::SetBlend(int Value) { Changed(FBlend, std::clamp(Value, 0, 100)); }

void TsBitBtn::SetImages(vcl::TCustomImageList* Value)
{
    if (!vcl::ChangeImageList(this, FImages, Value, *FImageChangeLink))
        return;
    SkinData()->Invalidate();
}

void TsBitBtn::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == vcl::TOperation::opRemove && AComponent == FImages)
        SetImages(nullptr);
}

void TsBitBtn::ImageListChange(vcl::TObject*)
{
    if (FImages)
        SkinData()->Invalidate();
}

void TsBitBtn::GlyphPropertiesChanged() { ShowGlyphChange(*this, *SkinData()); }

void TsBitBtn::SetButtonStyle(bool ADefault)
{
    vcl::TBitBtn::SetButtonStyle(ADefault);
    inherited::SetButtonStyle(ADefault);
}

void TsBitBtn::ActionChange(vcl::TObject* Sender, bool CheckDefaults)
{
    inherited::ActionChange(Sender, CheckDefaults);
    if (const auto* action = dynamic_cast<const vcl::TCustomAction*>(Sender))
        FImageIndex = action->ImageIndex();
    SkinData()->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Layout

bool TsBitBtn::ImageIndexValid() const { return HasImage(FImages, FImageIndex); }

int TsBitBtn::GlyphWidth() const
{
    if (ImageIndexValid())
        return FImages->Width() / NumGlyphs();
    return Glyph()->Width() > 0 ? Glyph()->Width() / NumGlyphs() : 0;
}

int TsBitBtn::GlyphHeight() const
{
    if (ImageIndexValid())
        return FImages->Height();
    return std::max(Glyph()->Height(), 0);
}

int TsBitBtn::CaptionAreaWidth()
{
    if (!FShowCaption || Caption().empty())
        return 0;
    const bool side = Layout() == vcl::TButtonLayout::blGlyphLeft || Layout() == vcl::TButtonLayout::blGlyphRight;
    const int glyph = side && GlyphWidth() > 0 ? GlyphWidth() + Spacing() : 0;
    return Width() - 2 * Margin() - glyph;
}

vcl::TSize TsBitBtn::TextRectSize()
{
    const int width = CaptionAreaWidth();
    if (width <= 0)
        return {0, 0};
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    vcl::TCanvas* canvas = data.FCacheBmp->Canvas();
    canvas->SetFont(Font());
    const TCanvasLock lock(canvas);
    TRect r(0, 0, width, 0);
    const UINT flags = UINT(GetStringFlags(this, FTextAlignment)) | DT_CALCRECT | DT_EXPANDTABS |
                       (WordWrap() ? DT_WORDBREAK : 0);
    canvas->TextRect(r, Caption(), flags);  // in the font, which the DC may not hold yet
    return {r.Width(), r.Height()};
}

// A caption wider than its room is placed as wide as the room, so that the glyph keeps its place,
// and never reaches past the button: what does not fit ends in an ellipsis.
void TsBitBtn::PlaceGlyphAndCaption()
{
    TRect caption;
    vcl::TSize text = TextRectSize();
    text.cx = std::min<LONG>(text.cx, std::max(CaptionAreaWidth(), 0));
    vcl::CalcButtonLayout(TRect(0, 0, Width(), Height()), vcl::TPoint(GlyphWidth(), GlyphHeight()), text,
                          Layout(), FAlignment, Margin(), Spacing(), FGlyphPos, caption,
                          UseRightToLeftAlignment() ? DT_RIGHT : 0);
    caption.left = std::max<LONG>(caption.left, 0);
    caption.right = std::min<LONG>(caption.right, Width());
    FCaptionRect = caption;
}

TRect TsBitBtn::ImgRect()
{
    TRect r(FGlyphPos.x, FGlyphPos.y, FGlyphPos.x + GlyphWidth(), FGlyphPos.y + GlyphHeight());
    if (CurrentState() == 2)
        r.Offset(1, 1);
    if (Reflected())
        r.Offset(0, -r.Width() / 6);
    return r;
}

TGlyphSource TsBitBtn::GlyphSource()
{
    return ButtonGlyphSource(*this, ImgRect(), CurrentState());
}

// ---------------------------------------------------------------------------------------------
// Rendering

void TsBitBtn::CheckStale()
{
    if (vcl::ChangeField(FOldSpacing, Spacing()))
        SkinData()->BGChanged = true;
}

void TsBitBtn::PrepareCache()
{
    TsCommonData& data = *SkinData();
    const TCacheInfo beneath = BeginCache();
    const int state = ClippedState();
    PaintItemBG(data, beneath, state, TRect(0, 0, Width(), Height()), vcl::TPoint(Left(), Top()),
                data.FCacheBmp.get());
    PaintBorder(beneath, state, FDrawOverBorder);
    ApplyColours();
    PlaceGlyphAndCaption();
    if (FShowCaption)
        DrawCaption(nullptr);
    PaintButtonGlyph(this);
    if (!FDrawOverBorder)
        PaintBorder(beneath, state, true);
    FinishCache(beneath);
    if (FOnPaint)
        FOnPaint(this, data.FCacheBmp.get());
}

void TsBitBtn::DrawCaption(vcl::TCanvas* Canvas)
{
    TsCommonData& data = *SkinData();
    vcl::TCanvas* canvas = Canvas ? Canvas : data.FCacheBmp->Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
    TRect r = FCaptionRect;
    if (CurrentState() == 2)
        r.Offset(1, 1);
    UINT flags = UINT(GetStringFlags(this, FTextAlignment)) | DT_END_ELLIPSIS | DT_EXPANDTABS;
    if (WordWrap())
        flags |= DT_WORDBREAK;
    if (UseRightToLeftReading())
        flags |= DT_RTLREADING;
    const TCanvasLock lock(canvas);
    DoDrawText(canvas, r, flags);
    DrawFocusFrame(canvas, r);
}

// Skinned, in the section's colours (the disabled look comes over the whole cache); else in the
// font's colour, engraved while disabled.
void TsBitBtn::DoDrawText(vcl::TCanvas* Canvas, TRect R, UINT Flags)
{
    const TsCommonData& data = *SkinData();
    acWriteTextEx(Canvas, Caption(), data.Skinned() || Enabled(), R, Flags, data, CurrentState() != 0);
}

void TsBitBtn::StdDrawContent(vcl::TCanvas* Canvas)
{
    PlaceGlyphAndCaption();
    DrawCaption(Canvas);
    PaintButtonGlyph(this, Canvas);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsBitBtn::ReleaseWithoutPress()
{
    EndFade();
    return true;
}

bool TsBitBtn::SkinnedMessage(TMessage& Message)
{
    if (Message.Msg == WM_SETTEXT && Showing()) {
        StopFade();
        WithoutRedraw(true, [&] { InheritedWndProc(Message); });
        return true;
    }
    return inherited::SkinnedMessage(Message);
}

}  // namespace skin

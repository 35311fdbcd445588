#include "skin/core/sBoundLabel.h"

#include "vcl/messages.h"

namespace skin {

using vcl::TAlignment;

namespace {

// Where the label's left edge lies: left of the control, or level with its left edge, its centre
// or its right edge.
enum class TAcross { Before, Start, Centre, End };
// Where the label's top lies: centred on the control's height less a pixel, above it, 3 pixels
// below its top, or below it.
enum class TDown { Centred, Above, Level, Below };

struct TLayoutRule {
    TAcross Across;
    TDown Down;
    TAlignment Alignment;
};

// By TsCaptionLayout.
constexpr TLayoutRule LayoutRules[] = {
    {TAcross::Before, TDown::Centred, TAlignment::taRightJustify},  // sclLeft
    {TAcross::Start, TDown::Above, TAlignment::taLeftJustify},      // sclTopLeft
    {TAcross::Centre, TDown::Above, TAlignment::taCenter},          // sclTopCenter
    {TAcross::End, TDown::Above, TAlignment::taRightJustify},       // sclTopRight
    {TAcross::Before, TDown::Level, TAlignment::taLeftJustify},     // sclLeftTop
    {TAcross::Start, TDown::Below, TAlignment::taLeftJustify},      // sclBottomLeft
    {TAcross::Centre, TDown::Below, TAlignment::taCenter},          // sclBottomCenter
    {TAcross::End, TDown::Below, TAlignment::taRightJustify},       // sclBottomRight
};

const TLayoutRule& RuleOf(TsCaptionLayout Layout) { return LayoutRules[size_t(Layout)]; }

// The gap a label left of its control keeps beyond the indent.
constexpr int GapBefore = 4;
// How far short of the maximum width a label starts wrapping.
constexpr int WrapMargin = 4;

}  // namespace

vcl::TPoint BoundLabelPlace(TsCaptionLayout Layout, const vcl::TRect& Control, const vcl::TSize& Label, int Indent)
{
    const TLayoutRule& rule = RuleOf(Layout);
    int left = 0, top = 0;
    switch (rule.Across) {
    case TAcross::Before: left = Control.left - Label.Width() - Indent - GapBefore; break;
    case TAcross::Start: left = Control.left; break;
    case TAcross::Centre: left = Control.left + (Control.Width() - Label.Width()) / 2; break;
    case TAcross::End: left = Control.right - Label.Width(); break;
    }
    switch (rule.Down) {
    case TDown::Centred: top = Control.top + (Control.Height() - Label.Height()) / 2 - 1; break;
    case TDown::Above: top = Control.top - Label.Height() - Indent; break;
    case TDown::Level: top = Control.top + 3; break;
    case TDown::Below: top = Control.bottom + Indent; break;
    }
    return vcl::TPoint(left, top);
}

TAlignment BoundLabelAlignment(TsCaptionLayout Layout) { return RuleOf(Layout).Alignment; }

bool BoundLabelWraps(int Width, int MaxWidth) { return Width >= MaxWidth - WrapMargin; }

// ---------------------------------------------------------------------------------------------
// TsBoundLabel

TsBoundLabel::TsBoundLabel(vcl::TWinControl* AOwner, TsCommonData* CommonData)
    : FOwner(AOwner), FFont(std::make_unique<vcl::TFont>()), FCommonData(CommonData)
{
}

TsBoundLabel::~TsBoundLabel() { vcl::FreeAndNil(FTheLabel); }

void TsBoundLabel::LabelGone()
{
    FTheLabel = nullptr;
    FActive = false;
}

void TsBoundLabel::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    if (!Value) {
        vcl::FreeAndNil(FTheLabel);
        FActive = false;
        return;
    }
    FActive = true;
    if (!FTheLabel)
        FTheLabel = MakeLabel();
    vcl::TCustomLabel& label = *FTheLabel;
    label.SetVisible(false);
    label.SetParent(FOwner->Parent());
    label.SetFocusControl(FOwner);
    UpdateAlignment();
    label.SetName(FOwner->Name() + L"Label");
    if (FText.empty())
        FText = FOwner->Name();
    label.SetCaption(FText);
    label.SetVisible(FOwner->Visible() || FOwner->ComponentState().Contains(vcl::TComponentStateItem::csDesigning));
    label.SetEnabled(FOwner->Enabled());
    label.SetAutoSize(true);
    AlignLabel();
}

void TsBoundLabel::SetCaption(const vcl::String& Value)
{
    if (Value == FText)
        return;
    FText = Value;
    if (!FTheLabel)
        return;
    FTheLabel->SetCaption(FText);
    AlignLabel();
}

void TsBoundLabel::SetLayout(TsCaptionLayout Value)
{
    if (Value == FLayout)
        return;
    FLayout = Value;
    UpdateAlignment();
    AlignLabel();
}

void TsBoundLabel::SetIndent(int Value)
{
    if (Value == FIndent)
        return;
    FIndent = Value;
    AlignLabel();
}

void TsBoundLabel::SetMaxWidth(int Value)
{
    if (Value == FMaxWidth)
        return;
    FMaxWidth = Value;
    AlignLabel();
}

vcl::TFont* TsBoundLabel::Font() const { return FTheLabel ? FTheLabel->Font() : FFont.get(); }

void TsBoundLabel::SetFont(vcl::TFont* Value)
{
    if (!FTheLabel)
        return;
    FTheLabel->SetFont(Value);
    FTheLabel->SetParent(FOwner->Parent());
    AlignLabel();
}

bool TsBoundLabel::UseSkinColor() const { return FTheLabel ? LabelUsesSkinColor() : true; }

void TsBoundLabel::SetUseSkinColor(bool Value)
{
    if (FTheLabel)
        SetLabelUsesSkinColor(Value);
}

void TsBoundLabel::UpdateAlignment()
{
    if (FTheLabel)
        FTheLabel->SetAlignment(BoundLabelAlignment(FLayout));
}

void TsBoundLabel::AlignLabel()
{
    if (!FTheLabel || !FTheLabel->Visible())
        return;
    vcl::TCustomLabel& label = *FTheLabel;
    label.Constraints()->SetMaxWidth(FMaxWidth);
    const vcl::TPoint at =
        BoundLabelPlace(FLayout, FOwner->BoundsRect(), vcl::TSize(label.Width(), label.Height()), FIndent);
    label.SetLeft(at.x);
    label.SetTop(at.y);
    label.SetParent(FOwner->Parent());
    if (FMaxWidth != 0)
        label.SetWordWrap(BoundLabelWraps(label.Width(), FMaxWidth));
}

void TsBoundLabel::FollowControl(UINT Msg, TsDisabledKind DisabledKind)
{
    if (!FTheLabel)
        return;
    switch (Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: break;
    case vcl::CM_VISIBLECHANGED: FTheLabel->SetVisible(FOwner->Visible()); break;
    case vcl::CM_ENABLEDCHANGED:
        FTheLabel->SetEnabled(FOwner->Enabled() || !DisabledKind.Contains(TsDisabledKindItem::dkBlended));
        break;
    // The class library keeps every control left to right: there is no reading order to copy.
    case vcl::CM_BIDIMODECHANGED: break;
    default: return;
    }
    AlignLabel();
}

}  // namespace skin

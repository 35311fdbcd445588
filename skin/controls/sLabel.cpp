#include "skin/controls/sLabel.h"

#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/forms_scrolling.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TColor;
using vcl::TRect;

namespace {

// Set while one label's Paint adjusts its font: the font changes it makes are no news.
bool LabelPainting = false;
// Set while one label handles CM_FONTCHANGED.
bool LabelFontChanging = false;

bool DesignedInFrame(const vcl::TControl* Control)
{
    return Control->ComponentState().Contains(vcl::TComponentStateItem::csDesigning) &&
           dynamic_cast<const vcl::TCustomFrame*>(Control->Owner());
}

}  // namespace

// =============================================================================================
// TsCustomLabel

TsCustomLabel::TsCustomLabel(vcl::TComponent* AOwner) : vcl::TCustomLabel(AOwner) { SetTransparent(true); }

TsSkinManager* TsCustomLabel::ManagerInForce()
{
    TsSkinManager* manager = DefaultManager;
    return manager && !ComponentDestroying(manager) && manager->SkinData && manager->SkinData->Active ? manager
                                                                                                      : nullptr;
}

void TsCustomLabel::SetSkinSection(const vcl::String& Value)
{
    if (FSkinSection == Value)
        return;
    FSkinSection = Value;
    Repaint();
}

void TsCustomLabel::TakeFontColor(TColor Color)
{
    if (Color != vcl::clFuchsia && Color != Font()->Color())
        Font()->SetColor(Color);
}

vcl::TFont* TsCustomLabel::GetCurrentFont()
{
    if (TsSkinManager* manager = ManagerInForce()) {
        const int index = GetFontIndex(this, -1, manager, 0);
        TakeFontColor(index >= 0 ? manager->gd[size_t(index)].FontColor.Color : manager->GetGlobalFontColor());
    }
    return Font();
}

void TsCustomLabel::AdjustFont()
{
    const TFlagScope painting(LabelPainting);
    if (vcl::TFont* font = GetCurrentFont(); font != Font())
        Font()->Assign(font);
    TsSkinManager* manager = ManagerInForce();
    if (FSkinSection.empty() || !manager)
        return;
    FSkinIndex = manager->GetSkinIndex(FSkinSection);
    if (FSkinIndex >= 0) {
        const TColor own = manager->gd[size_t(FSkinIndex)].FontColor.Color;
        if (own != Font()->Color())
            Font()->SetColor(own);
    }
}

void TsCustomLabel::Paint()
{
    FSkinIndex = -1;
    if (!IsDestroying()) {
        if (!LabelPainting)
            AdjustFont();
        // The skin's first section gives its font colour but is never laid under a label.
        if (FSkinIndex > 0)
            PaintItem(FSkinIndex, FSkinSection, GetParentCache(this), 0, TRect(0, 0, Width(), Height()),
                      vcl::TPoint(Left(), Top()), Canvas()->Handle(), DefaultManager);
    }
    vcl::TCustomLabel::Paint();
    FSkinIndex = -1;
}

void TsCustomLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    if (Enabled() || !ManagerInForce()) {
        vcl::TCustomLabel::DoDrawText(Rect, Flags);
        return;
    }
    const vcl::String text = DrawnText(Flags);
    vcl::TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Font()->SetColor(MixColors(TColor(vcl::ColorToRGB(Font()->Color())), GetControlColor(Parent()), 0.4));
    canvas->TextRect(Rect, text, Flags);
}

void TsCustomLabel::WndProc(vcl::TMessage& Message)
{
    if (Message.Msg == vcl::CM_FONTCHANGED && !IsDestroying() && !LabelFontChanging) {
        if (!LabelPainting) {
            const TFlagScope changing(LabelFontChanging);
            AdjustBounds();
            Invalidate();
        }
        return;
    }
    vcl::TCustomLabel::WndProc(Message);
    switch (SkinCommandOf(Message)) {
    case scmdSkinRemoved:
        if (Message.LParam == reinterpret_cast<LPARAM>(DefaultManager) && !IsDestroying())
            TakeFontColor(vcl::clWindowText);
        break;
    case scmdRepaint:
        if (ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
            Invalidate();
        break;
    default: break;
    }
}

// =============================================================================================
// TsLabel

void TsLabel::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"UseSkinColor", &TsLabel::UseSkinColor, &TsLabel::SetUseSkinColor);
}

TsLabel::TsLabel(vcl::TComponent* AOwner) : TsCustomLabel(AOwner) {}

bool TsLabel::FollowsSkin() const { return !IsDestroying() && FUseSkinColor && !DesignedInFrame(this); }

vcl::TFont* TsLabel::GetCurrentFont() { return FollowsSkin() ? TsCustomLabel::GetCurrentFont() : Font(); }

void TsLabel::WndProc(vcl::TMessage& Message)
{
    if (SkinCommandOf(Message) != scmdSkinRemoved) {
        TsCustomLabel::WndProc(Message);
        return;
    }
    if (DefaultManager && Message.LParam == reinterpret_cast<LPARAM>(DefaultManager) && FollowsSkin())
        TakeFontColor(vcl::clWindowText);
}

// =============================================================================================
// TsEditLabel

TsEditLabel::TsEditLabel(vcl::TComponent* AOwner, TsBoundLabel* BoundLabel) : TsLabel(AOwner), FBoundLabel(BoundLabel)
{
}

TsEditLabel::~TsEditLabel()
{
    if (FBoundLabel)
        FBoundLabel->LabelGone();
}

// =============================================================================================
// TsEditBoundLabel

vcl::TCustomLabel* TsEditBoundLabel::MakeLabel() { return vcl::Create<TsEditLabel>(Owner(), this); }

}  // namespace skin

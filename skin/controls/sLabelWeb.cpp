// The link label.
#include "skin/controls/sLabel.h"

#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "vcl/application.h"
#include "vcl/properties.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TColor;

namespace {

// The font colours of the skin's global section; none without a skin in force or the section.
const TsFontColor* GlobalFontColours(const TsSkinManager* Manager)
{
    if (!Manager || !Manager->IsValidSkinIndex(Manager->ConstData.IndexGLobalInfo))
        return nullptr;
    return &Manager->gd[size_t(Manager->ConstData.IndexGLobalInfo)].FontColor;
}

// A contour colour that is not set.
constexpr TColor NoColour = TColor(-1);

}  // namespace

void TsWebLabel::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"Font", &TsWebLabel::Font, &TsWebLabel::SetFont);
    Table.Add(L"HoverFont", &TsWebLabel::HoverFont, &TsWebLabel::SetHoverFont);
    Table.Add(L"ShowMode", &TsWebLabel::ShowMode, &TsWebLabel::SetShowMode);
}

TsWebLabel::TsWebLabel(vcl::TComponent* AOwner)
    : TsLabel(AOwner), FNormalFont(std::make_unique<vcl::TFont>()), FHoverFont(std::make_unique<vcl::TFont>())
{
    SetCursor(vcl::TCursor::crHandPoint);
    SetTransparent(true);
}

TsWebLabel::~TsWebLabel() = default;

void TsWebLabel::Loaded()
{
    TsLabel::Loaded();
    Font()->Assign(FNormalFont.get());
}

void TsWebLabel::SetFont(vcl::TFont* Value)
{
    Font()->Assign(Value);
    FNormalFont->Assign(Value);
    Repaint();
}

void TsWebLabel::SetHoverFont(vcl::TFont* Value) { FHoverFont->Assign(Value); }

vcl::TFont* TsWebLabel::GetCurrentFont()
{
    const bool designing = ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
    return FMouseAbove && !designing ? CurrentHoverFont() : CurrentNormalFont();
}

vcl::TFont* TsWebLabel::CurrentHoverFont()
{
    TColor colour = FHoverFont->Color();
    if (const TsFontColor* global = GlobalFontColours(ManagerInForce()); global && UseSkinColor())
        colour = global->Top;
    FHoverFont->SetColor(colour == NoColour ? TColor(0x0000FF) : colour);
    return FHoverFont.get();
}

vcl::TFont* TsWebLabel::CurrentNormalFont()
{
    TsSkinManager* manager = ManagerInForce();
    if (!manager || !FollowsSkin())
        return FNormalFont.get();
    TColor colour = FNormalFont->Color();
    if (const int index = GetFontIndex(this, -1, manager, 0); index >= 0)
        colour = manager->gd[size_t(index)].FontColor.Color;
    else if (const TsFontColor* global = GlobalFontColours(manager); global && global->Bottom != NoColour)
        colour = global->Bottom;  // a contour colour that is not set is no text colour
    if (colour != vcl::clFuchsia)
        FNormalFont->SetColor(colour);
    return FNormalFont.get();
}

void TsWebLabel::FollowMouse(bool Above)
{
    if (Enabled()) {
        FMouseAbove = Above;
        if (AutoSize()) {
            Invalidate();
            Update();
            AdjustBounds();
        }
    }
    if (Parent() && Parent()->HandleAllocated()) {
        const RECT bounds = BoundsRect();
        InvalidateRect(Parent()->Handle(), &bounds, TRUE);
    }
}

void TsWebLabel::TakeParentFont()
{
    if (!ParentFont() || !Parent())
        return;
    vcl::TFont* font = Parent()->Font();
    FNormalFont->Assign(font);
    FHoverFont->SetName(font->Name());
    FHoverFont->SetSize(font->Size());
}

void TsWebLabel::WndProc(vcl::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: return;
    case vcl::CM_MOUSEENTER:
    case vcl::CM_MOUSELEAVE:
        TsLabel::WndProc(Message);
        FollowMouse(Message.Msg == vcl::CM_MOUSEENTER);
        return;
    case vcl::CM_PARENTFONTCHANGED:
        TsLabel::WndProc(Message);
        TakeParentFont();
        return;
    case WM_LBUTTONDOWN:
        TsLabel::WndProc(Message);
        if (!FURL.empty())
            vcl::Seams().ShellExecute(vcl::Application->Handle(), L"open", FURL, int(FShowMode));
        return;
    default: TsLabel::WndProc(Message); return;
    }
}

}  // namespace skin

#include "skin/forms/sSkinProviderTitle.h"

#include "skin/core/sConst.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sSkinProvider.h"
#include "vcl/application.h"
#include "vcl/properties.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::String;
using vcl::TMenuItem;
using vcl::TNotifyEvent;

namespace {

// The item names of the skin list.
constexpr const wchar_t* SkinSelectName = L"SkinSelectItem";
// The skin list starts a new column after so many skins.
constexpr int SkinsPerColumn = 20;

// A text of the window's system menu, by command or by position; empty when there is none.
String WindowMenuText(HMENU Menu, UINT Item, UINT ByWhat)
{
    wchar_t text[256] = {};
    const int length = GetMenuStringW(Menu, Item, text, 255, ByWhat);
    return String(text, size_t(length > 0 ? length : 0));
}

// The part of a menu text before its tab, and the part after it.
String BeforeTab(const String& Text) { return Text.substr(0, Text.find(L'\t')); }
vcl::TShortCut ShortCutAfterTab(const String& Text)
{
    const size_t tab = Text.find(L'\t');
    return tab == String::npos ? vcl::scNone : vcl::TextToShortCut(Text.substr(tab + 1));
}

// The standard items above the separator: command, fallback caption, item name and click.
struct TStandardItem {
    UINT Command;
    TacTextId Fallback;
    const wchar_t* Name;
    void (TsSystemMenu::*Click)(vcl::TObject*);
    TMenuItem* TsSystemMenu::*Field;
};
constexpr TStandardItem StandardItems[] = {
    {SC_RESTORE, acsRestore, L"acIR", &TsSystemMenu::RestoreClick, &TsSystemMenu::ItemRestore},
    {SC_MOVE, acsMove, L"acIM", &TsSystemMenu::MoveClick, &TsSystemMenu::ItemMove},
    {SC_SIZE, acsSize, L"acIS", &TsSystemMenu::SizeClick, &TsSystemMenu::ItemSize},
    {SC_MINIMIZE, acsMinimize, L"acIN", &TsSystemMenu::MinClick, &TsSystemMenu::ItemMinimize},
    {SC_MAXIMIZE, acsMaximize, L"acIX", &TsSystemMenu::MaxClick, &TsSystemMenu::ItemMaximize},
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TsSystemMenu

TsSystemMenu::TsSystemMenu(TsSkinProvider* AOwner)
    : TsCustomSysMenu(AOwner), FOwner(AOwner), FForm(AOwner->Form)
{
}

void TsSystemMenu::AfterConstruction()
{
    TsCustomSysMenu::AfterConstruction();
    SetName(L"acSysMenu" + vcl::IntToStr(int64_t(GetTickCount())));
    Generate();
}

TMenuItem* TsSystemMenu::AddItem(const String& Caption, const String& Name, TNotifyEvent OnClick, intptr_t Command,
                                 vcl::TShortCut ShortCut)
{
    auto* item = vcl::Create<TMenuItem>(this);
    item->SetCaption(Caption);
    item->SetName(Name);
    item->SetOnClick(OnClick);
    item->SetTag(Command);
    item->SetShortCut(ShortCut);
    Items()->Add(item);
    return item;
}

void TsSystemMenu::AddSeparator() { AddItem(L"-", String(), nullptr, 0); }

void TsSystemMenu::Generate()
{
    Items()->Clear();
    for (const TStandardItem& standard : StandardItems)
        this->*standard.Field = nullptr;
    ItemClose = nullptr;
    ExtItemsCount = 0;
    const HMENU windowMenu = GetSystemMenu(FormHandle(), FALSE);
    if (!windowMenu)
        return;
    const auto caption = [&](UINT Command, TacTextId Fallback) {
        const String text = WindowMenuText(windowMenu, Command, MF_BYCOMMAND);
        return text.empty() ? LibraryText(Fallback) : text;
    };
    for (const TStandardItem& standard : StandardItems)
        this->*standard.Field = AddItem(BeforeTab(caption(standard.Command, standard.Fallback)), standard.Name,
                                        TNotifyEvent(this, standard.Click), standard.Command);
    AddSeparator();
    const int count = GetMenuItemCount(windowMenu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(windowMenu, i);
        const String text = WindowMenuText(windowMenu, UINT(i), MF_BYPOSITION);
        if (id >= 0xF000 || text.empty())
            continue;
        AddItem(BeforeTab(text), String(), TNotifyEvent(this, &TsSystemMenu::ExtClick), id, ShortCutAfterTab(text));
        ++ExtItemsCount;
    }
    if (ExtItemsCount > 0)
        AddSeparator();
    const String close = caption(SC_CLOSE, acsClose);
    ItemClose = AddItem(BeforeTab(close), L"acIC", TNotifyEvent(this, &TsSystemMenu::CloseClick), SC_CLOSE,
                        ShortCutAfterTab(close));
}

void TsSystemMenu::UpdateItems(bool Full)
{
    if (Full || !ItemClose)
        Generate();
    if (!FForm)
        return;
    const auto show = [](TMenuItem* Item, bool Visible, bool Enabled) {
        if (!Item)
            return;
        Item->SetVisible(Visible);
        Item->SetEnabled(Enabled);
    };
    show(ItemRestore, VisibleRestore(), EnabledRestore());
    show(ItemMove, EnabledMove(), EnabledMove());
    show(ItemSize, VisibleSize(), EnabledSize());
    show(ItemMinimize, VisibleMin(), EnabledMin());
    show(ItemMaximize, VisibleMax(), EnabledMax());
    show(ItemClose, VisibleClose(), true);
}

void TsSystemMenu::MakeSkinItems()
{
    TsSkinManager* manager = FOwner->SkinData()->SkinManager();
    if (!manager)
        return;
    if (Items()->Count() > 1 && Items()->Items(0)->Name() == SkinSelectName) {
        Items()->Items(1)->Free();  // the separator after the list
        Items()->Items(0)->Free();
    }
    vcl::TStringList names;
    manager->GetSkinNames(&names, TacSkinTypes::stAllSkins);
    if (names.Count() == 0)
        return;
    auto* list = vcl::Create<TMenuItem>(this);
    list->SetCaption(LibraryText(acsAvailSkins));
    list->SetName(SkinSelectName);
    Items()->Insert(0, list);
    auto* separator = vcl::Create<TMenuItem>(this);
    separator->SetCaption(L"-");
    Items()->Insert(1, separator);
    for (int i = 0; i < names.Count(); ++i) {
        auto* skin = vcl::Create<TMenuItem>(this);
        skin->SetCaption(names.Strings(i));
        skin->SetOnClick(TNotifyEvent(this, &TsSystemMenu::SkinSelect));
        skin->SetName(SkinSelectName + vcl::IntToStr(i));
        skin->SetRadioItem(true);
        skin->SetChecked(names.Strings(i) == manager->SkinName());
        if (i > 0 && i % SkinsPerColumn == 0)
            skin->SetBreak(vcl::TMenuBreak::mbBreak);
        list->Add(skin);
    }
}

// ---------------------------------------------------------------------------------------------
// What the caption shows and allows

bool TsSystemMenu::SingleOrSizeable() const
{
    const vcl::TFormBorderStyle style = FForm->BorderStyle();
    return style == vcl::TFormBorderStyle::bsSingle || style == vcl::TFormBorderStyle::bsSizeable;
}

bool TsSystemMenu::VisibleClose()
{
    return FOwner->HaveSysMenu && GetMenuState(GetSystemMenu(FormHandle(), FALSE), SC_CLOSE, MF_BYCOMMAND) != UINT(-1);
}

bool TsSystemMenu::VisibleMax()
{
    if (!FOwner->HaveSysMenu)
        return false;
    const bool mainOnTaskbar = vcl::Application->MainFormOnTaskBar() && FForm == vcl::Application->MainForm();
    return (Iconic() && !mainOnTaskbar) || MDIChild() || (SingleOrSizeable() && HasIcon(vcl::TBorderIcon::biMaximize));
}

bool TsSystemMenu::VisibleMin()
{
    return FOwner->HaveSysMenu &&
           (Iconic() || MDIChild() || (SingleOrSizeable() && HasIcon(vcl::TBorderIcon::biMinimize)));
}

bool TsSystemMenu::VisibleRestore() { return FOwner->HaveSysMenu && (MDIChild() || SingleOrSizeable()); }

bool TsSystemMenu::VisibleSize()
{
    return MDIChild() || SingleOrSizeable() || FForm->BorderStyle() == vcl::TFormBorderStyle::bsSizeToolWin;
}

bool TsSystemMenu::EnabledMax()
{
    return HasIcon(vcl::TBorderIcon::biMaximize) &&
           (MDIChild() || (FForm->WindowState() != vcl::TWindowState::wsMaximized && SingleOrSizeable()));
}

bool TsSystemMenu::EnabledMin()
{
    return HasIcon(vcl::TBorderIcon::biMinimize) && (!Iconic() || FForm == vcl::Application->MainForm());
}

bool TsSystemMenu::EnabledRestore()
{
    const vcl::TWindowState state = FForm->WindowState();
    return state == vcl::TWindowState::wsMinimized ||
           (state != vcl::TWindowState::wsNormal && HasIcon(vcl::TBorderIcon::biMaximize));
}

bool TsSystemMenu::EnabledMove() { return FForm->WindowState() != vcl::TWindowState::wsMaximized; }

bool TsSystemMenu::EnabledSize() { return FForm->BorderStyle() != vcl::TFormBorderStyle::bsSingle && !Iconic(); }

// ---------------------------------------------------------------------------------------------
// Clicks

void TsSystemMenu::SendCommand(WPARAM Command) { SendMessageW(FormHandle(), WM_SYSCOMMAND, Command, 0); }

void TsSystemMenu::RestoreClick(vcl::TObject*)
{
    SendCommand(SC_RESTORE);
    UpdateItems(false);
}

void TsSystemMenu::MoveClick(vcl::TObject*) { SendCommand(SC_MOVE); }

void TsSystemMenu::SizeClick(vcl::TObject*) { SendCommand(SC_SIZE); }

void TsSystemMenu::MinClick(vcl::TObject*)
{
    FOwner->SkipAnimation = true;
    SendCommand(SC_MINIMIZE);
    FOwner->SkipAnimation = false;
    if (FOwner->SystemMenu)
        FOwner->SystemMenu->UpdateItems(false);
}

void TsSystemMenu::MaxClick(vcl::TObject*)
{
    SendCommand(SC_MAXIMIZE);
    UpdateItems(false);
}

void TsSystemMenu::CloseClick(vcl::TObject*) { SendCommand(SC_CLOSE); }

void TsSystemMenu::ExtClick(vcl::TObject* Sender)
{
    if (auto* item = dynamic_cast<TMenuItem*>(Sender))
        PostMessageW(FormHandle(), WM_SYSCOMMAND, WPARAM(item->Tag()), 0);
}

void TsSystemMenu::SkinSelect(vcl::TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    TsSkinManager* manager = FOwner->SkinData()->SkinManager();
    if (!item || !manager)
        return;
    String name = item->Caption();
    std::erase(name, L'&');
    const String& internal = LibraryText(acsInternal);
    if (const size_t at = name.find(internal); !internal.empty() && at != String::npos)
        name.resize(at + internal.size());
    manager->SetSkinName(name);
}

// ---------------------------------------------------------------------------------------------
// Title icon, title buttons, added title

TsTitleIcon::TsTitleIcon() : FGlyph(std::make_unique<vcl::TBitmap>()) {}

void TsTitleIcon::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"Glyph", &TsTitleIcon::Glyph, &TsTitleIcon::SetGlyph);
    Table.Add(L"Height", &TsTitleIcon::Height, &TsTitleIcon::SetHeight);
    Table.Add(L"Width", &TsTitleIcon::Width, &TsTitleIcon::SetWidth);
}

TsTitleButton::TsTitleButton(vcl::TCollection* Collection)
    : vcl::TCollectionItem(Collection), FGlyph(std::make_unique<vcl::TBitmap>())
{
    FGlyph->SetOnChange(vcl::TNotifyEvent(this, &TsTitleButton::OnGlyphChange));
}

TsTitleButton::~TsTitleButton() { FreeHoverAnimation(); }

void TsTitleButton::OnGlyphChange(vcl::TObject*) { FreeHoverAnimation(); }

void TsTitleButton::FreeHoverAnimation()
{
    // The animation belongs to the provider; freed, it clears BtnData.Timer itself.
    if (BtnData.Timer)
        BtnData.Timer->Free();
}

void TsTitleButton::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"Enabled", &TsTitleButton::Enabled, &TsTitleButton::SetEnabled);
    Table.Add(L"Glyph", &TsTitleButton::Glyph, &TsTitleButton::SetGlyph);
    Table.Add(L"Hint", &TsTitleButton::Hint, &TsTitleButton::SetHint);
    Table.Add(L"Name", &TsTitleButton::Name, &TsTitleButton::SetName);
    Table.Add(L"UseSkinData", &TsTitleButton::UseSkinData, &TsTitleButton::SetUseSkinData);
    Table.Add(L"Visible", &TsTitleButton::Visible, &TsTitleButton::SetVisible);
}

void TsTitleButton::AfterConstruction()
{
    vcl::TCollectionItem::AfterConstruction();
    if (FName.empty())
        FName = ClassName();
}

void TsTitleButton::AssignTo(vcl::TPersistent* Dest)
{
    auto* dest = dynamic_cast<TsTitleButton*>(Dest);
    if (!dest) {
        vcl::TCollectionItem::AssignTo(Dest);
        return;
    }
    dest->SetEnabled(FEnabled);
    dest->SetGlyph(FGlyph.get());
    dest->SetHint(FHint);
    dest->SetName(FName);
    dest->SetUseSkinData(FUseSkinData);
    dest->SetOnMouseDown(FOnMouseDown);
    dest->SetOnMouseUp(FOnMouseUp);
}

void TsTitleButton::SetVisible(bool Value)
{
    if (!vcl::ChangeField(FVisible, Value))
        return;
    if (auto* buttons = dynamic_cast<TsTitleButtons*>(Collection()))
        buttons->Provider()->UpdateSkinCaption();
}

void TsTitleButton::MouseDown(int, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    if (FOnMouseDown)
        FOnMouseDown(this, Button, Shift, X, Y);
}

void TsTitleButton::MouseUp(int, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y)
{
    if (FOnMouseUp)
        FOnMouseUp(this, Button, Shift, X, Y);
}

TsTitleButtons::TsTitleButtons(TsSkinProvider* AOwner)
    : vcl::TOwnedCollection(AOwner, vcl::CollectionItemClass<TsTitleButton>()), FOwner(AOwner)
{
}

TacAddedTitle::TacAddedTitle(TsSkinProvider* AOwner) : FFont(std::make_unique<vcl::TFont>()), FOwner(AOwner)
{
    FFont->SetColor(vcl::clNone);
}

void TacAddedTitle::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"Font", &TacAddedTitle::Font, &TacAddedTitle::SetFont);
    Table.Add(L"ShowMainCaption", &TacAddedTitle::ShowMainCaption, &TacAddedTitle::SetShowMainCaption);
    Table.Add(L"Text", &TacAddedTitle::Text, &TacAddedTitle::SetText);
}

void TacAddedTitle::SetFont(vcl::TFont* Value)
{
    FFont->Assign(Value);
    Repaint();
}

void TacAddedTitle::SetShowMainCaption(bool Value)
{
    if (vcl::ChangeField(FShowMainCaption, Value))
        Repaint();
}

void TacAddedTitle::SetText(const String& Value)
{
    if (vcl::ChangeField(FText, Value))
        Repaint();
}

void TacAddedTitle::Repaint()
{
    if (!FOwner->ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        FOwner->UpdateSkinCaption();
}

}  // namespace skin

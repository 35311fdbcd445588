#include "skin/forms/sSkinProviderAdapter.h"

#include <algorithm>
#include <iterator>

#include "skin/controls/sLabel.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "vcl/application.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace skin {

namespace {

constexpr intptr_t NeverSkinnedTag = -98;
// A label owned by the walked control keeps its own colour with this tag.
constexpr intptr_t OwnColourLabelTag = 98;

// Set while AddAllItems walks: the walk's own messages and events cannot start another one.
bool bFlag = false;
// Set while RemoveAllItems frees: a wrapper that goes cannot start the freeing again.
bool bRemoving = false;

// The program's factory until the standard windows are skinned: it makes nothing.
class TNoWrappers final : public TacWrapperFactory {
public:
    std::unique_ptr<TacAdaptedWnd> MakeWrapper(ThirdPartyList::Index, vcl::TWinControl*, TsCommonData*, TsSkinManager*,
                                               const vcl::String&) override
    {
        return nullptr;
    }
    std::unique_ptr<TacAdaptedButton> MakeSpeedButtonHandler(vcl::TControl*, TsCommonData*, TsSkinManager*,
                                                             const vcl::String&) override
    {
        return nullptr;
    }
};

TNoWrappers ProgramFactory;
TacWrapperFactory* Factory = &ProgramFactory;

// The first of the manager's lists (in list order) that names ClassName exactly; -1 for none.
int ListNaming(const TsSkinManager* Manager, const vcl::String& ClassName)
{
    for (int kind = 0; kind < ThirdPartyList::Count; ++kind) {
        const vcl::TStringList* list = Manager->ThirdLists[size_t(kind)].get();
        for (int i = 0; list && i < list->Count(); ++i)
            if (list->Strings(i) == ClassName)
                return kind;
    }
    return -1;
}

// The section a wrapper of Kind gets: the item's, else the kind's own where it has one.
vcl::String WrapperSection(ThirdPartyList::Index Kind, const vcl::String& ItemSection)
{
    if (!ItemSection.empty())
        return ItemSection;
    switch (Kind) {
    case ThirdPartyList::ThirdScrollControl: return L"PANEL_LOW";
    case ThirdPartyList::ThirdScrollBar: return L"CHECKBOX";
    default: return ItemSection;
    }
}

// A plain label takes the skin's font colour and lets its parent's background through.
void TakeSkinFontColor(vcl::TControl* Label)
{
    vcl::TControlStyle style = Label->ControlStyle();
    style >> vcl::TControlStyleItem::csOpaque;
    Label->SetControlStyle(style);
    if (DefaultManager)
        Label->Font()->SetColor(DefaultManager->GetGlobalFontColor());
}

// The adapter's own skin data of an item: a cache of its own, the items' kind.
std::unique_ptr<TsCommonData> ItemSkinData(vcl::TObject* Item)
{
    auto data = std::make_unique<TsCommonData>(Item, true);
    data->COC = ckAdapterItem;
    return data;
}

void TakeOwnerControl(TsCommonData& SkinData, vcl::TControl* Control)
{
    SkinData.FOwnerControl = Control;
    SkinData.FOwnerObject = Control;
}

// Frees the items IsDead picks, keeping the others' order; the list is whole again before any
// item goes.
template<class TItem, class TIsDead>
void DropDead(std::vector<std::unique_ptr<TItem>>& List, TIsDead IsDead)
{
    const auto firstDead =
        std::stable_partition(List.begin(), List.end(), [&](const auto& Item) { return !IsDead(*Item); });
    const std::vector<std::unique_ptr<TItem>> dead(std::make_move_iterator(firstDead),
                                                   std::make_move_iterator(List.end()));
    List.erase(firstDead, List.end());
}

// Frees Item, which must be in List; the list is whole again before the item goes.
template<class TItem>
void Discard(std::vector<std::unique_ptr<TItem>>& List, const TItem* Item)
{
    const auto place = std::find_if(List.begin(), List.end(), [Item](const auto& Each) { return Each.get() == Item; });
    const std::unique_ptr<TItem> doomed = std::move(*place);
    List.erase(place);
}

// Frees every item, the last first.
template<class TItem, class TBeforeFree>
void FreeAll(std::vector<std::unique_ptr<TItem>>& List, TBeforeFree BeforeFree)
{
    while (!List.empty()) {
        const std::unique_ptr<TItem> item = std::move(List.back());
        List.pop_back();
        BeforeFree(*item);
    }
}

}  // namespace

TacWrapperFactory& WrapperFactory() { return *Factory; }

TacWrapperFactory* SetWrapperFactory(TacWrapperFactory* NewFactory)
{
    TacWrapperFactory* previous = Factory;
    Factory = NewFactory ? NewFactory : &ProgramFactory;
    return previous;
}

// ---------------------------------------------------------------------------------------------
// Items

TacAdapterItem::TacAdapterItem(TacCtrlAdapter* AAdapter, vcl::TWinControl* AControl)
    : WinCtrl(AControl), SkinData(ItemSkinData(this)), Adapter(AAdapter)
{
}

void TacAdapterItem::DoHook(vcl::TWinControl* Control)
{
    if (Control->Tag() == NeverSkinnedTag || !Control->HandleAllocated() || !Control->Parent() ||
        GetBoolMsg(Control, scmdQuerySkinned))
        return;
    WinCtrl = Control;
    TakeOwnerControl(*SkinData, Control);
    TsSkinManager* manager = SkinData->SkinManager();
    const int kind = manager ? ListNaming(manager, Control->ClassName()) : -1;
    // Speed buttons are graphic items: a windowed class in their list gets no wrapper.
    if (kind < 0 || kind == ThirdPartyList::ThirdSpeedButton)
        return;
    const auto index = ThirdPartyList::Index(kind);
    ScrollWnd = WrapperFactory().MakeWrapper(index, Control, SkinData.get(), manager,
                                             WrapperSection(index, SkinData->SkinSection()));
}

TacGraphItem::TacGraphItem(TacCtrlAdapter* AAdapter, vcl::TControl* AControl)
    : Ctrl(AControl), SkinData(ItemSkinData(this)), Adapter(AAdapter)
{
}

void TacGraphItem::DoHook(vcl::TControl* Control)
{
    if (Control->Tag() == NeverSkinnedTag)
        return;
    Ctrl = Control;
    TakeOwnerControl(*SkinData, Control);
    Handler = WrapperFactory().MakeSpeedButtonHandler(Control, SkinData.get(), SkinData->SkinManager(),
                                                      SkinData->SkinSection());
}

// ---------------------------------------------------------------------------------------------
// The adapter

TacCtrlAdapter::~TacCtrlAdapter()
{
    CleanItems();
    RemoveAllItems();
}

TsSkinManager* TacCtrlAdapter::Manager() const { return Provider->SkinData()->SkinManager(); }

bool TacCtrlAdapter::Listed(const vcl::String& ClassName) const
{
    const TsSkinManager* manager = Manager();
    return manager && ListNaming(manager, ClassName) >= 0;
}

bool TacCtrlAdapter::SkinItemAllowed(vcl::TComponent* Item, vcl::String& Section)
{
    bool canBeAdded = true;
    if (const TAddItemEvent event = Provider->OnSkinItem())
        event(Item, canBeAdded, Section);
    return canBeAdded;
}

bool TacCtrlAdapter::IsControlSupported(vcl::TComponent* Control)
{
    if (Control->Tag() == NeverSkinnedTag)
        return false;
    vcl::String section;
    if (auto* windowed = dynamic_cast<vcl::TWinControl*>(Control)) {
        if (!windowed->HandleAllocated() || GetBoolMsg(windowed, scmdQuerySkinned))
            return false;
        if (dynamic_cast<vcl::TFrame*>(windowed))
            return SkinItemAllowed(Control, section);
        if (dynamic_cast<vcl::TForm*>(windowed)) {
            section = L"FORM";
            return SkinItemAllowed(Control, section);
        }
        return Listed(Control->ClassName());
    }
    const bool graphicKind = dynamic_cast<vcl::TCustomLabel*>(Control) ||
                             (dynamic_cast<vcl::TSpeedButton*>(Control) && Listed(Control->ClassName()));
    return graphicKind && SkinItemAllowed(Control, section);
}

void TacCtrlAdapter::AddAllItems(vcl::TWinControl* OwnerCtrl)
{
    const TsSkinManager* manager = Manager();
    if (bFlag || !manager || !manager->SkinningRules().Contains(TacSkinningRule::srThirdParty))
        return;
    const TFlagScope walking(bFlag);
    CleanItems();
    AddItemsUnder(OwnerCtrl ? OwnerCtrl : Provider->Form);
}

void TacCtrlAdapter::AddItemsUnder(vcl::TWinControl* Owner)
{
    const auto walkInto = [this](vcl::TComponent* Component) {
        auto* windowed = dynamic_cast<vcl::TWinControl*>(Component);
        if (windowed && windowed->HandleAllocated() && windowed->Parent())
            AddItemsUnder(windowed);
    };
    for (int i = 0; i < Owner->ComponentCount(); ++i) {
        vcl::TComponent* component = Owner->Components(i);
        if (IsControlSupported(component)) {
            auto* label = dynamic_cast<vcl::TCustomLabel*>(component);
            if (auto* windowed = dynamic_cast<vcl::TWinControl*>(component))
                AddNewItem(windowed, vcl::String());
            else if (label && !dynamic_cast<TsCustomLabel*>(label) && label->Tag() != OwnColourLabelTag)
                TakeSkinFontColor(label);
        }
        walkInto(component);
    }
    for (int i = 0; i < Owner->ControlCount(); ++i) {
        vcl::TControl* control = Owner->Controls(i);
        if (IsControlSupported(control)) {
            if (auto* windowed = dynamic_cast<vcl::TWinControl*>(control))
                AddNewItem(windowed, vcl::String());
            else if (dynamic_cast<vcl::TLabel*>(control))
                TakeSkinFontColor(control);
            else if (auto* button = dynamic_cast<vcl::TSpeedButton*>(control))
                AddNewItem(button);
        }
        walkInto(control);
    }
}

void TacCtrlAdapter::AddNewItem(vcl::TWinControl* Ctrl) { AddNewItem(Ctrl, DefaultSection); }

void TacCtrlAdapter::AddNewItem(vcl::TWinControl* Ctrl, const vcl::String& Section)
{
    if (!Ctrl || Ctrl->Tag() == NeverSkinnedTag || !Ctrl->Parent() || GetBoolMsg(Ctrl, scmdQuerySkinned))
        return;
    vcl::String section = Section;
    if (!SkinItemAllowed(Ctrl, section))
        return;
    // A frame is skinned as a whole by a frame adapter of its own, which it owns.
    if (auto* frame = dynamic_cast<vcl::TFrame*>(Ctrl)) {
        vcl::Create<TsFrameAdapter>(frame)->SkinData()->SetSkinSection(L"GROUPBOX");
        return;
    }
    if (auto* form = dynamic_cast<vcl::TForm*>(Ctrl)) {
        GiveProvider(form, section);
        return;
    }
    const int index = IndexOf(Ctrl);
    if (index < 0)
        Items.push_back(std::make_unique<TacAdapterItem>(this, Ctrl));
    TacAdapterItem* item = index < 0 ? Items.back().get() : Items[size_t(index)].get();
    if (!section.empty())
        item->SkinData->SetSkinSection(section);
    if (index >= 0) {
        if (item->ScrollWnd && item->ScrollWnd->Destroyed()) {
            item->ScrollWnd.reset();
            if (Ctrl->Parent())
                item->DoHook(Ctrl);
        }
        return;
    }
    if (Ctrl->Parent())
        item->DoHook(Ctrl);
    if (!item->ScrollWnd)
        Discard(Items, item);
}

void TacCtrlAdapter::AddNewItem(vcl::TSpeedButton* Ctrl)
{
    if (!Ctrl || Ctrl->Tag() == NeverSkinnedTag || !Ctrl->Parent() || SendAMessage(Ctrl, scmdQuerySkinned) == 1)
        return;
    vcl::String section = L"SPEEDBUTTON";
    if (!SkinItemAllowed(Ctrl, section))
        return;
    const int index = GraphIndexOf(Ctrl);
    if (index < 0)
        GraphItems.push_back(std::make_unique<TacGraphItem>(this, Ctrl));
    TacGraphItem* item = index < 0 ? GraphItems.back().get() : GraphItems[size_t(index)].get();
    // The skin's speed-button sections fit the button's look; the event's section does not count.
    item->SkinData->SetSkinSection(Ctrl->Flat() ? L"SPEEDBUTTON_SMALL" : L"SPEEDBUTTON");
    if (index >= 0) {
        if (item->Handler && item->Handler->Destroyed()) {
            item->Handler.reset();
            item->DoHook(Ctrl);
        }
        return;
    }
    if (Ctrl->Parent())
        item->DoHook(Ctrl);
    if (!item->Handler)
        Discard(GraphItems, item);
}

void TacCtrlAdapter::GiveProvider(vcl::TForm* Form, const vcl::String& Section)
{
    auto* provider = vcl::Create<TsSkinProvider>(Form);
    provider->SkinData()->SetSkinSection(Section.empty() ? vcl::String(L"FORM") : Section);
    provider->PrepareForm();
    InitDwm(Form->Handle(), true, false);
}

TacAdapterItem* TacCtrlAdapter::GetItem(int Index)
{
    return Index >= 0 && Index < Count() ? Items[size_t(Index)].get() : nullptr;
}

int TacCtrlAdapter::IndexOf(const vcl::TWinControl* Ctrl) const
{
    const auto place =
        std::find_if(Items.begin(), Items.end(), [Ctrl](const auto& Item) { return Item->WinCtrl == Ctrl; });
    return place == Items.end() ? -1 : int(place - Items.begin());
}

int TacCtrlAdapter::GraphIndexOf(const vcl::TControl* Ctrl) const
{
    const auto place =
        std::find_if(GraphItems.begin(), GraphItems.end(), [Ctrl](const auto& Item) { return Item->Ctrl == Ctrl; });
    return place == GraphItems.end() ? -1 : int(place - GraphItems.begin());
}

TsCommonData* TacCtrlAdapter::GetCommonData(int) { return nullptr; }

void TacCtrlAdapter::RemoveItem(int Index)
{
    const std::unique_ptr<TacAdapterItem> doomed = std::move(Items[size_t(Index)]);
    Items[size_t(Index)] = std::move(Items.back());
    Items.pop_back();
}

void TacCtrlAdapter::CleanItems()
{
    DropDead(Items, [](const TacAdapterItem& Item) { return !Item.ScrollWnd || Item.ScrollWnd->Destroyed(); });
    DropDead(GraphItems, [](const TacGraphItem& Item) { return !Item.Handler || Item.Handler->Destroyed(); });
}

void TacCtrlAdapter::RemoveAllItems()
{
    if (bRemoving)
        return;
    const TFlagScope removing(bRemoving);
    FreeAll(Items, [](TacAdapterItem&) {});
    const bool terminating = vcl::Application && vcl::Application->Terminated();
    FreeAll(GraphItems, [terminating](TacGraphItem& Item) {
        if (!terminating)
            return;
        Item.Ctrl = nullptr;
        if (Item.Handler)
            Item.Handler->ForgetControl();
    });
}

void TacCtrlAdapter::WndProc(vcl::TMessage& Message)
{
    for (size_t i = 0; i < Items.size(); ++i) {
        const TacAdapterItem& item = *Items[i];
        // A wrapper that lives vouches for its control.
        if (item.ScrollWnd && !item.ScrollWnd->Destroyed() && item.WinCtrl->Parent() && item.WinCtrl->HandleAllocated())
            SendMessageW(item.WinCtrl->Handle(), Message.Msg, Message.WParam, Message.LParam);
    }
}

}  // namespace skin

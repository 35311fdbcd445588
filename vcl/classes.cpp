#include "vcl/classes.h"

#include "vcl/sysutils.h"

#include <algorithm>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// TPersistent

void TPersistent::Assign(TPersistent* Source)
{
    if (!Source)
        AssignError(nullptr);
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source)
{
    String sourceName = Source ? Source->ClassName() : String(L"nil");
    throw EConvertError(Format(L"Cannot assign a %s to a %s", sourceName, ClassName()));
}

// ---------------------------------------------------------------------------------------------
// Loading sessions: components created while one is open on this thread join it.

namespace {

struct LoadingSession {
    TComponent* root;
    std::vector<TComponent*> created;
};

thread_local std::vector<LoadingSession> tLoadingSessions;

void ForgetLoading(TComponent* component)
{
    for (LoadingSession& session : tLoadingSessions)
        std::erase(session.created, component);
}

}  // namespace

void BeginLoading(TComponent* Root)
{
    Root->FComponentState += {TComponentStateItem::csLoading, TComponentStateItem::csReading};
    tLoadingSessions.push_back({Root, {}});
}

void EndLoading(TComponent* Root)
{
    auto it = std::find_if(tLoadingSessions.rbegin(), tLoadingSessions.rend(),
                           [Root](const LoadingSession& s) { return s.root == Root; });
    if (it == tLoadingSessions.rend())
        throw EComponentError(L"EndLoading without BeginLoading");
    std::vector<TComponent*> created = std::move(it->created);
    tLoadingSessions.erase(std::next(it).base());
    Root->FComponentState -= TComponentStateItem::csReading;
    for (TComponent* c : created)
        c->FComponentState -= TComponentStateItem::csReading;
    for (TComponent* c : created)
        c->Loaded();
    Root->Loaded();
}

// ---------------------------------------------------------------------------------------------
// TComponent

bool IsValidIdent(const String& ident)
{
    if (ident.empty())
        return false;
    for (size_t i = 0; i < ident.size(); ++i) {
        wchar_t c = ident[i];
        bool letter = c == L'_' || IsCharAlphaW(c);
        bool digit = c >= L'0' && c <= L'9';
        if (!(letter || (digit && i > 0)))
            return false;
    }
    return true;
}

TComponent::TComponent(TComponent* AOwner)
{
    if (!tLoadingSessions.empty()) {
        FComponentState += {TComponentStateItem::csLoading, TComponentStateItem::csReading};
        tLoadingSessions.back().created.push_back(this);
    }
    if (AOwner)
        AOwner->Insert(this);
}

TComponent::~TComponent()
{
    // Normally empty by now; a constructor that threw leaves its pieces here.
    ForgetLoading(this);
    RemoveFreeNotifications();
    DestroyComponents();
    if (FOwner)
        FOwner->Remove(this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError(Format(L"List index out of bounds (%d)", index));
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    auto it = std::find(FOwner->FComponents.begin(), FOwner->FComponents.end(), this);
    return static_cast<int>(it - FOwner->FComponents.begin());
}

void TComponent::SetName(const String& NewName)
{
    if (FName == NewName)
        return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError(Format(L"\"%s\" is not a valid component name", NewName));
    if (FOwner)
        FOwner->ValidateRename(this, FName, NewName);
    FName = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName)
{
    if (NewName.empty() || AnsiSameText(CurName, NewName))
        return;
    TComponent* existing = FindComponent(NewName);
    if (existing && existing != AComponent)
        throw EComponentError(Format(L"A component named %s already exists", NewName));
}

TComponent* TComponent::FindComponent(const String& AName) const
{
    if (AName.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (AnsiSameText(c->FName, AName))
            return c;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    // Components of one owner already hear of each other through the owner.
    if (FOwner && AComponent->FOwner == FOwner)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(AComponent);
        AComponent->FFreeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    std::erase(FFreeNotifies, AComponent);
    if (AComponent)
        std::erase(AComponent->FFreeNotifies, this);
}

void TComponent::RemoveFreeNotifications()
{
    while (!FFreeNotifies.empty()) {
        TComponent* client = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        std::erase(client->FFreeNotifies, this);
        client->Notification(this, TOperation::opRemove);
    }
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    std::erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    ValidateRename(AComponent, String(), AComponent->FName);
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    Notification(AComponent, TOperation::opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty())
        FComponents.back()->Free();
}

void TComponent::Destroying()
{
    if (FComponentState.Contains(TComponentStateItem::csDestroying))
        return;
    FComponentState += TComponentStateItem::csDestroying;
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::GetChildren(TGetChildProc, TComponent*) {}

void TComponent::AfterConstruction()
{
    if (FOwner)
        FOwner->Notification(this, TOperation::opInsert);
}

void TComponent::BeforeDestruction()
{
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::Loaded() { FComponentState -= TComponentStateItem::csLoading; }

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == TOperation::opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Last to first; a receiver may free components, so re-clip the index each turn.
    for (int i = ComponentCount() - 1; i >= 0; i = std::min(i - 1, ComponentCount() - 1))
        FComponents[static_cast<size_t>(i)]->Notification(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------
// TList

void TList::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw EListError(Format(L"List index out of bounds (%d)", index));
}

void* TList::Items(int index) const
{
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)];
}

void TList::SetItems(int index, void* item)
{
    CheckIndex(index, Count());
    FItems[static_cast<size_t>(index)] = item;
}

int TList::Add(void* item)
{
    FItems.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item)
{
    CheckIndex(index, Count() + 1);
    FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index)
{
    CheckIndex(index, Count());
    FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item)
{
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

int TList::IndexOf(void* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Clear() { FItems.clear(); }

void TList::Exchange(int index1, int index2)
{
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    std::swap(FItems[static_cast<size_t>(index1)], FItems[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    CheckIndex(newIndex, Count());
    void* item = Items(curIndex);
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, item);
}

void TList::Pack() { std::erase(FItems, nullptr); }

void TList::Sort(const std::function<int(void*, void*)>& compare)
{
    std::stable_sort(FItems.begin(), FItems.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

// ---------------------------------------------------------------------------------------------
// TCollection

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    if (Collection)
        Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem()
{
    if (FCollection)
        FCollection->RemoveItem(this);
}

void TCollectionItem::AfterConstruction()
{
    if (FCollection)
        FCollection->Changed();
}

void TCollectionItem::SetCollection(TCollection* value)
{
    if (FCollection == value)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (value) {
        value->InsertItem(this);
        value->Changed();
    }
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int value)
{
    int current = Index();
    if (current < 0 || current == value)
        return;
    auto& items = FCollection->FItems;
    FCollection->CheckIndex(value);
    items.erase(items.begin() + current);
    items.insert(items.begin() + value, this);
    Changed(true);
}

String TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const String&) { Changed(false); }

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemFactory ItemClass) : FItemClass(std::move(ItemClass)) {}

TCollection::~TCollection()
{
    // No Update calls while the collection is being torn down.
    FUpdateCount = 1;
    while (!FItems.empty())
        FItems.back()->Free();
}

void TCollection::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(Format(L"List index out of bounds (%d)", index));
}

TCollectionItem* TCollection::Items(int index) const
{
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() { return FItemClass(this); }

TCollectionItem* TCollection::Insert(int index)
{
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        item = Add();
        item->SetIndex(index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int index) { Items(index)->Free(); }

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        FItems.back()->Free();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* item : FItems)
        if (item->FID == ID)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate()
{
    if (--FUpdateCount == 0)
        Changed();
}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item)
{
    FItems.push_back(item);
    item->FCollection = this;
    item->FID = FNextID++;
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    std::erase(FItems, item);
    item->FCollection = nullptr;
    Changed();
}

void TCollection::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TCollection*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : source->FItems)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

}  // namespace vcl

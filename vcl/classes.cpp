#include "vcl/classes.h"

#include "vcl/sysutils.h"

#include <process.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>

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

void* TList::Extract(void* item) { return Remove(item) >= 0 ? item : nullptr; }

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
// TStrings

int TStrings::Add(const String& s)
{
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const String& s, TObject* object)
{
    int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const String& s, TObject* object)
{
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::Put(int index, const String& s)
{
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {}

int TStrings::CompareStrings(const String& a, const String& b) const { return AnsiCompareText(a, b); }

void TStrings::Error(const String& message, int data) const { throw EStringListError(Format(message, data)); }

int TStrings::IndexOf(const String& s) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

void TStrings::AddStrings(TStrings* strings)
{
    BeginUpdate();
    try {
        for (int i = 0; i < strings->Count(); ++i)
            AddObject(strings->Strings(i), strings->Objects(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Exchange(int index1, int index2)
{
    BeginUpdate();
    String s = Strings(index1);
    TObject* o = Objects(index1);
    Put(index1, Strings(index2));
    PutObject(index1, Objects(index2));
    Put(index2, s);
    PutObject(index2, o);
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    BeginUpdate();
    String s = Strings(curIndex);
    TObject* o = Objects(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, o);
    EndUpdate();
}

void TStrings::Assign(TPersistent* Source)
{
    if (auto* source = dynamic_cast<TStrings*>(Source)) {
        if (source == this)
            return;
        BeginUpdate();
        Clear();
        AddStrings(source);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(TStrings* strings) const
{
    if (Count() != strings->Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != strings->Strings(i))
            return false;
    return true;
}

String TStrings::Text() const
{
    String text;
    for (int i = 0; i < Count(); ++i)
        text += Get(i) + L"\r\n";
    return text;
}

void TStrings::SetText(const String& text)
{
    BeginUpdate();
    try {
        Clear();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of(L"\r\n", start);
            if (end == String::npos)
                end = text.size();
            Add(text.substr(start, end - start));
            start = end;
            if (start < text.size() && text[start] == L'\r')
                ++start;
            if (start < text.size() && text[start] == L'\n')
                ++start;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

String TStrings::Names(int index) const
{
    String s = Get(index);
    size_t p = s.find(L'=');
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::ValueFromIndex(int index) const
{
    String s = Get(index);
    size_t p = s.find(L'=');
    return p == String::npos ? String() : s.substr(p + 1);
}

int TStrings::IndexOfName(const String& name) const
{
    for (int i = 0; i < Count(); ++i) {
        String s = Get(i);
        size_t p = s.find(L'=');
        if (p != String::npos && CompareStrings(s.substr(0, p), name) == 0)
            return i;
    }
    return -1;
}

String TStrings::Values(const String& name) const
{
    int i = IndexOfName(name);
    return i >= 0 ? ValueFromIndex(i) : String();
}

void TStrings::SetValues(const String& name, const String& value)
{
    int i = IndexOfName(name);
    if (!value.empty()) {
        if (i < 0)
            Add(name + L"=" + value);
        else
            Put(i, name + L"=" + value);
    } else if (i >= 0) {
        Delete(i);
    }
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (--FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::LoadFromFile(const String& fileName)
{
    TObjectPtr<TFileStream> stream(Create<TFileStream>(fileName, Word(fmOpenRead | fmShareDenyWrite)));
    LoadFromStream(stream.get());
}

void TStrings::LoadFromStream(TStream* stream)
{
    int64_t count = stream->Size() - stream->Position();
    std::string bytes(static_cast<size_t>(std::max<int64_t>(count, 0)), '\0');
    stream->ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    String text;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        FEncoding = TTextEncoding::Utf8;
        text = FromUtf8(bytes.substr(3));
    } else if (bytes.starts_with("\xFF\xFE")) {
        FEncoding = TTextEncoding::Utf16;
        text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    } else {
        FEncoding = TTextEncoding::Ansi;
        text = FromAnsi(bytes);
    }
    SetText(text);
}

void TStrings::SaveToFile(const String& fileName) const
{
    TObjectPtr<TFileStream> stream(Create<TFileStream>(fileName, fmCreate));
    SaveToStream(stream.get());
}

void TStrings::SaveToStream(TStream* stream) const
{
    const String text = Text();
    std::string bytes;
    switch (FEncoding) {
    case TTextEncoding::Utf8:
        bytes = "\xEF\xBB\xBF" + ToUtf8(text);
        break;
    case TTextEncoding::Utf16:
        bytes = "\xFF\xFE";
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        break;
    case TTextEncoding::Ansi:
        bytes = ToAnsi(text);
        break;
    }
    stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// ---------------------------------------------------------------------------------------------
// TStringList

namespace {
const wchar_t* const SListIndexError = L"List index out of bounds (%d)";
const wchar_t* const SSortedListError = L"Operation not allowed on sorted list";
const wchar_t* const SDuplicateString = L"String list does not allow duplicates";
}  // namespace

TStringList::~TStringList()
{
    FOnChange = nullptr;
    FOnChanging = nullptr;
    for (Item& item : FList)
        FreeObject(item.Object);
}

void TStringList::FreeObject(TObject* object) const
{
    if (FOwnsObjects && object)
        object->Free();
}

void TStringList::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        Error(SListIndexError, index);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && FOnChange)
        FOnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && FOnChanging)
        FOnChanging(this);
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

int TStringList::Add(const String& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const String& s, TObject* object)
{
    int index = Count();
    if (FSorted && Find(s, index)) {
        if (FDuplicates == TDuplicates::dupIgnore)
            return index;
        if (FDuplicates == TDuplicates::dupError)
            Error(SDuplicateString, 0);
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Insert(int index, const String& s)
{
    if (FSorted)
        Error(SSortedListError, 0);
    CheckIndex(index, Count() + 1);
    InsertItem(index, s, nullptr);
}

void TStringList::InsertItem(int index, const String& s, TObject* object)
{
    Changing();
    FList.insert(FList.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count());
    Changing();
    TObject* object = FList[static_cast<size_t>(index)].Object;
    FList.erase(FList.begin() + index);
    FreeObject(object);
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty())
        return;
    Changing();
    std::vector<Item> old;
    old.swap(FList);
    for (Item& item : old)
        FreeObject(item.Object);
    Changed();
}

void TStringList::Exchange(int index1, int index2)
{
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    Changing();
    std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
    Changed();
}

String TStringList::Get(int index) const
{
    CheckIndex(index, Count());
    return FList[static_cast<size_t>(index)].Text;
}

void TStringList::Put(int index, const String& s)
{
    if (FSorted)
        Error(SSortedListError, 0);
    CheckIndex(index, Count());
    Changing();
    FList[static_cast<size_t>(index)].Text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const
{
    CheckIndex(index, Count());
    return FList[static_cast<size_t>(index)].Object;
}

void TStringList::PutObject(int index, TObject* object)
{
    CheckIndex(index, Count());
    Changing();
    FList[static_cast<size_t>(index)].Object = object;
    Changed();
}

int TStringList::CompareStrings(const String& a, const String& b) const
{
    return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(const String& s, int& index) const
{
    bool found = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        int c = CompareStrings(FList[static_cast<size_t>(mid)].Text, s);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != TDuplicates::dupAccept)
                    low = mid;
            }
        }
    }
    index = low;
    return found;
}

int TStringList::IndexOf(const String& s) const
{
    if (!FSorted)
        return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

void TStringList::Sort()
{
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->FList[static_cast<size_t>(a)].Text, list->FList[static_cast<size_t>(b)].Text);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare)
{
    if (FSorted || Count() < 2)
        return;
    Changing();
    // Quicksort in place: the comparison takes positions in the list as it is at that moment.
    std::function<void(int, int)> quickSort = [&](int low, int high) {
        while (low < high) {
            int i = low;
            int j = high;
            int pivot = (low + high) / 2;
            do {
                while (compare(this, i, pivot) < 0)
                    ++i;
                while (compare(this, j, pivot) > 0)
                    --j;
                if (i <= j) {
                    if (i != j)
                        std::swap(FList[static_cast<size_t>(i)], FList[static_cast<size_t>(j)]);
                    if (pivot == i)
                        pivot = j;
                    else if (pivot == j)
                        pivot = i;
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (j - low > high - i) {
                quickSort(i, high);
                high = j;
            } else {
                quickSort(low, j);
                low = i;
            }
        }
    };
    quickSort(0, Count() - 1);
    Changed();
}

void TStringList::SetSorted(bool value)
{
    if (FSorted == value)
        return;
    if (value)
        Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (FCaseSensitive == value)
        return;
    FCaseSensitive = value;
    if (FSorted) {
        FSorted = false;
        SetSorted(true);
    }
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

// ---------------------------------------------------------------------------------------------
// TStream

void TStream::ReadBuffer(void* Buffer, int64_t Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError(L"Stream write error");
}

int64_t TStream::Size()
{
    int64_t position = Seek(0, TSeekOrigin::soCurrent);
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count)
{
    if (Count <= 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(Count, 64 * 1024)));
    for (int64_t left = Count; left > 0;) {
        int64_t n = std::min<int64_t>(left, static_cast<int64_t>(buffer.size()));
        Source->ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return Count;
}

namespace {
constexpr uint8_t BinaryPropertyTag = 0x0A;
}

void TStream::WriteBinaryProperty(const std::vector<uint8_t>& data)
{
    uint8_t header[5] = {BinaryPropertyTag};
    uint32_t length = static_cast<uint32_t>(data.size());
    for (int i = 0; i < 4; ++i)
        header[1 + i] = static_cast<uint8_t>(length >> (8 * i));
    WriteBuffer(header, sizeof header);
    WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

std::vector<uint8_t> TStream::ReadBinaryProperty()
{
    uint8_t header[5];
    ReadBuffer(header, sizeof header);
    if (header[0] != BinaryPropertyTag)
        throw EReadError(L"Invalid property value");
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= static_cast<uint32_t>(header[1 + i]) << (8 * i);
    if (length > Size() - Position())
        throw EReadError(L"Stream read error");
    std::vector<uint8_t> data(length);
    ReadBuffer(data.data(), length);
    return data;
}

// ---------------------------------------------------------------------------------------------
// THandleStream / TFileStream

int64_t THandleStream::Read(void* Buffer, int64_t Count)
{
    int64_t total = 0;
    auto* p = static_cast<uint8_t*>(Buffer);
    while (total < Count) {
        DWORD chunk = static_cast<DWORD>(std::min<int64_t>(Count - total, 1 << 30));
        DWORD done = 0;
        if (!ReadFile(FHandle, p + total, chunk, &done, nullptr) || done == 0)
            break;
        total += done;
    }
    return total;
}

int64_t THandleStream::Write(const void* Buffer, int64_t Count)
{
    int64_t total = 0;
    auto* p = static_cast<const uint8_t*>(Buffer);
    while (total < Count) {
        DWORD chunk = static_cast<DWORD>(std::min<int64_t>(Count - total, 1 << 30));
        DWORD done = 0;
        if (!WriteFile(FHandle, p + total, chunk, &done, nullptr) || done == 0)
            break;
        total += done;
    }
    return total;
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    static constexpr DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance;
    distance.QuadPart = Offset;
    LARGE_INTEGER result;
    if (!SetFilePointerEx(FHandle, distance, &result, methods[static_cast<int>(Origin)]))
        return -1;
    return result.QuadPart;
}

void THandleStream::SetSize(int64_t NewSize)
{
    int64_t position = Position();
    if (Seek(NewSize, TSeekOrigin::soBeginning) != NewSize || !SetEndOfFile(FHandle))
        throw EStreamError(L"Cannot change the size of the stream. " + SysErrorMessage(GetLastError()));
    Seek(std::min(position, NewSize), TSeekOrigin::soBeginning);
}

namespace {

DWORD ShareMode(Word mode)
{
    switch (mode & 0xF0) {
    case fmShareDenyWrite:
        return FILE_SHARE_READ;
    case fmShareDenyRead:
        return FILE_SHARE_WRITE;
    case fmShareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default:
        return 0;
    }
}

DWORD AccessMode(Word mode)
{
    switch (mode & 0x3) {
    case fmOpenWrite:
        return GENERIC_WRITE;
    case fmOpenReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return GENERIC_READ;
    }
}

}  // namespace

TFileStream::TFileStream(const String& FileName, Word Mode) : THandleStream(INVALID_HANDLE_VALUE), FFileName(FileName)
{
    const bool create = (Mode & fmCreate) == fmCreate;
    const DWORD access = create ? GENERIC_READ | GENERIC_WRITE : AccessMode(Mode);
    FHandle = CreateFileW(FileName.c_str(), access, ShareMode(Mode), nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE) {
        const String reason = SysErrorMessage(GetLastError());
        if (create)
            throw EFCreateError(Format(L"Cannot create file \"%s\". %s", ExpandFileName(FileName), reason));
        throw EFOpenError(Format(L"Cannot open file \"%s\". %s", ExpandFileName(FileName), reason));
    }
}

TFileStream::~TFileStream()
{
    if (FHandle != INVALID_HANDLE_VALUE)
        CloseHandle(FHandle);
}

// ---------------------------------------------------------------------------------------------
// Memory streams

void TCustomMemoryStream::SetPointer(void* Ptr, int64_t Size)
{
    FMemory = Ptr;
    FSize = Size;
}

int64_t TCustomMemoryStream::Read(void* Buffer, int64_t Count)
{
    int64_t n = std::clamp<int64_t>(FSize - FPosition, 0, std::max<int64_t>(Count, 0));
    if (n > 0) {
        std::memcpy(Buffer, static_cast<const uint8_t*>(FMemory) + FPosition, static_cast<size_t>(n));
        FPosition += n;
    }
    return n;
}

int64_t TCustomMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    const int64_t bases[] = {0, FPosition, FSize};
    int64_t target = bases[static_cast<int>(Origin)] + Offset;
    if (target < 0)
        return -1;
    FPosition = target;
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) { Stream->WriteBuffer(FMemory, FSize); }

void TCustomMemoryStream::SaveToFile(const String& FileName)
{
    TObjectPtr<TFileStream> stream(Create<TFileStream>(FileName, fmCreate));
    SaveToStream(stream.get());
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count)
{
    if (Count <= 0)
        return 0;
    int64_t end = FPosition + Count;
    if (end > FSize)
        SetSize(end);
    std::memcpy(static_cast<uint8_t*>(FMemory) + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
    FData.resize(static_cast<size_t>(std::max<int64_t>(NewSize, 0)));
    SetPointer(FData.data(), static_cast<int64_t>(FData.size()));
    FPosition = std::min(FPosition, FSize);
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    SetPointer(nullptr, 0);
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    int64_t count = Stream->Size();
    SetSize(count);
    Stream->ReadBuffer(FMemory, count);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName)
{
    TObjectPtr<TFileStream> stream(Create<TFileStream>(FileName, Word(fmOpenRead | fmShareDenyWrite)));
    LoadFromStream(stream.get());
}

TResourceStream::TResourceStream(HINSTANCE Instance, const String& ResName, const wchar_t* ResType)
{
    Initialize(Instance, ResName.c_str(), ResType, ResName);
}

TResourceStream::TResourceStream(HINSTANCE Instance, int ResID, const wchar_t* ResType)
{
    Initialize(Instance, MAKEINTRESOURCEW(ResID), ResType, L"#" + IntToStr(ResID));
}

void TResourceStream::Initialize(HINSTANCE Instance, const wchar_t* Name, const wchar_t* ResType,
                                 const String& displayName)
{
    HRSRC info = FindResourceW(Instance, Name, ResType);
    HGLOBAL data = info ? LoadResource(Instance, info) : nullptr;
    if (!data)
        throw EResNotFound(Format(L"Resource %s not found", displayName));
    SetPointer(LockResource(data), SizeofResource(Instance, info));
}

int64_t TResourceStream::Write(const void*, int64_t)
{
    throw EStreamError(L"Cannot write to a read-only resource stream");
}

// ---------------------------------------------------------------------------------------------
// Synchronize queue

namespace {

struct SyncRequest {
    TThreadMethod method;
    std::exception_ptr error;
    bool done = false;
};

const DWORD gMainThreadId = GetCurrentThreadId();

std::mutex& SyncMutex()
{
    static std::mutex m;
    return m;
}

std::condition_variable& SyncDone()
{
    static std::condition_variable cv;
    return cv;
}

std::deque<SyncRequest*>& SyncQueue()
{
    static std::deque<SyncRequest*> queue;
    return queue;
}

TDelegate<void()>& WakeHook()
{
    static TDelegate<void()> hook;
    return hook;
}

// Signalled while the queue holds requests.
HANDLE SyncEvent()
{
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

}  // namespace

DWORD MainThreadID() { return gMainThreadId; }

void SetWakeMainThread(TDelegate<void()> hook)
{
    std::lock_guard lock(SyncMutex());
    WakeHook() = std::move(hook);
}

bool CheckSynchronize(int Timeout)
{
    if (GetCurrentThreadId() != MainThreadID())
        throw EThread(L"CheckSynchronize called from a thread other than the main thread");
    if (Timeout > 0)
        WaitForSingleObject(SyncEvent(), static_cast<DWORD>(Timeout));
    bool ran = false;
    for (;;) {
        SyncRequest* request;
        {
            std::lock_guard lock(SyncMutex());
            if (SyncQueue().empty()) {
                ResetEvent(SyncEvent());
                return ran;
            }
            request = SyncQueue().front();
            SyncQueue().pop_front();
        }
        ran = true;
        try {
            request->method();
        } catch (...) {
            request->error = std::current_exception();
        }
        {
            std::lock_guard lock(SyncMutex());
            request->done = true;
        }
        SyncDone().notify_all();
    }
}

// ---------------------------------------------------------------------------------------------
// TThread

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended)
{
    unsigned id = 0;
    FHandle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id));
    if (!FHandle)
        throw EThread(L"Thread creation error: " + SysErrorMessage(GetLastError()));
    FThreadID = id;
}

TThread::~TThread()
{
    if (FHandle)
        CloseHandle(FHandle);
}

void TThread::AfterConstruction()
{
    if (!FCreateSuspended)
        Start();
}

void TThread::BeforeDestruction()
{
    // A thread freeing itself at its end has nothing to wait for.
    if (GetCurrentThreadId() == FThreadID)
        return;
    Terminate();
    if (!FStarted) {
        FStarted = true;
        ResumeThread(FHandle);
    }
    WaitFor();
}

void TThread::Start()
{
    if (FStarted)
        throw EThread(L"Cannot call Start on a running or finished thread");
    FStarted = true;
    ResumeThread(FHandle);
}

uint32_t TThread::WaitFor()
{
    if (!FStarted)
        throw EThread(L"Cannot wait for a thread that was never started");
    if (GetCurrentThreadId() == MainThreadID()) {
        const HANDLE handles[2] = {FHandle, SyncEvent()};
        for (;;) {
            DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
            if (r == WAIT_OBJECT_0 + 1) {
                CheckSynchronize();
            } else if (r == WAIT_OBJECT_0 + 2) {
                // Lets messages sent by other threads through, as a blocked GUI thread must.
                MSG msg;
                PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            } else {
                break;
            }
        }
    } else {
        WaitForSingleObject(FHandle, INFINITE);
    }
    DWORD code = 0;
    GetExitCodeThread(FHandle, &code);
    return code;
}

void TThread::DoTerminate()
{
    if (FOnTerminate)
        Synchronize([this] { FOnTerminate(this); });
}

void TThread::Synchronize(TThread*, const TThreadMethod& Method)
{
    if (GetCurrentThreadId() == MainThreadID()) {
        Method();
        return;
    }
    SyncRequest request{Method, nullptr, false};
    TDelegate<void()> wake;
    {
        std::lock_guard lock(SyncMutex());
        SyncQueue().push_back(&request);
        SetEvent(SyncEvent());
        wake = WakeHook();
    }
    if (wake)
        wake();
    {
        std::unique_lock lock(SyncMutex());
        SyncDone().wait(lock, [&] { return request.done; });
    }
    if (request.error)
        std::rethrow_exception(request.error);
}

void TThread::Sleep(int Milliseconds) { ::Sleep(static_cast<DWORD>(std::max(Milliseconds, 0))); }

void TThread::NameThreadForDebugging(const String& ThreadName, DWORD ThreadId)
{
    using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    auto setDescription = reinterpret_cast<SetDescription>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadDescription")));
    if (!setDescription)
        return;
    if (ThreadId == 0) {
        setDescription(GetCurrentThread(), ThreadName.c_str());
        return;
    }
    HANDLE thread = OpenThread(THREAD_SET_LIMITED_INFORMATION, FALSE, ThreadId);
    if (thread) {
        setDescription(thread, ThreadName.c_str());
        CloseHandle(thread);
    }
}

unsigned __stdcall TThread::ThreadProc(void* parameter)
{
    auto* thread = static_cast<TThread*>(parameter);
    // Nothing may leave the thread entry: what ends Execute is kept as FatalException.
    try {
        if (!thread->FTerminated)
            thread->Execute();
    } catch (...) {
        thread->FFatalException = std::current_exception();
    }
    try {
        thread->DoTerminate();
    } catch (...) {
    }
    const bool freeIt = thread->FFreeOnTerminate;
    const uint32_t result = thread->FReturnValue;
    thread->FFinished = true;
    if (freeIt)
        thread->Free();
    return result;
}

}  // namespace vcl

#include "vcl/classes.h"

#include "vcl/sysutils.h"

#include <algorithm>

namespace vcl {

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

}  // namespace vcl

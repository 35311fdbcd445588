#include "vcl/properties.h"

#include "vcl/sysutils.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace vcl {

const TPropertyInfo* TPropertyTable::Find(const String& Name) const
{
    for (const TPropertyInfo& info : FProperties)
        if (SameText(info.Name, Name))
            return &info;
    return nullptr;
}

namespace {

// A class has a table of its own when it declares CL_PUBLISHED; the others inherit their
// parent's PublishProperties.
bool PublishesOwnProperties(const TClassInfo* Class)
{
    return !Class->Parent || Class->PublishProperties != Class->Parent->PublishProperties;
}

// The class's own table, filled on first use.
const TPropertyTable& OwnTable(const TClassInfo* Class)
{
    static std::mutex lock;
    static std::map<const TClassInfo*, std::unique_ptr<TPropertyTable>> tables;
    const std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<TPropertyTable>& table = tables[Class];
    if (!table) {
        auto filled = std::make_unique<TPropertyTable>();
        Class->PublishProperties(*filled);
        table = std::move(filled);
    }
    return *table;
}

// The object that holds the last property of the path and that property, or null.
struct TPropertyPlace {
    TObject* Instance;
    const TPropertyInfo* Info;
};

std::optional<TPropertyPlace> Locate(TObject* instance, const String& path)
{
    size_t start = 0;
    while (instance) {
        const size_t dot = path.find(L'.', start);
        const TPropertyInfo* info = FindProperty(instance->ClassInfo(), path.substr(start, dot - start));
        if (!info)
            return std::nullopt;
        if (dot == String::npos)
            return TPropertyPlace{instance, info};
        if (info->Kind != TPropertyKind::pkObject)
            return std::nullopt;
        instance = info->GetObject(instance);
        start = dot + 1;
    }
    return std::nullopt;
}

std::optional<TPropertyPlace> LocateKind(TObject* instance, const String& path,
                                         std::initializer_list<TPropertyKind> kinds)
{
    std::optional<TPropertyPlace> place = Locate(instance, path);
    for (TPropertyKind kind : kinds)
        if (place && place->Info->Kind == kind)
            return place;
    return std::nullopt;
}

uint64_t ParseSet(const TPropertyInfo& info, String text)
{
    text = Trim(text);
    if (text.size() >= 2 && text.front() == L'[' && text.back() == L']')
        text = text.substr(1, text.size() - 2);
    uint64_t mask = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(L',', start), text.size());
        const String name = Trim(text.substr(start, comma - start));
        start = comma + 1;
        if (name.empty())
            continue;
        size_t member = 0;
        while (member < info.Members.size() && !SameText(info.Members[member], name))
            ++member;
        if (member == info.Members.size())
            throw EConvertError(Format(L"\"%s\" is not a member of the set property %s", name, info.Name));
        mask |= uint64_t(1) << member;
    }
    return mask;
}

String SetText(const TPropertyInfo& info, uint64_t mask)
{
    String text;
    for (size_t member = 0; member < info.Members.size(); ++member)
        if (mask & (uint64_t(1) << member))
            text += (text.empty() ? L"" : L",") + info.Members[member];
    return text;
}

}  // namespace

const TPropertyInfo* FindProperty(const TClassInfo* Class, const String& Name)
{
    for (const TClassInfo* c = Class; c; c = c->Parent)
        if (PublishesOwnProperties(c))
            if (const TPropertyInfo* info = OwnTable(c).Find(Name))
                return info;
    return nullptr;
}

bool PropertyExists(TObject* Instance, const String& Path) { return Locate(Instance, Path).has_value(); }

std::optional<int64_t> ReadOrdinalProperty(TObject* Instance, const String& Path)
{
    const auto place = LocateKind(Instance, Path, {TPropertyKind::pkOrdinal, TPropertyKind::pkSet});
    if (!place)
        return std::nullopt;
    return place->Info->GetOrdinal(place->Instance);
}

bool WriteOrdinalProperty(TObject* Instance, const String& Path, int64_t Value)
{
    const auto place = LocateKind(Instance, Path, {TPropertyKind::pkOrdinal, TPropertyKind::pkSet});
    if (!place)
        return false;
    place->Info->SetOrdinal(place->Instance, Value);
    return true;
}

std::optional<TObject*> ReadObjectProperty(TObject* Instance, const String& Path)
{
    const auto place = LocateKind(Instance, Path, {TPropertyKind::pkObject});
    if (!place)
        return std::nullopt;
    return place->Info->GetObject(place->Instance);
}

bool WriteObjectProperty(TObject* Instance, const String& Path, TObject* Value)
{
    const auto place = LocateKind(Instance, Path, {TPropertyKind::pkObject});
    return place && place->Info->SetObject(place->Instance, Value);
}

std::optional<String> ReadStringProperty(TObject* Instance, const String& Path)
{
    const auto place = LocateKind(Instance, Path, {TPropertyKind::pkString});
    if (!place)
        return std::nullopt;
    return place->Info->GetString(place->Instance);
}

bool WriteStringProperty(TObject* Instance, const String& Path, const String& Value)
{
    const auto place = LocateKind(Instance, Path, {TPropertyKind::pkString});
    if (!place)
        return false;
    place->Info->SetString(place->Instance, Value);
    return true;
}

std::optional<String> ReadSetProperty(TObject* Instance, const String& Path)
{
    const auto place = LocateKind(Instance, Path, {TPropertyKind::pkSet});
    if (!place)
        return std::nullopt;
    return SetText(*place->Info, uint64_t(place->Info->GetOrdinal(place->Instance)));
}

bool WriteSetProperty(TObject* Instance, const String& Path, const String& Members)
{
    const auto place = LocateKind(Instance, Path, {TPropertyKind::pkSet});
    if (!place)
        return false;
    place->Info->SetOrdinal(place->Instance, int64_t(ParseSet(*place->Info, Members)));
    return true;
}

}  // namespace vcl

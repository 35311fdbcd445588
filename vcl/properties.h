#pragma once
// Properties by name. A class publishes some of its properties in a table of its own (CL_PUBLISHED
// in its body, PublishProperties with one Table.Add line a property in a source file); a look-up
// searches the object's class and then its ancestors, and follows dotted paths through object
// properties ("Font.Color"). A property that is not there is an answer (nullopt or false), never
// an error; what a getter or setter itself raises passes on to the caller.
#include "vcl/system.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <type_traits>
#include <vector>

namespace vcl {

// Ordinals are integers, booleans, enumerations and colours.
enum class TPropertyKind { pkOrdinal, pkObject, pkSet, pkString };

// One published property and how to read and write it on an object of the class that publishes it.
struct TPropertyInfo {
    String Name;
    TPropertyKind Kind;
    // Ordinals as their value, sets as the mask of their members (bit n = member n).
    std::function<int64_t(TObject*)> GetOrdinal;
    std::function<void(TObject*, int64_t)> SetOrdinal;
    std::function<TObject*(TObject*)> GetObject;
    // Refuses (false) an object that is not of the property's class.
    std::function<bool(TObject*, TObject*)> SetObject;
    std::function<String(TObject*)> GetString;
    std::function<void(TObject*, const String&)> SetString;
    // A set's member names in their enumeration's order.
    std::vector<String> Members;
};

namespace detail {
template<class T>
struct IsSet : std::false_type {};
template<class E>
struct IsSet<TSet<E>> : std::true_type {};

template<class V>
int64_t ToOrdinal(V value)
{
    if constexpr (std::is_enum_v<V>)
        return int64_t(static_cast<std::underlying_type_t<V>>(value));
    else
        return int64_t(value);
}

template<class V>
V FromOrdinal(int64_t value)
{
    if constexpr (std::is_same_v<V, bool>)
        return value != 0;
    else if constexpr (std::is_enum_v<V>)
        return static_cast<V>(static_cast<std::underlying_type_t<V>>(value));
    else
        return static_cast<V>(value);
}
}  // namespace detail

// The properties one class publishes, filled by its PublishProperties.
class TPropertyTable {
public:
    // An ordinal, string or object property from the class's getter and setter, e.g.
    // Table.Add(L"Color", &TControl::Color, &TControl::SetColor).
    template<class Getter, class Setter>
    void Add(const String& Name, Getter Get, Setter Set)
    {
        using Class = std::remove_const_t<typename detail::MemberClass<Getter>::type>;
        using Value = std::decay_t<std::invoke_result_t<Getter, Class*>>;
        const auto self = [](TObject* o) { return static_cast<Class*>(o); };
        TPropertyInfo info{Name, TPropertyKind::pkOrdinal, {}, {}, {}, {}, {}, {}, {}};
        if constexpr (std::is_same_v<Value, String>) {
            info.Kind = TPropertyKind::pkString;
            info.GetString = [=](TObject* o) { return String(std::invoke(Get, self(o))); };
            info.SetString = [=](TObject* o, const String& value) { std::invoke(Set, self(o), value); };
        } else if constexpr (std::is_pointer_v<Value>) {
            using Target = std::remove_pointer_t<Value>;
            static_assert(std::is_base_of_v<TObject, Target>, "object properties hold class-library objects");
            info.Kind = TPropertyKind::pkObject;
            info.GetObject = [=](TObject* o) -> TObject* { return std::invoke(Get, self(o)); };
            info.SetObject = [=](TObject* o, TObject* value) {
                auto* target = dynamic_cast<Target*>(value);
                if (value && !target)
                    return false;
                std::invoke(Set, self(o), target);
                return true;
            };
        } else {
            static_assert(std::is_integral_v<Value> || std::is_enum_v<Value>,
                          "published properties are ordinals, strings or objects; sets need their member names");
            info.GetOrdinal = [=](TObject* o) { return detail::ToOrdinal(std::invoke(Get, self(o))); };
            info.SetOrdinal = [=](TObject* o, int64_t v) { std::invoke(Set, self(o), detail::FromOrdinal<Value>(v)); };
        }
        FProperties.push_back(std::move(info));
    }

    // A set property and the names of its members in their enumeration's order, e.g.
    // Table.Add(L"Style", &TFont::Style, &TFont::SetStyle, {L"fsBold", L"fsItalic", ...}).
    template<class Getter, class Setter>
    void Add(const String& Name, Getter Get, Setter Set, std::initializer_list<const wchar_t*> Members)
    {
        using Class = std::remove_const_t<typename detail::MemberClass<Getter>::type>;
        using Value = std::decay_t<std::invoke_result_t<Getter, Class*>>;
        static_assert(detail::IsSet<Value>::value, "member names belong to set properties");
        const auto self = [](TObject* o) { return static_cast<Class*>(o); };
        const uint64_t members = Members.size() >= 64 ? ~uint64_t(0) : (uint64_t(1) << Members.size()) - 1;
        TPropertyInfo info{Name, TPropertyKind::pkSet, {}, {}, {}, {}, {}, {}, {Members.begin(), Members.end()}};
        info.GetOrdinal = [=](TObject* o) { return int64_t(std::invoke(Get, self(o)).Mask()); };
        info.SetOrdinal = [=](TObject* o, int64_t v) {
            std::invoke(Set, self(o), Value::FromMask(uint64_t(v) & members));
        };
        FProperties.push_back(std::move(info));
    }

    // The property of that name (compared without case), or null.
    const TPropertyInfo* Find(const String& Name) const;

private:
    std::vector<TPropertyInfo> FProperties;
};

// The property a class or its nearest ancestor publishes under the name (one name, no dots), or null.
const TPropertyInfo* FindProperty(const TClassInfo* Class, const String& Name);

// Every function takes a path of names joined by dots; each name but the last must be an object
// property holding an object. A null instance has no properties.
bool PropertyExists(TObject* Instance, const String& Path);
// Ordinal properties, and set properties as the mask of their members.
std::optional<int64_t> ReadOrdinalProperty(TObject* Instance, const String& Path);
bool WriteOrdinalProperty(TObject* Instance, const String& Path, int64_t Value);
// The object held (possibly null) by an object property.
std::optional<TObject*> ReadObjectProperty(TObject* Instance, const String& Path);
// False when the property is absent or the object is not of its class.
bool WriteObjectProperty(TObject* Instance, const String& Path, TObject* Value);
std::optional<String> ReadStringProperty(TObject* Instance, const String& Path);
bool WriteStringProperty(TObject* Instance, const String& Path, const String& Value);
// A set as the names of its members joined by "," ("fsBold,fsItalic"; "" when empty).
std::optional<String> ReadSetProperty(TObject* Instance, const String& Path);
// Takes member names separated by ",", blanks and one pair of brackets allowed ("[fsBold, fsItalic]");
// a name that is no member (compared without case) raises EConvertError and changes nothing.
bool WriteSetProperty(TObject* Instance, const String& Path, const String& Members);

}  // namespace vcl

#pragma once
// A set of up to eight enumeration members held in one byte, for the option
// sets of the image code that must not depend on the class library.
#include <cstdint>
#include <initializer_list>

namespace skin {

template <typename E>
class TByteSet {
public:
    constexpr TByteSet() = default;
    constexpr TByteSet(std::initializer_list<E> members)
    {
        for (E m : members)
            Include(m);
    }
    constexpr bool Contains(E m) const { return (FBits & Bit(m)) != 0; }
    constexpr void Include(E m) { FBits |= Bit(m); }
    constexpr void Exclude(E m) { FBits &= static_cast<uint8_t>(~Bit(m)); }
    constexpr bool operator==(const TByteSet&) const = default;

private:
    static constexpr uint8_t Bit(E m) { return static_cast<uint8_t>(1u << static_cast<unsigned>(m)); }
    uint8_t FBits = 0;
};

}  // namespace skin

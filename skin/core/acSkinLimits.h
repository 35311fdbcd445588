#pragma once
// What a skin may ask for. A skin is input from outside (a folder or packed file the user picks,
// a record the skin editor sends), so each of these bounds the time or memory one load may take;
// a skin past one fails to load with the limit's message and the skin in force stays. The limits
// lie far above what skins hold: ours has 42 sections in 9 KB of text and 53,000 pixels.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace skin {

// The options text: the largest skins write a few hundred KB.
inline constexpr int64_t MaxOptionsTextBytes = int64_t(8) << 20;
// Sections of the options text: skins have about a hundred, one per kind of control.
inline constexpr int MaxSkinSections = 65536;
// "PARENTCLASS" steps from a section to the end of its chain: skins chain a few sections.
inline constexpr int MaxParentDepth = 256;
// A packed skin file as a whole.
inline constexpr int64_t MaxPackedFileBytes = int64_t(64) << 20;
// One file of a packed skin unpacked (a larger size marks the package as damaged), and all of
// them together.
inline constexpr int32_t MaxPackedEntrySize = 64 << 20;
inline constexpr int64_t MaxUnpackedBytes = int64_t(256) << 20;
// The pixels of all images of a skin (its master bitmap, image files and patterns), each counted
// once it is read: 256 MB once made 32-bit.
inline constexpr int64_t MaxSkinPixels = int64_t(64) << 20;

// A limit passed; what() is the message in UTF-8.
class ESkinLimit : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace skin

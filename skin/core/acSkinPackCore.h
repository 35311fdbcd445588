#pragma once
// The reader of the packed skin format (acSkinPack.h gives the format) over a byte stream, free
// of windows so that it is fuzzed on the host; acSkinPack binds it to the class library's streams.
// Every count, length and size is checked against the data left and against the limits before
// anything is allocated for it.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "skin/core/acSkinLimits.h"
#include "skin/graphics/acByteStream.h"

namespace skin {

// Data that is no package ("ASzf" missing), or a package that is damaged; what() in UTF-8.
class EPackedSkinFault : public std::runtime_error {
public:
    enum class TKind { NotPacked, Damaged };
    EPackedSkinFault(TKind Kind, const std::string& Message) : std::runtime_error(Message), FKind(Kind) {}
    TKind Kind() const { return FKind; }

private:
    TKind FKind;
};

// The first four bytes of every package: "ASzf".
inline constexpr std::array<uint8_t, 4> PackedSkinMagic = {'A', 'S', 'z', 'f'};
inline constexpr char NotPackedMessage[] = "Loaded data is not a packed skin file.";

// The data begins with the magic (read from its start).
bool HasPackedSkinMagic(TByteStream& Data);

// The header of one entry: its file name as stored (8-bit, no path) and its size unpacked.
struct TPackedEntry {
    std::string Name;
    int32_t Size = 0;
};

// Reads a package from the start of its data, one entry after the other. Faults: EPackedSkinFault,
// ESkinLimit (a package past MaxPackedFileBytes, an entry past MaxPackedEntrySize is damage,
// entries past MaxUnpackedBytes together), the zlib core's EZStreamFault for corrupt compressed
// data, and the stream's own error when it cannot be read.
class TPackageReader {
public:
    // A stored name as UTF-8, for messages.
    using TNameText = std::string (*)(const std::string& Name);

    TPackageReader(TByteStream& Data, TNameText NameText);

    // The number of entries the package announces.
    int32_t Count() const { return FCount; }
    // The header of the next entry, after the previous entry's data.
    TPackedEntry NextEntry();
    // Unpacks the entry whose header came last into Out: exactly its size, its zlib stream ended
    // with a matching checksum; Data then stands right after that stream.
    void Unpack(const TPackedEntry& Entry, TByteStream& Out);

private:
    int32_t ReadInt32(const std::string& What);

    TByteStream& FData;
    TNameText FNameText;
    int32_t FCount = 0;
    int32_t FNext = 0;
    int64_t FUnpacked = 0;
};

}  // namespace skin

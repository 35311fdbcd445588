#include "skin/core/acSkinPackCore.h"

#include <algorithm>
#include <array>
#include <vector>

#include "skin/graphics/acZLibCore.h"

namespace skin {

// The helpers of this file, in a namespace of their own: the library is compiled in batches of
// files that share one anonymous namespace.
namespace packcore {

// The smallest entry: name length, size, and a zlib stream of header, empty block and checksum.
constexpr int64_t MinEntryBytes = 4 + 4 + 8;
// The pieces in which an entry is unpacked.
constexpr int64_t InflatePiece = 65536;

[[noreturn]] void Damaged(const std::string& Why)
{
    throw EPackedSkinFault(EPackedSkinFault::TKind::Damaged, "Packed skin data is damaged: " + Why + ".");
}

int64_t Remaining(TByteStream& Stream) { return Stream.Size() - Stream.Position(); }

std::string Quoted(const std::string& Name) { return "\"" + Name + "\""; }

std::string Megabytes(int64_t Bytes) { return std::to_string(Bytes >> 20) + " MB"; }

}  // namespace packcore

bool HasPackedSkinMagic(TByteStream& Data)
{
    Data.SetPosition(0);
    std::array<uint8_t, 4> bytes{};
    return Data.Read(bytes.data(), 4) == 4 && bytes == PackedSkinMagic;
}

TPackageReader::TPackageReader(TByteStream& Data, TNameText NameText) : FData(Data), FNameText(NameText)
{
    if (!HasPackedSkinMagic(FData))
        throw EPackedSkinFault(EPackedSkinFault::TKind::NotPacked, NotPackedMessage);
    if (FData.Size() > MaxPackedFileBytes)
        throw ESkinLimit("The packed skin is larger than " + packcore::Megabytes(MaxPackedFileBytes) + ".");
    FCount = ReadInt32("the entry count");
    if (FCount < 0 || FCount > packcore::Remaining(FData) / packcore::MinEntryBytes)
        packcore::Damaged("the entry count " + std::to_string(FCount) + " does not fit the data");
}

int32_t TPackageReader::ReadInt32(const std::string& What)
{
    uint8_t b[4];
    if (FData.Read(b, 4) != 4)
        packcore::Damaged("it ends inside " + What);
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

TPackedEntry TPackageReader::NextEntry()
{
    const std::string entry = "entry " + std::to_string(++FNext);
    const int32_t length = ReadInt32("the header of " + entry);
    if (length < 0 || length > packcore::Remaining(FData) - (packcore::MinEntryBytes - 4))
        packcore::Damaged("the name length " + std::to_string(length) + " of " + entry + " does not fit the data");
    TPackedEntry header;
    header.Name.resize(size_t(length));
    FData.ReadBuffer(header.Name.data(), length);
    const std::string name = packcore::Quoted(FNameText(header.Name));
    header.Size = ReadInt32("the header of " + name);
    if (header.Size < 0 || header.Size > MaxPackedEntrySize)
        packcore::Damaged("the size " + std::to_string(header.Size) + " of " + name + " is out of range");
    FUnpacked += header.Size;
    if (FUnpacked > MaxUnpackedBytes)
        throw ESkinLimit("The packed skin unpacks to more than " + packcore::Megabytes(MaxUnpackedBytes) + ".");
    return header;
}

void TPackageReader::Unpack(const TPackedEntry& Entry, TByteStream& Out)
{
    const std::string name = packcore::Quoted(FNameText(Entry.Name));
    TZDecompressor z(FData);
    std::vector<uint8_t> piece(size_t(std::min<int64_t>(packcore::InflatePiece, int64_t(Entry.Size) + 1)));
    // Asking for one byte beyond the size shows an entry that holds more.
    int64_t unpacked = 0;
    for (;;) {
        const int64_t wanted = std::min<int64_t>(packcore::InflatePiece, int64_t(Entry.Size) + 1 - unpacked);
        const int64_t got = z.Read(piece.data(), wanted);
        if (got == 0)
            break;
        unpacked += got;
        if (unpacked > Entry.Size)
            packcore::Damaged(name + " unpacks to more than its " + std::to_string(Entry.Size) + " bytes");
        Out.WriteBuffer(piece.data(), got);
    }
    if (!z.Ended())
        packcore::Damaged("it ends inside " + name);
    if (unpacked != Entry.Size)
        packcore::Damaged(name + " unpacks to " + std::to_string(unpacked) + " bytes, not " +
                          std::to_string(Entry.Size));
}

}  // namespace skin

// Packed skins: the writer against an independent reading of its output, the readers against
// hand-built packages (good, odd and damaged), the unpacker into a folder, and the stored skins.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "SkinTestSupport.h"
#include "bytes.h"
#include "pump.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acZLibEx.h"
#include "testpaths.h"
#include "vcl/sysutils.h"

using namespace skin;
using skintest::Deflated;
using skintest::Entry;
using skintest::Int32;
using skintest::Packed;
using skintest::RawEntry;
using skintest::TTempSkin;
using testsupport::FileBytes;
using testsupport::MemoryBytes;
using vcl::String;
using vcl::TMemoryStream;

namespace {

// ---------------------------------------------------------------------------------------------
// Building packages by hand

// Bytes that do not compress.
std::string Noise(size_t Size, uint32_t Seed)
{
    std::string s(Size, '\0');
    for (char& c : s) {
        Seed = Seed * 1664525u + 1013904223u;
        c = char(Seed >> 24);
    }
    return s;
}

// Incompressible data whose zlib stream of stored blocks is Size bytes long.
std::string DataWithStoredStreamSize(size_t Size)
{
    for (size_t n = Size - 40; n < Size; ++n)
        if (std::string data = Noise(n, 7); Deflated(data, 0).size() == Size)
            return data;
    ADD_FAILURE() << "no data for a stream of " << Size << " bytes";
    return {};
}

// A memory stream that tells when it is freed.
class TWatchedStream : public TMemoryStream {
public:
    explicit TWatchedStream(bool& Freed) : FFreed(Freed) {}
    ~TWatchedStream() override { FFreed = true; }

private:
    bool& FFreed;
};

// Unpacks Bytes from a lent stream and takes the stream back, as the manager does with an
// internal skin. Errors pass on.
std::unique_ptr<TacSkinConvertor> Unpack(const std::string& Bytes)
{
    TMemoryStream data;
    data.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
    auto sc = std::make_unique<TacSkinConvertor>();
    sc->PackedData = &data;
    ExtractPackedData(sc);
    sc->PackedData = nullptr;
    return sc;
}

// The message of the error that unpacking raises, "" when none.
std::string ErrorOf(const std::string& Bytes)
{
    try {
        Unpack(Bytes);
    } catch (const vcl::Exception& e) {
        return e.what();
    }
    return "";
}

// ---------------------------------------------------------------------------------------------
// Reading a package independently of the reader under test: zlib itself finds each stream's end.

struct TRawEntry {
    std::string Name;
    std::string Data;
    std::string StreamStart;  // the first two bytes of the zlib stream
};

int32_t IntAt(const std::string& S, size_t Pos)
{
    return int32_t(uint8_t(S[Pos]) | uint8_t(S[Pos + 1]) << 8 | uint8_t(S[Pos + 2]) << 16 | uint32_t(uint8_t(S[Pos + 3])) << 24);
}

std::vector<TRawEntry> Walk(const std::string& Package)
{
    std::vector<TRawEntry> entries;
    EXPECT_EQ(Package.substr(0, 4), "ASzf");
    size_t pos = 8;
    for (int32_t n = IntAt(Package, 4); n > 0; --n) {
        TRawEntry e;
        const int32_t length = IntAt(Package, pos);
        e.Name = Package.substr(pos + 4, size_t(length));
        pos += 4 + size_t(length);
        e.Data.resize(size_t(IntAt(Package, pos)) + 1);
        pos += 4;
        e.StreamStart = Package.substr(pos, 2);
        z_stream z{};
        inflateInit(&z);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Package.data() + pos));
        z.avail_in = uInt(Package.size() - pos);
        z.next_out = reinterpret_cast<Bytef*>(e.Data.data());
        z.avail_out = uInt(e.Data.size());
        EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END) << e.Name;
        e.Data.resize(z.total_out);
        pos += z.total_in;
        inflateEnd(&z);
        entries.push_back(e);
    }
    EXPECT_EQ(pos, Package.size()) << "nothing follows the last entry";
    return entries;
}

String OurSkinFolder()
{
    return vcl::FromAnsi(testsupport::SourceDir()) + L"\\assets\\skins\\Aluminium (internal)\\";
}

// ---------------------------------------------------------------------------------------------
// The writer

TEST(PackDir, OurSkinComesBackUnchanged)
{
    TTempSkin out;
    const String package = out.Folder() + L"ours.asz";
    PackDir(OurSkinFolder(), package);

    const std::vector<TRawEntry> entries = Walk(FileBytes(package));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, "Options.dat");
    EXPECT_EQ(entries[1].Name, "MASTER.BMP");
    for (const TRawEntry& e : entries) {
        EXPECT_EQ(e.StreamStart, "\x78\x9C") << e.Name;
        EXPECT_EQ(e.Data, FileBytes(OurSkinFolder() + vcl::FromAnsi(e.Name))) << e.Name;
    }

    std::unique_ptr<TacSkinConvertor> sc;
    LoadSkinFromFile(package, sc, true);
    ASSERT_TRUE(sc && sc->Options);
    EXPECT_EQ(MemoryBytes(sc->Options.get()), FileBytes(OurSkinFolder() + L"Options.dat"));
    EXPECT_EQ(sc->Options->Position(), sc->Options->Size());
    ASSERT_EQ(sc->Files.size(), 1u);
    EXPECT_EQ(sc->Files[0].FileName, L"MASTER.BMP");
    EXPECT_TRUE(sc->Files[0].IsBitmap);
    EXPECT_EQ(MemoryBytes(sc->Files[0].FileStream.get()), FileBytes(OurSkinFolder() + L"MASTER.BMP"));
    EXPECT_EQ(sc->ImageCount, 1);
    EXPECT_EQ(sc->PackedData, nullptr);
}

TEST(PackDir, OptionsFirstThenBitmapsPngsAndJpegsLeavingOtherEntriesOut)
{
    TTempSkin in, out;
    const std::pair<const char*, std::string> files[] = {
        {"b.jpg", "jpeg bytes"}, {"a.png", Noise(3000, 1)}, {"Master.bmp", std::string(70000, 'm')},
        {"Options.dat", "[GLOBALINFO]\r\nVERSION=8.00\r\n"}, {"Huge.BMP", ""}, {"notes.txt", "not a skin file"},
        {".hidden.bmp", "left out"}};
    for (const auto& [name, bytes] : files)
        in.WriteFile(vcl::FromAnsi(name), bytes);
    std::filesystem::create_directory(std::filesystem::path(in.Folder() + L"folder.bmp"));

    const String package = out.Folder() + L"mixed.asz";
    PackDir(vcl::ExcludeTrailingPathDelimiter(in.Folder()), package);
    std::vector<std::string> names;
    for (const TRawEntry& e : Walk(FileBytes(package))) {
        names.push_back(e.Name);
        EXPECT_EQ(e.StreamStart, "\x78\x9C") << e.Name;
        EXPECT_EQ(e.Data, FileBytes(in.Folder() + vcl::FromAnsi(e.Name))) << e.Name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Options.dat", "Huge.BMP", "Master.bmp", "a.png", "b.jpg"}));
}

TEST(PackDir, AFolderWithoutSkinFilesWritesNothing)
{
    TTempSkin in, out;
    in.WriteFile(L"readme.txt", "text");
    PackDir(in.Folder(), out.Folder() + L"none.asz");
    EXPECT_FALSE(vcl::FileExists(out.Folder() + L"none.asz"));
}

// ---------------------------------------------------------------------------------------------
// The readers

const std::string Options = "[GLOBALINFO]\r\nVERSION=8.00\r\n";

TEST(ExtractPackedData, PackagesThatLoad)
{
    // Entries whose checksum lies before, at, across or beyond the end of the decompression
    // stream's 131072-byte input block, each followed by another entry.
    std::vector<std::string> big;
    for (size_t streamSize : {131071, 131072, 131074, 131077})
        big.push_back(DataWithStoredStreamSize(streamSize));

    struct Case {
        const char* Name;
        std::string Bytes;
        std::optional<std::string> Options;
        std::vector<std::pair<std::string, bool>> Files;  // name as stored, IsBitmap
        std::vector<std::string> Contents;
        int ImageCount;
    };
    const Case cases[] = {
        {"no entries", Packed(0, ""), std::nullopt, {}, {}, -1},
        {"the second options entry wins", Packed(2, Entry("Options.dat", "first") + Entry("Options.dat", Options)),
         Options, {}, {}, 1},
        {"the options entry in capitals", Packed(1, Entry("OPTIONS.DAT", Options)), Options, {}, {}, 0},
        {"bitmaps by their last extension",
         Packed(3, Entry("a.bmp.png", "p") + Entry("b.BmP", "b") + Entry("c.png.bmp", "c")), std::nullopt,
         {{"a.bmp.png", false}, {"b.BmP", true}, {"c.png.bmp", true}}, {"p", "b", "c"}, 2},
        {"entries of size 0", Packed(3, Entry("e.bmp", "") + Entry("Options.dat", "") + Entry("f.png", "after")), "",
         {{"e.bmp", true}, {"f.png", false}}, {"", "after"}, 2},
        {"a stream of stored blocks", Packed(2, Entry("s.bmp", Noise(5000, 3), 0) + Entry("Options.dat", Options)),
         Options, {{"s.bmp", true}}, {Noise(5000, 3)}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::unique_ptr<TacSkinConvertor> sc = Unpack(c.Bytes);
        ASSERT_TRUE(sc);
        EXPECT_EQ(sc->ImageCount, c.ImageCount);
        ASSERT_EQ(bool(sc->Options), c.Options.has_value());
        if (c.Options) {
            EXPECT_EQ(MemoryBytes(sc->Options.get()), *c.Options);
        }
        ASSERT_EQ(sc->Files.size(), c.Files.size());
        for (size_t i = 0; i < c.Files.size(); ++i) {
            EXPECT_EQ(vcl::ToAnsi(sc->Files[i].FileName), c.Files[i].first);
            EXPECT_EQ(sc->Files[i].IsBitmap, c.Files[i].second);
            EXPECT_EQ(MemoryBytes(sc->Files[i].FileStream.get()), c.Contents[i]);
            EXPECT_EQ(sc->Files[i].FileStream->Position(), sc->Files[i].FileStream->Size());
        }
    }
    for (const std::string& b : big) {
        SCOPED_TRACE(b.size());
        std::unique_ptr<TacSkinConvertor> sc = Unpack(Packed(2, Entry("big.bmp", b, 0) + Entry("Options.dat", Options)));
        ASSERT_EQ(sc->Files.size(), 1u);
        EXPECT_TRUE(MemoryBytes(sc->Files[0].FileStream.get()) == b);
        ASSERT_TRUE(sc->Options);
        EXPECT_EQ(MemoryBytes(sc->Options.get()), Options);
    }
}

TEST(ExtractPackedData, DamagedPackagesFailWithTheirError)
{
    const std::string notPacked = "Loaded data is not a packed skin file.";
    const std::string damaged = "Packed skin data is damaged: ";
    const std::string good = Packed(2, Entry("Options.dat", Options) + Entry("x.bmp", "pixels"));
    const std::string stream = Deflated("pixels");
    struct Case {
        const char* Name;
        std::string Bytes;
        std::string Error;
    };
    std::vector<Case> cases = {
        {"empty", "", notPacked},
        {"shorter than the magic", "ASz", notPacked},
        {"magic only", "ASzf", damaged + "it ends inside the entry count."},
        {"negative count", Packed(-1, ""), damaged + "the entry count -1 does not fit the data."},
        {"huge count", Packed(0x7FFFFFFF, Entry("x.bmp", "")), damaged + "the entry count 2147483647 does not fit the data."},
        {"one entry too many", Packed(3, Entry("Options.dat", Options) + Entry("x.bmp", "pixels")),
         damaged + "it ends inside the header of entry 3."},
        {"negative name length", Packed(1, Int32(-1) + "x" + Int32(6) + stream),
         damaged + "the name length -1 of entry 1 does not fit the data."},
        {"huge name length", Packed(1, Int32(0x7FFFFFFF) + "x.bmp" + Int32(6) + stream),
         damaged + "the name length 2147483647 of entry 1 does not fit the data."},
        {"negative size", Packed(1, RawEntry("x.bmp", -1, stream)), damaged + "the size -1 of \"x.bmp\" is out of range."},
        {"huge size", Packed(1, RawEntry("x.bmp", 0x7FFFFFFF, stream)),
         damaged + "the size 2147483647 of \"x.bmp\" is out of range."},
        {"a size above the ceiling", Packed(1, RawEntry("x.bmp", MaxPackedEntrySize + 1, stream)),
         damaged + "the size 67108865 of \"x.bmp\" is out of range."},
        {"more bytes than its size", Packed(2, RawEntry("x.bmp", 5, stream) + Entry("Options.dat", Options)),
         damaged + "\"x.bmp\" unpacks to more than its 5 bytes."},
        {"fewer bytes than its size", Packed(2, RawEntry("x.bmp", 7, stream) + Entry("Options.dat", Options)),
         damaged + "\"x.bmp\" unpacks to 6 bytes, not 7."},
        {"a size of 0 for a file that holds bytes", Packed(2, RawEntry("x.bmp", 0, stream) + Entry("Options.dat", Options)),
         damaged + "\"x.bmp\" unpacks to more than its 0 bytes."},
        {"corrupt compressed data", Packed(1, RawEntry("x.bmp", 6, std::string("\x78\x9C\x07\0\0\0\0\0", 8))), "data error"},
        {"a wrong checksum", Packed(1, RawEntry("x.bmp", 6, stream.substr(0, stream.size() - 1) + char(stream.back() ^ 1))),
         "data error"},
    };
    // Cut anywhere, a package fails: inside the magic, a header, a name or a stream.
    for (size_t length = 4; length < good.size(); ++length)
        cases.push_back({"truncated", good.substr(0, length), ""});

    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + ", " + std::to_string(c.Bytes.size()) + " bytes");
        const std::string error = ErrorOf(c.Bytes);
        if (c.Error.empty()) {
            EXPECT_NE(error, "");
        } else {
            EXPECT_EQ(error, c.Error);
        }
    }
}

TEST(ExtractPackedData, ABadMagicFreesTheConvertorButNotALentStream)
{
    // A good package with its magic wrong in any one byte, and another format's file.
    const std::string good = Packed(1, Entry("Options.dat", Options));
    std::vector<std::string> packages = {"PK\3\4" + good.substr(4)};
    for (size_t i = 0; i < 4; ++i) {
        packages.push_back(good);
        packages.back()[i] ^= 0x20;
    }
    for (const std::string& bytes : packages) {
        SCOPED_TRACE(bytes.substr(0, 4));
        bool freed = false;
        {
            TWatchedStream data(freed);
            data.WriteBuffer(bytes.data(), int64_t(bytes.size()));
            auto sc = std::make_unique<TacSkinConvertor>();
            sc->PackedData = &data;
            try {
                ExtractPackedData(sc);
                ADD_FAILURE() << "unpacked";
            } catch (const vcl::Exception& e) {
                EXPECT_STREQ(e.what(), "Loaded data is not a packed skin file.");
            }
            EXPECT_EQ(sc, nullptr) << "no convertor is left";
            EXPECT_FALSE(freed) << "the lent stream stays its lender's";
        }
        EXPECT_TRUE(freed);
    }
}

TEST(TacSkinConvertor, ClearEmptiesItAndLeavesALentStreamAlone)
{
    bool freed = false;
    TWatchedStream data(freed);
    const std::string bytes = Packed(2, Entry("Options.dat", Options) + Entry("x.png", "p"));
    data.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    {
        auto sc = std::make_unique<TacSkinConvertor>();
        sc->PackedData = &data;
        ExtractPackedData(sc);
        sc->Clear();
        EXPECT_TRUE(sc->Files.empty());
        EXPECT_EQ(sc->Options, nullptr);
        EXPECT_EQ(sc->PackedData, nullptr);
        sc->PackedData = &data;  // a lender that forgets to take it back
    }
    EXPECT_FALSE(freed);
}

TEST(LoadSkinFromFile, AMissingFileChangesNothingAndTheFlagKeepsOrFreesThePackedBytes)
{
    TTempSkin folder;
    const std::string bytes = Packed(1, Entry("Options.dat", Options));
    folder.WriteFile(L"skin.asz", bytes);

    std::unique_ptr<TacSkinConvertor> sc;
    LoadSkinFromFile(folder.Folder() + L"missing.asz", sc, true);
    EXPECT_EQ(sc, nullptr);

    LoadSkinFromFile(folder.Folder() + L"skin.asz", sc, false);
    ASSERT_TRUE(sc && sc->PackedData);
    TacSkinConvertor* const first = sc.get();
    EXPECT_EQ(MemoryBytes(dynamic_cast<TMemoryStream*>(sc->PackedData)), bytes);

    LoadSkinFromFile(folder.Folder() + L"missing.asz", sc, true);
    EXPECT_EQ(sc.get(), first);
    EXPECT_NE(sc->Options, nullptr);

    LoadSkinFromFile(folder.Folder() + L"skin.asz", sc, true);
    EXPECT_EQ(sc.get(), first);  // refilled, not made anew
    EXPECT_EQ(sc->PackedData, nullptr);
    EXPECT_EQ(MemoryBytes(sc->Options.get()), Options);
}

// ---------------------------------------------------------------------------------------------
// The unpacker

TEST(UnpackSkinFile, WritesEveryFileIntoANewFolder)
{
    TTempSkin folder;
    PackDir(OurSkinFolder(), folder.Folder() + L"ours.asz");
    const String dest = folder.Folder() + L"unpacked";
    UnpackSkinFile(folder.Folder() + L"ours.asz", dest);
    for (const wchar_t* name : {L"Options.dat", L"MASTER.BMP"})
        EXPECT_EQ(FileBytes(dest + L"\\" + name), FileBytes(OurSkinFolder() + name)) << vcl::ToAnsi(name);
}

TEST(UnpackSkinFile, ANonPackageIsOnlyReported)
{
    TTempSkin folder;
    folder.WriteFile(L"plain.asz", "[GLOBALINFO]");
    testsupport::TMessageBoxRecorder boxes;
    UnpackSkinFile(folder.Folder() + L"plain.asz", folder.Folder() + L"out");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Text, folder.Folder() + L"plain.asz is not a packed skin file");
    EXPECT_EQ(boxes.Boxes()[0].Type & MB_ICONMASK, UINT(MB_ICONWARNING));
    EXPECT_EQ(boxes.Boxes()[0].Type & MB_TYPEMASK, UINT(MB_OK));
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(folder.Folder() + L"out")));
}

TEST(UnpackSkinFile, NamesThatLeaveTheFolderAreRefusedBeforeAnythingIsWritten)
{
    for (const char* name : {"..\\escape.bmp", "sub/escape.bmp", "C:escape.bmp", "..", "a..b.png"}) {
        SCOPED_TRACE(name);
        TTempSkin folder;
        folder.WriteFile(L"evil.asz", Packed(2, Entry("Options.dat", Options) + Entry(name, "x")));
        EXPECT_THROW(UnpackSkinFile(folder.Folder() + L"evil.asz", folder.Folder() + L"out"), vcl::EFCreateError);
        EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(folder.Folder() + L"out")));
        EXPECT_FALSE(vcl::FileExists(folder.Folder() + L"escape.bmp"));
    }
}

// ---------------------------------------------------------------------------------------------
// Stored skins

TEST(TsStoredSkins, IndexOfComparesNamesWithCase)
{
    TsStoredSkins skins(nullptr);
    skins.Add()->SetName(L"Aluminium (internal)");
    skins.Add()->SetName(L"Other");
    skins.Add()->SetName(L"Other");
    EXPECT_EQ(skins.IndexOf(L"Aluminium (internal)"), 0);
    EXPECT_EQ(skins.IndexOf(L"aluminium (internal)"), -1);
    EXPECT_EQ(skins.IndexOf(L"Other"), 1);
    EXPECT_EQ(skins.IndexOf(L""), -1);

    TsStoredSkins others(nullptr);
    others.Add()->SetName(L"Replacement");
    skins.Assign(&others);  // the list is the manager's own: nothing changes
    EXPECT_EQ(skins.Count(), 3);
}

TEST(TsStoredSkin, DataIsABinaryValueAlsoWhenEmpty)
{
    TsStoredSkins skins(nullptr);
    TsStoredSkin* skin = skins.Add();
    EXPECT_EQ(skin->Shadow1Blur(), -1);
    EXPECT_EQ(skin->BorderColor(), vcl::clFuchsia);

    TMemoryStream empty;
    skin->WriteData(&empty);
    EXPECT_EQ(MemoryBytes(&empty), std::string("\x0A\0\0\0\0", 5));

    skin->PackedData->WriteBuffer("ASzf", 4);
    TMemoryStream four;
    skin->WriteData(&four);
    EXPECT_EQ(MemoryBytes(&four), std::string("\x0A\x04\0\0\0" "ASzf", 9));

    TsStoredSkin* copy = skins.Add();
    copy->PackedData->WriteBuffer("old bytes", 9);
    four.SetPosition(0);
    copy->ReadData(&four);
    EXPECT_EQ(MemoryBytes(copy->PackedData.get()), "ASzf");
}

TEST(TsStoredSkin, AssignCopiesTheBytesAndEveryProperty)
{
    TsStoredSkins skins(nullptr);
    TsStoredSkin* source = skins.Add();
    source->SetName(L"Source");
    source->PackedData->WriteBuffer("packed", 6);
    source->MasterBitmap()->SetSize(3, 2);
    source->SetShadow1Color(vcl::TColor(0x102030));
    source->SetShadow1Offset(4);
    source->SetShadow1Blur(5);
    source->SetShadow1Transparency(60);
    source->SetBorderColor(vcl::TColor(0x405060));
    source->SetVersion(8.5);
    source->SetAuthor(L"Author");
    source->SetDescription(L"Description");

    TsStoredSkin* dest = skins.Add();
    dest->Assign(source);
    EXPECT_EQ(MemoryBytes(dest->PackedData.get()), "packed");
    EXPECT_EQ(dest->Name(), L"Source");
    EXPECT_EQ(dest->MasterBitmap()->Width(), 3);
    EXPECT_EQ(dest->MasterBitmap()->Height(), 2);
    EXPECT_EQ(dest->Shadow1Color(), vcl::TColor(0x102030));
    EXPECT_EQ(dest->Shadow1Offset(), 4);
    EXPECT_EQ(dest->Shadow1Blur(), 5);
    EXPECT_EQ(dest->Shadow1Transparency(), 60);
    EXPECT_EQ(dest->BorderColor(), vcl::TColor(0x405060));
    EXPECT_EQ(dest->Version(), 8.5);
    EXPECT_EQ(dest->Author(), L"Author");
    EXPECT_EQ(dest->Description(), L"Description");

    EXPECT_THROW(dest->Assign(nullptr), vcl::EConvertError);
}

}  // namespace

#include "skin/core/acSkinPack.h"

#include <algorithm>
#include <array>

#include "skin/graphics/acZLibEx.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::String;
using vcl::TMemoryStream;
using vcl::TStream;

namespace {

constexpr std::array<uint8_t, 4> Magic = {'A', 'S', 'z', 'f'};
const String OptionsName = L"Options.dat";
// The smallest entry: name length, size, and a zlib stream of header, empty block and checksum.
constexpr int64_t MinEntryBytes = 4 + 4 + 8;
// The pieces in which an entry is unpacked.
constexpr int64_t InflatePiece = 65536;

[[noreturn]] void Damaged(const String& Why)
{
    throw vcl::EReadError(L"Packed skin data is damaged: " + Why + L".");
}

int64_t Remaining(TStream* Stream) { return Stream->Size() - Stream->Position(); }

bool ReadMagic(TStream* Stream)
{
    std::array<uint8_t, 4> bytes{};
    return Stream->Read(bytes.data(), 4) == 4 && bytes == Magic;
}

// The next 32-bit little-endian integer; What names it when the data ends first.
int32_t ReadInt32(TStream* Stream, const String& What)
{
    uint8_t bytes[4];
    if (Stream->Read(bytes, 4) != 4)
        Damaged(L"it ends inside " + What);
    return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24);
}

void WriteInt32(TStream* Stream, int64_t Value)
{
    const auto v = uint32_t(Value);
    const uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    Stream->WriteBuffer(bytes, 4);
}

String Quoted(const String& Name) { return L"\"" + Name + L"\""; }

// The entry's zlib stream from Source's position, inflated to its end: afterwards Source stands
// right after the stream's checksum. The stream must give exactly Size bytes.
std::unique_ptr<TMemoryStream> Inflate(TStream* Source, const String& Name, int32_t Size)
{
    auto out = std::make_unique<TMemoryStream>();
    vcl::TObjectPtr<TZDecompressionStream> z(vcl::Create<TZDecompressionStream>(Source));
    std::vector<uint8_t> piece(size_t(std::min<int64_t>(InflatePiece, int64_t(Size) + 1)));
    // Asking for one byte beyond Size shows an entry that holds more.
    for (;;) {
        const int64_t wanted = std::min<int64_t>(InflatePiece, int64_t(Size) + 1 - out->Size());
        const int64_t got = z->Read(piece.data(), wanted);
        if (got == 0)
            break;
        out->WriteBuffer(piece.data(), got);
        if (out->Size() > Size)
            Damaged(Quoted(Name) + L" unpacks to more than its " + vcl::IntToStr(Size) + L" bytes");
    }
    if (!z->Ended())
        Damaged(L"it ends inside " + Quoted(Name));
    if (out->Size() != Size)
        Damaged(Quoted(Name) + L" unpacks to " + vcl::IntToStr(out->Size()) + L" bytes, not " + vcl::IntToStr(Size));
    return out;
}

void ExtractEntry(TacSkinConvertor& Convertor, int Index)
{
    TStream* data = Convertor.PackedData;
    const String entry = L"entry " + vcl::IntToStr(Index + 1);
    const int32_t length = ReadInt32(data, L"the header of " + entry);
    if (length < 0 || length > Remaining(data) - (MinEntryBytes - 4))
        Damaged(L"the name length " + vcl::IntToStr(length) + L" of " + entry + L" does not fit the data");
    vcl::AnsiString name(size_t(length), '\0');
    data->ReadBuffer(name.data(), length);
    const String fileName = vcl::FromAnsi(name);
    const int32_t size = ReadInt32(data, L"the header of " + Quoted(fileName));
    if (size < 0 || size > MaxPackedEntrySize)
        Damaged(L"the size " + vcl::IntToStr(size) + L" of " + Quoted(fileName) + L" is out of range");
    std::unique_ptr<TMemoryStream> unpacked = Inflate(data, fileName, size);
    if (vcl::CompareText(fileName, OptionsName) == 0) {
        Convertor.Options = std::move(unpacked);
    } else {
        const bool bitmap = vcl::UpperCase(vcl::ExtractFileExt(fileName)) == L".BMP";
        Convertor.Files.push_back({fileName, bitmap, std::move(unpacked)});
    }
}

// The names of the files of Dir (ending in a delimiter) that match Mask, in name order.
std::vector<String> FilesOf(const String& Dir, const String& Mask)
{
    std::vector<String> names;
    vcl::TSearchRec rec;
    for (int found = vcl::FindFirst(Dir + Mask, vcl::faAnyFile, rec); found == 0; found = vcl::FindNext(rec))
        if (!(rec.Attr & vcl::faDirectory) && !rec.Name.starts_with(L"."))
            names.push_back(rec.Name);
    vcl::FindClose(rec);
    // Name order makes the package the same whatever order the file system lists a folder in.
    std::ranges::sort(names, [](const String& a, const String& b) { return vcl::CompareText(a, b) < 0; });
    return names;
}

// A stored name that stays inside the folder it is unpacked into.
bool IsPlainFileName(const String& Name)
{
    return !Name.empty() && Name.find_first_of(L"\\/:") == String::npos && Name.find(L"..") == String::npos;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TacSkinConvertor

TacSkinConvertor::~TacSkinConvertor() { Clear(); }

void TacSkinConvertor::Clear()
{
    while (!Files.empty())
        Files.pop_back();
    Options.reset();
    PackedData = nullptr;
    FOwnedPackedData.reset();
}

// ---------------------------------------------------------------------------------------------
// Reading

void LoadSkinFromFile(const String& FileName, std::unique_ptr<TacSkinConvertor>& Convertor, bool FreePackedData)
{
    if (!vcl::FileExists(FileName))
        return;
    if (Convertor)
        Convertor->Clear();
    else
        Convertor = std::make_unique<TacSkinConvertor>();
    Convertor->FOwnedPackedData = std::make_unique<TMemoryStream>();
    Convertor->FOwnedPackedData->LoadFromFile(FileName);
    Convertor->PackedData = Convertor->FOwnedPackedData.get();
    ExtractPackedData(Convertor);
    if (FreePackedData) {
        Convertor->PackedData = nullptr;
        Convertor->FOwnedPackedData.reset();
    }
}

void ExtractPackedData(std::unique_ptr<TacSkinConvertor>& Convertor)
{
    TStream* data = Convertor->PackedData;
    data->SetPosition(0);
    if (!ReadMagic(data)) {
        Convertor.reset();
        throw vcl::Exception(L"Loaded data is not a packed skin file.");
    }
    const int32_t count = ReadInt32(data, L"the entry count");
    if (count < 0 || count > Remaining(data) / MinEntryBytes)
        Damaged(L"the entry count " + vcl::IntToStr(count) + L" does not fit the data");
    Convertor->ImageCount = count - 1;
    for (int i = 0; i < count; ++i)
        ExtractEntry(*Convertor, i);
}

// ---------------------------------------------------------------------------------------------
// Writing

void PackDir(const String& SrcPath, const String& FileName)
{
    const String dir = vcl::IncludeTrailingPathDelimiter(SrcPath);
    std::vector<String> names;
    for (const wchar_t* mask : {L"*.dat", L"*.bmp", L"*.png", L"*.jpg"})
        std::ranges::move(FilesOf(dir, mask), std::back_inserter(names));
    if (names.empty())
        return;

    TMemoryStream package;
    package.WriteBuffer(Magic.data(), int64_t(Magic.size()));
    WriteInt32(&package, int64_t(names.size()));
    for (const String& name : names) {
        TMemoryStream file;
        file.LoadFromFile(dir + name);
        if (file.Size() > MaxPackedEntrySize)
            throw vcl::EWriteError(Quoted(dir + name) + L" is too large for a packed skin.");
        const vcl::AnsiString stored = vcl::ToAnsi(name);
        WriteInt32(&package, int64_t(stored.size()));
        package.WriteBuffer(stored.data(), int64_t(stored.size()));
        WriteInt32(&package, file.Size());
        vcl::TObjectPtr<TZCompressionStream> z(vcl::Create<TZCompressionStream>(&package));
        z->WriteBuffer(file.Memory(), file.Size());
        z->Finish();
    }
    package.SaveToFile(FileName);
}

void UnpackSkinFile(const String& FileName, const String& DestDir)
{
    const String dir = vcl::IncludeTrailingPathDelimiter(vcl::ExcludeTrailingPathDelimiter(DestDir));
    if (!vcl::DirectoryExists(dir))
        vcl::CreateDir(dir);
    TMemoryStream data;
    data.LoadFromFile(FileName);
    if (!ReadMagic(&data)) {
        vcl::MessageDlg(FileName + L" is not a packed skin file", vcl::TMsgDlgType::mtWarning, {vcl::TMsgDlgBtn::mbOK}, 0);
        return;
    }
    auto convertor = std::make_unique<TacSkinConvertor>();
    convertor->PackedData = &data;
    ExtractPackedData(convertor);
    for (const TacImageItem& item : convertor->Files)
        if (!IsPlainFileName(item.FileName))
            throw vcl::EFCreateError(L"Cannot unpack " + Quoted(item.FileName) + L" from " + FileName +
                                     L": a packed file name holds no path.");
    if (convertor->Options)
        convertor->Options->SaveToFile(dir + OptionsName);
    for (const TacImageItem& item : convertor->Files)
        item.FileStream->SaveToFile(dir + item.FileName);
}

}  // namespace skin

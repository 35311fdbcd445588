#include "skin/core/acSkinPack.h"

#include <algorithm>

#include "skin/core/acSkinPackCore.h"
#include "skin/graphics/acStreamBytes.h"
#include "skin/graphics/acZLibCore.h"
#include "skin/graphics/acZLibEx.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::String;
using vcl::TMemoryStream;
using vcl::TStream;

namespace {

const String OptionsName = L"Options.dat";

void WriteInt32(TStream* Stream, int64_t Value)
{
    const auto v = uint32_t(Value);
    const uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    Stream->WriteBuffer(bytes, 4);
}

String Quoted(const String& Name) { return L"\"" + Name + L"\""; }

// A stored name as the messages show it.
std::string NameText(const std::string& Name) { return vcl::ToUtf8(vcl::FromAnsi(Name)); }

// Runs a step of the package reader, raising its faults as the class library's errors.
template<class F>
auto AsLibraryErrors(F&& Step) -> decltype(Step())
{
    try {
        return WithinSkinLimits(Step);
    } catch (const EPackedSkinFault& fault) {
        throw vcl::EReadError(vcl::FromUtf8(fault.what()));
    } catch (const EZStreamFault& fault) {
        throw EZDecompressionError(fault.Code());
    }
}

void ExtractEntry(TacSkinConvertor& Convertor, TPackageReader& Reader)
{
    const TPackedEntry entry = AsLibraryErrors([&] { return Reader.NextEntry(); });
    auto unpacked = std::make_unique<TMemoryStream>();
    TStreamBytes out(unpacked.get());
    AsLibraryErrors([&] { Reader.Unpack(entry, out); });
    const String fileName = vcl::FromAnsi(entry.Name);
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
    vcl::TFileStream file(FileName, vcl::fmOpenRead | vcl::fmShareDenyWrite);
    if (file.Size() > MaxPackedFileBytes)
        throw ESkinLimitError(L"The packed skin file " + Quoted(FileName) + L" is larger than " +
                              vcl::IntToStr(MaxPackedFileBytes >> 20) + L" MB.");
    if (Convertor)
        Convertor->Clear();
    else
        Convertor = std::make_unique<TacSkinConvertor>();
    Convertor->FOwnedPackedData = std::make_unique<TMemoryStream>();
    Convertor->FOwnedPackedData->LoadFromStream(&file);
    Convertor->PackedData = Convertor->FOwnedPackedData.get();
    ExtractPackedData(Convertor);
    if (FreePackedData) {
        Convertor->PackedData = nullptr;
        Convertor->FOwnedPackedData.reset();
    }
}

void ExtractPackedData(std::unique_ptr<TacSkinConvertor>& Convertor)
{
    TStreamBytes data(Convertor->PackedData);
    if (!HasPackedSkinMagic(data)) {
        Convertor.reset();
        throw vcl::Exception(vcl::FromUtf8(NotPackedMessage));
    }
    TPackageReader reader = AsLibraryErrors([&] { return TPackageReader(data, NameText); });
    Convertor->ImageCount = reader.Count() - 1;
    for (int i = 0; i < reader.Count(); ++i)
        ExtractEntry(*Convertor, reader);
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
    package.WriteBuffer(PackedSkinMagic.data(), int64_t(PackedSkinMagic.size()));
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
    TStreamBytes bytes(&data);
    if (!HasPackedSkinMagic(bytes)) {
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

#include "SkinTestSupport.h"

#include <windows.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "skin/graphics/BitmapView.h"
#include "vcl/sysutils.h"

namespace skintest {

namespace {

vcl::String Lines(const std::string& Text)
{
    vcl::String text = vcl::FromAnsi(Text);
    vcl::String out;
    for (wchar_t c : text)
        out += c == L'\n' ? vcl::String(L"\r\n") : vcl::String(1, c);
    return out;
}

}  // namespace

TTempSkin::TTempSkin()
{
    static int count = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    FFolder = vcl::String(temp) + L"zirv_skin_" + vcl::IntToStr(GetCurrentProcessId()) + L"_" + vcl::IntToStr(++count) + L"\\";
    std::filesystem::remove_all(std::filesystem::path(FFolder));
    vcl::ForceDirectories(FFolder);
}

TTempSkin::~TTempSkin()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(FFolder), ignored);
}

void TTempSkin::WriteOptions(const std::string& Text) const
{
    vcl::TStringList lines;
    lines.SetText(Lines(Text));
    lines.SaveToFile(FFolder + L"Options.dat");
}

void TTempSkin::WriteMaster(int Width, int Height, uint32_t Colour, std::initializer_list<vcl::TPoint> KeyPixels) const
{
    vcl::TObjectPtr<vcl::TBitmap> bmp(vcl::Create<vcl::TBitmap>());
    bmp->SetPixelFormat(vcl::TPixelFormat::pf24bit);
    bmp->SetSize(Width, Height);
    const auto put = [&](int x, int y, uint32_t rgb) {
        auto* p = static_cast<uint8_t*>(bmp->ScanLine(y)) + 3 * x;
        p[0] = uint8_t(rgb), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb >> 16);
    };
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            put(x, y, Colour);
    for (const vcl::TPoint& p : KeyPixels)
        put(p.x, p.y, 0xFF00FF);
    bmp->SaveToFile(FFolder + L"MASTER.BMP");
}

void TTempSkin::WriteFile(const vcl::String& Name, const std::string& Bytes) const
{
    std::ofstream(std::filesystem::path(FFolder + Name), std::ios::binary) << Bytes;
}

void TTempSkin::CopyTestSkinFile(const std::string& Skin, const std::string& File, const vcl::String& As) const
{
    std::filesystem::copy_file(std::filesystem::path(TestSkinFolder(Skin) + vcl::FromAnsi(File)),
                               std::filesystem::path(FFolder + As), std::filesystem::copy_options::overwrite_existing);
}

vcl::String TestSkinFolder(const std::string& Name)
{
    return vcl::ExpandFileName(L"testskins\\" + vcl::FromAnsi(Name)) + L"\\";
}

vcl::TObjectPtr<skin::TsSkinManager> LoadSkin(const vcl::String& Folder, const std::string& CommonSections)
{
    vcl::TObjectPtr<skin::TsSkinManager> manager(vcl::Create<skin::TsSkinManager>(nullptr));
    manager->CommonSections()->SetText(Lines(CommonSections));
    manager->LoadSkinFolder(Folder);
    return manager;
}

uint32_t PixelARGB(vcl::TBitmap* Bmp, int X, int Y)
{
    return skin::PixelsOf(Bmp).At(X, Y);
}

std::string Int32(int32_t Value)
{
    const auto v = uint32_t(Value);
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

std::string Deflated(const std::string& Data, int Level)
{
    uLongf size = compressBound(uLong(Data.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(Data.data()),
                  uLong(Data.size()), Level) != Z_OK)
        throw std::runtime_error("zlib could not compress the test data");
    out.resize(size);
    return out;
}

std::string RawEntry(const std::string& Name, int32_t Size, const std::string& Stream)
{
    return Int32(int32_t(Name.size())) + Name + Int32(Size) + Stream;
}

std::string Entry(const std::string& Name, const std::string& Data, int Level)
{
    return RawEntry(Name, int32_t(Data.size()), Deflated(Data, Level));
}

std::string Packed(int32_t Count, const std::string& Entries) { return "ASzf" + Int32(Count) + Entries; }

std::string OneBitBmp(int Width, int Height)
{
    const int stride = (Width + 31) / 32 * 4;
    const int pixels = 14 + 40 + 8;
    const int64_t size = pixels + int64_t(stride) * Height;
    std::string bmp = "BM" + Int32(int32_t(size)) + Int32(0) + Int32(pixels);
    bmp += Int32(40) + Int32(Width) + Int32(Height) + std::string("\1\0\1\0", 4) + Int32(0) +
           Int32(int32_t(size - pixels)) + Int32(2835) + Int32(2835) + Int32(2) + Int32(0);
    bmp += Int32(0x00405060) + Int32(0x00FFFFFF);
    bmp.resize(size_t(size), '\0');
    return bmp;
}

}  // namespace skintest

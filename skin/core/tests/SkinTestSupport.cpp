#include "SkinTestSupport.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

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

}  // namespace skintest

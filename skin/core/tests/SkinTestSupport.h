#pragma once
// Skin folders for the skin engine's tests: temporary ones written by a test, and the test skins
// the generator writes into the build tree.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "skin/core/sSkinManager.h"

namespace skintest {

// A fresh folder in the system's temporary folder, removed with everything in it at the end.
class TTempSkin {
public:
    TTempSkin();
    ~TTempSkin();
    TTempSkin(const TTempSkin&) = delete;
    TTempSkin& operator=(const TTempSkin&) = delete;

    const vcl::String& Folder() const { return FFolder; }
    // "Options.dat" from lines separated by "\n".
    void WriteOptions(const std::string& Text) const;
    // A 24-bit "MASTER.BMP" of one colour (0xRRGGBB) with key-colour pixels at the points given.
    void WriteMaster(int Width, int Height, uint32_t Colour, std::initializer_list<vcl::TPoint> KeyPixels = {}) const;
    void WriteFile(const vcl::String& Name, const std::string& Bytes) const;
    // A file of a generated test skin, under another name.
    void CopyTestSkinFile(const std::string& Skin, const std::string& File, const vcl::String& As) const;

private:
    vcl::String FFolder;
};

// The folder of a generated test skin (FLAT, PNG745 ...).
vcl::String TestSkinFolder(const std::string& Name);

// A new manager with the skin of Folder loaded; CommonSections, when given, are set first.
vcl::TObjectPtr<skin::TsSkinManager> LoadSkin(const vcl::String& Folder, const std::string& CommonSections = "");

// Packed skins built by hand: a 32-bit little-endian integer; Data as one zlib stream at Level
// (zlib's levels, -1 its default); an entry of a name, a size and a zlib stream as given; an entry
// of a name and its data; a package of Count entries.
std::string Int32(int32_t Value);
std::string Deflated(const std::string& Data, int Level = -1);
std::string RawEntry(const std::string& Name, int32_t Size, const std::string& Stream);
std::string Entry(const std::string& Name, const std::string& Data, int Level = -1);
std::string Packed(int32_t Count, const std::string& Entries);

// The bytes of a 1-bit BMP file of Width x Height pixels, all of the first of its two colours.
std::string OneBitBmp(int Width, int Height);

// The pixel (x, y) of a 32-bit bitmap as 0xAARRGGBB.
uint32_t PixelARGB(vcl::TBitmap* Bmp, int X, int Y);

}  // namespace skintest

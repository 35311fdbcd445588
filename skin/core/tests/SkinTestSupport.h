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

// The pixel (x, y) of a 32-bit bitmap as 0xAARRGGBB.
uint32_t PixelARGB(vcl::TBitmap* Bmp, int X, int Y);

}  // namespace skintest

#pragma once
// Reading values of a skin's options file: the pieces the loaders of the skin manager share.
#include "skin/core/acSkinPack.h"
#include "skin/core/sStyleSimply.h"
#include "vcl/bitmaps.h"
#include "vcl/inifiles.h"
#include "vcl/system.h"

#include <functional>

namespace skin {

class TsSkinManager;

// "VERSION" of "GLOBALINFO" with "." as decimal point whatever the user's settings; 0 when absent
// or not a number.
double ReadSkinVersion(const vcl::TCustomIniFile& Ini);

// The path of an image file of a folder skin: a name with a drive stands alone, any other lies in
// the skin folder.
vcl::String SkinFilePath(const TsSkinData& Data, const vcl::String& Name);

// Reads an image file into Graphic; false when the file is missing, unreadable, empty, or its
// decoder fails in any way but for want of memory: such an image is left out while the rest of
// the skin loads. Out of memory ends the load.
bool ReadImageFile(vcl::TGraphic* Graphic, const vcl::String& Path);

// The first unpacked file of Convertor (none: no file) whose upper-cased name is Name; none when
// there is no such file. Name must be in capitals to match.
vcl::TMemoryStream* FindPackedFile(const TacSkinConvertor* Convertor, const vcl::String& Name);

// Reads the image file Name of the skin being loaded into Graphic: while Manager.SkinIsPacked,
// the unpacked file of sc (FindPackedFile) from its start, else the file of the skin folder
// (SkinFilePath). false as ReadImageFile.
bool ReadSkinImage(const TsSkinManager& Manager, vcl::TGraphic* Graphic, const vcl::String& Name);

// Called with the name of each image file of a skin before it is decoded; tests raise the
// failures of decoders from it. None by default.
extern std::function<void(const vcl::String& Name)> SkinImageReadSeam;

// The pixels of the images of one load, each image counted once it is read and before it is made
// 32-bit: past MaxSkinPixels in all the load fails with ESkinLimitError. A load starts the count
// at 0.
void StartPixelCount();
void CountPixels(int64_t Width, int64_t Height);

// Converts an image to 32 bits when it has another format: opaque alpha but on key pixels.
void MakeOpaque32(vcl::TBitmap* Bmp);

// A case-sensitive INI object over the text of CommonSections; none when it has no lines.
vcl::TObjectPtr<vcl::TMemIniFile> CommonSectionsIni(vcl::TStrings* CommonSections);

// Calls Visit (section, key, value) for every key of every section of the INI object in file
// order: the first section and key of each name.
template<class Visit>
void ForEachKey(const vcl::TMemIniFile& Ini, Visit visit)
{
    const vcl::TIniText& text = Ini.Text();
    for (int s : text.FirstSections())
        for (int k : text.FirstKeys(s))
            visit(text.SectionName(s), text.Key(s, k), text.Value(s, k));
}

}  // namespace skin

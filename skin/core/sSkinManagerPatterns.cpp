// The pattern table of a skin: the JPEG files that the options file and the common sections name.
// Large ones stay JPEG patterns; the skin's smaller ones become texture images once, at load.
#include "skin/core/sSkinManager.h"

#include "skin/core/sSkinManagerValues.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::String;
using vcl::TJPEGImage;
using vcl::TObjectPtr;

namespace {

// From this many pixels on a JPEG of the skin stays a pattern.
constexpr int64_t PatternPixels = 900000;

bool NamesJpeg(const String& UpperValue)
{
    return UpperValue.find(L".JPG") != String::npos || UpperValue.find(L".JPEG") != String::npos;
}

// The JPEG that Read fills; none when it is missing, unreadable, corrupt or empty.
template<class TRead>
TObjectPtr<TJPEGImage> LoadJpeg(TRead&& Read)
{
    TObjectPtr<TJPEGImage> jpeg(vcl::Create<TJPEGImage>());
    if (!Read(jpeg.get()))
        return nullptr;
    CountPixels(jpeg->Width(), jpeg->Height());
    return jpeg;
}

// A small JPEG as a texture image with a bitmap of its own.
void AddTexture(TsSkinManager& Manager, TJPEGImage* Jpeg, const String& Section, const String& Key)
{
    TsMaskData& mask = Manager.ma.emplace_back();
    mask.Bmp.reset(vcl::Create<vcl::TBitmap>());
    mask.Bmp->Assign(Jpeg);
    MakeOpaque32(mask.Bmp.get());
    mask.ClassName = Section;
    mask.PropertyName = Key;
    mask.ImgType = TacImgType::itisaTexture;
    mask.ImageCount = 1;
    mask.Manager = &Manager;
}

}  // namespace

void TsSkinManager::LoadAllPatterns()
{
    FreeJpegs();
    if (SkinFile)
        ForEachKey(*SkinFile, [&](const String& section, const String& key, const String& text) {
            const String value = vcl::UpperCase(text);
            if (!NamesJpeg(value))
                return;
            TObjectPtr<TJPEGImage> jpeg =
                LoadJpeg([&](TJPEGImage* image) { return ReadSkinImage(*this, image, value); });
            if (!jpeg)
                return;
            if (int64_t(jpeg->Width()) * jpeg->Height() >= PatternPixels)
                pa.push_back({std::move(jpeg), vcl::UpperCase(section), vcl::UpperCase(key)});
            else
                AddTexture(*this, jpeg.get(), vcl::UpperCase(section), vcl::UpperCase(key));
        });
    // The common sections' JPEGs are files on disk and stay patterns whatever their size.
    if (const auto common = CommonSectionsIni(CommonSections()))
        ForEachKey(*common, [&](const String& section, const String& key, const String& text) {
            const String value = vcl::UpperCase(text);
            if (NamesJpeg(value))
                if (TObjectPtr<TJPEGImage> jpeg = LoadJpeg([&](TJPEGImage* image) {
                        return ReadImageFile(image, SkinFilePath(*SkinData, value));
                    }))
                    pa.push_back({std::move(jpeg), vcl::UpperCase(section), vcl::UpperCase(key)});
        });
}

}  // namespace skin

// The image table of a skin: the master bitmap and one entry per image value of the options file.
//
// Image values take these forms (positions count characters from 1):
//   "@" glyph          "@0217@0000@0262@0030@3@1": rectangle at 2-5, 7-10, 12-15, 17-20 of the
//                      master bitmap, ImageCount at 22, MaskType at 24
//   "^" border mask    "^0262^0000^0304^0046^0007^0008^0006^0006^3^1^3^1": rectangle, WL WT WR WB
//                      at 22-25, 27-30, 32-35, 37-40, ImageCount 42, MaskType 44, DrawMode 46,
//                      BorderWidth 48
//   "~" texture        "~0144~0010~0145~0056~01~0": rectangle, DrawMode at 22-23, MaskType at 25
//   "!" image file     "!XB.PNG!2!0!3!0026!0026!0026!0026!1": words between "!": file, ImageCount,
//                      MaskType, ImgType, WL, WT, WR, WB, DrawMode
//   "#" rectangle list "#(10,20,30,40)(3,1,2,1)": rectangle words, then ImageCount, MaskType,
//                      BorderWidth, DrawMode
//   a plain ".BMP" file name (older skins): three states with a mask row
// Fixed positions are strict: text that is not a number there fails the load.
#include "skin/core/sSkinManager.h"

#include <algorithm>

#include "skin/core/acSkinOptions.h"
#include "skin/core/sSkinManagerValues.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/acPNG.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::SmallInt;
using vcl::String;
using vcl::TBitmap;
using vcl::TObjectPtr;
using vcl::TPixelFormat;
using vcl::TRect;

namespace {

const String GlobalInfoSection = L"GLOBALINFO";

bool Holds(const String& Text, const String& Part) { return Text.find(Part) != String::npos; }

// A / B for image geometry; a zero divisor raises the class library's arithmetic error.
int Divide(int A, int B)
{
    if (B == 0)
        throw vcl::EDivByZero(L"Division by zero");
    return A / B;
}

String AnsiRoundTrip(const String& Text) { return vcl::FromAnsi(vcl::ToAnsi(Text)); }

// Runs a step of the options core, raising its faults as the class library's errors.
template<class F>
auto AsLibraryErrors(F&& Step) -> decltype(Step())
{
    try {
        return Step();
    } catch (const ESkinValueFault& fault) {
        if (fault.Kind() == ESkinValueFault::TKind::DivisionByZero)
            throw vcl::EDivByZero(L"Division by zero");
        // The class library's conversion error of that text, with its own message.
        vcl::StrToInt(fault.Text());
        throw;
    }
}

// 1 when a corner area of the first frame holds a key-colour pixel, else 0; 2 (not probed) for the
// border of the huge button. The last column and row of the bitmap are never scanned.
SmallInt ProbeCorners(const TsMaskData& Mask, TBitmap* Master)
{
    if (Mask.ClassName == L"BUTTON_HUGE" && Mask.PropertyName == L"BORDERSMASK")
        return 2;
    TBitmap* image = Mask.Bmp ? Mask.Bmp.get() : Master;
    TacFast32 pixels;
    if (!image || image->PixelFormat() != TPixelFormat::pf32bit || !pixels.Attach(image))
        return 0;
    const TRect& r = Mask.R;
    const int right = r.left + Divide(r.Width(), Mask.ImageCount);
    const int bottom = r.top + Divide(r.Height(), Mask.MaskType + 1);
    const TRect corners[] = {
        {r.left, r.top, r.left + Mask.WL, r.top + Mask.WT},
        {right - Mask.WR, r.top, right, r.top + Mask.WT},
        {r.left, bottom - Mask.WB, r.left + Mask.WL, bottom},
        {right - Mask.WR, bottom - Mask.WB, right, bottom},
    };
    for (const TRect& corner : corners) {
        const int lastX = std::min<int>(corner.right, pixels.Width() - 1);
        const int lastY = std::min<int>(corner.bottom, pixels.Height() - 1);
        for (int y = std::max<int>(corner.top, 0); y < lastY; ++y)
            for (int x = std::max<int>(corner.left, 0); x < lastX; ++x)
                if (pixels.GetPixel(x, y).U() == 0x00FF00FF)
                    return 1;
    }
    return 0;
}

// Where an image file is read: the skin's own files (unpacked ones while the skin is packed), or
// always the skin folder on disk (the common sections' files).
enum class TFileSource { Skin, Disk };

class TMaskLoader {
public:
    explicit TMaskLoader(TsSkinManager& Manager) : FManager(Manager) {}

    void LoadMasterBitmap();
    // One value of the options file by its form; values that name no image add nothing.
    void AddImage(const String& Section, const String& Key, const String& Value);
    // A plain file name or a "#" rectangle list of CommonSections, whose files are on disk.
    void AddCommonImage(const String& Section, const String& Key, const String& Value);

private:
    void Add(const String& Section, const String& Key, TImageValue Image, TFileSource Source);
    TsMaskData& Append(const String& Section, const String& Key, TacImgType Type);
    // The BMP or PNG file Name from Source; none when it is missing, unreadable or empty. Pixels
    // come 32-bit with opaque alpha but on key pixels.
    TObjectPtr<TBitmap> LoadImageFile(const String& Name, bool Png, TFileSource Source) const;
    bool Read(vcl::TGraphic* Graphic, const String& Name, TFileSource Source) const;
    // Gives an image its own bitmap, its canvas kept locked so that its DC stays.
    static void Adopt(TsMaskData& Mask, TObjectPtr<TBitmap> Bmp);
    SmallInt Corners(const TsMaskData& Mask) const { return ProbeCorners(Mask, FManager.MasterBitmap.get()); }

    TsSkinManager& FManager;
};

TsMaskData& TMaskLoader::Append(const String& Section, const String& Key, TacImgType Type)
{
    TsMaskData& mask = FManager.ma.emplace_back();
    mask.ClassName = Section;
    mask.PropertyName = Key;
    mask.ImgType = Type;
    mask.Manager = &FManager;
    return mask;
}

bool TMaskLoader::Read(vcl::TGraphic* Graphic, const String& Name, TFileSource Source) const
{
    return Source == TFileSource::Skin ? ReadSkinImage(FManager, Graphic, Name)
                                       : ReadImageFile(Graphic, SkinFilePath(*FManager.SkinData, Name));
}

TObjectPtr<TBitmap> TMaskLoader::LoadImageFile(const String& Name, bool Png, TFileSource Source) const
{
    TObjectPtr<TBitmap> bmp(vcl::Create<TBitmap>());
    if (Png) {
        TObjectPtr<TPNGGraphic> png(vcl::Create<TPNGGraphic>());
        if (!Read(png.get(), Name, Source))
            return nullptr;
        CountPixels(png->Width(), png->Height());
        bmp->Assign(png.get());
        // Older skins mark transparent pixels by key colour; newer ones carry straight alpha.
        if (FManager.SkinData->Version <= 7.45)
            UpdateTransPixels(bmp.get());
        else
            UpdateAlpha(bmp.get());
    } else if (Read(bmp.get(), Name, Source)) {
        CountPixels(bmp->Width(), bmp->Height());
    } else {
        return nullptr;
    }
    MakeOpaque32(bmp.get());
    return bmp;
}

void TMaskLoader::Adopt(TsMaskData& Mask, TObjectPtr<TBitmap> Bmp)
{
    Mask.Bmp = std::move(Bmp);
    Mask.Bmp->Canvas()->Handle();
    Mask.Bmp->Canvas()->Lock();
    Mask.R = TRect(0, 0, Mask.Bmp->Width(), Mask.Bmp->Height());
}

void TMaskLoader::LoadMasterBitmap()
{
    TsSkinData& data = *FManager.SkinData;
    data.Version = ReadSkinVersion(*SkinFile);
    FManager.MasterBitmap.reset(vcl::Create<TBitmap>());
    TBitmap* master = FManager.MasterBitmap.get();
    const String name = SkinFile->ReadString(GlobalInfoSection, L"MASTERBITMAP", L"");
    if (!name.empty())
        if (TObjectPtr<TBitmap> loaded = LoadImageFile(name, false, TFileSource::Skin))
            master->Assign(loaded.get());
    MakeOpaque32(master);
    master->SetTransparent(true);
    master->SetTransparentColor(vcl::clFuchsia);
    master->SetHandleType(vcl::TBitmapHandleType::bmDIB);
}

void TMaskLoader::Add(const String& Section, const String& Key, TImageValue Image, TFileSource Source)
{
    if (Image.Form == TImageForm::None)
        return;
    TObjectPtr<TBitmap> bmp;
    if (Image.Form == TImageForm::File || Image.Form == TImageForm::PlainFile) {
        bmp = LoadImageFile(Image.FileName, Image.Png, Source);
        if (!bmp)
            return;
        AsLibraryErrors([&] { SetImageSize(Image, bmp->Width(), bmp->Height()); });
    }
    const bool upper = Image.UpperCaseNames;
    TsMaskData& mask = Append(upper ? vcl::UpperCase(Section) : Section, upper ? vcl::UpperCase(Key) : Key,
                              TacImgType(Image.ImgType));
    mask.R = TRect(Image.Left, Image.Top, Image.Right, Image.Bottom);
    if (bmp)
        Adopt(mask, std::move(bmp));
    mask.ImageCount = Image.ImageCount;
    mask.MaskType = Image.MaskType;
    mask.BorderWidth = Image.BorderWidth;
    mask.DrawMode = Image.DrawMode;
    mask.WL = Image.WL;
    mask.WT = Image.WT;
    mask.WR = Image.WR;
    mask.WB = Image.WB;
    if (Image.ProbeCorners)
        mask.CornerType = Corners(mask);
}

void TMaskLoader::AddImage(const String& Section, const String& Key, const String& Value)
{
    const double version = FManager.SkinData->Version;
    Add(Section, Key, AsLibraryErrors([&] { return ReadImageValue(Value, version, AnsiRoundTrip); }), TFileSource::Skin);
}

void TMaskLoader::AddCommonImage(const String& Section, const String& Key, const String& Value)
{
    const bool master = bool(FManager.MasterBitmap);
    Add(Section, Key, AsLibraryErrors([&] { return ReadCommonImageValue(Value, master, AnsiRoundTrip); }),
        TFileSource::Disk);
}

}  // namespace

String SkinFilePath(const TsSkinData& Data, const String& Name)
{
    return Holds(Name, L":") ? Name : Data.SkinPath + Name;
}

namespace {

int64_t PixelsLoaded = 0;

// Runs Load on the image file Name into Graphic; false when it fails in any way but for want of
// memory, or gives an empty image. A skin's image is outside input: a decoder's failure, whatever
// its kind, leaves that image out.
template<class TLoad>
bool LoadGraphic(vcl::TGraphic* Graphic, const String& Name, TLoad&& Load)
{
    try {
        if (SkinImageReadSeam)
            SkinImageReadSeam(Name);
        Load();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        return false;
    }
    return Graphic->Width() > 0;
}

}  // namespace

bool ReadImageFile(vcl::TGraphic* Graphic, const String& Path)
{
    return vcl::FileExists(Path) && LoadGraphic(Graphic, Path, [&] { Graphic->LoadFromFile(Path); });
}

vcl::TMemoryStream* FindPackedFile(const TacSkinConvertor* Convertor, const String& Name)
{
    if (Convertor)
        for (const TacImageItem& item : Convertor->Files)
            if (vcl::UpperCase(item.FileName) == Name)
                return item.FileStream.get();
    return nullptr;
}

bool ReadSkinImage(const TsSkinManager& Manager, vcl::TGraphic* Graphic, const String& Name)
{
    if (!Manager.SkinIsPacked)
        return ReadImageFile(Graphic, SkinFilePath(*Manager.SkinData, Name));
    vcl::TMemoryStream* file = FindPackedFile(sc.get(), Name);
    if (!file)
        return false;
    file->SetPosition(0);
    return LoadGraphic(Graphic, Name, [&] { Graphic->LoadFromStream(file); });
}

std::function<void(const String& Name)> SkinImageReadSeam;

void StartPixelCount() { PixelsLoaded = 0; }

void CountPixels(int64_t Width, int64_t Height)
{
    PixelsLoaded += std::max<int64_t>(Width, 0) * std::max<int64_t>(Height, 0);
    if (PixelsLoaded > MaxSkinPixels)
        throw ESkinLimitError(L"The skin's images hold more than " + vcl::IntToStr(MaxSkinPixels >> 20) +
                              L" million pixels.");
}

void MakeOpaque32(TBitmap* Bmp)
{
    if (Bmp->PixelFormat() == TPixelFormat::pf32bit)
        return;
    Bmp->SetPixelFormat(TPixelFormat::pf32bit);
    FillAlphaRect(PixelsOf(Bmp), TRect(0, 0, Bmp->Width(), Bmp->Height()), 255, true);
}

vcl::TObjectPtr<vcl::TMemIniFile> CommonSectionsIni(vcl::TStrings* CommonSections)
{
    if (CommonSections->Count() == 0)
        return nullptr;
    // No file name: the text lives only in memory.
    vcl::TObjectPtr<vcl::TMemIniFile> ini(vcl::Create<vcl::TMemIniFile>(L""));
    ini->SetCaseSensitive(true);
    ini->SetStrings(CommonSections);
    return ini;
}

void TsSkinManager::LoadAllMasks()
{
    FreeBitmaps();
    TMaskLoader loader(*this);
    if (SkinFile) {
        loader.LoadMasterBitmap();
        ForEachImageValue(SkinFile->Text(), [&](const String& section, const String& key, const String& value) {
            loader.AddImage(section, key, value);
        });
    }
    if (const auto common = CommonSectionsIni(CommonSections()))
        ForEachKey(*common, [&](const String& section, const String& key, const String& value) {
            if (vcl::UpperCase(section) != GlobalInfoSection)
                loader.AddCommonImage(section, key, value);
        });
}

}  // namespace skin

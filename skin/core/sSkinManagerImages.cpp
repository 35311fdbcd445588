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

#include "skin/core/sSkinManagerValues.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/acPNG.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::AnsiString;
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

// The integer at a fixed position of a value.
int FixedField(const String& Value, int Position, int Length)
{
    return vcl::StrToInt(vcl::Copy(Value, Position, Length));
}

TRect FixedRect(const String& Value)
{
    return TRect(FixedField(Value, 2, 4), FixedField(Value, 7, 4), FixedField(Value, 12, 4), FixedField(Value, 17, 4));
}

// The words of a value split at the delimiters, numbered from 1, in the 8-bit code page.
class TWords {
public:
    TWords(const String& Value, const TSysCharSet& Delims) : FText(vcl::ToAnsi(Value)), FDelims(Delims) {}

    int Count() const { return WordCount(FText, FDelims); }
    String Word(int N) const { return vcl::FromAnsi(ExtractWord(N, FText, FDelims)); }
    // Word N as an integer; 0 when it is not a number.
    int Number(int N) const { return vcl::StrToIntDef(Word(N), 0); }
    // Word N strictly as an integer (a non-number fails the load); Missing when there is no word N.
    int StrictNumber(int N, int Missing) const
    {
        const String word = Word(N);
        return word.empty() ? Missing : vcl::StrToInt(word);
    }

private:
    AnsiString FText;
    TSysCharSet FDelims;
};

// Every side one third of a frame: the widths of an image that gives none.
void SetDefaultWidths(TsMaskData& Mask)
{
    Mask.WL = Mask.WR = SmallInt(Divide(Mask.R.Width(), Mask.ImageCount * 3));
    Mask.WT = Mask.WB = SmallInt(Divide(Mask.R.Height(), (Mask.MaskType + 1) * 3));
}

// All four widths BorderWidth, or the default widths when it is 0.
void SetUniformWidths(TsMaskData& Mask)
{
    if (Mask.BorderWidth != 0)
        Mask.WL = Mask.WT = Mask.WR = Mask.WB = Mask.BorderWidth;
    else
        SetDefaultWidths(Mask);
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
    TsMaskData& Append(const String& Section, const String& Key, TacImgType Type);
    // The BMP or PNG file Name from Source; none when it is missing, unreadable or empty. Pixels
    // come 32-bit with opaque alpha but on key pixels.
    TObjectPtr<TBitmap> LoadImageFile(const String& Name, bool Png, TFileSource Source) const;
    bool Read(vcl::TGraphic* Graphic, const String& Name, TFileSource Source) const;
    // Gives an image its own bitmap, its canvas kept locked so that its DC stays.
    static void Adopt(TsMaskData& Mask, TObjectPtr<TBitmap> Bmp);
    SmallInt Corners(const TsMaskData& Mask) const { return ProbeCorners(Mask, FManager.MasterBitmap.get()); }

    void AddImageFile(const String& Section, const String& Key, const String& Value);
    void AddGlyph(const String& Section, const String& Key, const String& Value);
    void AddBorder(const String& Section, const String& Key, const String& Value);
    void AddTexture(const String& Section, const String& Key, const String& Value);
    void AddPlainFile(const String& Section, const String& Key, const String& Value, TFileSource Source);
    void AddRectangleList(const String& Section, const String& Key, const String& Value);

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
        bmp->Assign(png.get());
        // Older skins mark transparent pixels by key colour; newer ones carry straight alpha.
        if (FManager.SkinData->Version <= 7.45)
            UpdateTransPixels(bmp.get());
        else
            UpdateAlpha(bmp.get());
    } else if (!Read(bmp.get(), Name, Source)) {
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

void TMaskLoader::AddImage(const String& Section, const String& Key, const String& Value)
{
    switch (Value.front()) {
    case L'!': AddImageFile(Section, Key, Value); break;
    case L'@': AddGlyph(Section, Key, Value); break;
    case L'^': AddBorder(Section, Key, Value); break;
    case L'~': AddTexture(Section, Key, Value); break;
    default:
        if (!Holds(Value, L"#"))
            AddPlainFile(Section, Key, Value, TFileSource::Skin);
        else if (Value != L"#")
            AddRectangleList(Section, Key, Value);
    }
}

void TMaskLoader::AddCommonImage(const String& Section, const String& Key, const String& Value)
{
    if (!FManager.MasterBitmap || !Holds(Value, L"#"))
        AddPlainFile(Section, Key, Value, TFileSource::Disk);
    else if (Value != L"#")
        AddRectangleList(Section, Key, Value);
}

void TMaskLoader::AddImageFile(const String& Section, const String& Key, const String& Value)
{
    const TWords words(Value, {'!'});
    const String name = words.Word(1);
    const bool png = Holds(name, L".PNG");
    if (!png && !Holds(name, L".BMP"))
        return;
    TObjectPtr<TBitmap> bmp = LoadImageFile(name, png, TFileSource::Skin);
    if (!bmp)
        return;
    // A kind beyond the known ones counts as the last; a negative one as a border.
    const auto type = TacImgType(std::clamp(words.Number(4), 0, int(TacImgType::itisaPngGlyph)));
    TsMaskData& mask = Append(Section, Key, type);
    Adopt(mask, std::move(bmp));
    mask.ImageCount = SmallInt(words.Number(2));
    mask.MaskType = SmallInt(words.Number(3));
    if (words.Count() >= 5) {
        mask.WL = SmallInt(words.Number(5));
        mask.WT = SmallInt(words.Number(6));
        mask.WR = SmallInt(words.Number(7));
        mask.WB = SmallInt(words.Number(8));
    } else {
        SetDefaultWidths(mask);
    }
    mask.DrawMode = SmallInt(words.Count() >= 9 ? words.Number(9) : 1);
    if (type == TacImgType::itisaBorder)
        mask.CornerType = Corners(mask);
}

void TMaskLoader::AddGlyph(const String& Section, const String& Key, const String& Value)
{
    TsMaskData& mask = Append(Section, Key, TacImgType::itisaGlyph);
    mask.R = FixedRect(Value);
    mask.ImageCount = SmallInt(FixedField(Value, 22, 1));
    mask.MaskType = SmallInt(FixedField(Value, 24, 1));
}

void TMaskLoader::AddBorder(const String& Section, const String& Key, const String& Value)
{
    TsMaskData& mask = Append(Section, Key, TacImgType::itisaBorder);
    mask.R = FixedRect(Value);
    mask.WL = SmallInt(FixedField(Value, 22, 4));
    mask.WT = SmallInt(FixedField(Value, 27, 4));
    mask.WR = SmallInt(FixedField(Value, 32, 4));
    mask.WB = SmallInt(FixedField(Value, 37, 4));
    mask.ImageCount = SmallInt(FixedField(Value, 42, 1));
    mask.MaskType = SmallInt(FixedField(Value, 44, 1));
    mask.DrawMode = SmallInt(FixedField(Value, 46, 1));
    if (mask.MaskType > 0 && FManager.SkinData->Version < 7.4) {
        // Older skins stretch a frame whose centre is a single pixel.
        const bool onePixelCentre = Divide(mask.R.Width(), mask.ImageCount) - mask.WL - mask.WR == 1 &&
                                    Divide(mask.R.Height(), mask.MaskType + 1) - mask.WT - mask.WB == 1;
        mask.DrawMode = SmallInt(onePixelCentre ? mask.DrawMode | 1 : mask.DrawMode & ~1);
    }
    mask.BorderWidth = SmallInt(FixedField(Value, 48, 1));
    if (mask.WL + mask.WT + mask.WR + mask.WB == 0)
        SetUniformWidths(mask);
    mask.CornerType = Corners(mask);
}

void TMaskLoader::AddTexture(const String& Section, const String& Key, const String& Value)
{
    TsMaskData& mask = Append(Section, Key, TacImgType::itisaTexture);
    mask.R = FixedRect(Value);
    mask.ImageCount = 1;
    mask.DrawMode = SmallInt(FixedField(Value, 22, 2));
    mask.MaskType = SmallInt(Value.size() >= 25 ? FixedField(Value, 25, 1) : 0);
}

void TMaskLoader::AddPlainFile(const String& Section, const String& Key, const String& Value, TFileSource Source)
{
    const String name = vcl::UpperCase(Value);
    if (!Holds(name, L".BMP"))
        return;
    TObjectPtr<TBitmap> bmp = LoadImageFile(name, false, Source);
    if (!bmp)
        return;
    TsMaskData& mask = Append(vcl::UpperCase(Section), vcl::UpperCase(Key), TacImgType::itisaBorder);
    Adopt(mask, std::move(bmp));
    mask.MaskType = 1;
    mask.ImageCount = 3;
    SetDefaultWidths(mask);
    mask.CornerType = Corners(mask);
}

void TMaskLoader::AddRectangleList(const String& Section, const String& Key, const String& Value)
{
    const TWords lists(Value, {' ', '(', ')'});
    const TWords rect(lists.Word(2), {' ', ','});
    const TWords params(lists.Word(3), {' ', ','});
    TsMaskData& mask = Append(vcl::UpperCase(Section), vcl::UpperCase(Key), TacImgType::itisaBorder);
    mask.R = TRect(rect.Number(1), rect.Number(2), rect.Number(3), rect.Number(4));
    mask.ImageCount = SmallInt(std::max(params.Number(1), 1));
    mask.MaskType = SmallInt(std::max(params.Number(2), 0));
    mask.BorderWidth = SmallInt(std::max(params.StrictNumber(3, 0), 0));
    mask.DrawMode = SmallInt(params.StrictNumber(4, 1));
    SetUniformWidths(mask);
    mask.CornerType = Corners(mask);
}

}  // namespace

String SkinFilePath(const TsSkinData& Data, const String& Name)
{
    return Holds(Name, L":") ? Name : Data.SkinPath + Name;
}

namespace {

// Runs Load on Graphic; false when it fails as an image or a stream, or gives an empty image.
template<class TLoad>
bool LoadGraphic(vcl::TGraphic* Graphic, TLoad&& Load)
{
    try {
        Load();
    } catch (const vcl::EInvalidGraphic&) {
        return false;
    } catch (const vcl::EStreamError&) {
        return false;
    }
    return Graphic->Width() > 0;
}

}  // namespace

bool ReadImageFile(vcl::TGraphic* Graphic, const String& Path)
{
    return vcl::FileExists(Path) && LoadGraphic(Graphic, [&] { Graphic->LoadFromFile(Path); });
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
    return LoadGraphic(Graphic, [&] { Graphic->LoadFromStream(file); });
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
        ForEachKey(*SkinFile, [&](const String& section, const String& key) {
            if (section == GlobalInfoSection && key == L"MASTERBITMAP")
                return;
            const String value = SkinFile->ReadString(section, key, L"");
            if (!value.empty())
                loader.AddImage(section, key, value);
        });
    }
    if (const auto common = CommonSectionsIni(CommonSections()))
        ForEachKey(*common, [&](const String& section, const String& key) {
            if (vcl::UpperCase(section) != GlobalInfoSection)
                loader.AddCommonImage(section, key, common->ReadString(section, key, L"-"));
        });
}

}  // namespace skin

#pragma once
// The alpha image list: an image list that keeps the PNG or ICO file of every image and draws the
// images with their alpha channel. The system image list behind it (the standard list) is only a
// copy derived from those files and rebuilt whenever needed. Beside it the free painters of one
// glyph state of any image list, and the recognition of image files by their first bytes.
#include <windows.h>

#include <memory>

#include "skin/graphics/PixelView.h"
#include "vcl/bitmaps.h"
#include "vcl/classes.h"
#include "vcl/imglist.h"

namespace skin {

enum class TsImageFormat { ifPNG, ifICO };

class TsAlphaImageList;

// One image of the list: its file's bytes, unchanged, and its last rendering at 32 bits.
class TsImgListItem : public vcl::TCollectionItem {
    CL_CLASS(TsImgListItem, vcl::TCollectionItem)
public:
    explicit TsImgListItem(vcl::TCollection* Collection);
    ~TsImgListItem() override;

    // From another item: the formats, the original size and a copy of the file's bytes. Other
    // sources go to the inherited Assign (which refuses them).
    void Assign(vcl::TPersistent* Source) override;

    TsImageFormat ImageFormat() const { return FImageFormat; }
    void SetImageFormat(TsImageFormat Value) { FImageFormat = Value; }
    // How the image is meant to be drawn: pf32bit with alpha, pf24bit without.
    vcl::TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(vcl::TPixelFormat Value) { FPixelFormat = Value; }

    // The stored property "ImgData" in a form stream: the byte block (0x0A, a 32-bit little-endian
    // count, the file's bytes), always written, also when empty. Reading replaces ImgData.
    void ReadImgData(vcl::TStream* Stream);
    void WriteImgData(vcl::TStream* Stream) const;

    // The size of the stored image, recorded when the standard list is built; not stored.
    int OrigWidth = 0;
    int OrigHeight = 0;
    // The image file: a PNG datastream or an ICO file.
    const std::unique_ptr<vcl::TMemoryStream> ImgData;
    // The last 32-bit rendering of a PNG image, at the size it was rendered; none before the first.
    std::unique_ptr<vcl::TBitmap> CacheBmp;

protected:
    void AssignTo(vcl::TPersistent* Dest) override;

private:
    void CopyFrom(const TsImgListItem* Source);

    TsImageFormat FImageFormat = TsImageFormat::ifPNG;
    vcl::TPixelFormat FPixelFormat = vcl::TPixelFormat::pf32bit;
};

// The items of an alpha image list; the list is their owner.
class TsImgListItems : public vcl::TCollection {
    CL_CLASS(TsImgListItems, vcl::TCollection)
public:
    explicit TsImgListItems(TsAlphaImageList* AOwner);

    TsImgListItem* Items(int Index) const { return ItemsAs<TsImgListItem>(Index); }
    void SetItems(int Index, TsImgListItem* Value) { Items(Index)->Assign(Value); }
    TsImgListItem* Add() { return static_cast<TsImgListItem*>(vcl::TCollection::Add()); }

protected:
    vcl::TPersistent* GetOwner() override;

private:
    TsAlphaImageList* FOwner;
};

// The list keeps every image's file in Items, and the standard list follows Items: it is built
// when the list is loaded or constructed, after CopyImages, and when items outnumber its images.
// The class library's own image data is neither read nor written.
class TsAlphaImageList : public vcl::TImageList {
    CL_CLASS(TsAlphaImageList, vcl::TImageList)
public:
    explicit TsAlphaImageList(vcl::TComponent* AOwner);

    // Outside loading: makes the standard list unless it is built.
    void AfterConstruction() override;
    void Loaded() override;
    // nullptr drops the standard list; another alpha image list is copied with its files and
    // settings; other sources go to the inherited Assign.
    void Assign(vcl::TPersistent* Source) override;

    TsImgListItems* Items() const { return FItems.get(); }
    void SetItems(TsImgListItems* Value) { FItems->Assign(Value); }
    // The colour set on the list, else that of the standard list.
    vcl::TColor BkColor() const override;
    void SetBkColor(vcl::TColor Value) override;

    // Rebuilds the standard list from the items (PNG images as icons over its background colour,
    // ICO files as they are), recording each image's size; nothing without a standard list.
    void GenerateStdList();
    // Image Index at 32 bits with alpha, owned by the caller, or none: from its stored PNG at
    // aWidth x aHeight (the decoded image itself when its size is the list's, whatever was asked),
    // else from the standard list at the list's size. The item keeps a copy as its cache.
    std::unique_ptr<vcl::TBitmap> CreateBitmap32(int Index, int aWidth, int aHeight);
    // The same into Image at Image's size; false when there is no such image.
    bool GetBitmap32(int Index, vcl::TBitmap* Image);
    // Adds the PNG or ICO file as a new image; false (and nothing added) when the file is not
    // recognised or gives no image. A file that cannot be opened raises EFOpenError.
    bool TryLoadFromFile(const vcl::String& FileName);
    // TryLoadFromFile, telling the user in an error box when it fails.
    void LoadFromFile(const vcl::String& FileName);
    // Takes the items of Source and builds the standard list from them.
    void CopyImages(TsAlphaImageList* Source);
    // Width and Height become the icon size of that system list.
    void SetNewDimensions(HIMAGELIST Value);
    // Holds back change notifications until AcEndUpdate, which sends one when DoChange.
    void AcBeginUpdate() { FAcChanging = true; }
    void AcEndUpdate(bool DoChange);
    // Destroys the standard list (unless shared) and notifies.
    void KillImgList();

    // The standard list holds the items' images.
    bool StdListIsGenerated = false;

    // The class library's image data is not part of this list's stored form.
    void ReadData(vcl::TStream*) override {}
    void WriteData(vcl::TStream*) override {}

protected:
    ~TsAlphaImageList() override;
    void AssignTo(vcl::TPersistent* Dest) override;
    // A PNG image blended by its alpha onto what the canvas holds; others as icons. Style and
    // Enabled play no part.
    void DoDraw(int Index, vcl::TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) override;
    // Rebuilds the standard list when items outnumber its images; gives images added to the
    // standard list directly an alpha channel from the magenta key.
    void Change() override;

private:
    // The item whose stored PNG renders image Index; none when the standard list must.
    TsImgListItem* StoredPNG(int Index) const;
    bool Render32(int Index, int Width, int Height, vcl::TBitmap* Out);
    void CopyFrom(TsAlphaImageList* Source);
    void AlphaFromKeyInStdList();

    std::unique_ptr<TsImgListItems> FItems;
    bool FAcChanging = false;
    // The colour set through BkColor; clNone leaves the standard list's own.
    vcl::TColor FOwnBkColor = vcl::clNone;
};

// The screen's colour depth in bits per pixel.
int ScreenBitsPerPixel();
// The file is longer than Size bytes (Size cut to 8) and begins with those bytes of Magic. A file
// that cannot be opened raises EFOpenError.
bool HaveMagic(const vcl::String& FileName, const void* Magic, int Size);
// A PNG datastream by its signature, or an ICO file: two zero bytes first and the extension "ico"
// in any case.
bool GetImageFormat(const vcl::String& FileName, TsImageFormat& Format);

// When no pixel of the 32-bit image has alpha, every pixel but those of the bottom-left pixel's
// colour becomes opaque. Images under 2 rows or without columns stay as they are.
void MakeAlphaFromCorner(const TPixelView& Bmp);
void MakeAlphaFromCorner(vcl::TBitmap* Bmp);

// Draws glyph State (cut to NumGlyphs - 1) of image ImageIndex, the State-th of NumGlyphs columns
// of the list's width, at (Left, Top) on the 32-bit DestBmp and answers the glyph's size. An alpha
// image list's image is blended by its alpha, Blend percent more transparent, tinted grey toward
// GrayedColor unless it is clNone, with a fading mirror image below when Reflected; any other list
// draws the image itself over what DestBmp holds. Nothing (size 0) for an empty DestBmp or a list
// without a standard list.
vcl::TSize DrawAlphaImgList(vcl::TCustomImageList* ImgList, vcl::TBitmap* DestBmp, int Left, int Top, int ImageIndex,
                            int Blend, vcl::TColor GrayedColor, int State, int NumGlyphs, bool Reflected);
// The same onto a DC, through a 32-bit copy of the DC's area of the list's size (and half its
// height more when Reflected).
void DrawAlphaImgListDC(vcl::TCustomImageList* ImgList, HDC DC, int Left, int Top, int ImageIndex, int Blend,
                        vcl::TColor GrayedColor, int State, int NumGlyphs, bool Reflected);
// Adds the resource ResName of Instance to the list: an ICO as an icon resource of the list's
// size, a PNG from RCDATA as a new item. True when the standard list took the image.
bool AddImageFromRes(HINSTANCE Instance, TsAlphaImageList* ImgList, const vcl::String& ResName, TsImageFormat Format);

}  // namespace skin

#include "skin/graphics/acAlphaImageList.h"

#include <versionhelpers.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/graphics/BitmapView.h"
#include "skin/graphics/PixelOps.h"
#include "skin/graphics/acPNG.h"
#include "skin/graphics/acPNGPixels.h"
#include "skin/graphics/acStreamBytes.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/dialogs.h"
#include "vcl/graphics.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::String;
using vcl::TBitmap;
using vcl::TPixelFormat;
using vcl::TRect;

namespace {

// The PNG datastream held by the stream, decoded from its start.
std::unique_ptr<TPNGGraphic> DecodePNG(vcl::TStream* Stream)
{
    auto png = std::make_unique<TPNGGraphic>();
    Stream->SetPosition(0);
    png->LoadFromStream(Stream);
    return png;
}

bool HasAlpha(const TPixelView& Bmp)
{
    for (int y = 0; y < Bmp.Height; ++y)
        for (int x = 0; x < Bmp.Width; ++x)
            if (px::A(Bmp.At(x, y)) != 0)
                return true;
    return false;
}

// The colour and mask bitmaps of an icon, freed with it.
class TIconParts {
public:
    explicit TIconParts(HICON Icon)
    {
        if (!Icon || !GetIconInfo(Icon, &FInfo))
            FInfo = ICONINFO{};
    }
    ~TIconParts()
    {
        if (FInfo.hbmColor)
            DeleteObject(FInfo.hbmColor);
        if (FInfo.hbmMask)
            DeleteObject(FInfo.hbmMask);
    }
    TIconParts(const TIconParts&) = delete;
    TIconParts& operator=(const TIconParts&) = delete;

    HBITMAP Colour() const { return FInfo.hbmColor; }
    HBITMAP Mask() const { return FInfo.hbmMask; }
    // The colour bitmap's depth; 0 without one.
    int ColourBits() const
    {
        BITMAP bm{};
        return FInfo.hbmColor && GetObjectW(FInfo.hbmColor, sizeof(bm), &bm) ? bm.bmBitsPixel : 0;
    }
    // The colour bitmap's pixels, with the alpha bytes they hold, into Out made pf32bit at its size.
    bool ColourInto(TBitmap* Out) const
    {
        BITMAP bm{};
        if (!FInfo.hbmColor || !GetObjectW(FInfo.hbmColor, sizeof(bm), &bm))
            return false;
        Out->SetPixelFormat(TPixelFormat::pf32bit);
        Out->SetSize(bm.bmWidth, bm.bmHeight);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<uint32_t> bits(size_t(bm.bmWidth) * size_t(bm.bmHeight));
        const HDC screen = GetDC(nullptr);
        const int rows = GetDIBits(screen, FInfo.hbmColor, 0, UINT(bm.bmHeight), bits.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        const TPixelView view = PixelsOf(Out);
        for (int y = 0; y < rows; ++y)
            std::copy_n(&bits[size_t(y) * size_t(bm.bmWidth)], bm.bmWidth, view.Row(y));
        return rows == bm.bmHeight;
    }

private:
    ICONINFO FInfo{};
};

// Frees an icon handle when it goes.
struct TIconHandle {
    HICON Icon;
    explicit TIconHandle(HICON Value) : Icon(Value) {}
    ~TIconHandle()
    {
        if (Icon)
            DestroyIcon(Icon);
    }
    TIconHandle(const TIconHandle&) = delete;
    TIconHandle& operator=(const TIconHandle&) = delete;
};

// An ICO file's first icon (owned by the caller) and whether its colour bitmap carries alpha.
HICON FirstIcon(const String& FileName, bool& WithAlpha)
{
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), FileName.c_str(), 0);
    if (reinterpret_cast<uintptr_t>(icon) <= 1)  // none, or not an icon file
        return nullptr;
    const TIconParts parts(icon);
    TBitmap colour;
    WithAlpha = parts.ColourBits() == 32 && parts.ColourInto(&colour) && HasAlpha(PixelsOf(&colour));
    return icon;
}

constexpr uint8_t IconMagic[] = {0, 0};

// Appends the icon (then freed) to the standard list and, when the list took it, an item holding the
// image's file; an image that gives no icon leaves nothing behind.
bool AppendImage(TsAlphaImageList* List, HICON Icon, TsImageFormat Format, TPixelFormat PixelFormat,
                 vcl::TStream* File)
{
    const TIconHandle held(Icon);
    if (!Icon || ImageList_AddIcon(List->Handle(), Icon) < 0)
        return false;
    TsImgListItem* item = List->Items()->Add();
    item->SetImageFormat(Format);
    item->SetPixelFormat(PixelFormat);
    item->ImgData->LoadFromStream(File);
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TsImgListItem

TsImgListItem::TsImgListItem(vcl::TCollection* Collection)
    : vcl::TCollectionItem(Collection), ImgData(std::make_unique<vcl::TMemoryStream>())
{
}

TsImgListItem::~TsImgListItem() = default;

void TsImgListItem::CopyFrom(const TsImgListItem* Source)
{
    FImageFormat = Source->FImageFormat;
    FPixelFormat = Source->FPixelFormat;
    OrigWidth = Source->OrigWidth;
    OrigHeight = Source->OrigHeight;
    SetStreamBytes(ImgData.get(), StreamBytes(Source->ImgData.get()));
}

void TsImgListItem::Assign(vcl::TPersistent* Source)
{
    if (const auto* item = dynamic_cast<TsImgListItem*>(Source))
        CopyFrom(item);
    else
        vcl::TCollectionItem::Assign(Source);
}

void TsImgListItem::AssignTo(vcl::TPersistent* Dest)
{
    if (auto* item = dynamic_cast<TsImgListItem*>(Dest))
        item->CopyFrom(this);
    else
        vcl::TCollectionItem::AssignTo(Dest);
}

void TsImgListItem::ReadImgData(vcl::TStream* Stream) { SetStreamBytes(ImgData.get(), Stream->ReadBinaryProperty()); }

void TsImgListItem::WriteImgData(vcl::TStream* Stream) const { Stream->WriteBinaryProperty(StreamBytes(ImgData.get())); }

// ---------------------------------------------------------------------------------------------
// TsImgListItems

TsImgListItems::TsImgListItems(TsAlphaImageList* AOwner)
    : vcl::TCollection(vcl::CollectionItemClass<TsImgListItem>()), FOwner(AOwner)
{
}

vcl::TPersistent* TsImgListItems::GetOwner() { return FOwner; }

// ---------------------------------------------------------------------------------------------
// TsAlphaImageList

TsAlphaImageList::TsAlphaImageList(vcl::TComponent* AOwner)
    : vcl::TImageList(AOwner), FItems(std::make_unique<TsImgListItems>(this))
{
}

TsAlphaImageList::~TsAlphaImageList() = default;

void TsAlphaImageList::AfterConstruction()
{
    vcl::TImageList::AfterConstruction();
    if (ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        return;
    Handle();
    if (!StdListIsGenerated)
        GenerateStdList();
}

void TsAlphaImageList::Loaded()
{
    vcl::TImageList::Loaded();
    Handle();
    if (!StdListIsGenerated) {
        GenerateStdList();
        StdListIsGenerated = true;
    }
}

vcl::TColor TsAlphaImageList::BkColor() const
{
    return FOwnBkColor == vcl::clNone ? vcl::TImageList::BkColor() : FOwnBkColor;
}

void TsAlphaImageList::SetBkColor(vcl::TColor Value)
{
    FOwnBkColor = Value;
    vcl::TImageList::SetBkColor(Value);
}

void TsAlphaImageList::KillImgList()
{
    FreeHandle();
    Change();
}

void TsAlphaImageList::SetNewDimensions(HIMAGELIST Value)
{
    int width = 0, height = 0;
    if (ImageList_GetIconSize(Value, &width, &height)) {
        SetWidth(width);
        SetHeight(height);
    }
}

void TsAlphaImageList::AcEndUpdate(bool DoChange)
{
    FAcChanging = false;
    if (DoChange)
        Change();
}

void TsAlphaImageList::CopyFrom(TsAlphaImageList* Source)
{
    AcBeginUpdate();
    Clear();
    SetMasked(Source->Masked());
    SetImageType(Source->ImageType());
    SetDrawingStyle(Source->DrawingStyle());
    SetShareImages(Source->ShareImages());
    SetNewDimensions(Source->Handle());
    FreeHandle();
    Handle();
    SetBkColor(Source->vcl::TImageList::BkColor());
    SetBlendColor(Source->BlendColor());
    CopyImages(Source);
    AcEndUpdate(false);
}

void TsAlphaImageList::Assign(vcl::TPersistent* Source)
{
    if (!Source)
        KillImgList();
    else if (auto* list = dynamic_cast<TsAlphaImageList*>(Source))
        CopyFrom(list);
    else
        vcl::TImageList::Assign(Source);
}

void TsAlphaImageList::AssignTo(vcl::TPersistent* Dest)
{
    if (auto* list = dynamic_cast<TsAlphaImageList*>(Dest))
        list->CopyFrom(this);
    else
        vcl::TImageList::AssignTo(Dest);
}

void TsAlphaImageList::CopyImages(TsAlphaImageList* Source)
{
    if (!HandleAllocated())
        return;
    ImageList_SetBkColor(Source->Handle(), CLR_NONE);
    FItems->Clear();
    for (int i = 0; i < Source->Items()->Count(); ++i)
        FItems->Add()->Assign(Source->Items()->Items(i));
    GenerateStdList();
}

void TsAlphaImageList::GenerateStdList()
{
    if (!HandleAllocated())
        return;
    FAcChanging = true;
    const vcl::TScopeExit release([this] { FAcChanging = false; });
    Clear();
    const vcl::TColor background = vcl::TColor(vcl::ColorToRGB(vcl::TImageList::BkColor()));
    for (int i = 0; i < FItems->Count(); ++i) {
        TsImgListItem* item = FItems->Items(i);
        if (item->ImageFormat() == TsImageFormat::ifPNG) {
            const std::unique_ptr<TPNGGraphic> png = DecodePNG(item->ImgData.get());
            item->OrigWidth = png->Width();
            item->OrigHeight = png->Height();
            const TIconHandle icon(IsNTFamily() ? MakeCompIcon(png.get(), background) : MakeIcon32(png.get(), false));
            ImageList_AddIcon(Handle(), icon.Icon);
        } else {
            vcl::TIcon icon;
            item->ImgData->SetPosition(0);
            icon.LoadFromStream(item->ImgData.get());
            item->OrigWidth = icon.Width();
            item->OrigHeight = icon.Height();
            ImageList_AddIcon(Handle(), icon.Handle());
        }
    }
    if (FItems->Count() > 0)
        StdListIsGenerated = true;
}

TsImgListItem* TsAlphaImageList::StoredPNG(int Index) const
{
    if (Index >= FItems->Count())
        return nullptr;
    TsImgListItem* item = FItems->Items(Index);
    return item->ImageFormat() == TsImageFormat::ifPNG && item->ImgData->Size() > 0 ? item : nullptr;
}

bool TsAlphaImageList::Render32(int Index, int Width, int Height, TBitmap* Out)
{
    if (!HandleAllocated() || Index < 0 || Index >= Count())
        return false;
    TsImgListItem* item = StoredPNG(Index);
    if (!item) {
        const TIconHandle icon(ImageList_GetIcon(Handle(), Index, ILD_NORMAL));
        TIconParts(icon.Icon).ColourInto(Out);
        if (!IsWindowsVistaOrGreater() && ScreenBitsPerPixel() < 32)
            MakeAlphaFromCorner(Out);
        return true;
    }
    if (item->CacheBmp && item->CacheBmp->Width() == Width && item->CacheBmp->Height() == Height) {
        Out->Assign(item->CacheBmp.get());
        return true;
    }
    item->CacheBmp.reset();
    const std::unique_ptr<TPNGGraphic> png = DecodePNG(item->ImgData.get());
    if (item->OrigWidth == this->Width() && item->OrigHeight == this->Height()) {
        Out->Assign(png.get());
    } else {
        Out->SetPixelFormat(TPixelFormat::pf32bit);
        Stretch(png.get(), Out, Width, Height, TFilterType::ftMitchell);
    }
    if (Out->PixelFormat() != TPixelFormat::pf32bit) {
        Out->SetPixelFormat(TPixelFormat::pf32bit);
        MakeAlphaFromCorner(Out);
    }
    item->CacheBmp = std::make_unique<TBitmap>();
    item->CacheBmp->Assign(Out);
    return true;
}

std::unique_ptr<TBitmap> TsAlphaImageList::CreateBitmap32(int Index, int aWidth, int aHeight)
{
    auto result = std::make_unique<TBitmap>();
    return Render32(Index, aWidth, aHeight, result.get()) ? std::move(result) : nullptr;
}

bool TsAlphaImageList::GetBitmap32(int Index, TBitmap* Image)
{
    return Image && Render32(Index, Image->Width(), Image->Height(), Image);
}

void TsAlphaImageList::DoDraw(int Index, vcl::TCanvas* Canvas, int X, int Y, UINT, bool)
{
    if (!HandleAllocated() || Index < 0)
        return;
    if (Index < FItems->Count() && FItems->Items(Index)->ImageFormat() == TsImageFormat::ifPNG) {
        const std::unique_ptr<TBitmap> image = CreateBitmap32(Index, Width(), Height());
        if (!image)
            return;
        const std::unique_ptr<TBitmap> area = CreateBmp32(Width(), Height());
        const TRect whole(0, 0, Width(), Height());
        const TCanvasLock lockArea(area->Canvas()), lockCanvas(Canvas);
        BitBlt(area->Canvas()->Handle(), 0, 0, Width(), Height(), Canvas->Handle(), X, Y, SRCCOPY);
        const TPixelView under = PixelsOf(area.get());
        CopyBmp32(whole, whole, under, PixelsOf(image.get()), TCacheView{under, 0, 0, vcl::clFuchsia, true}, false,
                  vcl::clNone, 0, false);
        BitBlt(Canvas->Handle(), X, Y, Width(), Height(), area->Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    ImageList_SetBkColor(Handle(), CLR_NONE);
    const TIconHandle icon(ImageList_GetIcon(Handle(), Index, ILD_TRANSPARENT));
    DrawIconEx(Canvas->Handle(), X, Y, icon.Icon, Width(), Height(), 0, nullptr, DI_NORMAL);
}

bool TsAlphaImageList::TryLoadFromFile(const String& FileName)
{
    TsImageFormat format;
    if (!HandleAllocated() || !GetImageFormat(FileName, format))
        return false;
    vcl::TMemoryStream file;
    file.LoadFromFile(FileName);
    TPixelFormat pixelFormat = TPixelFormat::pf32bit;
    HICON icon = nullptr;
    if (format == TsImageFormat::ifPNG) {
        icon = MakeIcon32(DecodePNG(&file).get(), false);
    } else {
        bool withAlpha = false;
        icon = FirstIcon(FileName, withAlpha);
        pixelFormat = withAlpha ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
    }
    const bool taken = AppendImage(this, icon, format, pixelFormat, &file);
    Change();
    return taken;
}

void TsAlphaImageList::LoadFromFile(const String& FileName)
{
    if (!TryLoadFromFile(FileName))
        vcl::MessageDlg(L"Cannot load " + FileName + L"\r\nInvalid or unexpected image format.",
                        vcl::TMsgDlgType::mtError, {vcl::TMsgDlgBtn::mbOK}, 0);
}

void TsAlphaImageList::Change()
{
    if (FAcChanging || !HandleAllocated() || ComponentState().Contains(vcl::TComponentStateItem::csLoading) ||
        !StdListIsGenerated)
        return;
    // While the items cover the standard list, clients hear of a change only when it is rebuilt.
    if (FItems->Count() >= Count()) {
        if (FItems->Count() > Count()) {
            GenerateStdList();
            vcl::TImageList::Change();
        }
        return;
    }
    vcl::TImageList::Change();
    AlphaFromKeyInStdList();
}

void TsAlphaImageList::AlphaFromKeyInStdList()
{
    for (int i = 0; i < Count(); ++i) {
        const TIconHandle icon(ImageList_GetIcon(Handle(), i, ILD_NORMAL));
        const TIconParts parts(icon.Icon);
        TBitmap colour;
        if (!parts.ColourInto(&colour) || HasAlpha(PixelsOf(&colour)))
            continue;
        // Without any alpha, only the key's pixels are exactly the key pixel.
        AlphaFromKey(PixelsOf(&colour));
        ICONINFO info{TRUE, 0, 0, parts.Mask(), colour.Handle()};
        const TIconHandle rebuilt(CreateIconIndirect(&info));
        ImageList_ReplaceIcon(Handle(), i, rebuilt.Icon);
    }
}

// ---------------------------------------------------------------------------------------------
// Free functions

int ScreenBitsPerPixel()
{
    const HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

bool HaveMagic(const String& FileName, const void* Magic, int Size)
{
    vcl::TFileStream file(FileName, vcl::fmOpenRead | vcl::fmShareDenyWrite);
    Size = std::clamp(Size, 0, 8);
    uint8_t head[8] = {};
    return file.Size() > Size && file.Read(head, Size) == Size && std::memcmp(head, Magic, size_t(Size)) == 0;
}

bool GetImageFormat(const String& FileName, TsImageFormat& Format)
{
    if (HaveMagic(FileName, PNGMagic.data(), int(PNGMagic.size()))) {
        Format = TsImageFormat::ifPNG;
        return true;
    }
    if (HaveMagic(FileName, IconMagic, int(sizeof(IconMagic))) &&
        vcl::LowerCase(vcl::ExtractFileExt(FileName)) == L".ico") {
        Format = TsImageFormat::ifICO;
        return true;
    }
    return false;
}

void MakeAlphaFromCorner(const TPixelView& Bmp)
{
    if (Bmp.Height < 2 || Bmp.Width <= 0 || HasAlpha(Bmp))
        return;
    const uint32_t key = Bmp.At(0, Bmp.Height - 1) & 0x00FFFFFF;
    for (int y = 0; y < Bmp.Height; ++y)
        for (int x = 0; x < Bmp.Width; ++x)
            if ((Bmp.At(x, y) & 0x00FFFFFF) != key)
                Bmp.At(x, y) = px::WithAlpha(Bmp.At(x, y), 255);
}

void MakeAlphaFromCorner(TBitmap* Bmp) { MakeAlphaFromCorner(PixelsOf(Bmp)); }

vcl::TSize DrawAlphaImgList(vcl::TCustomImageList* ImgList, TBitmap* DestBmp, int Left, int Top, int ImageIndex,
                            int Blend, vcl::TColor GrayedColor, int State, int NumGlyphs, bool Reflected)
{
    if (DestBmp->Width() == 0 || !ImgList->HandleAllocated())
        return vcl::TSize();
    NumGlyphs = std::max(NumGlyphs, 1);
    State = std::clamp(State, 0, NumGlyphs - 1);
    const vcl::TSize glyph(ImgList->Width() / NumGlyphs, ImgList->Height());
    const TRect src(State * glyph.cx, 0, (State + 1) * glyph.cx, glyph.cy);
    const TRect dst(Left, Top, Left + glyph.cx, Top + glyph.cy);
    if (auto* alphaList = dynamic_cast<TsAlphaImageList*>(ImgList)) {
        if (const std::unique_ptr<TBitmap> image =
                alphaList->CreateBitmap32(ImageIndex, ImgList->Width(), ImgList->Height()))
            CopyBmp32(dst, src, PixelsOf(DestBmp), PixelsOf(image.get()), TCacheView{}, false, GrayedColor, Blend,
                      Reflected);
        return glyph;
    }
    const std::unique_ptr<TBitmap> work = CreateBmp32(ImgList->Width(), ImgList->Height());
    const TCanvasLock lockWork(work->Canvas()), lockDest(DestBmp->Canvas());
    const HDC workDC = work->Canvas()->Handle(), destDC = DestBmp->Canvas()->Handle();
    BitBlt(workDC, src.left, 0, glyph.cx, glyph.cy, destDC, Left, Top, SRCCOPY);
    ImgList->Draw(work->Canvas(), 0, 0, ImageIndex, true);
    BitBlt(destDC, Left, Top, glyph.cx, glyph.cy, workDC, src.left, 0, SRCCOPY);
    return glyph;
}

void DrawAlphaImgListDC(vcl::TCustomImageList* ImgList, HDC DC, int Left, int Top, int ImageIndex, int Blend,
                        vcl::TColor GrayedColor, int State, int NumGlyphs, bool Reflected)
{
    const int width = ImgList->Width();
    const int height = ImgList->Height() + (Reflected ? ImgList->Height() / 2 : 0);
    const std::unique_ptr<TBitmap> work = CreateBmp32(width, height);
    const TCanvasLock lock(work->Canvas());
    BitBlt(work->Canvas()->Handle(), 0, 0, width, height, DC, Left, Top, SRCCOPY);
    DrawAlphaImgList(ImgList, work.get(), 0, 0, ImageIndex, Blend, GrayedColor, State, NumGlyphs, Reflected);
    BitBlt(DC, Left, Top, width, height, work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

bool AddImageFromRes(HINSTANCE Instance, TsAlphaImageList* ImgList, const String& ResName, TsImageFormat Format)
{
    if (Format == TsImageFormat::ifICO) {
        const TIconHandle icon(
            HICON(LoadImageW(Instance, ResName.c_str(), IMAGE_ICON, ImgList->Width(), ImgList->Height(), 0)));
        return icon.Icon && ImageList_AddIcon(ImgList->Handle(), icon.Icon) >= 0;
    }
    vcl::TResourceStream resource(Instance, ResName, RT_RCDATA);
    return AppendImage(ImgList, MakeIcon32(DecodePNG(&resource).get(), false), TsImageFormat::ifPNG,
                       TPixelFormat::pf32bit, &resource);
}

}  // namespace skin

#include "vcl/bitmaps.h"

#include "vcl/bmpcodec.h"
#include "vcl/sysutils.h"

#include <cstring>
#include <optional>

namespace vcl {

namespace {

struct TDeleteObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using TOwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TDeleteObject>;

[[noreturn]] void CannotCreate(int width, int height)
{
    throw EOutOfResources(Format(L"Cannot create a bitmap of %d x %d pixels", width, height));
}

TPixelRows RowsOf(void* bits, TPixelFormat format, int width, int height, const TColorTable* table)
{
    const ptrdiff_t stride = ptrdiff_t(RowStride(format, width));
    // Our DIB sections are bottom-up: the top row lies last in memory.
    return {static_cast<uint8_t*>(bits) + (height - 1) * stride, -stride, width, height, format, table};
}

TOwnedBitmap CreateDib(TPixelFormat format, const TColorTable& table, int width, int height, void*& bits)
{
    struct {
        BITMAPINFOHEADER Header;
        uint32_t Colors[256];
    } info{};
    info.Header.biSize = sizeof info.Header;
    info.Header.biWidth = width;
    info.Header.biHeight = height;
    info.Header.biPlanes = 1;
    info.Header.biBitCount = WORD(BitsPerPixel(format));
    info.Header.biCompression = BI_RGB;
    if (format == TPixelFormat::pf16bit) {
        info.Header.biCompression = BI_BITFIELDS;
        info.Colors[0] = 0xF800;
        info.Colors[1] = 0x07E0;
        info.Colors[2] = 0x001F;
    } else if (IsIndexed(format)) {
        info.Header.biClrUsed = DWORD(table.size());
        for (size_t i = 0; i < table.size() && i < 256; ++i)
            info.Colors[i] = table[i] & 0xFFFFFF;
    }
    bits = nullptr;
    TOwnedBitmap bitmap(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        CannotCreate(width, height);
    std::memset(bits, 0, RowStride(format, width) * size_t(height));
    return bitmap;
}

// A bitmap of the screen's format, black.
TOwnedBitmap CreateDeviceBitmap(int width, int height)
{
    HDC screen = GetDC(nullptr);
    TOwnedBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    if (!bitmap)
        CannotCreate(width, height);
    TMemoryDC dc(bitmap.get());
    PatBlt(dc.Handle(), 0, 0, width, height, BLACKNESS);
    return bitmap;
}

// The DIB format that holds the screen's pixels.
TPixelFormat ScreenPixelFormat()
{
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    if (bits == 15)
        return TPixelFormat::pf15bit;
    const TPixelFormat format = PixelFormatOfBits(bits);
    return format == TPixelFormat::pfCustom ? TPixelFormat::pf32bit : format;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TBitmapCanvas: a memory DC with the bitmap selected, made when the canvas first draws.

class TBitmapCanvas : public TCanvas {
    CL_CLASS(TBitmapCanvas, TCanvas)
public:
    explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
    ~TBitmapCanvas() override { FreeContext(); }

    HDC DC() const { return FDC; }

    // Gives the bitmap back and deletes the DC.
    void FreeContext()
    {
        if (!FDC)
            return;
        SetHandle(nullptr);
        SelectObject(FDC, FDefaultBitmap);
        DeleteDC(FDC);
        FDC = nullptr;
    }

    // Selects the bitmap's current handle (or the DC's own bitmap while it has none).
    void Reselect()
    {
        if (FDC)
            SelectObject(FDC, FBitmap->FHandle ? HGDIOBJ(FBitmap->FHandle) : FDefaultBitmap);
    }

protected:
    void CreateHandle() override
    {
        FBitmap->MakeHandle();
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc)
            throw EOutOfResources(L"Cannot create a device context for a bitmap");
        FDefaultBitmap = GetCurrentObject(dc, OBJ_BITMAP);
        FDC = dc;
        Reselect();
        SetHandle(dc);
    }

private:
    TBitmap* FBitmap;
    HDC FDC = nullptr;
    HGDIOBJ FDefaultBitmap = nullptr;
};

// The bitmap's handle selected in a DC: its canvas's DC when it has one (a handle cannot be
// selected in two DCs), else a DC of its own.
class TBitmap::TSelection {
public:
    explicit TSelection(const TBitmap& bitmap)
    {
        if (bitmap.FCanvas && bitmap.FCanvas->DC()) {
            FDC = bitmap.FCanvas->DC();
        } else {
            FOwn.emplace(bitmap.FHandle);
            FDC = FOwn->Handle();
        }
    }
    HDC DC() const { return FDC; }

private:
    std::optional<TMemoryDC> FOwn;
    HDC FDC = nullptr;
};

// ---------------------------------------------------------------------------------------------
// TBitmap

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    FCanvas.reset();
    if (FHandle)
        DeleteObject(FHandle);
    DropPaletteHandle();
}

std::unique_ptr<TGraphic> TBitmap::CreateEmpty() const { return std::unique_ptr<TGraphic>(Create<TBitmap>()); }

TPixelRows TBitmap::Rows() const { return RowsOf(FBits, FPixelFormat, FWidth, FHeight, &FColorTable); }

HBITMAP TBitmap::NewHandle(TPixelFormat format, const TColorTable& table, int width, int height,
                           void*& bits) const
{
    bits = nullptr;
    if (width == 0 || height == 0)
        return nullptr;
    GdiFlush();
    if (format == TPixelFormat::pfDevice) {
        TOwnedBitmap device = CreateDeviceBitmap(width, height);
        if (FHandle) {
            TMemoryDC to(device.get());
            TSelection from(*this);
            BitBlt(to.Handle(), 0, 0, FWidth, FHeight, from.DC(), 0, 0, SRCCOPY);
        }
        return device.release();
    }
    TOwnedBitmap dib = CreateDib(format, table, width, height, bits);
    const TPixelRows target = RowsOf(bits, format, width, height, &table);
    if (!FHandle && !FBits)
        return dib.release();
    if (FPixelFormat == TPixelFormat::pfDevice) {
        // The system reads the device bitmap into 32 bits; a device bitmap has no alpha.
        void* rgbBits;
        TOwnedBitmap rgb = CreateDib(TPixelFormat::pf32bit, {}, FWidth, FHeight, rgbBits);
        {
            TMemoryDC to(rgb.get());
            TSelection from(*this);
            BitBlt(to.Handle(), 0, 0, FWidth, FHeight, from.DC(), 0, 0, SRCCOPY);
        }
        GdiFlush();
        const TPixelRows rgbRows = RowsOf(rgbBits, TPixelFormat::pf32bit, FWidth, FHeight, nullptr);
        SetAlpha(rgbRows, 0);
        ConvertPixels(rgbRows, target);
        return dib.release();
    }
    if (format == FPixelFormat)
        CopyPixels(Rows(), target, std::min(width, FWidth), std::min(height, FHeight));
    else
        ConvertPixels(Rows(), target);
    return dib.release();
}

void TBitmap::ReplaceHandle(HBITMAP handle, void* bits, TPixelFormat format, int width, int height)
{
    HBITMAP old = FHandle;
    FHandle = handle;
    FBits = bits;
    FMemory.reset();
    FPixelFormat = format;
    FWidth = width;
    FHeight = height;
    if (FCanvas)
        FCanvas->Reselect();
    if (old)
        DeleteObject(old);
    DropPaletteHandle();
}

TPixelRows TBitmap::NewPixels(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (FPixelFormat == TPixelFormat::pfDevice || FPixelFormat == TPixelFormat::pfCustom)
        throw EInvalidGraphic(L"Only a device-independent bitmap takes new pixels");
    ReplaceHandle(nullptr, nullptr, FPixelFormat, 0, 0);
    if (FCanvas && FCanvas->LockCount() > 0) {
        SetSize(AWidth, AHeight);
        return Rows();
    }
    if (FCanvas)
        FCanvas->FreeContext();  // its next DC selects the DIB section the pixels will move into
    std::unique_ptr<void, TFreeMemory> memory(std::calloc(RowStride(FPixelFormat, AWidth) * size_t(AHeight), 1));
    if (!memory && AWidth > 0 && AHeight > 0)
        CannotCreate(AWidth, AHeight);
    ReplaceHandle(nullptr, memory.get(), FPixelFormat, AWidth, AHeight);
    FMemory = std::move(memory);
    Changed(this);
    return Rows();
}

void TBitmap::MakeHandle()
{
    if (!FMemory)
        return;
    void* bits;
    TOwnedBitmap dib = CreateDib(FPixelFormat, FColorTable, FWidth, FHeight, bits);
    std::memcpy(bits, FMemory.get(), RowStride(FPixelFormat, FWidth) * size_t(FHeight));
    FHandle = dib.release();
    FBits = bits;
    FMemory.reset();
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight)
        return;
    void* bits;
    HBITMAP handle = NewHandle(FPixelFormat, FColorTable, AWidth, AHeight, bits);
    ReplaceHandle(handle, bits, FPixelFormat, AWidth, AHeight);
    Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
    if (value == FPixelFormat)
        return;
    if (value == TPixelFormat::pfCustom)
        throw EInvalidGraphic(L"A bitmap cannot be given the pixel format pfCustom");
    if (value == TPixelFormat::pfDevice)
        MakeHandle();  // the system copies the pixels into the device bitmap
    TColorTable table;
    if (IsIndexed(value))
        table = FOwnPalette && FColorTable.size() <= (size_t(1) << BitsPerPixel(value)) ? FColorTable
                                                                                          : DefaultColorTable(value);
    else if (FOwnPalette)
        table = FColorTable;
    void* bits;
    HBITMAP handle = NewHandle(value, table, FWidth, FHeight, bits);
    FColorTable = std::move(table);
    ReplaceHandle(handle, bits, value, FWidth, FHeight);
    Changed(this);
}

TBitmapHandleType TBitmap::HandleType() const
{
    return FPixelFormat == TPixelFormat::pfDevice ? TBitmapHandleType::bmDDB : TBitmapHandleType::bmDIB;
}

void TBitmap::SetHandleType(TBitmapHandleType value)
{
    if (value == HandleType())
        return;
    SetPixelFormat(value == TBitmapHandleType::bmDDB ? TPixelFormat::pfDevice : ScreenPixelFormat());
}

HPALETTE TBitmap::Palette() const
{
    if (FColorTable.empty())
        return nullptr;
    if (!FPaletteHandle) {
        struct {
            WORD Version;
            WORD Count;
            PALETTEENTRY Entries[256];
        } palette{0x300, WORD(std::min<size_t>(FColorTable.size(), 256)), {}};
        for (WORD i = 0; i < palette.Count; ++i)
            palette.Entries[i] = {BYTE(FColorTable[i] >> 16), BYTE(FColorTable[i] >> 8), BYTE(FColorTable[i]), 0};
        FPaletteHandle = CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
    }
    return FPaletteHandle;
}

void TBitmap::DropPaletteHandle() const
{
    if (FPaletteHandle)
        DeleteObject(FPaletteHandle);
    FPaletteHandle = nullptr;
}

void TBitmap::SetPalette(HPALETTE value)
{
    TColorTable table;
    if (value) {
        WORD count = 0;
        GetObjectW(value, sizeof count, &count);
        std::vector<PALETTEENTRY> entries(std::min<WORD>(count, 256));
        GetPaletteEntries(value, 0, UINT(entries.size()), entries.data());
        for (const PALETTEENTRY& e : entries)
            table.push_back(uint32_t(e.peBlue) | (uint32_t(e.peGreen) << 8) | (uint32_t(e.peRed) << 16));
    }
    const bool own = value != nullptr;
    if (IsIndexed(FPixelFormat)) {
        const size_t maxColors = size_t(1) << BitsPerPixel(FPixelFormat);
        if (!own)
            table = DefaultColorTable(FPixelFormat);
        else if (table.size() > maxColors)
            table.resize(maxColors);
        // The same format copies the pixels' indexes into a DIB with the new colours.
        void* bits;
        HBITMAP handle = NewHandle(FPixelFormat, table, FWidth, FHeight, bits);
        FColorTable = std::move(table);
        ReplaceHandle(handle, bits, FPixelFormat, FWidth, FHeight);
    } else {
        FColorTable = std::move(table);
        DropPaletteHandle();
    }
    FOwnPalette = own;
    Changed(this);
}

HBITMAP TBitmap::Handle()
{
    MakeHandle();
    if (FCanvas && FCanvas->LockCount() == 0)
        FCanvas->FreeContext();
    return FHandle;
}

HBITMAP TBitmap::ReleaseHandle()
{
    MakeHandle();
    if (FCanvas)
        FCanvas->FreeContext();
    HBITMAP handle = FHandle;
    FHandle = nullptr;
    ReplaceHandle(nullptr, nullptr, FPixelFormat, 0, 0);
    Changed(this);
    return handle;
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->SetOnChange(TNotifyEvent(this, &TBitmap::CanvasChanged));
    }
    return FCanvas.get();
}

void TBitmap::CanvasChanged(TObject*) { Changed(this); }

void* TBitmap::ScanLine(int Row)
{
    if (Row < 0 || Row >= FHeight || FWidth == 0)
        throw EInvalidGraphic(Format(L"Scan line index out of range (%d)", Row));
    if (FPixelFormat == TPixelFormat::pfDevice)
        SetHandleType(TBitmapHandleType::bmDIB);
    MakeHandle();
    GdiFlush();
    return Rows().Row(Row);
}

TColor TBitmap::TransparentColor()
{
    if (FTransparentMode == TTransparentMode::tmFixed)
        return FTransparentColor;
    if (Empty())
        return clDefault;
    return Canvas()->Pixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor value)
{
    if (value == FTransparentColor && (value == clDefault) == (FTransparentMode == TTransparentMode::tmAuto))
        return;
    FTransparentColor = value;
    FTransparentMode = value == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode value)
{
    if (value == FTransparentMode)
        return;
    // Fixing the mode keeps the colour the bottom-left pixel has now.
    FTransparentColor = value == TTransparentMode::tmAuto ? clDefault : TransparentColor();
    FTransparentMode = value;
    Changed(this);
}

void TBitmap::SetAlphaFormat(TAlphaFormat value)
{
    if (ChangeField(FAlphaFormat, value))
        Changed(this);
}

void TBitmap::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        ReplaceHandle(nullptr, nullptr, FPixelFormat, 0, 0);
        Changed(this);
        return;
    }
    auto* source = dynamic_cast<TBitmap*>(Source);
    if (!source) {
        TGraphic::Assign(Source);
        return;
    }
    void* bits;
    HBITMAP handle =
        source->NewHandle(source->FPixelFormat, source->FColorTable, source->FWidth, source->FHeight, bits);
    FColorTable = source->FColorTable;
    FOwnPalette = source->FOwnPalette;
    FTransparentColor = source->FTransparentColor;
    FTransparentMode = source->FTransparentMode;
    FAlphaFormat = source->FAlphaFormat;
    FTransparent = source->Transparent();
    ReplaceHandle(handle, bits, source->FPixelFormat, source->FWidth, source->FHeight);
    Changed(this);
}

void TBitmap::LoadFromStream(TStream* Stream)
{
    const int64_t start = Stream->Position();
    const std::vector<uint8_t> data = ReadToEnd(Stream);
    const TBmpReader reader(data.data(), data.size());

    TColorTable table = reader.ColorTable();
    TOwnedBitmap handle;
    void* bits = nullptr;
    if (reader.Width() > 0 && reader.Height() > 0) {
        handle = CreateDib(reader.Format(), table, reader.Width(), reader.Height(), bits);
        reader.ReadPixels(RowsOf(bits, reader.Format(), reader.Width(), reader.Height(), &table));
    }
    Stream->SetPosition(start + int64_t(reader.FileSize()));
    FColorTable = std::move(table);
    FOwnPalette = false;
    ReplaceHandle(handle.release(), bits, reader.Format(), reader.Width(), reader.Height());
    Changed(this);
}

void TBitmap::SaveToStream(TStream* Stream)
{
    if (FPixelFormat == TPixelFormat::pfDevice) {
        TBitmap copy;
        copy.Assign(this);
        copy.SetHandleType(TBitmapHandleType::bmDIB);
        copy.SaveToStream(Stream);
        return;
    }
    GdiFlush();
    const TPixelRows rows = Empty() ? TPixelRows{nullptr, 0, 0, 0, FPixelFormat, &FColorTable} : Rows();
    const std::vector<uint8_t> data = WriteBmp(rows);
    Stream->WriteBuffer(data.data(), int64_t(data.size()));
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (Empty())
        return;
    HDC dest = ACanvas->Handle();
    TCanvasLock lock(Canvas());
    HDC source = Canvas()->Handle();
    if (FPixelFormat == TPixelFormat::pf32bit && FAlphaFormat != TAlphaFormat::afIgnored) {
        DrawAlpha(dest, source, Rect);
    } else if (Transparent()) {
        TransparentBlt(dest, Rect.left, Rect.top, Rect.Width(), Rect.Height(), source, 0, 0, FWidth, FHeight,
                       ColorToRGB(TransparentColor()));
    } else {
        const int oldMode = SetStretchBltMode(dest, COLORONCOLOR);
        StretchBlt(dest, Rect.left, Rect.top, Rect.Width(), Rect.Height(), source, 0, 0, FWidth, FHeight,
                   ACanvas->CopyMode());
        SetStretchBltMode(dest, oldMode);
    }
}

void TBitmap::DrawAlpha(HDC dest, HDC source, const TRect& Rect)
{
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (FAlphaFormat == TAlphaFormat::afPremultiplied) {
        AlphaBlend(dest, Rect.left, Rect.top, Rect.Width(), Rect.Height(), source, 0, 0, FWidth, FHeight, blend);
        return;
    }
    // Straight alpha: the system blends colours already multiplied by alpha.
    void* bits;
    TOwnedBitmap premultiplied = CreateDib(TPixelFormat::pf32bit, {}, FWidth, FHeight, bits);
    GdiFlush();
    PremultiplyAlpha(Rows(), RowsOf(bits, TPixelFormat::pf32bit, FWidth, FHeight, nullptr));
    TMemoryDC dc(premultiplied.get());
    AlphaBlend(dest, Rect.left, Rect.top, Rect.Width(), Rect.Height(), dc.Handle(), 0, 0, FWidth, FHeight, blend);
}

}  // namespace vcl

#include "acPNG.h"

#include "skin/graphics/BitmapView.h"
#include "skin/graphics/DibSection.h"
#include "skin/graphics/acPNGPixels.h"
#include "skin/graphics/acStreamBytes.h"
#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TBitmap;
using vcl::TObjectPtr;
using vcl::TPixelFormat;
using vcl::TRect;

namespace {

TObjectPtr<TBitmap> NewBitmap(TPixelFormat format, int width, int height)
{
    TObjectPtr<TBitmap> bmp(vcl::Create<TBitmap>());
    bmp->SetPixelFormat(format);
    bmp->SetSize(width, height);
    return bmp;
}

void StretchCopy(HDC dest, int width, int height, vcl::TCanvas* source, int sourceWidth, int sourceHeight)
{
    TCanvasLock lock(source);
    SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, 0, 0, width, height, source->Handle(), 0, 0, sourceWidth, sourceHeight, SRCCOPY);
}

// The pixels of a bitmap that is already 32-bit; an empty view for any other format.
TPixelView Pixels32(TBitmap* Bmp)
{
    return Bmp && Bmp->PixelFormat() == TPixelFormat::pf32bit ? PixelsOf(Bmp) : TPixelView();
}

HICON IconOf(TBitmap* Colour, TBitmap* Mask)
{
    Mask->SetPixelFormat(TPixelFormat::pf1bit);  // 255 (transparent) becomes white
    ICONINFO info{TRUE, 0, 0, Mask->Handle(), Colour->Handle()};
    return CreateIconIndirect(&info);
}

}  // namespace

// The bitmap a datastream is decoded into, as the reader sees it.
class TPNGGraphic::TTarget : public TPNGTarget {
public:
    explicit TTarget(TPNGGraphic* image) : FImage(image) {}

    void Clear() override
    {
        FImage->Assign(nullptr);
        FImage->SetPalette(nullptr);
        FImage->SetPixelFormat(TPixelFormat::pfDevice);
        FRows = {};
    }
    bool HasPixelFormat() override { return FImage->PixelFormat() != TPixelFormat::pfDevice; }
    void SetPixelFormat(int bitsPerPixel) override { FImage->SetPixelFormat(vcl::PixelFormatOfBits(bitsPerPixel)); }
    void SetPalette(const TRawPalette& palette) override
    {
        std::vector<uint8_t> memory(sizeof(LOGPALETTE) + palette.size() * sizeof(PALETTEENTRY));
        auto* log = reinterpret_cast<LOGPALETTE*>(memory.data());
        log->palVersion = 0x300;
        log->palNumEntries = static_cast<WORD>(palette.size());
        for (size_t i = 0; i < palette.size(); ++i)
            log->palPalEntry[i] = {palette[i].Red, palette[i].Green, palette[i].Blue, 0};
        HPALETTE handle = CreatePalette(log);
        FImage->SetPalette(handle);
        DeleteObject(handle);
    }
    // Decoding writes every pixel; the rows stay in memory until the image is used (NewPixels).
    void SetSize(uint32_t width, uint32_t height) override
    {
        FRows = FImage->NewPixels(static_cast<int>(width), static_cast<int>(height));
    }
    void SetTransparentColor(uint32_t color) override
    {
        FImage->SetTransparentColor(vcl::TColor(color));
        FImage->SetTransparent(true);
    }
    uint8_t* ScanLine(uint32_t row) override { return FRows.Row(static_cast<int>(row)); }
    // The texts are made only for a listener.
    void Progress(TPNGProgress stage, const TPNGRect& rect, const char* message) override
    {
        if (FImage->OnProgress())
            FImage->Progress(FImage, stage == TPNGProgress::Starting ? vcl::TProgressStage::psStarting : vcl::TProgressStage::psEnding,
                             0, false, TRect(rect.Left, rect.Top, rect.Right, rect.Bottom), vcl::FromUtf8(message));
    }

private:
    TPNGGraphic* FImage;
    vcl::TPixelRows FRows;  // of the pixels SetSize made
};

namespace {

// Runs a step of the reader, raising its faults as the class library's graphic errors.
template <typename F>
auto AsGraphicErrors(F&& step) -> decltype(step())
{
    try {
        return step();
    } catch (const EPNGFault& fault) {
        if (fault.Kind() == TPNGFault::LZ77Error)
            throw EGraphicCompression(vcl::FromUtf8(fault.what()));
        throw vcl::EInvalidGraphic(vcl::FromUtf8(fault.what()));
    } catch (const EColorConversionFault& fault) {
        throw EColorConversionError(vcl::FromUtf8(fault.what()));
    }
}

}  // namespace

TPNGGraphic::TPNGGraphic() : FColorManager(std::make_unique<TColorManager>()) {}

TPNGGraphic::~TPNGGraphic() = default;

void TPNGGraphic::Assign(vcl::TPersistent* Source)
{
    if (auto* png = dynamic_cast<TPNGGraphic*>(Source))
        FImageProperties = png->FImageProperties;
    inherited::Assign(Source);
}

void TPNGGraphic::LoadFromStream(vcl::TStream* Stream)
{
    TStreamBytes bytes(Stream);
    TTarget target(this);
    AsGraphicErrors([&] { TPNGReader(bytes, *FColorManager, target, FImageProperties).Load(); });
}

bool TPNGGraphic::ReadImageProperties(vcl::TStream* Stream, unsigned)
{
    TStreamBytes bytes(Stream);
    TTarget target(this);
    return AsGraphicErrors([&] { return TPNGReader(bytes, *FColorManager, target, FImageProperties).ReadImageProperties(); });
}

std::unique_ptr<vcl::TGraphic> TPNGGraphic::CreateEmpty() const
{
    return std::unique_ptr<vcl::TGraphic>(vcl::Create<TPNGGraphic>());
}

void TPNGGraphic::Draw(vcl::TCanvas* ACanvas, const TRect& Rect)
{
    if (PixelFormat() != TPixelFormat::pf32bit) {
        inherited::Draw(ACanvas, Rect);
        return;
    }
    const int w = Rect.Width(), h = Rect.Height();
    if (Empty() || w <= 0 || h <= 0)
        return;
    // The background under the image (and under its reflection) is blended into a buffer.
    TDibSection buffer(w, Reflected ? h + h / 2 : h);
    HDC dc = ACanvas->Handle();
    BitBlt(buffer.DC(), 0, 0, buffer.Width(), buffer.Height(), dc, Rect.left, Rect.top, SRCCOPY);
    const TRect area(0, 0, w, h);
    const TCacheView noBackground;
    if (w == Width() && h == Height()) {
        CopyBmp32(area, area, buffer.View(), PixelsOf(this), noBackground, false, vcl::clNone, 0, Reflected);
    } else {
        // Colours and alpha are stretched apart, the alpha through an 8-bit plane.
        TDibSection scaled(w, h);
        StretchCopy(scaled.DC(), w, h, Canvas(), Width(), Height());
        TObjectPtr<TBitmap> alpha = NewBitmap(TPixelFormat::pf8bit, Width(), Height());
        skin::CopyChannel(PixelsOf(this), BytesOf(alpha.get()), 3, true);
        TObjectPtr<TBitmap> scaledAlpha = NewBitmap(TPixelFormat::pf8bit, w, h);
        {
            TCanvasLock lock(scaledAlpha->Canvas());
            StretchCopy(scaledAlpha->Canvas()->Handle(), w, h, alpha->Canvas(), Width(), Height());
        }
        skin::CopyChannel(scaled.View(), BytesOf(scaledAlpha.get()), 3, false);
        CopyBmp32(area, area, buffer.View(), scaled.View(), noBackground, false, vcl::clNone, 0, false);
    }
    BitBlt(dc, Rect.left, Rect.top, buffer.Width(), buffer.Height(), buffer.DC(), 0, 0, SRCCOPY);
}

HICON MakeIcon32(TBitmap* Bmp, bool ForceMask)
{
    TObjectPtr<TBitmap> mask = NewBitmap(TPixelFormat::pf8bit, Bmp->Width(), Bmp->Height());
    if (Bmp->PixelFormat() != TPixelFormat::pf32bit || ForceMask) {
        Bmp->SetPixelFormat(TPixelFormat::pf32bit);
        KeyColorMask(PixelsOf(Bmp), BytesOf(mask.get()));
    }
    return IconOf(Bmp, mask.get());
}

HICON MakeCompIcon(TPNGGraphic* Image, vcl::TColor Color)
{
    const int w = Image->Width(), h = Image->Height();
    TObjectPtr<TBitmap> mask = NewBitmap(TPixelFormat::pf8bit, w, h);
    std::unique_ptr<TBitmap> colour = CreateBmp32(w, h);
    {
        TCanvasLock lock(colour->Canvas());
        FillDC(colour->Canvas()->Handle(), TRect(0, 0, w, h), Color);
        colour->Canvas()->Draw(0, 0, Image);
    }
    if (Image->PixelFormat() != TPixelFormat::pf32bit) {
        Image->SetPixelFormat(TPixelFormat::pf32bit);
        AlphaFromKey(PixelsOf(Image));
    }
    CopyWithAlphaMask(PixelsOf(Image), PixelsOf(colour.get()), BytesOf(mask.get()));
    return IconOf(colour.get(), mask.get());
}

void UpdateTransPixels(TBitmap* Bmp)
{
    UpdateTransPixels(Pixels32(Bmp));
}

void UpdateAlpha(TBitmap* Bmp)
{
    UpdateAlpha(Pixels32(Bmp));
}

void CopyChannel(TBitmap* Bmp32, TBitmap* Bmp8, int Channel, bool From32To8)
{
    CopyChannel(PixelsOf(Bmp32), BytesOf(Bmp8), Channel, From32To8);
}

void RegisterPNGGraphic()
{
    vcl::TPicture::RegisterFileFormat(L"png", L"Portable network graphics (Quorvix)", vcl::GraphicClass<TPNGGraphic>());
}

void UnregisterPNGGraphic()
{
    vcl::TPicture::UnregisterGraphicClass(vcl::GraphicClass<TPNGGraphic>());
}

}  // namespace skin

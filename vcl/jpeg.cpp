#include "vcl/jpeg.h"

#include "vcl/bitmaps.h"
#include "vcl/sysutils.h"

#include <cstdio>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace vcl {

namespace {

// libjpeg reports a fatal error through error_exit, which must not return. Ours jumps back into
// the decoding step that made the call. Those steps hold no C++ objects, so the jump skips no
// destructor; everything libjpeg allocated is freed with its decompressor.
struct TJpegErrors {
    jpeg_error_mgr Manager;  // first, so libjpeg's pointer to it is a pointer to the whole
    void* JumpBuffer[5];
    char Message[JMSG_LENGTH_MAX];
};

void FailJpeg(j_common_ptr info)
{
    auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
    info->err->format_message(info, errors->Message);
    __builtin_longjmp(errors->JumpBuffer, 1);
}

// libjpeg warns and goes on where data is corrupt or ends early, filling the rest with grey. Such
// pixels are not the picture, so those warnings fail the load like errors; only notes about the
// header that leave the pixels intact are let through.
void OnJpegMessage(j_common_ptr info, int level)
{
    const int code = info->err->msg_code;
    if (level < 0 && code != JWRN_JFIF_MAJOR && code != JWRN_BOGUS_ICC)
        FailJpeg(info);
}

void IgnoreJpegOutput(j_common_ptr) {}

class TJpegDecoder {
public:
    TJpegDecoder()
    {
        std::memset(&FInfo, 0, sizeof FInfo);
        FInfo.err = jpeg_std_error(&FErrors.Manager);
        FErrors.Manager.error_exit = FailJpeg;
        FErrors.Manager.emit_message = OnJpegMessage;
        FErrors.Manager.output_message = IgnoreJpegOutput;
        FErrors.Message[0] = 0;
    }
    ~TJpegDecoder() { jpeg_destroy_decompress(&FInfo); }
    TJpegDecoder(const TJpegDecoder&) = delete;
    TJpegDecoder& operator=(const TJpegDecoder&) = delete;

    // Each step answers false after a libjpeg error, whose text Error() then holds.
    [[gnu::noinline]] bool ReadHeader(const uint8_t* data, size_t size)
    {
        if (__builtin_setjmp(FErrors.JumpBuffer))
            return false;
        jpeg_create_decompress(&FInfo);
        jpeg_mem_src(&FInfo, data, static_cast<unsigned long>(size));
        jpeg_read_header(&FInfo, TRUE);
        return true;
    }

    [[gnu::noinline]] bool ReadPixels(J_COLOR_SPACE space, JSAMPROW* rows)
    {
        if (__builtin_setjmp(FErrors.JumpBuffer))
            return false;
        FInfo.out_color_space = space;
        jpeg_start_decompress(&FInfo);
        while (FInfo.output_scanline < FInfo.output_height)
            jpeg_read_scanlines(&FInfo, rows + FInfo.output_scanline, FInfo.output_height - FInfo.output_scanline);
        jpeg_finish_decompress(&FInfo);
        return true;
    }

    int Width() const { return int(FInfo.image_width); }
    int Height() const { return int(FInfo.image_height); }
    bool SourceGray() const { return FInfo.jpeg_color_space == JCS_GRAYSCALE; }
    // The bytes of the data passed to ReadHeader that libjpeg has not read.
    size_t Unread() const { return FInfo.src ? FInfo.src->bytes_in_buffer : 0; }
    String Error() const { return FromAnsi(FErrors.Message); }

private:
    jpeg_decompress_struct FInfo;
    TJpegErrors FErrors;
};

[[noreturn]] void InvalidJpeg(const String& reason) { throw EInvalidGraphic(L"JPEG image is not valid: " + reason); }

void CheckSize(int width, int height)
{
    if (width > TJPEGImage::MaxSide || height > TJPEGImage::MaxSide ||
        int64_t(width) * height > TJPEGImage::MaxPixels)
        throw EInvalidGraphic(Format(L"JPEG image of %d x %d pixels is too large (at most %d pixels a side and "
                                     L"%d in all)",
                                     width, height, TJPEGImage::MaxSide, int(TJPEGImage::MaxPixels)));
}

// Rows of decoded samples, one byte (grey) or three (blue, green, red) a pixel.
struct TSamples {
    std::vector<uint8_t> Bytes;
    std::vector<JSAMPROW> Rows;
    int Components;

    TSamples(int width, int height, int components)
        : Bytes(size_t(width) * size_t(height) * size_t(components)), Rows(size_t(height)), Components(components)
    {
        for (size_t y = 0; y < Rows.size(); ++y)
            Rows[y] = Bytes.data() + y * size_t(width) * size_t(components);
    }
};

std::unique_ptr<TBitmap> BitmapOf(const TSamples& samples, int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(TPixelFormat::pf24bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        auto* target = static_cast<uint8_t*>(bitmap->ScanLine(y));
        const uint8_t* source = samples.Rows[size_t(y)];
        if (samples.Components == 3) {
            std::memcpy(target, source, size_t(width) * 3);
            continue;
        }
        for (int x = 0; x < width; ++x)
            std::memset(target + 3 * x, source[x], 3);
    }
    return bitmap;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const { return FBitmap ? FBitmap->Width() : 0; }
int TJPEGImage::Height() const { return FBitmap ? FBitmap->Height() : 0; }

void TJPEGImage::SetWidth(int) { throw EInvalidGraphic(L"Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int value) { SetWidth(value); }

void TJPEGImage::Decode(std::vector<uint8_t> data, bool grayscale)
{
    TJpegDecoder decoder;
    if (!decoder.ReadHeader(data.data(), data.size()))
        InvalidJpeg(decoder.Error());
    const int width = decoder.Width();
    const int height = decoder.Height();
    CheckSize(width, height);
    const bool gray = grayscale || decoder.SourceGray();
    TSamples samples(width, height, gray ? 1 : 3);
    if (!decoder.ReadPixels(gray ? JCS_GRAYSCALE : JCS_EXT_BGR, samples.Rows.data()))
        InvalidJpeg(decoder.Error());
    std::unique_ptr<TBitmap> bitmap = BitmapOf(samples, width, height);

    data.resize(data.size() - decoder.Unread());
    FData = std::move(data);
    FBitmap = std::move(bitmap);
    FGrayscale = grayscale;
    FSourceGray = decoder.SourceGray();
}

void TJPEGImage::SetGrayscale(bool value)
{
    if (value == FGrayscale)
        return;
    if (Empty() || FSourceGray) {
        FGrayscale = value;
        return;
    }
    Decode(FData, value);
    Changed(this);
}

void TJPEGImage::LoadFromStream(TStream* Stream)
{
    const int64_t start = Stream->Position();
    std::vector<uint8_t> data = ReadToEnd(Stream);
    try {
        Decode(std::move(data), FGrayscale);
    } catch (...) {
        Stream->SetPosition(start);
        throw;
    }
    Stream->SetPosition(start + int64_t(FData.size()));
    Changed(this);
}

void TJPEGImage::SaveToStream(TStream* Stream)
{
    if (Empty())
        throw EInvalidGraphic(L"The JPEG image is empty: there is nothing to save");
    Stream->WriteBuffer(FData.data(), int64_t(FData.size()));
}

void TJPEGImage::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (Source && !dynamic_cast<TJPEGImage*>(Source)) {
        TGraphic::Assign(Source);
        return;
    }
    auto* source = static_cast<TJPEGImage*>(Source);
    std::unique_ptr<TBitmap> bitmap;
    if (source && source->FBitmap) {
        bitmap = std::make_unique<TBitmap>();
        bitmap->Assign(source->FBitmap.get());
    }
    FData = source ? source->FData : std::vector<uint8_t>();
    FBitmap = std::move(bitmap);
    FGrayscale = source && source->FGrayscale;
    FSourceGray = source && source->FSourceGray;
    Changed(this);
}

std::unique_ptr<TGraphic> TJPEGImage::CreateEmpty() const
{
    return std::unique_ptr<TGraphic>(Create<TJPEGImage>());
}

void TJPEGImage::AssignTo(TPersistent* Dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest))
        bitmap->Assign(FBitmap.get());
    else
        TGraphic::AssignTo(Dest);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (FBitmap)
        ACanvas->StretchDraw(Rect, FBitmap.get());
}

}  // namespace vcl

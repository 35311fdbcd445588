#pragma once
// TJPEGImage: a JPEG picture, decoded at load into a 24-bit bitmap that draws it and that
// bitmaps take with Assign.
#include "vcl/pictures.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vcl {

class TJPEGImage : public TGraphic {
    CL_CLASS(TJPEGImage, TGraphic)
public:
    // Images beyond these sizes are refused: a side longer than MaxSide pixels, or more than
    // MaxPixels pixels in all.
    static constexpr int MaxSide = 16384;
    static constexpr int64_t MaxPixels = int64_t(1) << 24;

    TJPEGImage();
    ~TJPEGImage() override;

    bool Empty() const override { return FBitmap == nullptr; }
    int Width() const override;
    int Height() const override;
    // A JPEG image keeps the size it was read with: both raise EInvalidGraphic.
    void SetWidth(int value) override;
    void SetHeight(int value) override;

    // True when the image shows in grey: asked for with SetGrayscale, or read from a JPEG of
    // one component. Changing it decodes the image again.
    bool Grayscale() const { return FGrayscale || FSourceGray; }
    void SetGrayscale(bool value);

    // Reads one JPEG from the stream's position; the stream is left behind its last marker.
    // Truncated or corrupt data, or an image beyond the size limits, raises EInvalidGraphic and
    // leaves the image as it was and the stream where it started.
    void LoadFromStream(TStream* Stream) override;
    // Writes the JPEG data read; an empty image raises EInvalidGraphic.
    void SaveToStream(TStream* Stream) override;
    // From another JPEG image, or nullptr (empties).
    void Assign(TPersistent* Source) override;
    std::unique_ptr<TGraphic> CreateEmpty() const override;

protected:
    // A bitmap takes the decoded pixels as a pf24bit copy; an empty image empties it.
    void AssignTo(TPersistent* Dest) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    void Decode(std::vector<uint8_t> data, bool grayscale);

    std::vector<uint8_t> FData;        // the JPEG file as read
    std::unique_ptr<TBitmap> FBitmap;  // its pixels, pf24bit; null while empty
    bool FGrayscale = false;
    bool FSourceGray = false;
};

}  // namespace vcl

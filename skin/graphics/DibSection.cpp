#include "skin/graphics/DibSection.h"

namespace skin {

TDibSection::TDibSection(int Width, int Height)
{
    if (Width <= 0 || Height <= 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!FBitmap)
        return;
    FDC = CreateCompatibleDC(nullptr);
    FOldBitmap = SelectObject(FDC, FBitmap);
    FView = {static_cast<uint8_t*>(bits), ptrdiff_t(Width) * 4, Width, Height};
}

TDibSection::~TDibSection()
{
    if (FDC) {
        SelectObject(FDC, FOldBitmap);
        DeleteDC(FDC);
    }
    if (FBitmap)
        DeleteObject(FBitmap);
}

TPixelView TDibSection::View() const
{
    GdiFlush();
    return FView;
}

}  // namespace skin

#pragma once
// The pixels of an area of a device context (a window's, the screen's) as 0x00BBGGRR values in
// rows from the top, the form in which the tests read pixels and the PNG files are written.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace testsupport {

inline std::vector<uint32_t> CopyPixels(HDC source, int left, int top, int width, int height)
{
    std::vector<uint32_t> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    const auto* copied = static_cast<const uint32_t*>(bits);
    pixels.resize(static_cast<size_t>(width) * height);
    // Blue, green, red in memory; red in the low byte for the caller.
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = ((copied[i] & 0xFF) << 16) | (copied[i] & 0xFF00) | ((copied[i] >> 16) & 0xFF);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return pixels;
}

}  // namespace testsupport

#pragma once
// Pictures of the main window for people to look at: PNG files in screenshots/ of the build tree.
// Each test that saves one also checks pixels of it: the skinned frame against the picture its
// provider rendered, the window region's corners, texts in the skin's colours.
#include "pngfile.h"
#include "pump.h"
#include "testpaths.h"

#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/controls.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>

// The file a screenshot of this name goes to.
inline std::filesystem::path ScreenshotFile(const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(folder);
    return folder / (name + ".png");
}

inline bool SaveScreenshot(const testsupport::TGrab& grab, const std::string& name)
{
    return testsupport::SavePng(ScreenshotFile(name).wstring(), grab.Width, grab.Height,
                                std::vector<uint32_t>(grab.Pixels.begin(), grab.Pixels.end()));
}

// What the screen shows where the window lies, its client origin set: the desktop shows through
// where the window region cuts the corners.
inline testsupport::TGrab ScreenGrabOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    testsupport::TGrab grab = testsupport::GrabScreen(r);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    grab.ClientOrigin = POINT{client.x - r.left, client.y - r.top};
    return grab;
}

// The screen's area holding both windows.
inline RECT AreaOf(HWND first, HWND second)
{
    RECT a{}, b{}, both{};
    GetWindowRect(first, &a);
    GetWindowRect(second, &b);
    UnionRect(&both, &a, &b);
    return both;
}

// Where the window's top-left lies within a grab of the screen's area.
inline POINT WindowAt(HWND window, const RECT& area)
{
    RECT r{};
    GetWindowRect(window, &r);
    return POINT{r.left - area.left, r.top - area.top};
}

// Whether the window shows its pixel (x, y), in window coordinates: inside its window region, or
// anywhere without one.
inline bool InWindowRegion(HWND window, int x, int y)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool inside = GetWindowRgn(window, region) == ERROR || PtInRegion(region, x, y);
    DeleteObject(region);
    return inside;
}

// The window region cuts both top corners and keeps the middle of the top row.
inline bool TopCornersCut(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    return !InWindowRegion(window, 0, 0) && !InWindowRegion(window, width - 1, 0) &&
           InWindowRegion(window, width / 2, 0);
}

// The pixels of the window's frame (all but its client area) within its window region that the
// grab, with the window's top-left at windowAt, shows otherwise than the frame picture in its
// provider's cache; pixels inside skip (window coordinates) are left out, as are those beyond the
// grab.
inline int FramePixelsOffCache(const testsupport::TGrab& grab, POINT windowAt, HWND window,
                               skin::TsSkinProvider* provider, const RECT& skip = RECT{})
{
    const skin::TPixelView cache = skin::PixelsOf(provider->SkinData()->FCacheBmp.get());
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool hasRegion = GetWindowRgn(window, region) != ERROR;
    int off = 0;
    for (int y = 0; y < cache.Height; ++y)
        for (int x = 0; x < cache.Width; ++x) {
            const POINT p{x, y};
            const int gx = windowAt.x + x, gy = windowAt.y + y;
            if (PtInRect(&client, p) || PtInRect(&skip, p) || (hasRegion && !PtInRegion(region, x, y)) || gx < 0 ||
                gy < 0 || gx >= grab.Width || gy >= grab.Height)
                continue;
            const uint32_t rgb = cache.At(x, y);
            off += grab.Pixel(gx, gy) != RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
        }
    DeleteObject(region);
    return off;
}

// The pixels of the window's outer band, band pixels wide, within its window region that the grab,
// with the window's top-left at windowAt, shows otherwise than the picture of the whole window;
// a pixel the picture lacks counts as shown otherwise.
inline int BandPixelsOff(const testsupport::TGrab& grab, POINT windowAt, HWND window, const skin::TPixelView& picture,
                         int band)
{
    RECT outer{};
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const RECT inner{band, band, width - band, height - band};
    int off = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int gx = windowAt.x + x, gy = windowAt.y + y;
            if (PtInRect(&inner, POINT{x, y}) || !InWindowRegion(window, x, y) || gx < 0 || gy < 0 ||
                gx >= grab.Width || gy >= grab.Height)
                continue;
            if (!picture.Contains(x, y)) {
                ++off;
                continue;
            }
            const uint32_t rgb = picture.At(x, y);
            off += grab.Pixel(gx, gy) != RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
        }
    return off;
}

// The columns of the grab's area that are black from its top to its bottom.
inline int BlackColumns(const testsupport::TGrab& grab, const RECT& area)
{
    int black = 0;
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, grab.Width); ++x) {
        bool all = true;
        for (int y = std::max<int>(area.top, 0); all && y < std::min<int>(area.bottom, grab.Height); ++y)
            all = grab.Pixel(x, y) == RGB(0, 0, 0);
        black += all;
    }
    return black;
}

// Some pixel of the grab within area is exactly colour: a text there is written in that colour.
inline bool WrittenIn(const testsupport::TGrab& grab, const RECT& area, COLORREF colour)
{
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, grab.Height); ++y)
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, grab.Width); ++x)
            if (grab.Pixel(x, y) == colour)
                return true;
    return false;
}

// Where the control lies within a grab of the screen's area.
inline RECT ControlArea(vcl::TControl* control, const RECT& area)
{
    POINT p{control->Left(), control->Top()};
    ClientToScreen(control->Parent()->Handle(), &p);
    return RECT{p.x - area.left, p.y - area.top, p.x - area.left + control->Width(),
                p.y - area.top + control->Height()};
}

// Where the window lies within a grab of the screen's area.
inline RECT WindowArea(HWND window, const RECT& area)
{
    RECT r{};
    GetWindowRect(window, &r);
    OffsetRect(&r, -area.left, -area.top);
    return r;
}

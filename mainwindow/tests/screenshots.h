#pragma once
// Pictures of the main window for people to look at; nothing compares them. They go to
// screenshots/ in the build tree as 32-bit BMP files.
#include "pump.h"
#include "testpaths.h"

#include "vcl/bitmaps.h"

#include <filesystem>
#include <string>

inline void SaveScreenshot(const testsupport::TGrab& grab, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(folder);
    vcl::TObjectPtr<vcl::TBitmap> bitmap(vcl::Create<vcl::TBitmap>());
    bitmap->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    bitmap->SetSize(grab.Width, grab.Height);
    for (int y = 0; y < grab.Height; ++y) {
        auto* row = static_cast<uint32_t*>(bitmap->ScanLine(y));
        for (int x = 0; x < grab.Width; ++x) {
            const COLORREF c = grab.Pixel(x, y);
            row[x] = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    bitmap->SaveToFile(vcl::String((folder / (name + ".bmp")).wstring()));
}

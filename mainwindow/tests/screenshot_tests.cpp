// Pictures of the main window's views for people to look at; nothing is compared. They go to
// screenshots/ in the build tree.
#include "mainform_fixture.h"

#include "vcl/bitmaps.h"

#include <filesystem>

namespace {

using namespace vcl;

void SaveGrab(const testsupport::TGrab& grab, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(folder);
    TObjectPtr<TBitmap> bitmap(Create<TBitmap>());
    bitmap->SetPixelFormat(TPixelFormat::pf32bit);
    bitmap->SetSize(grab.Width, grab.Height);
    for (int y = 0; y < grab.Height; ++y) {
        auto* row = static_cast<uint32_t*>(bitmap->ScanLine(y));
        for (int x = 0; x < grab.Width; ++x) {
            const COLORREF c = grab.Pixel(x, y);
            row[x] = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    bitmap->SaveToFile(String((folder / (name + ".bmp")).wstring()));
}

TEST_F(MainformTest, ScreenshotOfTheFirstLaunch)
{
    Form()->Show();
    testsupport::PumpFor(300);
    SaveGrab(testsupport::Grab(Form()->Handle()), "first-launch");
}

}  // namespace

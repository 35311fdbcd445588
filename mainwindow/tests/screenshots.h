#pragma once
// Pictures of the main window for people to look at: PNG files in screenshots/ of the build tree.
// Each test that saves one also checks pixels of it.
#include "pngfile.h"
#include "pump.h"
#include "testpaths.h"

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

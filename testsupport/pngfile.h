#pragma once
// Pictures for people to look at: 24-bit PNG files written from rows of 0x00BBGGRR pixels.
// Nothing here needs a window; the tests' screenshots and the run command's tour share it.

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Writes width x height pixels, rows from the top, as a PNG file; false when the file cannot
// be written.
bool SavePng(const std::wstring& file, int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace testsupport

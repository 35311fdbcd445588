#pragma once
// Undoing the row filters of PNG image data: pure byte arithmetic. Sub, Average and Paeth go pixel
// by pixel, since each pixel depends on the one to its left: pixels of one or two bytes with their
// neighbours kept in registers, those of 8- and 16-bit colour images (3 to 8 bytes) through the SSE2
// registers where the target has them.
#include <cstddef>
#include <cstdint>

namespace skin {

// Undoes one row's filter in place against the previous row (all zeros above the first), with
// the left neighbour of the first bytesPerPixel bytes 0: 0 None, 1 Sub, 2 Up, 3 Average, 4 Paeth;
// other types leave the row as it is. Sums are modulo 256.
void ApplyFilter(uint8_t filter, uint8_t* row, const uint8_t* previous, uint32_t bytesPerPixel, size_t length);

}  // namespace skin

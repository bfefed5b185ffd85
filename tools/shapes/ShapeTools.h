#pragma once

// Packing, unpacking and checking the blob's quarter shapes: what the shape generator and the
// tests need, and the program does not.

#include "engine/QuadrantShapes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace shapes {

inline constexpr int kBlobSide = 2 * kSide;                        // 480
inline constexpr int kBlobAreaMin = kBlobSide * kBlobSide / 2;     // one half: 115200
inline constexpr int kBlobAreaMax = kBlobSide * kBlobSide * 2 / 3; // two thirds: 153600

// Packs a 240x240 image of 0/1 bytes (index i*240+j: i = column from the quarter's outer
// vertical edge, j = row from its outer horizontal edge) into words 0..1859 of record: pixel
// k = i*240+j is bit k%31 of word 1+k/31, word 0 is the number of set pixels. Words
// 1860..1999 are left untouched. Any non-zero byte counts as a set pixel.
void PackShape(const std::vector<std::uint8_t>& pixels, std::int32_t* record);

// The inverse: 57600 bytes (0 or 1) in the same index order, from words 1..1859.
std::vector<std::uint8_t> UnpackShape(const std::int32_t* record);

// Problems with one record (empty = valid): the count, the unused bits, the empty outer
// column and row, the solid inner edges, one 4-connected region, no hole of more than one
// pixel, at most three runs of set pixels in any column.
std::vector<std::string> ValidateShape(const std::int32_t* record);

// Problems with the whole set: every record's own problems (prefixed with its number), and
// the blob-area bounds: any four different shapes together cover between one half and two
// thirds of 480x480.
std::vector<std::string> ValidateShapeSet(const std::int32_t (&records)[kShapeCount][kRecordWords]);

} // namespace shapes

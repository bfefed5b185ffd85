#pragma once

// The seven stored quarter shapes of the blob: their packed record format,
// the loader of the built-in set, and the checks that every stored shape and the set as a
// whole must pass.

#include <cstdint>
#include <string>
#include <vector>

namespace shapes {

inline constexpr int kShapeCount = 7;     // records 0..6
inline constexpr int kSide = 240;         // a quarter is kSide by kSide pixels
inline constexpr int kRecordWords = 2000; // room per record
inline constexpr int kUsedWords = 1860;   // word 0 = count, words 1..1859 = pixels, 31 a word
inline constexpr int kPixelCount = kSide * kSide; // 57600
inline constexpr int kBitsPerWord = 31;
inline constexpr int kBlobSide = 2 * kSide;                        // 480
inline constexpr int kBlobAreaMin = kBlobSide * kBlobSide / 2;     // one half: 115200
inline constexpr int kBlobAreaMax = kBlobSide * kBlobSide * 2 / 3; // two thirds: 153600

using Record = std::int32_t[kRecordWords];

// Reads the Qt resource ":/shapes/quadrants.bin" (7 records of 1860 little-endian int32,
// record after record) into records; words 1860..1999 of each record are set to 0. Returns
// false, with every record zeroed, if the resource is missing or has the wrong size.
bool LoadQuadrantShapes(std::int32_t (&records)[kShapeCount][kRecordWords]);

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

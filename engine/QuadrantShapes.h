#pragma once

// The seven stored quarter shapes of the blob: their packed record format and the loader of
// the built-in set. The tools that made the set, and the checks every shape passes, are in
// tools/shapes.

#include <cstdint>

namespace shapes {

inline constexpr int kShapeCount = 7;     // records 0..6
inline constexpr int kSide = 240;         // a quarter is kSide by kSide pixels
inline constexpr int kRecordWords = 2000; // room per record
inline constexpr int kUsedWords = 1860;   // word 0 = count, words 1..1859 = pixels, 31 a word
inline constexpr int kPixelCount = kSide * kSide; // 57600
inline constexpr int kBitsPerWord = 31;

using Record = std::int32_t[kRecordWords];

// Reads the Qt resource ":/shapes/quadrants.bin" (7 records of 1860 little-endian int32,
// record after record) into records; words 1860..1999 of each record are set to 0. Returns
// false, with every record zeroed, if the resource is missing or has the wrong size.
bool LoadQuadrantShapes(std::int32_t (&records)[kShapeCount][kRecordWords]);

} // namespace shapes

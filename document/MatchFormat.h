#pragma once

#include "document/GlobuleDoc.h"

#include <string>
#include <string_view>

// The match file: six 24-byte player blocks, four integers, then six names and the speed
// label as counted strings. No header; all integers little-endian.
namespace matchfile {

constexpr std::size_t kFixedPartBytes = 160;

std::string Store(const CGlobuleDoc& doc);

// Reads every stored item into `doc`, overwriting as it goes; false when the bytes end before
// the record does or a string claims more bytes than are left. Bytes after the speed label are
// ignored. Callers pass a scratch record so that a failed read loses nothing.
bool Load(std::string_view bytes, CGlobuleDoc& doc);

} // namespace matchfile

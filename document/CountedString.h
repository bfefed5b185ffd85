#pragma once

#include "document/ByteStream.h"

#include <string>

// Counted strings of the match file: a length of one, three or seven bytes, then the bytes.
// Reading also accepts the wide form (a 0xFFFE marker, a length, UTF-16LE characters), which
// is converted to Windows-1252.
void WriteCountedString(std::string& out, const std::string& text);

// False when the file ends early or the length exceeds what is left; `text` is then untouched.
bool ReadCountedString(ByteReader& in, std::string& text);

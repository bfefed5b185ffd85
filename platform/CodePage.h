#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The game keeps every string as single bytes in Windows-1252; these convert at the edges.
namespace codepage {

// The Unicode code point of one Windows-1252 byte (undefined bytes map to U+FFFD).
char32_t ToUnicode(unsigned char byte);

// The Windows-1252 byte for a code point, or '?' when the code page has none.
char FromUnicode(char32_t codePoint);

// UTF-16LE bytes (2 per unit) to Windows-1252; a character without an equivalent, and any
// unpaired surrogate, becomes one '?'.
std::string FromUtf16Le(std::string_view bytes);

// Windows-1252 to UTF-8 and back, for paths and anything handed to the toolkit.
std::string ToUtf8(std::string_view text);
std::string FromUtf8(std::string_view utf8);

// Appends one code point as UTF-8, for text that never was in the code page.
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace codepage

#pragma once

#include <cstdint>

// Colours are 0x00RRGGBB, the layout of a 32-bit screen pixel without its alpha byte.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int red, int green, int blue) {
    return (static_cast<COLORREF>(red & 0xff) << 16) | (static_cast<COLORREF>(green & 0xff) << 8) |
           static_cast<COLORREF>(blue & 0xff);
}

constexpr int GetRValue(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xff);
}
constexpr int GetGValue(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xff);
}
constexpr int GetBValue(COLORREF c) {
    return static_cast<int>(c & 0xff);
}

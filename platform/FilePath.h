#pragma once

#include <string>
#include <string_view>

// File paths as the file system has them: bytes, which need not be valid UTF-8 (a name from an
// old disk in Latin-1, say). Qt's QString turns such bytes into U+FFFD and loses them, so a
// path stays bytes from the command line and the settings to the disk, and only the text shown
// to the player is decoded.
namespace filepath {

// `path` made absolute against the working folder, with "." and ".." folded away and repeated
// slashes removed, as written (symbolic links are not followed). Empty stays empty.
std::string Absolute(std::string_view path);

// The part after the last slash.
std::string_view FileName(std::string_view path);

// The folder that holds `path`: "/" for a file at the root, "." for a bare name.
std::string Folder(std::string_view path);

// Whether `bytes` are valid UTF-8.
bool IsUtf8(std::string_view bytes);

// `path` as readable UTF-8: valid UTF-8 stays as it is, and every other byte shows as its
// Windows-1252 character, which is what names from older systems most often were.
std::string Shown(std::string_view path);

} // namespace filepath

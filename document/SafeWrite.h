#pragma once

#include <string>
#include <string_view>

// Replaces the bytes of the file at `path` (an absolute path, as the file system names it) with
// `bytes`, so that a failure at any point leaves the old file whole. Returns 0, or the errno
// value of what failed.
//
// The new bytes go to an unnamed file in the same folder, which takes the old one's place by a
// rename once it is complete on disk: a kill at any moment leaves the old file or the new one,
// and no stray file beside it (where the file system has no unnamed files, the new one is
// written under a hidden name, which the next save removes should a kill leave it). Where the
// folder takes no new file, or the file is a mount of its own that no rename can replace, the
// file is written in place: the room for the new bytes is taken first, and the old bytes go
// back should the write fail after all. A symbolic link stays, and its file is written.
int ReplaceFileBytes(const std::string& path, std::string_view bytes);

// The hidden name under which a save of `fileName` may have to stage its new bytes: short
// enough for any name the file system takes.
std::string StagingName(std::string_view fileName);

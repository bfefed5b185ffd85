#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The soak's own reader and writer of the match file, written from the file's layout and not
// from the game's code: the fixed part of six player blocks and four integers, then six names
// and the speed label as counted strings.
namespace soakfile {

struct PlayerBlock {
    std::int32_t allGames = 0, lastGame = 0, numGames = 0, average = 0, bestGame = 0, active = 0;
    bool operator==(const PlayerBlock&) const = default;
};

struct FileRecord {
    std::array<PlayerBlock, 6> players{};
    std::int32_t sortRow = 0, pot = 0, speedIndex = 0, interval = 0;
    std::array<std::string, 6> names;
    std::string label;
    bool operator==(const FileRecord&) const = default;
};

// How a record is spelt: any string may take the wide form (ASCII text only), and bytes may
// follow the label.
struct Spelling {
    std::array<bool, 7> wide{};
    std::string trailing;
};

std::string Encode(const FileRecord& record, const Spelling& spelling = {});
// Null when the bytes end before the record does, or a string claims more than is left.
std::optional<FileRecord> Decode(std::string_view bytes);

} // namespace soakfile

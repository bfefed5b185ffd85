#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The ten best single games ever played by this user on this computer, and the text that
// keeps them (docs/hall-of-fame.md describes it).
namespace hall {

constexpr std::size_t kPlaces = 10;
// Characters of a player's name the hall keeps; a match file may hold names of megabytes.
constexpr std::size_t kMaxNameChars = 40;
// No hall the game writes comes near this; a larger file is not read.
constexpr std::size_t kMaxFileBytes = 16 * 1024;

struct Entry {
    std::int32_t score = 0;
    std::string name;            // UTF-8, without control characters
    std::int32_t intervalMs = 0; // the speed the game was played at
    std::int64_t when = 0;       // when it was scored, in seconds since 1970 (UTC)
    bool operator==(const Entry&) const = default;
};

// The better game: the higher score, and of equal scores the earlier one, which got there
// first.
bool Better(const Entry& a, const Entry& b);

class Table {
public:
    // Best first; at most kPlaces.
    const std::vector<Entry>& Entries() const { return m_entries; }
    // Puts a game in its place among the ten; false when it does not make the ten.
    bool Enter(const Entry& game);
    // The hall's text, best game first.
    std::string Format() const;

private:
    std::vector<Entry> m_entries;
};

struct Parsed {
    bool ok = false;
    Table table;
    std::string problem; // why the text is no hall, naming the line
};
// Reads a hall's text; every line must be as Format writes it.
Parsed Parse(std::string_view text);

// A player's name as the hall keeps it: from the match's code page to UTF-8, control
// characters as blanks, at most kMaxNameChars characters.
std::string NameForHall(std::string_view codePageName);

// For the table a player sees: the speed's name ("Fastest" .. "Slowest"), or the interval a
// match file gave the game ("1234 ms").
std::string SpeedName(std::int32_t intervalMs);
// The local date and time, to the minute: "2026-12-09 20:15".
std::string DateText(std::int64_t when);

} // namespace hall

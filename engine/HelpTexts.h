#pragma once

#include <array>
#include <string>
#include <string_view>

// The game's built-in manual (the Home pages), the two F1 help texts and the report of a
// game's centre.
// All texts are plain single-byte ASCII.
namespace helptext {

// Home-page paragraphs 0..16, each one line of running text. All but paragraph 11 start with
// three blanks, which serve as the first-line indent.
extern const std::array<std::string_view, 17> kParagraphs;

// The red footer line of Home pages 0..12.
extern const std::array<std::string_view, 13> kPageFooters;

// The paragraphs a page shows: first .. afterLast - 1.
struct PageRange {
    int first;
    int afterLast;
};
extern const std::array<PageRange, 13> kPages;

// The text of a Home page: its paragraphs, each pair separated by one empty line.
// Throws std::out_of_range for a page outside 0..12.
std::string AssemblePage(int page);

// F1 on the Score screen: nine paragraphs separated by single line feeds.
extern const std::string_view kScoreHelp;

// F1 during a game: four paragraphs separated by single line feeds.
extern const std::string_view kPlayHelp;

// What a finished game shows over its blob when the player has chosen to see the centre: the
// first line, in the centre mark's blue, where the centre was; the second, the game's result.
inline constexpr const char* kCentreDistance = "The centre (blue) was %i px away";
inline constexpr const char* kCentrePinnedExactly = "You pinned the centre (blue) itself";
inline constexpr const char* kCentreScore = "Score: %i";
inline constexpr const char* kCentreAfterTimeOut = "The centre is marked in blue";
inline constexpr const char* kCentreNoPoints = "Timed out: no points";

} // namespace helptext

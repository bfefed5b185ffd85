#pragma once

#include <array>
#include <string>
#include <string_view>

// The game's built-in manual (the Home pages) and the two F1 help texts.
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

} // namespace helptext

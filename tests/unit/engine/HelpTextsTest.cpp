#include "engine/HelpTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using helptext::AssemblePage;
using helptext::kPageFooters;
using helptext::kParagraphs;
using helptext::kPlayHelp;
using helptext::kScoreHelp;

namespace {

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

bool IsPlainAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == '\n' || (byte >= 0x20 && byte < 0x7f);
    });
}

// Paragraph n's opening words and the length it should have, about.
struct ParagraphShape {
    std::string_view opening;
    int length;
};
constexpr std::array<ParagraphShape, 17> kShapes = {{
    {"Welcome to Splotch.", 407},
    {"This is the Home Page.", 252},
    {"When you get to the Score screen,", 346},
    {"If you had played before", 325},
    {"The name and data of one of the six players", 385},
    {"You can control the pace of the game", 243},
    {"While you are in the Score screen and before you start to play,", 276},
    {"Once you have all the settings, names, and sequences to your liking,", 337},
    {"If you are not happy with the position of the cross hairs,", 399},
    {"At the end of each game a score is", 421},
    {"When the score calculation is finished,", 542},
    {"Important Facts About Files.", 946},
    {"If more than one person will play,", 569},
    {"If you need to stop but want to resume the game at a later time,", 558},
    {"A saved file represents a match.", 273},
    {"While you are in the Score screen, press F1", 285},
    {"The best screen resolution is 1024x768.", 505},
}};

std::vector<std::string> ParagraphsOf(int first, int afterLast) {
    std::vector<std::string> expected;
    for (int i = first; i < afterLast; ++i) {
        expected.emplace_back(kParagraphs[static_cast<std::size_t>(i)]);
    }
    return expected;
}

} // namespace

TEST(HelpTextFooters, QuotedFootersAreExact) {
    EXPECT_EQ(kPageFooters[0], "Page 1.      Page Down Key = Down One Paragraph.   Page Up Key = "
                               "Last 5 Paragraphs.   Space Bar = Score Screen.");
    EXPECT_EQ(kPageFooters[9], "Page 10    Page Down Key = Down One Paragraph.   Page Up Key = Up "
                               "One Paragraph.   Space Bar = Score Screen.");
    EXPECT_EQ(kPageFooters[12], "Page 13.   Page Down Key = First Paragraph.             Page Up "
                                "Key = Up One Paragraph.   Space Bar = Score Screen.");
}

TEST(HelpTextFooters, EachFooterNamesItsOwnPage) {
    for (std::size_t page = 0; page < kPageFooters.size(); ++page) {
        const std::string label = "Page " + std::to_string(page + 1);
        const std::string_view footer = kPageFooters[page];
        ASSERT_TRUE(footer.starts_with(label)) << "page index " << page << ": " << footer;
        // "Page 1" must not be the start of "Page 10".
        const char next = footer[label.size()];
        EXPECT_TRUE(next == '.' || next == ' ') << "page index " << page << ": " << footer;
        EXPECT_EQ(footer.find('\n'), std::string_view::npos) << "page index " << page;
        EXPECT_TRUE(footer.ends_with("   Space Bar = Score Screen.")) << "page index " << page;
    }
}

TEST(HelpTextPages, PagesShowTheirParagraphRanges) {
    EXPECT_EQ(Split(AssemblePage(0), "\n\n"), ParagraphsOf(0, 5));
    EXPECT_EQ(Split(AssemblePage(6), "\n\n"), ParagraphsOf(6, 11));
    EXPECT_EQ(Split(AssemblePage(7), "\n\n"), ParagraphsOf(7, 11));
    EXPECT_EQ(Split(AssemblePage(12), "\n\n"), ParagraphsOf(12, 17));
    EXPECT_EQ(Split(AssemblePage(7), "\n\n").size() + 1, Split(AssemblePage(6), "\n\n").size());
}

TEST(HelpTextPages, ParagraphsAreSeparatedByExactlyOneEmptyLine) {
    for (int page = 0; page < 13; ++page) {
        const std::string text = AssemblePage(page);
        const auto& range = helptext::kPages[static_cast<std::size_t>(page)];
        EXPECT_EQ(range.first, page);
        EXPECT_EQ(text.find("\n\n\n"), std::string::npos) << "page " << page;
        ASSERT_FALSE(text.empty());
        EXPECT_NE(text.back(), '\n') << "page " << page;
        EXPECT_EQ(static_cast<int>(std::count(text.begin(), text.end(), '\n')),
                  2 * (range.afterLast - range.first - 1))
            << "page " << page;
    }
}

TEST(HelpTextPages, OnlyPagesSevenToElevenShowFourParagraphs) {
    for (int page = 0; page < 13; ++page) {
        const std::size_t expected = (page >= 7 && page <= 11) ? 4 : 5;
        EXPECT_EQ(Split(AssemblePage(page), "\n\n").size(), expected) << "page " << page;
    }
}

TEST(HelpTextPages, PageOutsideTheTableIsRefused) {
    EXPECT_THROW(AssemblePage(13), std::out_of_range);
    EXPECT_THROW(AssemblePage(-1), std::out_of_range);
}

TEST(HelpTextParagraphs, OpeningsAndIndent) {
    for (std::size_t i = 0; i < kParagraphs.size(); ++i) {
        const std::string_view text = kParagraphs[i];
        const std::string_view indent = (i == 11) ? "" : "   ";
        ASSERT_TRUE(text.starts_with(std::string(indent) + std::string(kShapes[i].opening)))
            << "paragraph " << i << ": " << text.substr(0, 60);
        EXPECT_EQ(text.find('\n'), std::string_view::npos) << "paragraph " << i;
        EXPECT_EQ(text.find('\r'), std::string_view::npos) << "paragraph " << i;
        EXPECT_TRUE(IsPlainAscii(text)) << "paragraph " << i;
        EXPECT_NE(text.back(), ' ') << "paragraph " << i;
    }
}

TEST(HelpTextParagraphs, LengthsStayNearTheirTargets) {
    for (std::size_t i = 0; i < kParagraphs.size(); ++i) {
        const auto length = static_cast<double>(kParagraphs[i].size());
        const auto target = static_cast<double>(kShapes[i].length);
        EXPECT_GE(length, 0.8 * target) << "paragraph " << i;
        EXPECT_LE(length, 1.2 * target) << "paragraph " << i;
    }
}

TEST(HelpTextParagraphs, DescribeThisProgramsKeys) {
    // The window is closed with Alt+F4; Ctrl+F4 does nothing here.
    for (std::size_t i = 0; i < kParagraphs.size(); ++i) {
        EXPECT_EQ(kParagraphs[i].find("Ctrl+F4"), std::string_view::npos) << "paragraph " << i;
    }
    EXPECT_NE(kParagraphs[1].find("Alt+F4"), std::string_view::npos);
    EXPECT_NE(kParagraphs[5].find("five"), std::string_view::npos);
    EXPECT_NE(kParagraphs[13].find(".bin"), std::string_view::npos);
}

TEST(HelpTextScoreHelp, NineLinesWithTheirOpenings) {
    constexpr std::array<std::string_view, 9> kOpenings = {
        "Click on one of the names to play under that name.",
        "To play, press the Space bar. To return to the Home page, press End. ",
        "You may change one or more player names by clicking on Options and then on Change Names. ",
        "You may change the pace of the game",
        "While the score table is visible, you may retrieve scores",
        "After playing and while the Score table is visible, you may save",
        "This example also shows a good way to name matches",
        "While a game is in progress, avoid pressing F1 as this will kill that game. ",
        "When play actually starts",
    };
    const std::vector<std::string> lines = Split(kScoreHelp, "\n");
    ASSERT_EQ(lines.size(), kOpenings.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(lines[i].starts_with(kOpenings[i])) << "line " << i << ": " << lines[i];
        EXPECT_GT(lines[i].size(), kOpenings[i].size()) << "line " << i;
    }
    EXPECT_TRUE(IsPlainAscii(kScoreHelp));
}

TEST(HelpTextScoreHelp, LengthAndSpeedCount) {
    const auto length = static_cast<double>(kScoreHelp.size());
    EXPECT_GE(length, 0.9 * 2287);
    EXPECT_LE(length, 1.1 * 2287);
    // Options offers five speeds.
    const std::string speedLine = Split(kScoreHelp, "\n")[3];
    EXPECT_NE(speedLine.find("five speed"), std::string::npos) << speedLine;
    EXPECT_EQ(kScoreHelp.find("four speed"), std::string_view::npos);
}

TEST(HelpTextPlayHelp, FourLines) {
    const std::vector<std::string> lines = Split(kPlayHelp, "\n");
    ASSERT_EQ(lines.size(), 4u);
    constexpr std::string_view kFirst =
        "The cross hairs will be placed in 11 different positions inside the Splotch.";
    EXPECT_TRUE(lines[0].starts_with(kFirst)) << lines[0];
    EXPECT_NE(lines[0].find("Space"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "While you are playing you will not be able to open or save a file. ");
    EXPECT_EQ(lines[2], "While you are playing you will not be able to change player names. ");
    EXPECT_EQ(lines[3], "While you are playing you will not be able to change the game speed. ");
    EXPECT_TRUE(IsPlainAscii(kPlayHelp));
}

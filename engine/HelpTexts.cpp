#include "engine/HelpTexts.h"

#include <cstddef>
#include <stdexcept>

namespace helptext {

const std::array<std::string_view, 17> kParagraphs = {
    // 0
    "   Welcome to Splotch. Every game shows a new red blob, the Splotch, with an "
    "irregular shape, and your task is to find its centre. When a game starts, a pair of "
    "cross hairs (one horizontal and one vertical line) appears near the centre and hops "
    "from one position to another, eleven in all. Press the Space bar when you think "
    "they sit right on the centre. The closer they are, the higher your score.",
    // 1
    "   This is the Home Page. It holds the instructions for the game; read on with Page "
    "Down. Press the Space bar to go to the Score screen, where the games are played, "
    "and press End there to come back here. To leave Splotch, click on File and then on "
    "Exit, or press Alt+F4.",
    // 2
    "   When you get to the Score screen, you will see the score table at the top. It "
    "has a column for each of six players, named Alice, Burt, Cindy, Donald, Ellen and "
    "Frank until you give them your own names with Options, Change Names. In a new match "
    "all scores are zero, and Average and Best Game stay blank until a player has "
    "played. Not all six names need to play.",
    // 3
    "   If you had played before and saved your match, you can carry on where you left "
    "off. On the Score screen, click on File: the files you used most recently are "
    "listed near the bottom of the menu, so just click on the one you want. If it is not "
    "there, click on Open and find the file. The names, scores, pot and speed of that "
    "match come back.",
    // 4
    "   The name and data of one of the six players are shown in black: this is the "
    "active player, whose games are counted. The other names are grey. Click on a name "
    "to make that player active. Click on a caption at the left of the table to sort the "
    "table by that row: Players>>> for the names, or Last Game, All Games, # Games, "
    "Average or Best Game. The caption turns red, and the table stays sorted that way.",
    // 5
    "   You can control the pace of the game with the Options menu, which offers five "
    "speeds from Fastest to Slowest, about one to five seconds between moves. The "
    "current speed is greyed in the menu and shown in the title bar. Medium is the "
    "starting speed.",
    // 6
    "   While you are in the Score screen and before you start to play, take a good look "
    "at the Splotch and decide where you think its centre is. Then rest the mouse "
    "pointer on that spot. When the cross hairs move, the pointer shows you at a glance "
    "how close they are to your choice.",
    // 7
    "   Once you have all the settings, names, and sequences to your liking, press the "
    "Space bar to start a game. The score table disappears and the Play screen shows the "
    "Splotch alone. The cross hairs appear near its centre. As soon as you think they "
    "sit on the centre, press the Space bar again: this ends the game and scores it.",
    // 8
    "   If you are not happy with the position of the cross hairs, just wait. At every "
    "tick of the clock they jump to another position near the centre, with a tick sound. "
    "The box at the top right counts the moves that are left, starting from 10. A double "
    "tick warns you of the last position. If you still do not press the Space bar, the "
    "game times out one tick later: it counts as a game played, with no points.",
    // 9
    "   At the end of each game a score is worked out. The cross hairs cut the Splotch "
    "into four quarters; your smallest quarter is compared with the smallest quarter "
    "around the centre that the computer found. Stopping right on that centre scores "
    "1000, and scores run from 0 up to slightly over 1000. More than 1000 wins the "
    "jackpot: the pot, which grows by 50 for each game stopped with the Space bar since "
    "the last jackpot.",
    // 10
    "   When the score calculation is finished, you are back on the Score screen with a "
    "new Splotch. The table shows the new Last Game, All Games, # Games, Average and "
    "Best Game of the player who just played, and the pot has grown by 50; after a "
    "jackpot the pot goes into the winner's All Games and starts again from 0. A sign at "
    "the right of the screen reminds you to save your results. If the match has no file "
    "yet, use Save As on the File menu to create one. Once it has a file, use Save, or "
    "press Ctrl+S, to update that file.",
    // 11
    "Important Facts About Files. When Splotch starts, no file is loaded, and the title "
    "bar says Current File is:  None. You are then playing a new match. To keep it, "
    "click on File and then on Save As after your first games, choose a folder and type "
    "a name: from then on the title bar shows that file, Save As is no longer offered, "
    "and Save or Ctrl+S updates the file. To start another new match at any time, press "
    "Ctrl+N: the names, scores, pot and speed go back to their starting values and the "
    "match has no file. To continue a match played earlier, open its file with File, "
    "Open or from the list of recent files on the File menu, play as many games as you "
    "like, and save the results with Save or Ctrl+S. While the match has results that "
    "are not saved, Ctrl+N, opening a file and Exit first ask whether to save them. "
    "Open, Save and Save As are available only while the Score screen is shown. "
    "You can also open a match file at once by naming it on the command line when you "
    "start Splotch.",
    // 12
    "   If more than one person will play, agree on a few rules before you start. Decide "
    "how many games each player plays in a turn and how many games make up the whole "
    "match, and give every player the same number. For example, each player might play "
    "one game per turn and twenty games in all. Then the statistics are comparable: an "
    "Average over ten games means more than one over two, and every player gets the same "
    "chances to win the jackpot. Play all games at the same speed too, because a slow "
    "pace leaves more time to judge the centre than a fast one. Then the best player "
    "really wins.",
    // 13
    "   If you need to stop but want to resume the game at a later time, save the match. "
    "On the Score screen click on File and then on Save As, choose a folder and type a "
    "name for the file. We recommend the extension .bin, as in Smiths.bin; .txt also "
    "works, and in fact any name will do. The file keeps the names, the scores, the pot, "
    "the speed and the sort order of the table. Next time, open the file, play on, and "
    "update it with Save or Ctrl+S. Save As is offered only while the match has no file "
    "yet; once it has one, the title bar shows its name and Save keeps it up to date.",
    // 14
    "   A saved file represents a match. Give each file a name that tells you which "
    "match it holds, for example the names of its players, as in AliceBurtCindy.bin, or "
    "the day it was first played, so that you can find the right one later in the list "
    "of recent files or in the Open box.",
    // 15
    "   While you are in the Score screen, press F1 for a short summary of how to play; "
    "click on OK to close the box. The full instructions are here on the Home page, and "
    "End takes you back to them. Do not press F1 during a game: that ends the game at "
    "once, and it counts as played with no points.",
    // 16
    "   The best screen resolution is 1024x768. Splotch also runs on larger screens up "
    "to 1600x1200, including 1152x864, 1280x768, 1280x960, 1280x1024 and 1600x900; on a "
    "wider screen it plays in a centred area of the right width. The size of the game is "
    "fixed when it starts, so do not change the screen resolution while it runs. Any "
    "modern desktop colour setting (24-bit colour) is fine, and no special font size is "
    "needed. On a screen smaller than 1024x768, or of an unusual size, Splotch shows a "
    "message instead of the game.",
};

// The runs of blanks line the key hints up under each other; page 10 has no full stop.
const std::array<std::string_view, 13> kPageFooters = {
    "Page 1.      Page Down Key = Down One Paragraph.   Page Up Key = Last 5 Paragraphs. "
    "  Space Bar = Score Screen.",
    "Page 2.     Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 3.     Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 4.     Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 5.     Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 6.     Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 7.     Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 8.     Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 9.     Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 10    Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 11.   Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 12.   Page Down Key = Down One Paragraph.   Page Up Key = Up One Paragraph.   "
    "Space Bar = Score Screen.",
    "Page 13.   Page Down Key = First Paragraph.             Page Up Key = Up One "
    "Paragraph.   Space Bar = Score Screen.",
};

// Each page starts one paragraph further on. Pages 7 to 11 show four paragraphs instead of
// five: with five, each of them would hold the long paragraph 11 and overflow the text area.
const std::array<PageRange, 13> kPages = {{
    {0, 5},
    {1, 6},
    {2, 7},
    {3, 8},
    {4, 9},
    {5, 10},
    {6, 11},
    {7, 11},
    {8, 12},
    {9, 13},
    {10, 14},
    {11, 15},
    {12, 17},
}};

std::string AssemblePage(int page) {
    const PageRange& range = kPages.at(static_cast<std::size_t>(page));
    std::string text(kParagraphs[static_cast<std::size_t>(range.first)]);
    for (int i = range.first + 1; i < range.afterLast; ++i) {
        text += "\n\n";
        text += kParagraphs[static_cast<std::size_t>(i)];
    }
    return text;
}

const std::string_view kScoreHelp =
    "Click on one of the names to play under that name. The active player's name is "
    "shown in black and the other five in grey; every game is counted for the active "
    "player. Clicking on a caption at the left of the table sorts the table by that row.\n"
    "To play, press the Space bar. To return to the Home page, press End. The Home page "
    "holds the full instructions; use Page Down and Page Up there to move through them, "
    "and the Space bar to come back to this screen.\n"
    "You may change one or more player names by clicking on Options and then on Change "
    "Names. Type the new names in the boxes on the right and click on OK. Names can be "
    "changed only while this Score screen is shown.\n"
    "You may change the pace of the game with the Options menu. There are five speed "
    "settings, from Fastest to Slowest; Medium is the starting one. The current speed is "
    "greyed in the menu and shown in the title bar, and it is saved with the match.\n"
    "While the score table is visible, you may retrieve scores of a match you saved "
    "earlier: click on File and then on Open, or click on one of the recent files listed "
    "on the File menu. The names, scores, pot and speed of that match come back.\n"
    "After playing and while the Score table is visible, you may save the match. For a "
    "new match click on File and then on Save As, choose a folder and type a name ending "
    "in .bin, for example AliceBurtCindy.bin. After that, click on Save or press Ctrl+S "
    "to update the same file.\n"
    "This example also shows a good way to name matches: after the players who take part "
    "in them. A file holds one match, so a name that tells you who played makes it easy "
    "to find the right file when you want to continue.\n"
    "While a game is in progress, avoid pressing F1 as this will kill that game. The "
    "game is counted as played, with no points, for the active player. Press F1 only "
    "here, on the Score screen, when you want this help.\n"
    "When play actually starts, the cross hairs appear near the centre of the Splotch "
    "and are moved up to 10 times, with a single tick at every move and a double tick on "
    "the tenth move. Press the Space bar when you think they are on the centre. If you "
    "do not, the game times out one tick after the last move and earns no points. There "
    "is about one second between ticks at the fastest setting and about five at the "
    "slowest.";

const std::string_view kPlayHelp =
    "The cross hairs will be placed in 11 different positions inside the Splotch. Press "
    "the Space bar as soon as you think they are at its centre. Pressing F1 during a "
    "game ends it; it counts as played, with no points. \n"
    "While you are playing you will not be able to open or save a file. \n"
    "While you are playing you will not be able to change player names. \n"
    "While you are playing you will not be able to change the game speed. ";

} // namespace helptext

#pragma once

// Menu and accelerator command ids. The numbers are the ones the game has always used, so a
// command keeps its identity across the menus, the shortcuts and the tests.
namespace command {

constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kRecentFirst = 57616; // recent file 1; files 2..4 follow
constexpr int kRecentCount = 4;
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditUndo = 57643;
constexpr int kAppAbout = 57664;
constexpr int kAppExit = 57665;
constexpr int kNextPane = 57680;
constexpr int kPrevPane = 57681;
constexpr int kChangeNames = 32771;
// The window's own, with no menu entry: F11.
constexpr int kFullScreen = 32800;
constexpr int kShowCentre = 32790;
constexpr int kHallOfFame = 32791;

} // namespace command

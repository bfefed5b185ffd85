#pragma once

#include <QSize>
#include <QString>
#include <array>
#include <string>
#include <vector>

// One input as the soak gave it to the program, with what it saw when it gave it. The model
// replays the same steps from the rules and must end where the program ended.
struct Step {
    enum class Kind {
        Key,   // a key press on the view's widget (modifiers pressed first, as a keyboard does)
        Click, // a press and release of `button` at widget point (x, y)
        DoubleClick,
        Tick,           // timer `code` fires
        Expose,         // the desktop asks for a repaint
        Flush,          // queued events are delivered (no timers run)
        Command,        // CMainFrame::Execute(code)
        Resize,         // the main window is resized to w x h
        EnableRepaints, // the window has settled: the view's first repaint
        WriteFile,      // the soak writes `bytes` to `path` (or makes it a folder, or removes it)
        MakeFolder,
        RemovePath,
        Start, // a new main window; with `path`, the file named on the command line
        Exit,  // Execute(Exit) at the end of a window's life
    };
    Kind kind = Kind::Key;
    int code = 0;   // Qt key, timer id or command id
    int mods = 0;   // Qt keyboard modifiers of a key or click
    int button = 1; // Qt mouse button of a click
    int x = 0, y = 0, w = 0, h = 0;
    QString path;
    std::string bytes;

    // Seen when the step was given.
    bool ran = false;         // a tick: its timer was running; a command: Execute said it ran
    bool closed = false;      // Exit: the window went
    int viewX = 0, viewY = 0; // a click: the view pixel the widget maps it to
    QSize widget;             // after a resize or an enable: the widget's size
    QSize client;             // ... and the view's client size
    // A Space meant to stop a game, and whether the soak painted a split for it first.
    bool stop = false;
    bool forced = false;
    int forcedScore = -1;
};

// A window or sound that came up while a step was being handled, in the order they came. What
// the soak gave meanwhile is in `during`: events given while a modal window was up (they run
// inside it), or while a waited sound held the program (they must wait and follow in order).
struct Modal {
    enum class Kind { Box, Names, OpenDialog, SaveDialog, About, Sound, SaveQuestion };
    enum class Choice { Save, Discard, Cancel };
    Kind kind = Kind::Box;
    std::string text;                      // a box's text
    unsigned sound = 0;                    // a sound's resource id
    bool wait = false;                     // ... and whether it was waited for
    QString answer;                        // a file dialog's answer (empty: cancelled)
    QString proposed;                      // the name a save dialog proposed
    Choice choice = Choice::Cancel;        // the answer to whether to save the results
    std::array<std::string, 6> shownNames; // the names dialog's current names
    std::array<QString, 6> typed;          // what the soak typed into the new-name boxes
    std::array<std::string, 6> stored;     // what the dialog handed back
    bool ok = false;
    // The stop sound: the stop's score as the program computed it, whether the position was
    // the centre itself, and the score of a split the soak painted for it.
    int score = -1;
    bool onCentre = false;
    bool forced = false;
    int forcedScore = -1;
    std::vector<Step> during;
};

const char* KindName(Modal::Kind kind);
std::string Describe(const Step& step);

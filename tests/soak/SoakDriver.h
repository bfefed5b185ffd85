#pragma once

#include "MatchModel.h"
#include "Picture.h"
#include "SoakEvents.h"
#include "SoakRandom.h"

#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class CGlobuleDoc;
class CMainFrame;
class CRecentFileList;
class SoakMessageBox;

// Drives the real main window offscreen with random input, one step at a time, and checks
// after every step that the program shows what the model of the match says it must. No event
// loop runs: timers fire only when the driver fires them, and queued events are delivered
// only when it flushes them, so one seed always gives the same run.
//
// SoakDriver.cpp runs, gives and checks the steps; SoakSteps.cpp chooses them; SoakAnswers.cpp
// makes the files, names and dialog answers; SoakChecks.cpp checks the disk and the positions.
class SoakDriver {
public:
    struct Options {
        std::uint64_t seed = 1;
        long events = 20000;
        bool trace = false;
    };
    SoakDriver(const Options& options, const QString& folder);
    ~SoakDriver();

    // Runs the soak; false at the first disagreement, which has been reported.
    bool Run();
    const MatchModel::Counts& Tally() const { return m_model.Tally(); }
    long EventsRun() const { return m_event; }
    long NestedEvents() const { return m_nested; }

    // ---- For the stand-ins: a modal window or a sound came up.
    std::size_t BeginModal(Modal::Kind kind);
    Modal& ModalAt(std::size_t index) { return (*m_record)[index]; }
    // Input while a modal window is up: ticks and repaints, which run inside it.
    void InsideModal(std::size_t index);
    // Input while a waited sound holds the program: anything, which must wait.
    void DuringHold(std::size_t index);
    // A stop begins (its sound plays before it scores); the score is read at the next one, or
    // when the step is over.
    void StopBegins(std::size_t index);
    QString OpenAnswer();
    QString SaveAnswer();
    Modal::Choice SaveChoice();
    QString RandomTypedName();
    bool Chance(int percent) { return m_random.Chance(percent); }
    // The first broken rule seen inside the program's handlers, reported after the step.
    void Flag(const std::string& what);

private:
    void StartWindow();
    void EndWindow();
    Step NextStep();
    Step KeyStep(bool top);
    Step ClickStep();
    Step TickStep();
    Step CommandStep();
    Step FileStep();
    Step WindowStep();
    Step NestedStep(bool held);
    void Give(Step& step);
    // Replays the step in the model and compares; false (reported) at a disagreement.
    bool CheckStep(const Step& step, const std::vector<Modal>& record);
    void StopEnds();
    std::string CheckFiles();
    std::string CheckPositions();
    bool Report(const std::string& what);

    std::string RandomName();
    std::string RecordBytes(bool odd);
    QString PoolPath();
    QSize RandomFrameSize(bool accepted);

    Options m_options;
    SoakRandom m_random;
    QString m_folder;
    std::vector<QString> m_pool;      // match files the soak writes and the game may save
    std::vector<QString> m_elsewhere; // a folder, a path in a missing folder

    std::unique_ptr<CGlobuleDoc> m_doc;
    std::unique_ptr<CRecentFileList> m_recent;
    std::unique_ptr<SoakMessageBox> m_box;
    std::unique_ptr<CMainFrame> m_frame;
    MatchModel m_model;

    std::vector<Modal>* m_record = nullptr;
    int m_modalDepth = 0;
    std::string m_flagged;
    long m_event = 0;
    long m_nested = 0;
    long m_windowEvents = 0;
    long m_windowLength = 0;
    long m_inertSince = -1;
    int m_windows = 0;
    int m_checkedGame = -1;
    QSize m_settledFrame;              // the main window's size when its view was laid out
    std::deque<Step> m_planned;        // the rest of a window manager's move
    std::size_t m_openStop = SIZE_MAX; // the stop sound of a stop whose score is due
    int m_paintedScore = -1;           // the score of the split painted for the next stop
    std::deque<std::string> m_history;
};

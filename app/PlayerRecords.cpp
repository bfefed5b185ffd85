// The main window's commands for what a player keeps beyond the match: the choice to see each
// game's centre, and the hall of fame.
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/PlayerOptions.h"
#include "app/QtViewHost.h"
#include "document/HallOfFameFile.h"
#include "engine/GlobuleView.h"

#include <QAction>
#include <QDateTime>
#include <cstdio>

void CMainFrame::ToggleShowCentre() {
    const bool on = m_view->m_bShowCentre == 0;
    m_view->m_bShowCentre = on ? 1 : 0;
    playeroptions::SetShowCentre(on);
    if (QAction* entry = Action(command::kShowCentre)) {
        entry->setChecked(on);
    }
}

void CMainFrame::ShowHallOfFame() {
    const HallRead read = ReadHallFile(m_hallPath);
    QString note = m_hallNote;
    if (m_hallPath.isEmpty()) {
        note = QStringLiteral("This system names no data folder to keep a hall of fame in.");
    } else if (read.state == HallRead::State::Damaged) {
        note = QStringLiteral("The hall of fame in %1 cannot be used (%2). It stays as it is "
                              "until the next game enters the hall; then it is kept under "
                              "another name and a new hall is started.")
                   .arg(m_hallPath, read.problem);
    }
    m_dialogs->ShowHallOfFame(read.table.Entries(), note);
    m_host->RequestRepaint(); // the dialog covered the view
}

// The code page has one byte a character: the stop keeps as much of a name as the hall does.
static_assert(ScoredGame::kNameBytes >= hall::kMaxNameChars);

void CMainFrame::EnterInHall(const ScoredGame& game) {
    if (m_hallPath.isEmpty()) {
        return;
    }
    const hall::Entry entry{game.score, hall::NameForHall(game.playerName), game.intervalMs,
                            QDateTime::currentSecsSinceEpoch()};
    // The new Score screen reaches the window first: writing the hall waits for the disk.
    m_host->repaint();
    const HallRecord record = RecordInHallFile(m_hallPath, entry);
    if (!record.note.isEmpty()) {
        // Told when the hall is next shown; the game goes on meanwhile.
        m_hallNote = record.note;
        std::fprintf(stderr, "globule: %s\n", qPrintable(record.note));
    }
}

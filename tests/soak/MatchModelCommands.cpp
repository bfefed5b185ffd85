#include "MatchModel.h"

#include "MatchRules.h"

#include <QFileInfo>

using namespace rules;

// ---- Commands ---------------------------------------------------------------------------------

void MatchModel::RunCommand(int id) {
    switch (id) {
    case kNew:
        if (SaveModified()) {
            NewMatch();
            m_unsaved = 0; // the results were saved or given up when asked
        }
        return;
    case kOpen: {
        const Modal& dialog = NextModal(Modal::Kind::OpenDialog, "the open dialog");
        for (const Step& inside : dialog.during) {
            ApplyStep(inside);
        }
        RequestRepaint();
        if (!dialog.answer.isEmpty()) {
            ReplaceByFile(dialog.answer);
        }
        return;
    }
    case kSave:
        SaveMatch(false);
        return;
    case kSaveAs:
        SaveAs(false);
        return;
    case kAbout: {
        const Modal& about = NextModal(Modal::Kind::About, "the About box");
        for (const Step& inside : about.during) {
            ApplyStep(inside);
        }
        RequestRepaint();
        return;
    }
    case kChangeNames: {
        if (!m_bad) {
            const Modal& names = NextModal(Modal::Kind::Names, "the names dialog");
            for (int row = 0; row < 6; ++row) {
                if (names.shownNames[row] != m_col[row].name) {
                    Fail("row " + std::to_string(row + 1) + " of the names dialog showed \"" +
                         names.shownNames[row] + "\", the table has \"" + m_col[row].name + "\"");
                }
            }
            for (const Step& inside : names.during) {
                ApplyStep(inside);
            }
            if (names.ok) {
                for (int row = 0; row < 6; ++row) {
                    const std::string typed = TypedName(names.typed[row]);
                    if (names.stored[row] != typed) {
                        Fail("the names dialog handed back \"" + names.stored[row] + "\" for row " +
                             std::to_string(row + 1) + ", typed \"" +
                             names.typed[row].toStdString() + "\"");
                    }
                    if (!typed.empty()) {
                        m_col[row].name = typed; // an empty box keeps the name
                        ++m_counts.renames;
                    }
                }
                if (m_screen == kScore) {
                    DrawScoreScreen();
                }
            }
        }
        RequestRepaint(); // the dialog covered the view
        return;
    }
    default:
        break;
    }
    if (id >= kRecent && id < kRecent + 4) {
        const QString path = m_recent.value(id - kRecent);
        if (ReplaceByFile(path) == Outcome::Failed) {
            // A file that cannot be read any more leaves the list; a refusal leaves it alone.
            // (A save asked for first may already have pushed it off the end.)
            m_recent.removeAll(path);
        }
        return;
    }
    for (int k = 0; k < 5; ++k) {
        if (id == kSpeeds[k].command) {
            m_interval = kSpeeds[k].interval;
            m_speedIndex = k;
            m_viewSpeed = k;
            m_label = kSpeeds[k].label;
            RefreshCaption();
            return;
        }
    }
    Fail("model: command " + std::to_string(id) + " ran");
}

bool MatchModel::SaveModified() {
    if (m_unsaved == 0) {
        return true;
    }
    const Modal& question = NextModal(Modal::Kind::SaveQuestion, "the question whether to save");
    for (const Step& inside : question.during) {
        ApplyStep(inside);
    }
    RequestRepaint(); // the box covered the view
    ++m_counts.questions;
    switch (question.choice) {
    case Modal::Choice::Save:
        if (!SaveMatch(true)) {
            return false; // a save cancelled or failed keeps the match
        }
        ++m_counts.savesWhenAsked;
        return true;
    case Modal::Choice::Discard:
        return true;
    case Modal::Choice::Cancel:
        break;
    }
    return false;
}

bool MatchModel::SaveMatch(bool anyScreen) {
    const QString path = QString::fromStdString(m_pathName);
    // A match without a file, or whose file has gone, needs a name.
    if (!path.isEmpty() && EntryAt(path).type == Entry::Type::File) {
        return SaveTo(path, anyScreen);
    }
    return SaveAs(anyScreen);
}

bool MatchModel::SaveAs(bool anyScreen) {
    const QString path = QString::fromStdString(m_pathName);
    const Modal& dialog = NextModal(Modal::Kind::SaveDialog, "the save dialog");
    const QString proposed = path.isEmpty() ? QStringLiteral("Untitled") : path;
    if (dialog.proposed != proposed) {
        Fail("the save dialog proposed " + dialog.proposed.toStdString() + ", not " +
             proposed.toStdString());
    }
    for (const Step& inside : dialog.during) {
        ApplyStep(inside);
    }
    RequestRepaint();
    return !dialog.answer.isEmpty() && SaveTo(dialog.answer, anyScreen);
}

MatchModel::Outcome MatchModel::ReplaceByFile(const QString& path) {
    // A screen that refuses the load replaces nothing, so nothing is asked there.
    if ((m_screen == kHome || m_screen == kScore) && !SaveModified()) {
        return Outcome::Refused;
    }
    const Outcome outcome = OpenFile(path);
    if (outcome == Outcome::Done) {
        m_unsaved = 0;
    }
    return outcome;
}

void MatchModel::NewMatch() {
    for (int i = 0; i < 6; ++i) {
        m_col[i] = Column{};
        m_col[i].name = kDefaultNames[i];
        m_col[i].identity = m_nextIdentity++;
    }
    m_col[0].active = 1;
    m_sortRow = 0;
    m_pot = 0;
    m_speedIndex = 2;
    m_interval = kSpeeds[2].interval;
    m_label = kSpeeds[2].label;
    m_fileName = kNoFile;
    m_pathName.clear();
    m_viewSpeed = m_speedIndex;
    SetFrameTitle();
    RequestRepaint();
}

const MatchModel::Entry& MatchModel::EntryAt(const QString& path) const {
    static const Entry missing;
    const auto it = m_files.find(path);
    return it == m_files.end() ? missing : it->second;
}

MatchModel::Outcome MatchModel::OpenFile(const QString& path) {
    const std::string full = path.toStdString();
    const Entry& entry = EntryAt(path);
    Outcome outcome = Outcome::Done;
    if (entry.type == Entry::Type::Missing) {
        Box(MessagePath(path) + " was not found.");
        outcome = Outcome::Failed;
    } else if (entry.type == Entry::Type::Folder) {
        Box(MessagePath(path) + " contains an incorrect path.");
        outcome = Outcome::Failed;
    } else if (!entry.bytes.empty()) {
        // An empty file reads nothing and still counts as opened.
        if (m_screen != kHome && m_screen != kScore) {
            Box("Cannot open a file at this time");
            return Outcome::Refused;
        }
        const std::optional<soakfile::FileRecord> record = soakfile::Decode(entry.bytes);
        if (!record) {
            // The game keeps the match whole rather than resetting it.
            Box("Unexpected file format.");
            ++m_counts.failedLoads;
            outcome = Outcome::Failed;
        } else {
            Load(*record);
            m_fileName = full;
            m_nothingLoaded = 0;
            ++m_counts.loads;
        }
    }
    if (outcome != Outcome::Done) {
        return outcome;
    }
    m_pathName = full;
    m_viewSpeed = m_speedIndex;
    AddRecent(path);
    SetFrameTitle();
    RequestRepaint();
    return Outcome::Done;
}

bool MatchModel::SaveTo(const QString& path, bool anyScreen) {
    if (m_screen != kScore && !anyScreen) {
        Box("Cannot save a file at this time");
        return false;
    }
    const std::string full = path.toStdString();
    const Entry& target = EntryAt(path);
    const Entry& folder = EntryAt(QFileInfo(path).absolutePath());
    // A failed save leaves the record as it was: it still has its old file and is unsaved.
    if (target.type == Entry::Type::Folder) {
        Box(MessagePath(path) + " contains an incorrect path.");
        ++m_counts.failedSaves;
        return false;
    }
    if (folder.type != Entry::Type::Folder) {
        Box(MessagePath(path) + " was not found.");
        ++m_counts.failedSaves;
        return false;
    }
    const soakfile::FileRecord record = Record();
    m_files[path] = Entry{Entry::Type::File, soakfile::Encode(record)};
    m_saved.push_back({path, record});
    m_fileName = full;
    m_unsaved = 0;
    m_pathName = full;
    ++m_counts.saves;
    AddRecent(path);
    SetFrameTitle();
    return true;
}

void MatchModel::Load(const soakfile::FileRecord& record) {
    for (int i = 0; i < 6; ++i) {
        const soakfile::PlayerBlock& b = record.players[i];
        Column& c = m_col[i];
        c.name = record.names[i];
        c.allGames = b.allGames;
        c.lastGame = b.lastGame;
        c.numGames = b.numGames;
        c.average = b.average;
        c.bestGame = b.bestGame;
        c.active = b.active;
        c.identity = m_nextIdentity++;
    }
    m_sortRow = record.sortRow;
    m_pot = record.pot;
    m_speedIndex = record.speedIndex;
    m_interval = record.interval;
    m_label = record.label;
}

soakfile::FileRecord MatchModel::Record() const {
    soakfile::FileRecord record;
    for (int i = 0; i < 6; ++i) {
        const Column& c = m_col[i];
        record.players[i] = {c.allGames, c.lastGame, c.numGames, c.average, c.bestGame, c.active};
        record.names[i] = c.name;
    }
    record.sortRow = m_sortRow;
    record.pot = m_pot;
    record.speedIndex = m_speedIndex;
    record.interval = m_interval;
    record.label = m_label;
    return record;
}

void MatchModel::AddRecent(const QString& path) {
    m_recent.removeAll(path);
    m_recent.prepend(path);
    while (m_recent.size() > 4) {
        m_recent.removeLast();
    }
}

void MatchModel::SetFrameTitle() {
    m_title = "Globule - " +
              (m_pathName.empty()
                   ? std::string("Untitled")
                   : QFileInfo(QString::fromStdString(m_pathName)).fileName().toStdString());
    m_titleIsTail = false;
}

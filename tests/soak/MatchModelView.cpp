#include "MatchModel.h"

#include "MatchRules.h"

#include <algorithm>

using namespace rules;

// ---- The view ---------------------------------------------------------------------------------

void MatchModel::RefreshCaption() {
    std::string label = m_label;
    if (label.size() > 64) {
        label = label.substr(0, 64) + "\xE2\x80\xA6";
    }
    m_title = " -- Version LR615 -- " + label + " -- Current File is:  " + m_fileName;
    m_titleIsTail = true;
}

void MatchModel::OnDraw() {
    if (m_bad) {
        return;
    }
    RefreshCaption();
    if (!m_fixed) {
        m_viewSpeed = m_speedIndex;
        m_fixed = true;
        if (!ModeAccepts(m_client.width(), m_client.height())) {
            m_bad = true;
            ++m_counts.refusals;
        }
        if (m_bad || m_screen == kHome) {
            return;
        }
    }
    if (m_screen == kHome) {
        return;
    }
    if (m_screen == kPlay) {
        m_timer1 = 0; // the game is dropped, uncounted
        ++m_counts.dropped;
    }
    m_screen = kHome;
    EnterScoreScreen();
}

void MatchModel::OnKey(int key) {
    // Before the first paint and behind a refusal the view takes no keys.
    if (!m_fixed || m_bad) {
        return;
    }
    RefreshCaption();
    switch (key) {
    case kF1:
        if (m_screen == kScore) {
            Box(m_scoreHelp);
        } else if (m_screen == kPlay) {
            m_timer1 = 0;
            Column& c = m_col[m_activePlayer];
            c.numGames = Wrap(c.numGames, 1);
            m_unsaved = 1;
            ++m_counts.aborts;
            ++m_counts.games;
            Box(m_playHelp);
            m_screen = kHome;
            EnterScoreScreen();
        }
        break;
    case kEnd:
        if (m_screen == kScore) {
            m_showJackpot = false;
            m_screen = kHome;
        }
        break;
    case kSpace:
        if (m_screen == kHome) {
            EnterScoreScreen();
        } else if (m_screen == kScore) {
            StartGame();
        } else if (m_screen == kPlay && m_crossStep > 0) {
            StopGame(); // before the first tick there is no position to pin
        }
        break;
    case kPageDown:
        if (m_screen == kHome) {
            m_page = m_page + 1 > 12 ? 0 : m_page + 1;
        }
        break;
    case kPageUp:
        if (m_screen == kHome) {
            m_page = m_page - 1 < 0 ? 12 : m_page - 1;
        }
        break;
    default:
        break;
    }
}

bool MatchModel::WouldStop() const {
    return m_fixed && !m_bad && !m_holding && m_screen == kPlay && m_crossStep > 0;
}

void MatchModel::OnClick(int x, int y) {
    if (!m_fixed || m_bad) {
        return;
    }
    RefreshCaption();
    if (m_screen != kScore) {
        return;
    }
    const int W = m_client.width();
    const int CW = (W - 223) / 7;
    auto cellLeft = [&](int p) { return W - 100 - (6 - p) * CW; };
    auto cellRight = [&](int p) { return cellLeft(p) + CW - 3; };
    if (x > cellLeft(0) && x < cellRight(5) && y > 5 && y < 23) {
        m_showJackpot = false;
        for (int k = 0; k < 6; ++k) {
            if (x > cellLeft(k) && x < cellRight(k)) {
                // The clicked player ends up the only active one, even after a loaded match
                // that flagged several (the game's fix of the letter of the rule).
                for (Column& c : m_col) {
                    c.active = 0;
                }
                m_activePlayer = k;
                m_col[k].active = 1;
                break;
            }
        }
        DrawScoreScreen();
        return;
    }
    if (x > 103 && x < cellLeft(0) - 3 && y > 5 && y < 128) {
        // The gap under a caption belongs to the caption above it.
        const int row = y > 110 ? 6 : y > 89 ? 5 : y > 68 ? 4 : y > 47 ? 3 : y <= 26 ? 1 : 2;
        Sort(row);
        DrawScoreScreen();
    }
}

void MatchModel::OnTick(int id) {
    if (!m_fixed || m_bad) {
        return;
    }
    if (id == 1) {
        PlayTick();
        return;
    }
    if (id != 2) {
        return;
    }
    // A file command changed the record behind the Score screen: show it anew, once.
    if (m_seenNothingLoaded != m_nothingLoaded || m_seenUnsaved != m_unsaved) {
        m_seenNothingLoaded = m_nothingLoaded;
        m_seenUnsaved = m_unsaved;
        EnterScoreScreen();
        m_timer2 = 0;
    }
}

void MatchModel::PlayTick() {
    const int s = m_crossStep;
    if (s > 0) {
        Sound(s < 10 ? 103 : s == 10 ? 106 : 102, false);
    }
    if (s == 0) {
        // The interval is read once per game; the game keeps a positive one.
        m_timer1 = m_interval > 0 ? m_interval : 2990;
        m_crossStep = 1;
        return;
    }
    if (++m_crossStep > 11) {
        m_timer1 = 0;
        m_screen = kHome;
        Column& c = m_col[m_activePlayer];
        c.numGames = Wrap(c.numGames, 1);
        m_unsaved = 1;
        ++m_counts.timeOuts;
        ++m_counts.games;
        EnterScoreScreen();
    }
}

void MatchModel::EnterScoreScreen() {
    if (m_bad) {
        return;
    }
    m_seenUnsaved = m_unsaved;
    m_seenNothingLoaded = m_nothingLoaded;
    m_viewSpeed = m_speedIndex;
    m_timer2 = 50;
    m_screen = kScore;
    DrawScoreScreen();
}

void MatchModel::DrawScoreScreen() {
    // The game brings the averages up to date before it sorts, not after, so that a table
    // sorted by Average is sorted by the averages it shows.
    for (Column& c : m_col) {
        if (c.numGames > 0) {
            c.average = RoundedAverage(c.allGames, c.numGames);
        }
    }
    Sort(m_sortRow);
    for (int p = 0; p < 6; ++p) {
        if (m_col[p].active == 1) {
            m_activePlayer = p; // the highest flagged column; none flagged keeps the index
        }
    }
}

bool MatchModel::OutOfOrder(int row, int i, int j) const {
    const Column& a = m_col[i];
    const Column& b = m_col[j];
    if (row == 1) {
        return Greater(a.name, b.name);
    }
    auto value = [row](const Column& c) {
        switch (row) {
        case 2:
            return c.lastGame;
        case 3:
            return c.allGames;
        case 4:
            return c.numGames;
        case 5:
            return c.average;
        default:
            return c.bestGame;
        }
    };
    return value(a) < value(b) || (value(a) == value(b) && Greater(a.name, b.name));
}

void MatchModel::Sort(int row) {
    if (row < 1 || row > 6) {
        return;
    }
    for (int i = 0; i < 5; ++i) {
        for (int j = i + 1; j < 6; ++j) {
            if (OutOfOrder(row, i, j)) {
                std::swap(m_col[i], m_col[j]);
            }
        }
    }
    m_sortRow = row;
}

void MatchModel::StartGame() {
    m_timer2 = 0;
    m_showJackpot = false;
    m_screen = kPlay;
    m_crossStep = 0;
    m_timer1 = 50;
    ++m_gameSerial;
}

void MatchModel::StopGame() {
    const int p = m_activePlayer;
    m_timer1 = 0;
    m_showJackpot = false;
    // The score depends on pixels: the model takes the one the program computed, checks it,
    // and works out everything that follows from it.
    const Modal& stop = Sound(105, false);
    const int score = stop.score;
    if (stop.forced) {
        if (score != stop.forcedScore) {
            Fail("the stop scored " + std::to_string(score) + " on a split that scores " +
                 std::to_string(stop.forcedScore));
        }
        ++m_counts.forced;
    } else {
        // On the centre the two smallest quarters are the same; elsewhere, a few pixels off
        // it, the score cannot stray far.
        if (stop.onCentre && score != 1000) {
            Fail("a stop on the centre scored " + std::to_string(score) + ", not 1000");
        }
        if (score < 0 || score > 1200) {
            Fail("a stop scored " + std::to_string(score) + ", out of range");
        }
        m_counts.bestNaturalScore = std::max(m_counts.bestNaturalScore, score);
    }
    ++m_counts.stops;
    ++m_counts.games;
    m_pot = Wrap(m_pot, 50);
    Column& c = m_col[p];
    c.lastGame = score;
    const bool jackpot = score > 1000;
    if (jackpot) {
        m_showJackpot = true;
        ++m_counts.jackpots;
    }
    c.allGames = Wrap(c.allGames, score);
    if (score > c.bestGame) {
        c.bestGame = score;
    }
    c.numGames = Wrap(c.numGames, 1);
    if (c.numGames > 0) {
        c.average = RoundedAverage(c.allGames, c.numGames);
    }
    m_unsaved = 1;
    const int winner = c.identity;
    m_screen = kHome;
    EnterScoreScreen();
    if (!jackpot) {
        return;
    }
    Sound(104, true);
    Sound(101, true);
    // The pot goes to the player who won it, wherever the re-sort has put him.
    for (Column& column : m_col) {
        if (column.identity == winner) {
            column.allGames = Wrap(column.allGames, m_pot);
        }
    }
    m_pot = 0;
    DrawScoreScreen();
}

#include "ShellRig.h"

#include "app/CommandIds.h"
#include "document/MatchFormat.h"
#include "platform/SoundOutput.h"
#include "support/KnownSplit.h"

#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using shelltest::ShellRig;

// Sounds that take their time as the real player's do: a waited one runs a nested event loop
// (user input excluded, as the player's wait does) while the test acts as the player.
class NestedLoopSound : public ISoundOutput {
public:
    NestedLoopSound(std::vector<std::string>& log, std::function<void(unsigned)> duringWait)
        : m_log(log), m_duringWait(std::move(duringWait)) {}

    void Play(unsigned id, bool wait) override {
        m_log.push_back("sound " + std::to_string(id));
        if (!wait) {
            return;
        }
        QEventLoop loop;
        QTimer::singleShot(20, &loop, [this, id] { m_duringWait(id); });
        // Long enough for the 50 ms Score-screen poll to come due twice.
        QTimer::singleShot(150, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

private:
    std::vector<std::string>& m_log;
    std::function<void(unsigned)> m_duringWait;
};

// What reaches the view, and when a handler starts and ends.
class RecordingEvents : public IViewEvents {
public:
    RecordingEvents(IViewEvents& view, std::vector<std::string>& log) : m_view(view), m_log(log) {}
    void OnDraw(CDC& dc) override {
        m_log.push_back("draw");
        m_view.OnDraw(dc);
    }
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override {
        m_log.push_back("key " + std::to_string(key) + " {");
        m_view.OnKeyDown(key, repeat, flags);
        m_log.push_back("}");
    }
    void OnLButtonDown(unsigned flags, CPoint point) override {
        m_log.push_back("click");
        m_view.OnLButtonDown(flags, point);
    }
    void OnTimer(unsigned id) override {
        m_log.push_back("timer " + std::to_string(id));
        m_view.OnTimer(id);
    }

private:
    IViewEvents& m_view;
    std::vector<std::string>& m_log;
};

TEST(JackpotHoldTest, TheFanfaresAndThePayoutAreOneHoldAndWhatCameMeanwhileFollowsInOrder) {
    ShellRig rig;
    std::vector<std::string> log;
    RecordingEvents recorder(rig.View(), log);
    QtViewHost& host = rig.frame->Host();
    host.SetEvents(&recorder);
    // The match has a file already, so Ctrl+S writes it without a dialog.
    const QString saved = rig.settings.File("match.bin");
    const std::string before = matchfile::Store(rig.doc);
    {
        QFile file(saved);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(before.data(), static_cast<qint64>(before.size()));
    }
    rig.doc.m_strPathName = saved.toStdString();
    rig.doc.m_szFileName = saved.toStdString();
    auto fileBytes = [&saved] {
        QFile file(saved);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    };

    bool savedDuringHold = true;
    int screenDuringHold = -1;
    host.SetSoundOutput(std::make_unique<NestedLoopSound>(log, [&](unsigned id) {
        if (id == CGlobuleView::kSoundJackpotFirst) {
            QTest::keyClick(rig.frame.get(), Qt::Key_S, Qt::ControlModifier);
            savedDuringHold = fileBytes() != before;
        } else if (id == CGlobuleView::kSoundJackpotSecond) {
            QTest::keyClick(&host, Qt::Key_Space);
            screenDuringHold = rig.View().m_nScreen;
        }
    }));

    QTest::keyClick(&host, Qt::Key_Space);
    QTest::keyClick(&host, Qt::Key_Space);
    rig.View().OnTimer(CGlobuleView::kPlayTimer); // position 1 is on screen
    ASSERT_EQ(rig.View().m_nCrossStep, 1);
    rig.doc.m_lPot = 300;
    PaintKnownSplit(rig.View(), host.ClientImage(), 4, 4, 1000, 5000, 5000, 5000, 300);
    log.clear();
    QTest::keyClick(&host, Qt::Key_Space); // 1300 points: the jackpot
    shelltest::Pump();

    // The stop's handler ran whole, with nothing of the view's in between; then the save, and
    // then the Space that starts the next game.
    const std::vector<std::string> expected = {"key 32 {", "sound 105", "sound 104", "sound 101",
                                               "}",        "key 32 {",  "}"};
    std::vector<std::string> viewEvents;
    for (const std::string& entry : log) {
        if (entry != "timer 2") {
            viewEvents.push_back(entry);
        }
    }
    EXPECT_EQ(viewEvents, expected);
    const auto holdEnd = std::find(log.begin(), log.end(), "}");
    EXPECT_EQ(std::find(log.begin(), holdEnd, "timer 2"), holdEnd)
        << "a poll reached the view during the hold";
    EXPECT_FALSE(savedDuringHold);
    EXPECT_EQ(screenDuringHold, 4);

    // The save came after the payout, so the file holds the pot in the winner's total.
    CGlobuleDoc loaded;
    ASSERT_TRUE(matchfile::Load(fileBytes(), loaded));
    EXPECT_EQ(loaded.m_lPot, 0);
    EXPECT_EQ(loaded.m_lAllGames[0], 1300 + 350);
    EXPECT_EQ(rig.View().m_nScreen, 5); // the Space given during the hold, handled after it
    EXPECT_EQ(rig.doc.m_lPot, 0);
    host.SetEvents(&rig.View());
}

TEST(JackpotHoldTest, TheQuestionAboutUnsavedResultsWaitsForTheHoldsEnd) {
    ShellRig rig;
    QtViewHost& host = rig.frame->Host();
    std::vector<std::string> log;
    int questionsDuringHold = -1;
    bool visibleDuringHold = false;
    host.SetSoundOutput(std::make_unique<NestedLoopSound>(log, [&](unsigned id) {
        if (id == CGlobuleView::kSoundJackpotFirst) {
            rig.frame->close(); // the close button, or Alt+F4 through the window manager
            questionsDuringHold = rig.dialogs->saveQuestions;
            visibleDuringHold = rig.frame->isVisible();
        }
    }));
    rig.dialogs->saveChoice = IShellDialogs::SaveChoice::Cancel;

    QTest::keyClick(&host, Qt::Key_Space);
    QTest::keyClick(&host, Qt::Key_Space);
    rig.View().OnTimer(CGlobuleView::kPlayTimer);
    rig.doc.m_lPot = 300;
    PaintKnownSplit(rig.View(), host.ClientImage(), 4, 4, 1000, 5000, 5000, 5000, 300);
    QTest::keyClick(&host, Qt::Key_Space); // 1300 points: the jackpot
    shelltest::Pump();

    EXPECT_EQ(questionsDuringHold, 0);
    EXPECT_TRUE(visibleDuringHold);
    EXPECT_EQ(rig.dialogs->saveQuestions, 1); // asked once the payout was made
    EXPECT_TRUE(rig.frame->isVisible());      // and Cancel kept the window and the match
    EXPECT_EQ(rig.doc.m_bUnsavedResults, 1);
    EXPECT_EQ(rig.doc.m_lAllGames[0], 1300 + 350);

    rig.dialogs->saveChoice = IShellDialogs::SaveChoice::Discard;
    EXPECT_TRUE(rig.frame->Execute(command::kAppExit));
    EXPECT_EQ(rig.dialogs->saveQuestions, 2);
    EXPECT_FALSE(rig.frame->isVisible());
}

TEST(JackpotHoldTest, TheCentreShowingHoldsInputBackAndTheKeyThatEndsItGoesNoFurther) {
    ShellRig rig;
    std::vector<std::string> log;
    RecordingEvents recorder(rig.View(), log);
    QtViewHost& host = rig.frame->Host();
    host.SetEvents(&recorder);
    ASSERT_TRUE(rig.frame->Execute(command::kShowCentre));
    ASSERT_EQ(rig.View().m_bShowCentre, 1);
    QTest::keyClick(&host, Qt::Key_Space);
    QTest::keyClick(&host, Qt::Key_Space);
    rig.View().OnTimer(CGlobuleView::kPlayTimer); // position 1 is on screen

    int screenWhileShown = -1;
    // While the player looks: a repeat of the stopping Space, then (if that left the look on)
    // a click on the second player's name and a fresh Space.
    QTimer::singleShot(0, &host, [&] {
        screenWhileShown = rig.View().m_nScreen;
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                         true);
        QCoreApplication::sendEvent(&host, &repeat);
        QTimer::singleShot(0, &host, [&] {
            const CRect& name = rig.View().m_arcTableCell[6];
            QTest::mouseClick(&host, Qt::LeftButton, {}, QPoint(name.left + 5, name.top + 5));
            QTest::keyClick(&host, Qt::Key_Space);
        });
    });
    log.clear();
    QTest::keyClick(&host, Qt::Key_Space); // the stop, and the look at its centre
    shelltest::Pump();

    // The click waited for the stop's handler; the Space that ended the look started nothing.
    const std::vector<std::string> expected = {"key 32 {", "}", "click"};
    std::vector<std::string> viewEvents;
    for (const std::string& entry : log) {
        if (entry != "timer 2") {
            viewEvents.push_back(entry);
        }
    }
    EXPECT_EQ(viewEvents, expected);
    EXPECT_EQ(screenWhileShown, 5);
    EXPECT_EQ(rig.View().m_nScreen, 4);
    EXPECT_EQ(rig.View().m_nActivePlayer, 1);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 1);
    host.SetEvents(&rig.View());
}

} // namespace

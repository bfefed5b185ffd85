#include "ShellRig.h"

#include "app/CommandIds.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using shelltest::ShellRig;

const QString kNewIds[] = {"1006", "1008", "1007", "1009", "1010", "1011"};

void Type(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box, &press);
    }
}

QLineEdit* Box(QDialog& dialog, const QString& id) {
    return dialog.findChild<QLineEdit*>(id);
}

// Runs `step` once the dialog is up and modal; the dialog is closed with Cancel afterwards if
// the step left it open, so a failed check never leaves the test waiting.
void WhileShown(QDialog& dialog, std::function<void()> step) {
    QTimer::singleShot(0, &dialog, [&dialog, step] {
        step();
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });
}

QString FocusedId(QDialog& dialog) {
    return dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
}

// Real key presses, delivered to the dialog's window as the window system would.
void Press(QDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(dialog.windowHandle(), key, modifiers);
}

void TypeKeys(QDialog& dialog, const QString& text) {
    for (const QChar c : text) {
        QTest::keyClick(dialog.windowHandle(), c.toLatin1());
    }
}

void ClickOk(QDialog& dialog) {
    dialog.findChild<QPushButton*>(QStringLiteral("1"))->click();
}

TEST(ChangeNamesDialogTest, RowsAreBoundByTheirIdsAndRowThreeIsId1007) {
    QtChangeNamesDlg dialog;
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(dialog.NewNameBox(row)->objectName(), kNewIds[row]) << row;
        EXPECT_EQ(Box(dialog, kNewIds[row]), dialog.NewNameBox(row)) << row;
        EXPECT_EQ(dialog.CurrentNameBox(row)->objectName(), QString::number(1000 + row)) << row;
    }
    EXPECT_EQ(Box(dialog, QStringLiteral("1008")), dialog.NewNameBox(1));
    EXPECT_EQ(Box(dialog, QStringLiteral("1007")), dialog.NewNameBox(2));
}

TEST(ChangeNamesDialogTest, TextsButtonsAndFrame) {
    QtChangeNamesDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Change Player Names"));
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        labels << label->text();
    }
    EXPECT_TRUE(labels.contains(QStringLiteral("Current Name")));
    EXPECT_TRUE(labels.contains(QStringLiteral("New Name")));
    EXPECT_TRUE(labels.contains(QStringLiteral(
        "Change one or more names and click on OK to put the new names into effect.")));
    const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("1"));
    const auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("2"));
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowTitleHint);
}

TEST(ChangeNamesDialogTest, TabComesRoundThroughTheSixNewNamesOkAndCancel) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    QtChangeNamesDlg& dialog = rig.dialogs->names;
    QStringList forward;
    QStringList backward;
    WhileShown(dialog, [&] {
        forward << FocusedId(dialog);
        for (int i = 0; i < 16; ++i) {
            Press(dialog, Qt::Key_Tab);
            forward << FocusedId(dialog);
        }
        for (int i = 0; i < 8; ++i) {
            Press(dialog, Qt::Key_Backtab, Qt::ShiftModifier);
            backward << FocusedId(dialog);
        }
    });
    rig.frame->Execute(command::kChangeNames);
    const QStringList round = {"1006", "1008", "1007", "1009", "1010", "1011", "1", "2"};
    EXPECT_EQ(forward, round + round + QStringList{"1006"}); // twice round and back to row 1
    EXPECT_EQ(backward, (QStringList{"2", "1", "1011", "1010", "1009", "1007", "1008", "1006"}));
    for (int row = 0; row < 6; ++row) {
        EXPECT_TRUE(dialog.CurrentNameBox(row)->isReadOnly());
    }
}

TEST(ChangeNamesDialogTest, EnterIsOkEvenAfterCancelHadTheFocus) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    QtChangeNamesDlg& dialog = rig.dialogs->names;
    // Within one showing: round to Cancel and on to row 1, then a name and Enter.
    WhileShown(dialog, [&] {
        for (int i = 0; i < 8; ++i) {
            Press(dialog, Qt::Key_Tab);
        }
        TypeKeys(dialog, "Ann");
        Press(dialog, Qt::Key_Return);
    });
    rig.frame->Execute(command::kChangeNames);
    EXPECT_EQ(rig.doc.m_strPlayerName[0], "Ann");

    // Cancel pressed with Space; the next showing takes Enter as OK all the same.
    QString pressed;
    WhileShown(dialog, [&] {
        for (int i = 0; i < 7; ++i) {
            Press(dialog, Qt::Key_Tab);
        }
        pressed = FocusedId(dialog);
        Press(dialog, Qt::Key_Space);
    });
    rig.frame->Execute(command::kChangeNames);
    EXPECT_EQ(pressed, QStringLiteral("2"));
    EXPECT_FALSE(dialog.isVisible());
    for (const QString& key : {QStringLiteral("Zed"), QStringLiteral("Yan")}) {
        WhileShown(dialog, [&] {
            TypeKeys(dialog, key);
            Press(dialog, Qt::Key_Enter);
        });
        rig.frame->Execute(command::kChangeNames);
        EXPECT_EQ(rig.doc.m_strPlayerName[0], key.toStdString());
    }
}

TEST(ChangeNamesDialogTest, FillingOnlyRowThreeRenamesTheThirdColumn) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    QtChangeNamesDlg& dialog = rig.dialogs->names;
    QStringList shown;
    QString focused;
    WhileShown(dialog, [&] {
        for (int row = 0; row < 6; ++row) {
            shown << dialog.CurrentNameBox(row)->text();
        }
        focused = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
        Type(Box(dialog, QStringLiteral("1007")), QStringLiteral("Zed"));
        ClickOk(dialog);
    });
    EXPECT_TRUE(rig.frame->Execute(command::kChangeNames));
    EXPECT_EQ(shown, (QStringList{"Alice", "Burt", "Cindy", "Donald", "Ellen", "Frank"}));
    EXPECT_EQ(focused, QStringLiteral("1006"));
    const std::string expected[] = {"Alice", "Burt", "Zed", "Donald", "Ellen", "Frank"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(rig.doc.m_strPlayerName[i], expected[i]) << i;
    }
    EXPECT_EQ(rig.doc.m_bUnsavedResults, 0);
    shelltest::Pump();
    EXPECT_EQ(rig.View().m_nScreen, 4);
}

TEST(ChangeNamesDialogTest, NewNamesStopAtTenCharactersWhileLoadedNamesShowWhole) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    rig.doc.m_strPlayerName[0] = "Bartholomew Jr."; // 15 characters, as a file may hold
    QtChangeNamesDlg& dialog = rig.dialogs->names;
    const QString typing[] = {"Alexandra", "Maximilian", "Bartholomew"}; // 9, 10 and 11
    QString current;
    QStringList typed;
    WhileShown(dialog, [&] {
        current = dialog.CurrentNameBox(0)->text();
        for (int row = 0; row < 3; ++row) {
            Type(dialog.NewNameBox(row), typing[row]);
            typed << dialog.NewNameBox(row)->text();
        }
        ClickOk(dialog);
    });
    EXPECT_TRUE(rig.frame->Execute(command::kChangeNames));
    EXPECT_EQ(current, QStringLiteral("Bartholomew Jr."));
    EXPECT_EQ(typed, (QStringList{"Alexandra", "Maximilian", "Bartholome"}));
    EXPECT_EQ(rig.doc.m_strPlayerName[0], "Alexandra");
    EXPECT_EQ(rig.doc.m_strPlayerName[1], "Maximilian");
    EXPECT_EQ(rig.doc.m_strPlayerName[2], "Bartholome");
}

TEST(ChangeNamesDialogTest, CancelAndEmptyBoxesChangeNothing) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    QtChangeNamesDlg& dialog = rig.dialogs->names;
    WhileShown(dialog, [&] {
        Type(dialog.NewNameBox(1), QStringLiteral("Nobody"));
        dialog.findChild<QPushButton*>(QStringLiteral("2"))->click();
    });
    rig.frame->Execute(command::kChangeNames);
    EXPECT_EQ(rig.doc.m_strPlayerName[1], "Burt");

    // What was typed before is gone next time; OK with every box empty keeps every name.
    QString leftOver;
    WhileShown(dialog, [&] {
        leftOver = dialog.NewNameBox(1)->text();
        ClickOk(dialog);
    });
    rig.frame->Execute(command::kChangeNames);
    EXPECT_TRUE(leftOver.isEmpty());
    EXPECT_EQ(rig.doc.m_strPlayerName[1], "Burt");
}

TEST(ChangeNamesDialogTest, OnlyCharactersTheMatchFileCanHoldAreAccepted) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    QtChangeNamesDlg& dialog = rig.dialogs->names;
    QString typed;
    WhileShown(dialog, [&] {
        Type(dialog.NewNameBox(0), QStringLiteral("Zo\u03A9\u00EB\u20AC?"));
        typed = dialog.NewNameBox(0)->text();
        ClickOk(dialog);
    });
    rig.frame->Execute(command::kChangeNames);
    EXPECT_EQ(typed, QStringLiteral("Zo\u00EB\u20AC?")); // no Greek omega in Windows-1252
    EXPECT_EQ(rig.doc.m_strPlayerName[0], "Zo\xEB\x80?");
}

} // namespace

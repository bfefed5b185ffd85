#include "document/DocumentFile.h"
#include "support/ViewFixture.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// Enough of a caption for a failure message, however long it came out.
std::string Shown(const QString& caption) {
    return caption.left(300).toStdString();
}

QString CaptionOf(const ViewRig& rig) {
    return rig.host.captions.empty() ? QString() : QString::fromStdString(rig.host.captions.back());
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(SpeedAndCaptionTest, TheCaptionOfANewMatch) {
    ViewRig rig;
    rig.Paint();
    ASSERT_FALSE(rig.host.captions.empty());
    const std::string& caption = rig.host.captions.back();
    EXPECT_EQ(caption.rfind("Globule", 0), 0u);
    EXPECT_TRUE(EndsWith(caption, " -- Current File is:  None.")) << caption;
    EXPECT_NE(caption.find(" -- Version LR615 -- Speed: Medium  -- Current File is:  "),
              std::string::npos)
        << caption;
    EXPECT_NE(caption.find(rig.view->m_strTimeStamp), std::string::npos);
}

TEST(SpeedAndCaptionTest, AHugeLabelOrPathIsCutInTheCaptionAndKeptWholeInTheFile) {
    QTemporaryDir dir;
    QString folder = dir.path();
    for (int i = 0; i < 40; ++i) {
        folder += QStringLiteral("/folder-number-%1").arg(i);
    }
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/the-match.bin");
    const std::string label = "Speed: " + std::string(17 << 20, '\xE9') + " end";
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_SPACE);
    rig.doc.m_strSpeed = label;
    ASSERT_EQ(SaveDocumentFile(rig.doc, path.toStdString(), rig.host), FileOutcome::Done);
    ASSERT_EQ(OpenDocumentFile(rig.doc, path.toStdString(), rig.host), FileOutcome::Done);
    rig.Paint();
    const QString caption = CaptionOf(rig);
    EXPECT_LE(caption.size(), 400) << Shown(caption);
    EXPECT_TRUE(caption.contains(QStringLiteral(" -- Speed: \u00E9\u00E9")));
    EXPECT_TRUE(caption.contains(kEllipsis + QStringLiteral(" -- Current File is:  ")));
    // The end of a path names the file, so that is the part kept.
    EXPECT_TRUE(caption.endsWith(QStringLiteral("/the-match.bin")));
    EXPECT_TRUE(caption.contains(QStringLiteral("Current File is:  ") + kEllipsis));
    EXPECT_EQ(rig.doc.m_strSpeed, label);

    const QString again = dir.filePath(QStringLiteral("again.bin"));
    ASSERT_EQ(SaveDocumentFile(rig.doc, again.toStdString(), rig.host), FileOutcome::Done);
    QFile first(path);
    QFile second(again);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), second.readAll());
    EXPECT_TRUE(rig.host.messages.empty());
}

// The label shows whole up to 64 characters and the path up to 160; longer ones are cut to
// that. Characters are counted, not the bytes the accented ones take in the caption.
TEST(SpeedAndCaptionTest, LabelAndPathShowWholeUpToTheirLimitsAndCutOneBeyond) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_SPACE);
    const QString kFileIs = QStringLiteral(" -- Current File is:  ");
    for (const int label : {63, 64, 65}) {
        SCOPED_TRACE(label);
        std::string text = "Speed: ";
        for (int i = 7; i < label; ++i) {
            text += i % 2 ? '\xE9' : char('0' + i % 10);
        }
        rig.doc.m_strSpeed = text;
        rig.Key(VK_F1);
        const QString shown = QString::fromLatin1(text.substr(0, 64));
        EXPECT_TRUE(
            CaptionOf(rig).contains(" -- " + shown + (label > 64 ? kEllipsis : "") + kFileIs))
            << Shown(CaptionOf(rig));
    }
    for (const int path : {159, 160, 161}) {
        SCOPED_TRACE(path);
        QString name = QStringLiteral("/\u00C5");
        while (name.size() < path) {
            name += QString::number(name.size() % 10) + QStringLiteral("\u0416");
        }
        name.truncate(path);
        rig.doc.m_szFileName = name.toStdString();
        rig.Key(VK_F1);
        const QString tail = path > 160 ? kEllipsis + name.right(160) : name;
        EXPECT_TRUE(CaptionOf(rig).endsWith(kFileIs + tail)) << Shown(CaptionOf(rig).right(200));
    }
}

TEST(SpeedAndCaptionTest, EnableRulesOnEachScreen) {
    ViewRig rig;
    rig.Paint();
    CGlobuleView& v = *rig.view;
    auto anyEnabled = [&v] {
        bool any = v.OnUpdateFileOpen() || v.OnUpdateFileSave() || v.OnUpdateFileSaveAs() ||
                   v.OnUpdateChangeNames();
        for (int k = 0; k < 5; ++k) {
            any = any || v.OnUpdateSpeed(k);
        }
        return any;
    };
    EXPECT_FALSE(anyEnabled()); // Home

    rig.Key(VK_SPACE); // Score
    EXPECT_TRUE(v.OnUpdateFileOpen());
    EXPECT_TRUE(v.OnUpdateFileSave());
    EXPECT_TRUE(v.OnUpdateFileSaveAs());
    EXPECT_TRUE(v.OnUpdateChangeNames());
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(v.OnUpdateSpeed(k), k != 2) << k;
    }
    rig.doc.m_szFileName = "/home/someone/match.bin";
    EXPECT_FALSE(v.OnUpdateFileSaveAs());
    EXPECT_TRUE(v.OnUpdateFileSave());
    rig.doc.m_szFileName = "None.";

    rig.Key(VK_SPACE); // Play
    EXPECT_FALSE(anyEnabled());
}

TEST(SpeedAndCaptionTest, ASpeedCommandSetsTheRecordGreysItselfAndShowsInTheCaption) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_SPACE);
    rig.doc.m_bUnsavedResults = 0;
    rig.view->OnSpeedSlowest();
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 4);
    EXPECT_EQ(rig.doc.m_nTimerInterval, 4990);
    EXPECT_EQ(rig.doc.m_strSpeed, "Speed: Slowest ");
    EXPECT_FALSE(rig.view->OnUpdateSpeed(4));
    EXPECT_TRUE(rig.view->OnUpdateSpeed(2));
    EXPECT_NE(rig.host.captions.back().find("Speed: Slowest  -- Current"), std::string::npos);
    EXPECT_EQ(rig.doc.m_bUnsavedResults, 0); // a speed is no game result
}

TEST(SpeedAndCaptionTest, TheGreyedSpeedFollowsALoadedOrResetRecord) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_SPACE);
    // As a load at Fastest would leave the record, followed by the repaint that shows it.
    rig.doc.m_nSpeedIndex = 0;
    rig.doc.m_nTimerInterval = 990;
    rig.doc.m_strSpeed = "Speed: Fastest ";
    rig.Paint();
    EXPECT_FALSE(rig.view->OnUpdateSpeed(0));
    EXPECT_TRUE(rig.view->OnUpdateSpeed(2));
    rig.doc.OnNewDocument();
    rig.Paint();
    EXPECT_FALSE(rig.view->OnUpdateSpeed(2));
    EXPECT_TRUE(rig.view->OnUpdateSpeed(0));
}

} // namespace

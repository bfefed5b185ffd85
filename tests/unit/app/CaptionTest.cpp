#include "ShellRig.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

using shelltest::ShellRig;

// Builds a locale into a private folder, as on a machine that lacks it, and runs the C library
// in it for the life of the object, as the program does when started in that locale.
class PrivateLocale {
public:
    PrivateLocale(const char* input, const char* charmap)
        : m_name(QStringLiteral("%1.%2").arg(QLatin1String(input), QLatin1String(charmap))),
          m_previous(std::setlocale(LC_ALL, nullptr)) {
        const int built =
            QProcess::execute(QStringLiteral("localedef"),
                              {QStringLiteral("-i"), QLatin1String(input), QStringLiteral("-f"),
                               QLatin1String(charmap), m_dir.filePath(m_name)});
        setenv("LOCPATH", QFile::encodeName(m_dir.path()).constData(), 1);
        m_active = built == 0 && std::setlocale(LC_ALL, m_name.toLatin1().constData()) != nullptr;
    }
    ~PrivateLocale() {
        unsetenv("LOCPATH");
        std::setlocale(LC_ALL, m_previous.c_str());
    }
    PrivateLocale(const PrivateLocale&) = delete;
    PrivateLocale& operator=(const PrivateLocale&) = delete;
    bool Active() const { return m_active; }
    std::string Name() const { return m_name.toStdString(); }

private:
    QTemporaryDir m_dir;
    QString m_name;
    std::string m_previous;
    bool m_active = false;
};

bool IsCyrillic(QChar c) {
    return c >= QChar(0x0400) && c <= QChar(0x04FF);
}

TEST(CaptionTest, TheDateReadsInTheLocalesOwnLettersWhateverItsEncoding) {
    // Every Russian day abbreviation is Cyrillic, whatever the date.
    for (const char* charmap : {"UTF-8", "KOI8-R"}) {
        PrivateLocale locale("ru_RU", charmap);
        ASSERT_TRUE(locale.Active()) << "cannot build " << locale.Name();
        ShellRig rig;
        rig.Key(Qt::Key_Space);
        const QString title = rig.frame->windowTitle();
        const QString stamp = title.section(QStringLiteral(" -- "), 1, 1);
        ASSERT_FALSE(stamp.isEmpty()) << title.toStdString();
        const bool readable = std::all_of(stamp.begin(), stamp.end(), [](QChar c) {
            return c.unicode() < 0x80 || IsCyrillic(c);
        });
        EXPECT_TRUE(IsCyrillic(stamp.at(0)) && readable) << charmap << ": " << title.toStdString();
        EXPECT_TRUE(title.contains(stamp + QStringLiteral(" -- Version LR615 -- ")));
    }
}

TEST(CaptionTest, TheFileShowsAsNamedAndTheLabelInItsOwnLetters) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    const QString folder =
        rig.settings.File(QStringLiteral("\u041C\u0430\u0442\u0447\u0438 \u00E9t\u00E9"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/\u0432\u0435\u0447\u0435\u0440.bin");
    rig.doc.m_strSpeed = "Speed: Tr\xE8s vite \x80 "; // e-grave and the euro in the code page
    rig.dialogs->saveAnswer = path;
    rig.Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(QFile::exists(path));
    rig.doc.OnNewDocument();
    rig.dialogs->openAnswer = path;
    rig.Key(Qt::Key_O, Qt::ControlModifier);
    rig.Key(Qt::Key_Space); // back from the Home page the repaint left
    rig.Key(Qt::Key_End);
    EXPECT_TRUE(rig.dialogs->messages.empty());
    EXPECT_NE(rig.doc.m_szFileName, "None.");
    const QString title = rig.frame->windowTitle();
    EXPECT_TRUE(title.endsWith(
        QStringLiteral(" -- Speed: Tr\u00E8s vite \u20AC  -- Current File is:  ") + path))
        << title.toStdString();
}

} // namespace

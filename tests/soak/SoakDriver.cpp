#include "SoakDriver.h"

#include "ForcedSplit.h"
#include "MatchRules.h"
#include "ProgramPicture.h"
#include "SoakStandIns.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QtViewHost.h"
#include "app/RecentFileList.h"
#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <cstdio>
#include <cstdlib>

using rules::kPlay;

namespace {

constexpr const char* kOrganization = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "Globule";
constexpr std::size_t kHistory = 20;

} // namespace

SoakDriver::SoakDriver(const Options& options, const QString& folder)
    : m_options(options), m_random(options.seed), m_folder(folder) {
    for (int i = 0; i < 6; ++i) {
        m_pool.push_back(folder + QStringLiteral("/match%1.bin").arg(i));
    }
    m_pool.push_back(folder + QStringLiteral("/two words \u00e9.bin"));
    m_pool.push_back(folder +
                     QStringLiteral("/\u043c\u0430\u0442\u0447 \u4e2d.bin")); // past the code page
    QDir(folder).mkdir(QStringLiteral("sub"));
    m_elsewhere = {folder + QStringLiteral("/sub"), folder + QStringLiteral("/missing/match.bin"),
                   folder};
    m_model.SetEntry(folder, {MatchModel::Entry::Type::Folder, {}});
    m_model.SetEntry(folder + QStringLiteral("/sub"), {MatchModel::Entry::Type::Folder, {}});
    m_model.SetEntry(folder + QStringLiteral("/missing"), {});
}

SoakDriver::~SoakDriver() {
    m_frame.reset();
}

// ---- The run ----------------------------------------------------------------------------------

bool SoakDriver::Run() {
    while (m_event < m_options.events) {
        if (!m_frame) {
            StartWindow(); // a file named at start-up that does not load ends it at once
            if (!m_flagged.empty()) {
                return false;
            }
            continue;
        }
        const bool inertLongEnough = m_inertSince >= 0 && m_event - m_inertSince > 60;
        if (m_windowEvents >= m_windowLength || inertLongEnough) {
            EndWindow();
            if (!m_flagged.empty()) {
                return false;
            }
            continue;
        }
        std::vector<Modal> record;
        m_record = &record;
        Step step = NextStep();
        Give(step);
        StopEnds();
        if (!CheckStep(step, record)) {
            return false;
        }
        ++m_windowEvents;
        if (m_model.Refused() && m_inertSince < 0) {
            m_inertSince = m_event;
        }
    }
    EndWindow();
    return m_flagged.empty();
}

bool SoakDriver::CheckStep(const Step& step, const std::vector<Modal>& record) {
    std::string entry = std::to_string(m_event) + ": " + Describe(step);
    for (const Modal& modal : record) {
        entry += std::string(" | ") + KindName(modal.kind);
        if (modal.kind == Modal::Kind::Sound) {
            entry += " " + std::to_string(modal.sound) + (modal.wait ? " waited" : "");
            if (modal.sound == CGlobuleView::kSoundStop) {
                entry += " (score " + std::to_string(modal.score) +
                         (modal.forced ? ", painted " + std::to_string(modal.forcedScore) : "") +
                         (modal.onCentre ? ", centre" : "") + ")";
            }
        } else if (modal.kind == Modal::Kind::Box) {
            entry += " \"" + modal.text.substr(0, 40) + "\"";
        } else if (!modal.answer.isEmpty()) {
            entry += " " + QFileInfo(modal.answer).fileName().toStdString();
        }
        for (const Step& inside : modal.during) {
            entry += " [" + Describe(inside) + "]";
        }
    }
    m_history.push_back(entry);
    if (m_history.size() > kHistory) {
        m_history.pop_front();
    }
    if (m_options.trace) {
        std::printf("%s\n", entry.c_str());
    }
    if (!m_flagged.empty()) {
        return Report(m_flagged);
    }
    try {
        m_model.Apply(step, record);
    } catch (const SoakFailure& failure) {
        return Report(failure.what());
    }
    if (!m_frame) {
        ++m_event;
        return true;
    }
    const std::string differences =
        Differences(m_model.Expected(), ReadProgram(*m_frame, *m_doc, *m_recent));
    if (!differences.empty()) {
        return Report("the program and the model disagree:\n" + differences);
    }
    // Timer 1 only in play, and the poll never during play: implied above, said outright.
    const QtViewHost& host = m_frame->Host();
    const int screen = m_frame->View().m_nScreen;
    if (host.TimerPeriodForTest(CGlobuleView::kPlayTimer) != 0 && screen != kPlay) {
        return Report("timer 1 runs outside play");
    }
    if (screen == kPlay && host.TimerPeriodForTest(CGlobuleView::kPollTimer) != 0) {
        return Report("timer 2 runs during play");
    }
    if (const std::string files = CheckFiles(); !files.empty()) {
        return Report(files);
    }
    if (const std::string positions = CheckPositions(); !positions.empty()) {
        return Report(positions);
    }
    ++m_event;
    return true;
}

bool SoakDriver::Report(const std::string& what) {
    std::fprintf(stderr, "soak FAILED at event %ld (seed %llu, window %d):\n%s\n", m_event,
                 static_cast<unsigned long long>(m_options.seed), m_windows, what.c_str());
    std::fprintf(stderr, "the last %zu events:\n", m_history.size());
    for (const std::string& entry : m_history) {
        std::fprintf(stderr, "  %s\n", entry.c_str());
    }
    std::fprintf(stderr, "replay: globule_soak --seed %llu --events %ld --trace\n",
                 static_cast<unsigned long long>(m_options.seed), m_event + 1);
    if (m_flagged.empty()) {
        m_flagged = what;
    }
    return false;
}

void SoakDriver::Flag(const std::string& what) {
    if (m_flagged.empty()) {
        m_flagged = what;
    }
}

// ---- Windows ----------------------------------------------------------------------------------

void SoakDriver::StartWindow() {
    std::vector<Modal> record;
    m_record = &record;
    Step step;
    step.kind = Step::Kind::Start;
    const QSize size = RandomFrameSize(m_random.Chance(92));
    step.w = size.width();
    step.h = size.height();
    if (m_random.Chance(20)) {
        step.path = PoolPath();
    }

    m_doc = std::make_unique<CGlobuleDoc>();
    m_recent = std::make_unique<CRecentFileList>(QString::fromLatin1(kOrganization),
                                                 QString::fromLatin1(kApplication));
    if (RecentOf(*m_recent) != m_model.Recent()) {
        Report("the recent files came back as {" +
               RecentOf(*m_recent).join(QStringLiteral(", ")).toStdString() + "}");
        return;
    }
    m_box = std::make_unique<SoakMessageBox>(*this);
    auto dialogs = std::make_unique<SoakDialogs>(*this);
    SoakDialogs& shell = *dialogs;
    m_frame = std::make_unique<CMainFrame>(*m_doc, *m_recent, std::move(dialogs));
    QtViewHost& host = m_frame->Host();
    shell.SetMessages(host);
    host.SetMessageBoxForTest(m_box.get());
    host.SetSoundOutput(std::make_unique<SoakSound>(*this));
    // The view seeded rand() with the clock; the run must not depend on it.
    std::srand(static_cast<unsigned>(m_random.Next()));
    m_model.SetHelpTexts(m_frame->View().m_strScoreHelp, m_frame->View().m_strPlayHelp);

    if (step.path.isEmpty()) {
        m_doc->OnNewDocument();
    } else {
        m_frame->OpenStartupFile(step.path.toStdString());
    }
    m_frame->resize(size);
    m_frame->show();
    QApplication::setActiveWindow(m_frame.get());
    // The view has no timers before its first paint, so the loop may run here.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    step.widget = host.size();
    step.client = host.ClientImage().size();
    ++m_windows;
    m_windowEvents = 0;
    m_windowLength = m_random.Between(300, 4000);
    m_inertSince = -1;
    m_planned.clear();
    m_settledFrame = m_frame->size();
    if (!CheckStep(step, record)) {
        return;
    }
    if (m_model.StartFailed()) {
        m_frame.reset(); // the program ends when the file named at start-up does not load
        m_box.reset();
        m_recent.reset();
        m_doc.reset();
    }
}

void SoakDriver::EndWindow() {
    if (!m_frame) {
        return;
    }
    if (m_event < m_options.events && m_random.Chance(50)) {
        std::vector<Modal> record;
        m_record = &record;
        Step step;
        step.kind = Step::Kind::Exit;
        step.ran = m_frame->Execute(command::kAppExit);
        step.closed = !m_frame->isVisible(); // the model says whether it may stay
        CheckStep(step, record);
    }
    m_frame.reset();
    m_box.reset();
    m_recent.reset();
    m_doc.reset();
}

// ---- Giving a step ----------------------------------------------------------------------------

void SoakDriver::Give(Step& step) {
    CMainFrame& frame = *m_frame;
    QtViewHost& host = frame.Host();
    CGlobuleView& view = frame.View();
    switch (step.kind) {
    case Step::Kind::Key:
        if (step.stop) {
            const int s = view.m_nCrossStep;
            if (m_random.Chance(25)) {
                Split split;
                split.dx = 4 * m_random.Between(-5, 5);
                split.dy = 4 * m_random.Between(-5, 5);
                const int a = m_random.Between(300, 4000);
                split.moved = split.dx == 0 ? 0 : std::abs(split.dx) * m_random.Between(1, 150);
                if (m_random.Chance(50)) {
                    // Shaped for a jackpot: the quarter that gains the band is the smallest.
                    auto more = [&] { return a + split.moved + m_random.Between(0, 2000); };
                    split.topLeft = split.dx >= 0 ? a : more();
                    split.topRight = split.dx < 0 ? a : more();
                    split.bottomRight = more();
                    split.bottomLeft = more();
                } else {
                    split.topLeft = m_random.Between(50, 6000);
                    split.topRight = m_random.Between(50, 6000);
                    split.bottomRight = m_random.Between(50, 6000);
                    split.bottomLeft = m_random.Between(50, 6000);
                }
                PaintSplit(view, host.ClientImage(), s, split);
                step.forced = true;
                step.forcedScore = SplitScore(split);
                m_paintedScore = step.forcedScore;
            }
        }
        QTest::keyClick(&host, Qt::Key(step.code), Qt::KeyboardModifiers(step.mods));
        m_paintedScore = -1;
        break;
    case Step::Kind::Click:
    case Step::Kind::DoubleClick: {
        const QPoint at(static_cast<int>(host.ViewArea().left()) + step.x, step.y);
        const CPoint pixel = host.ToView(at);
        step.viewX = pixel.x;
        step.viewY = pixel.y;
        const auto button = Qt::MouseButton(step.button);
        const auto mods = Qt::KeyboardModifiers(step.mods);
        QTest::mouseClick(&host, button, mods, at);
        if (step.kind == Step::Kind::DoubleClick) {
            // The second press of a double click reaches a widget as a double-click event.
            QTest::mouseDClick(&host, button, mods, at);
            QTest::mouseRelease(&host, button, mods, at);
        }
        break;
    }
    case Step::Kind::Tick:
        step.ran = host.FireTimerForTest(step.code);
        break;
    case Step::Kind::Expose:
        host.RequestRepaint();
        break;
    case Step::Kind::Flush:
        QCoreApplication::sendPostedEvents();
        break;
    case Step::Kind::Command:
        step.ran = frame.Execute(step.code);
        break;
    case Step::Kind::Resize:
        frame.resize(step.w, step.h);
        step.widget = host.size();
        step.client = host.ClientImage().size();
        break;
    case Step::Kind::EnableRepaints:
        host.EnableRepaints();
        step.widget = host.size();
        step.client = host.ClientImage().size();
        m_settledFrame = frame.size();
        break;
    case Step::Kind::WriteFile: {
        QFile file(step.path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(step.bytes.data(), static_cast<qint64>(step.bytes.size())) !=
                static_cast<qint64>(step.bytes.size())) {
            Flag("the soak could not write " + step.path.toStdString());
        }
        break;
    }
    case Step::Kind::MakeFolder:
        QDir().mkdir(step.path);
        break;
    case Step::Kind::RemovePath:
        if (QFileInfo(step.path).isDir()) {
            QDir().rmdir(step.path);
        } else {
            QFile::remove(step.path);
        }
        break;
    case Step::Kind::Start:
    case Step::Kind::Exit:
        break;
    }
}

void SoakDriver::StopBegins(std::size_t index) {
    StopEnds();
    const CGlobuleView& view = m_frame->View();
    const int s = view.m_nCrossStep;
    Modal& stop = ModalAt(index);
    stop.onCentre = view.m_aCrossDx[s] == 0 && view.m_aCrossDy[s] == 0;
    if (m_paintedScore >= 0) {
        stop.forced = true; // the first stop of the step is the one the split was painted for
        stop.forcedScore = m_paintedScore;
        m_paintedScore = -1;
    }
    m_openStop = index;
}

void SoakDriver::StopEnds() {
    if (m_openStop != SIZE_MAX && m_frame) {
        ModalAt(m_openStop).score = static_cast<int>(m_frame->View().m_fScore);
    }
    m_openStop = SIZE_MAX;
}

std::size_t SoakDriver::BeginModal(Modal::Kind kind) {
    Modal modal;
    modal.kind = kind;
    m_record->push_back(std::move(modal));
    return m_record->size() - 1;
}

void SoakDriver::InsideModal(std::size_t index) {
    if (m_modalDepth >= 2 || !m_frame) {
        return;
    }
    ++m_modalDepth;
    const int count = m_random.Weighted({60, 25, 15});
    for (int i = 0; i < count; ++i) {
        Step step = NestedStep(false);
        Give(step);
        ModalAt(index).during.push_back(step);
        ++m_nested;
    }
    --m_modalDepth;
}

void SoakDriver::DuringHold(std::size_t index) {
    if (!m_frame) {
        return;
    }
    if (!m_frame->Host().Holding()) {
        Flag("a waited sound did not hold the program");
    }
    ++m_modalDepth;
    const int count = m_random.Weighted({25, 30, 25, 20});
    for (int i = 0; i < count; ++i) {
        Step step = NestedStep(true);
        const Picture before = ReadProgram(*m_frame, *m_doc, *m_recent);
        Give(step);
        const std::string changed =
            MatchDifferences(before, ReadProgram(*m_frame, *m_doc, *m_recent));
        if (!changed.empty()) {
            Flag("during the hold, " + Describe(step) + " reached the game:\n" + changed);
        }
        ModalAt(index).during.push_back(step);
        ++m_nested;
    }
    --m_modalDepth;
}

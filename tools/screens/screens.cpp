#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"
#include "platform/DrawContext.h"
#include "platform/FakeViewHost.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

struct Scene {
    CGlobuleDoc doc;
    FakeViewHost host;
    std::unique_ptr<CGlobuleView> view;

    explicit Scene(int width = kWidth, int height = kHeight) : host(width, height) {
        view = std::make_unique<CGlobuleView>(doc, host);
        doc.OnNewDocument();
        // The same blob on every run, so two renderings can be compared.
        std::srand(7);
        CDC paint(host.ClientImage());
        view->OnDraw(paint);
    }

    bool Save(const QString& folder, const char* name) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        const bool saved = host.ClientImage().save(path);
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", path.toLocal8Bit().constData());
        return saved;
    }
};

void PlayedMatch(CGlobuleDoc& doc) {
    const int last[6] = {812, 0, 1043, 455, 967, 730};
    const int all[6] = {2510, 1320, 4288, 1702, 2954, 730};
    const int games[6] = {3, 2, 4, 3, 3, 1};
    const int best[6] = {935, 780, 1043, 690, 990, 730};
    for (int p = 0; p < 6; ++p) {
        doc.m_lLastGame[p] = last[p];
        doc.m_lAllGames[p] = all[p];
        doc.m_lNumGames[p] = games[p];
        doc.m_lBestGame[p] = best[p];
        doc.m_lActive[p] = p == 2 ? 1 : 0;
    }
    doc.m_lPot = 350;
    doc.m_bUnsavedResults = 1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QStringLiteral(GLOBULE_SOURCE_ROOT "/docs/screens");
    QDir().mkpath(folder);
    bool ok = true;

    {
        Scene fresh;
        fresh.view->EnterScoreScreen();
        ok &= fresh.Save(folder, "score-fresh-match.png");
    }
    {
        Scene jackpot;
        PlayedMatch(jackpot.doc);
        jackpot.view->m_bShowJackpot = 1;
        jackpot.view->EnterScoreScreen();
        ok &= jackpot.Save(folder, "score-jackpot-save-hint.png");
    }
    {
        Scene sorted;
        PlayedMatch(sorted.doc);
        sorted.doc.m_szFileName = "/home/player/evening.glb";
        sorted.doc.m_bNothingLoaded = 0;
        sorted.view->EnterScoreScreen();
        // A click on the Average caption, as a player would sort the table.
        const CRect& average = sorted.view->m_arcRowCaption[4];
        sorted.view->OnLButtonDown(0, CPoint{(average.left + average.right) / 2, average.top + 9});
        ok &= sorted.Save(folder, "score-sorted-by-average.png");
    }
    {
        Scene home; // page 1, as the game starts
        ok &= home.Save(folder, "home-page-1.png");
        home.view->OnKeyDown(VK_PRIOR, 1, 0);
        ok &= home.Save(folder, "home-page-13.png");
    }
    {
        // The views of a 1280x960 and a 1280x1024 screen under a title bar and the menu bar:
        // page 11, the longest, and the footer of page 1 at the largest text of that width.
        Scene page11(1280, 922);
        for (int page = 1; page < 11; ++page) {
            page11.view->OnKeyDown(VK_NEXT, 1, 0);
        }
        ok &= page11.Save(folder, "home-page-11-1280x922.png");
        Scene footer(1280, 986);
        ok &= footer.Save(folder, "home-page-1-1280x986.png");
    }
    {
        Scene play;
        play.view->OnKeyDown(VK_SPACE, 1, 0);
        play.view->OnKeyDown(VK_SPACE, 1, 0);
        for (int tick = 0; tick < 4; ++tick) {
            play.view->OnTimer(CGlobuleView::kPlayTimer);
        }
        ok &= play.Save(folder, "play-tick.png");
        play.view->OnKeyDown(VK_SPACE, 1, 0);
        ok &= play.Save(folder, "score-after-a-game.png");
    }
    {
        // Every display mode, at one client size each: the Home page, a played match's Score
        // screen and a game in play.
        const int sizes[][2] = {{1024, 730}, {1152, 826},  {1280, 986}, {1280, 922},
                                {1280, 730}, {1600, 1162}, {1600, 1042}};
        for (const auto& size : sizes) {
            const std::string tag = std::to_string(size[0]) + "x" + std::to_string(size[1]);
            Scene scene(size[0], size[1]);
            ok &= scene.Save(folder, ("mode-home-" + tag + ".png").c_str());
            PlayedMatch(scene.doc);
            scene.doc.m_nSortRow = 3;
            scene.view->OnKeyDown(VK_SPACE, 1, 0);
            ok &= scene.Save(folder, ("mode-score-" + tag + ".png").c_str());
            scene.view->OnKeyDown(VK_SPACE, 1, 0);
            for (int tick = 0; tick < 3; ++tick) {
                scene.view->OnTimer(CGlobuleView::kPlayTimer);
            }
            ok &= scene.Save(folder, ("mode-play-" + tag + ".png").c_str());
        }
    }
    {
        CGlobuleDoc doc;
        doc.OnNewDocument();
        FakeViewHost host(800, 600);
        CGlobuleView view(doc, host);
        CDC paint(host.ClientImage());
        view.OnDraw(paint);
        ok &= host.ClientImage().save(folder + QStringLiteral("/refusal-800x600.png"));
    }
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

// The hot paths of a game: composing and drawing a blob, and the stop with its score.
#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"
#include "platform/FakeViewHost.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

struct Rig {
    Rig() : host(1024, 710) {
        doc.OnNewDocument();
        view = std::make_unique<CGlobuleView>(doc, host);
        CDC dc(host.ClientImage());
        view->OnDraw(dc);
        view->OnKeyDown(VK_SPACE, 1, 0); // the Score screen
    }
    CGlobuleDoc doc;
    FakeViewHost host;
    std::unique_ptr<CGlobuleView> view;
};

void ComposeAndDrawBlob(benchmark::State& state) {
    Rig rig;
    CGlobuleView& v = *rig.view;
    for (auto _ : state) {
        // What a new Score screen does before its table: pick four shapes and draw them.
        for (int k = 0; k < 7; ++k) {
            v.m_aQuadrantPool[k] = k;
        }
        int left = 7;
        for (int k = 0; k < 7; ++k) {
            const int r = std::rand() % left;
            v.m_aQuadrantPick[k] = v.m_aQuadrantPool[r];
            for (int m = r; m < left - 1; ++m) {
                v.m_aQuadrantPool[m] = v.m_aQuadrantPool[m + 1];
            }
            --left;
        }
        v.DrawPlayScreen();
        benchmark::DoNotOptimize(v.m_aColumnCumul[479]);
    }
}
BENCHMARK(ComposeAndDrawBlob)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void EnterScoreScreen(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        rig.view->EnterScoreScreen();
    }
}
BENCHMARK(EnterScoreScreen)->Unit(benchmark::kMicrosecond)->Repetitions(5);

// Six 16 MiB names, as a crafted match file may hold: each cell shows only a few letters of
// its name, and the screen should cost about what it costs with the default names.
void EnterScoreScreenWithHugeNames(benchmark::State& state) {
    Rig rig;
    for (int p = 0; p < 6; ++p) {
        rig.doc.m_strPlayerName[p] = std::string(std::size_t{16} << 20, static_cast<char>('A' + p));
    }
    for (auto _ : state) {
        rig.view->EnterScoreScreen();
    }
}
BENCHMARK(EnterScoreScreenWithHugeNames)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void StopAndScore(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        state.PauseTiming();
        rig.view->OnKeyDown(VK_SPACE, 1, 0);         // start a game
        rig.view->OnTimer(CGlobuleView::kPlayTimer); // position 1
        rig.view->OnTimer(CGlobuleView::kPlayTimer); // position 2
        state.ResumeTiming();
        rig.view->OnKeyDown(VK_SPACE, 1, 0); // stop, score, and the new Score screen
    }
}
BENCHMARK(StopAndScore)->Unit(benchmark::kMicrosecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

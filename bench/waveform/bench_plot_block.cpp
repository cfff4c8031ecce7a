// Cost of plotting a 2048-byte block into the model in each mode, and of bringing a chart of
// 8 x 2048 points up to date and repainting it, offscreen.
#include "app/form1.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "waveform/chart_refresher.h"
#include "waveform/chart_setup.h"
#include "waveform/plot_block.h"
#include "waveform/plot_model.h"
#include "waveform/waveform.h"

#include <QApplication>
#include <QChartView>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

std::vector<std::uint8_t> SineBlock(int phase) {
    std::vector<std::uint8_t> bytes(2048);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(127.5 + 127.5 * std::sin((i + phase) * 0.03));
    return bytes;
}

// range(0): wave mode; range(1): 1 deals the block over all eight series one byte at a time.
void BM_PlotBlock(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const std::optional<ChannelDealing> dealing =
        state.range(1) ? std::optional(ChannelDealing{1, 8}) : std::nullopt;
    const std::vector<std::uint8_t> bytes = SineBlock(0);
    PlotModel model(8);
    for (auto _ : state) {
        PlotBlock(model, mode, {100, 200, 60000}, bytes, dealing);
        benchmark::DoNotOptimize(model.Revision());
    }
    state.SetBytesProcessed(state.iterations() * 2048);
}
BENCHMARK(BM_PlotBlock)
    ->ArgNames({"mode", "dealt"})
    ->Args({0, 0})->Args({1, 0})->Args({2, 0})->Args({2, 1})
    ->Args({3, 0})->Args({4, 0})->Args({5, 0})->Args({6, 0});

// The same through the window, as a received block is plotted: finds the window's display,
// reads the channel buttons and asks for a refresh.
void BM_PlotBlockOnWindow(benchmark::State& state) {
    Program program(MultiChannelBuild());
    const std::vector<std::uint8_t> bytes = SineBlock(0);
    program.Form1.cxButton2->setText(QStringLiteral("S8"));
    for (auto _ : state)
        PlotBlock(program.Form1, SingleByteFixed255, {}, bytes, true);
}
BENCHMARK(BM_PlotBlockOnWindow);

// A chart of the multi-channel build on a shown view of the window's chart size.
struct ShownChart {
    ShownChart() : view(new QChart) {
        view.resize(1009, 465);
        view.show();
        refresher.emplace(SetUpWaveChart(view, MultiChannelBuild()));
    }
    // Every series gets 2048 new values.
    void Fill(int phase) {
        for (int k = 0; k < 8; ++k) {
            model.Clear(k);
            for (std::uint8_t value : SineBlock(phase + 40 * k))
                model.Append(k, value);
        }
    }
    QChartView view;
    std::optional<ChartRefresher> refresher;
    PlotModel model{8};
};

// One refresh with every series changed: eight replace() calls of 2048 points, which lay the
// lines out at once, and the axes. The repaint it asks for is timed below.
void BM_RefreshEightSeries(benchmark::State& state) {
    ShownChart chart;
    int phase = 0;
    for (auto _ : state) {
        state.PauseTiming();
        chart.Fill(phase += 7);
        QApplication::processEvents();
        state.ResumeTiming();
        chart.refresher->Show(chart.model);
    }
}
BENCHMARK(BM_RefreshEightSeries)->Unit(benchmark::kMillisecond);

// One repaint of the chart view holding 8 x 2048 points.
void BM_RepaintEightSeries(benchmark::State& state) {
    ShownChart chart;
    chart.Fill(0);
    chart.refresher->Show(chart.model);
    QApplication::processEvents();
    for (auto _ : state)
        chart.view.viewport()->repaint();
}
BENCHMARK(BM_RepaintEightSeries)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

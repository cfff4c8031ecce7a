// The live display under a stream of received blocks: 2048-byte blocks plotted into the real
// window at 600 blocks per second (a 12 Mbaud line) for ten seconds, offscreen. For each
// one-second window it takes the main thread's busy fraction (its CPU time over the wall time),
// the chart frames painted and the refreshes done, and prints their medians.
#include "app/form1.h"
#include "app/selector.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "waveform/wave_display.h"
#include "waveform/waveform.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int BlocksPerSecond = 600;
constexpr int Seconds = 10;

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Second {
    double busy;
    int frames;
    std::uint64_t refreshes;
    int blocks;
};

qint64 MainThreadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

double Median(std::vector<double> values) {
    std::ranges::sort(values);
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void RunScenario(const char* name, int mode, const char* channelCount) {
    Program program(MultiChannelBuild());
    TForm1& form = program.Form1;
    form.show();
    form.resize(1030, 720); // the layout of the maximized window, chart wholly visible
    form.ComboBox6->setCurrentIndex(mode);
    form.cxButton2->setText(QString::fromLatin1(channelCount));
    WaveDisplay& display = WaveDisplayOf(form);
    QApplication::processEvents();

    // A sine wave that moves with every block, so every block changes the plot.
    std::vector<std::vector<std::uint8_t>> blocks(64, std::vector<std::uint8_t>(2048));
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        for (std::size_t i = 0; i < 2048; ++i)
            blocks[b][i] = static_cast<std::uint8_t>(127.5 + 127.5 * std::sin((i + 11 * b) * 0.03));
    }

    PaintCounter counter;
    form.Chart1->viewport()->installEventFilter(&counter);

    QElapsedTimer clock;
    std::vector<Second> seconds;
    std::int64_t sent = 0;
    qint64 windowStart = 0;
    qint64 windowCpu = MainThreadCpuNs();
    int windowPaints = 0;
    std::uint64_t windowRefreshes = display.RefreshCount();
    std::int64_t windowSent = 0;
    QEventLoop loop;
    QTimer feeder;
    feeder.setTimerType(Qt::PreciseTimer);
    feeder.setInterval(1);
    QObject::connect(&feeder, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const std::int64_t due = now * BlocksPerSecond / 1'000'000'000;
        for (; sent < due; ++sent) {
            const auto& block = blocks[static_cast<std::size_t>(sent) % blocks.size()];
            PlotBlock(form, ReadWaveMode(form), ReadWaveLimits(form), block,
                      form.Profile().dealsChannels);
        }
        if (now - windowStart >= 1'000'000'000) {
            const double wall = static_cast<double>(now - windowStart);
            const qint64 cpu = MainThreadCpuNs();
            seconds.push_back({static_cast<double>(cpu - windowCpu) / wall,
                               counter.paints - windowPaints,
                               display.RefreshCount() - windowRefreshes,
                               static_cast<int>(sent - windowSent)});
            windowStart = now;
            windowCpu = cpu;
            windowPaints = counter.paints;
            windowRefreshes = display.RefreshCount();
            windowSent = sent;
            if (static_cast<int>(seconds.size()) == Seconds)
                loop.quit();
        }
    });
    clock.start();
    feeder.start();
    loop.exec();

    std::vector<double> busy, frames, refreshes, blocksDone;
    for (const Second& s : seconds) {
        busy.push_back(s.busy);
        frames.push_back(s.frames);
        refreshes.push_back(static_cast<double>(s.refreshes));
        blocksDone.push_back(s.blocks);
    }
    std::printf("%-34s busy %5.1f %%   frames %5.1f /s   refreshes %5.1f /s   blocks %6.1f /s\n",
                name, 100 * Median(busy), Median(frames), Median(refreshes), Median(blocksDone));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::printf("%d blocks of 2048 bytes per second for %d s, medians of one-second windows\n",
                BlocksPerSecond, Seconds);
    RunScenario("single byte (mode 0)", 0, "S1");
    RunScenario("dealt over 8 series (mode 2, N1 S8)", 2, "S8");
    RunScenario("byte pairs (mode 3)", 3, "S1");
    return 0;
}

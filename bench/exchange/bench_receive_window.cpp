// Prints the main-thread cost of one received 2048-byte block in each display base (text and
// plot), then floods the real window through a pseudo-terminal and reports the bytes per
// second it shows and the bytes it lost. Runs offscreen.

#include "app/error_report.h"
#include "app/selector.h"
#include "builds/build_profiles.h"
#include "builds/program.h"
#include "exchange/exchange_handlers.h"
#include "tests/support/process_memory.h"
#include "tests/support/pty_flood.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <vector>

namespace {

double MedianMs(std::vector<double> samples) {
    std::ranges::sort(samples);
    return samples[samples.size() / 2];
}

void BlockCost(Program& program, bool characters, int waveMode) {
    TForm1& form = program.Form1;
    form.Button6->setText(characters ? QStringLiteral("COM-10") : QStringLiteral("COM-16"));
    form.ComboBox6->setCurrentIndex(waveMode);
    std::vector<std::uint8_t> block(2048);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i * 7);
    std::vector<double> samples;
    for (int round = 0; round < 400; ++round) {
        QElapsedTimer timer;
        timer.start();
        Comm1ReceiveData(form, block.data(), static_cast<std::uint16_t>(block.size()));
        samples.push_back(timer.nsecsElapsed() / 1e6);
        if (round % 20 == 0)
            QCoreApplication::processEvents(); // let the chart show a frame now and then
    }
    std::printf("%-28s %-10s mode %d  %.3f ms per 2048-byte block (median)\n", "Comm1ReceiveData",
                characters ? "COM-10" : "COM-16", waveMode, MedianMs(samples));
}

// Floods the window through a pseudo-terminal with the counting pattern for `seconds`.
void FloodWindow(Program& program, int seconds) {
    RawPty pty;
    // A full line must not block the far end once it is told to stop.
    ::fcntl(pty.master, F_SETFL, ::fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    TForm1& form = program.Form1;
    form.Comm1.SetDeviceLister([path = pty.slavePath] { return std::vector{path}; });
    form.ComboBox2->setCurrentIndex(40);
    form.Button10->click();
    form.Button6->click(); // hexadecimal display, the costlier one
    form.ComboBox6->setCurrentIndex(0);

    std::uint64_t received = 0, lost = 0;
    std::uint8_t expected = 0;
    form.Comm1.OnReceiveData = [&](TComm&, const std::uint8_t* buffer, std::uint16_t length) {
        for (std::uint16_t i = 0; i < length; ++i, ++expected) {
            if (buffer[i] != expected) {
                ++lost;
                expected = buffer[i];
            }
        }
        received += length;
        RunHandler([&] { Comm1ReceiveData(form, buffer, length); });
    };

    std::atomic<bool> stop{false};
    std::uint64_t sent = 0;
    std::thread writer([&] { sent = Flood(pty.master, UINT64_MAX, stop); });

    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    stop = true;
    writer.join();
    // The rate counts until the window has shown what was still in flight.
    while (received < sent && timer.elapsed() < (seconds + 5) * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const double elapsed = timer.elapsed() / 1000.0;
    std::printf("window flood, hex display, wave mode 0: %.2f MB/s shown, %llu bytes sent, "
                "%llu received, %llu out of sequence, peak resident memory %.1f MiB\n",
                received / elapsed / 1e6, static_cast<unsigned long long>(sent),
                static_cast<unsigned long long>(received), static_cast<unsigned long long>(lost),
                ProcStatusKiB("VmHWM") / 1024.0);
    form.Button11->click();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    {
        Program program(MultiChannelBuild());
        program.Form1.show();
        for (bool characters : {true, false})
            for (int mode : {-1, 0, 2, 3})
                BlockCost(program, characters, mode);
    }
    Program program(MultiChannelBuild());
    program.Form1.show();
    FloodWindow(program, 5);
    return 0;
}

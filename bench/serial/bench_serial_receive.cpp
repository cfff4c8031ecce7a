// Receive throughput: a pseudo-terminal flooded at full speed, read by a bare loop and by TComm
// into a consumer on the pumping ("main") thread. Prints MB/s, blocks/s, peak memory and the
// bytes lost, which must be 0.

#include "serial/comm.h"
#include "serial/pumped_notice_channel.h"
#include "tests/support/process_memory.h"
#include "tests/support/pty_flood.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

constexpr uint64_t FloodBytes = 256ull * 1024 * 1024;

void BareReadLoop(benchmark::State& state) {
    for (auto _ : state) {
        RawPty pty;
        std::atomic<bool> stop = false;
        std::thread writer([&] { Flood(pty.master, FloodBytes, stop); });
        std::vector<uint8_t> buffer(static_cast<size_t>(state.range(0)));
        uint64_t received = 0;
        uint64_t reads = 0;
        while (received < FloodBytes) {
            const ssize_t n = ::read(pty.slave, buffer.data(), buffer.size());
            if (n <= 0)
                break;
            received += static_cast<uint64_t>(n);
            ++reads;
        }
        writer.join();
        state.counters["MB/s"] = benchmark::Counter(double(received) / 1e6,
                                                    benchmark::Counter::kIsIterationInvariantRate);
        state.counters["reads/s"] =
            benchmark::Counter(double(reads), benchmark::Counter::kIsIterationInvariantRate);
    }
}

// `pauseMs`: the consumer first stalls that long, as a busy window would; the read thread must
// then wait for it with bounded memory and lose nothing.
void TCommReceive(benchmark::State& state) {
    const int pauseMs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeakMemory();
        RawPty pty;
        PumpedNoticeChannel channel;
        TComm comm(channel);
        uint64_t received = 0, blocks = 0, corrupt = 0;
        size_t peakInFlight = 0;
        uint8_t expected = 0;
        comm.OnReceiveData = [&](TComm&, const uint8_t* buffer, uint16_t length) {
            for (uint16_t i = 0; i < length; ++i, ++expected)
                corrupt += buffer[i] != expected;
            received += length;
            ++blocks;
        };
        comm.SetCommName(pty.slavePath);
        comm.OpenPort();
        state.ResumeTiming();

        std::atomic<bool> stop = false;
        uint64_t sent = 0;
        std::thread writer([&] { sent = Flood(pty.master, FloodBytes, stop); });
        if (pauseMs > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            peakInFlight = comm.BytesInFlight();
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (received < FloodBytes && std::chrono::steady_clock::now() < deadline) {
            channel.Pump(std::chrono::milliseconds(100));
            peakInFlight = std::max(peakInFlight, comm.BytesInFlight());
        }
        stop = true;
        writer.join();

        state.PauseTiming();
        comm.ClosePort();
        state.counters["MB/s"] = benchmark::Counter(double(received) / 1e6,
                                                    benchmark::Counter::kIsIterationInvariantRate);
        state.counters["blocks/s"] =
            benchmark::Counter(double(blocks), benchmark::Counter::kIsIterationInvariantRate);
        state.counters["peak_RSS_MiB"] = double(ProcStatusKiB("VmHWM")) / 1024.0;
        state.counters["peak_in_flight_MiB"] = double(peakInFlight) / (1024.0 * 1024.0);
        state.counters["bytes_lost"] = double(sent - received);
        state.counters["bytes_corrupt"] = double(corrupt);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BareReadLoop)
    ->Arg(2048)
    ->Arg(65536)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TCommReceive)
    ->Arg(0)
    ->Arg(1000)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

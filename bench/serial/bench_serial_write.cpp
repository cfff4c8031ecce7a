// One-byte WriteBytes requests, timed end to end: from the first call until the far end of
// the pseudo-terminal has read the last byte. Prints requests per second.

#include "serial/comm.h"
#include "serial/pumped_notice_channel.h"
#include "tests/support/pty_flood.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

void WriteBytesOneByte(benchmark::State& state) {
    const uint64_t requests = static_cast<uint64_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        RawPty pty;
        PumpedNoticeChannel channel;
        TComm comm(channel);
        comm.SetCommName(pty.slavePath);
        comm.OpenPort();
        channel.Pump(std::chrono::milliseconds(100));
        uint64_t refused = 0, corrupt = 0;
        state.ResumeTiming();

        std::thread reader([&] {
            std::vector<uint8_t> buffer(65536);
            uint64_t got = 0;
            uint8_t expected = 0;
            while (got < requests) {
                pollfd entry{pty.master, POLLIN, 0};
                if (::poll(&entry, 1, 5000) <= 0)
                    break;
                const ssize_t n = ::read(pty.master, buffer.data(), buffer.size());
                if (n <= 0)
                    break;
                for (ssize_t i = 0; i < n; ++i, ++expected)
                    corrupt += buffer[size_t(i)] != expected;
                got += static_cast<uint64_t>(n);
            }
        });
        for (uint64_t i = 0; i < requests; ++i) {
            const uint8_t byte = static_cast<uint8_t>(i);
            refused += !comm.WriteBytes(&byte, 1);
        }
        reader.join();

        state.PauseTiming();
        channel.Pump(std::chrono::milliseconds(0));
        comm.ClosePort();
        state.counters["requests/s"] =
            benchmark::Counter(double(requests), benchmark::Counter::kIsIterationInvariantRate);
        state.counters["refused"] = double(refused);
        state.counters["bytes_corrupt"] = double(corrupt);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(WriteBytesOneByte)
    ->Arg(200000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// Cost of one FormatResult and one ParseOperand on doubles and texts of every magnitude, and of
// PowerProduct with the largest exponent for bases whose product settles, overflows, or (close to
// 1 in magnitude) keeps changing for the whole loop.

#include "app/conversions.h"
#include "calculator/arithmetic.h"
#include "calculator/number_text.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>

#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace {

std::vector<double> RandomDoubles() {
    QRandomGenerator random(42);
    std::vector<double> values;
    while (values.size() < 4096) {
        const double value = std::bit_cast<double>(random.generate64());
        if (std::isfinite(value))
            values.push_back(value);
    }
    return values;
}

void FormatResultRandom(benchmark::State& state) {
    const std::vector<double> values = RandomDoubles();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatResult(values[i++ % values.size()]));
}
BENCHMARK(FormatResultRandom);

void ParseOperandRandom(benchmark::State& state) {
    std::vector<QString> texts;
    for (double value : RandomDoubles()) {
        if (std::fabs(value) < 1e30 && std::fabs(value) > 1e-30)
            texts.push_back(QString::number(value, 'f', 40));
    }
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseOperand(texts[i++ % texts.size()]));
}
BENCHMARK(ParseOperandRandom);

// The base is state.range(0) / 10^7, so 10000001 stands for 1.0000001.
void PowerLargestExponent(benchmark::State& state) {
    const double base = static_cast<double>(state.range(0)) / 1e7;
    const std::int32_t exponent = std::numeric_limits<std::int32_t>::max();
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(PowerProduct(base, exponent));
        } catch (const EOverflow&) {
            state.counters["overflow"] = 1;
        }
    }
}
BENCHMARK(PowerLargestExponent)
    ->Arg(10000000)  // 1: repeats at once
    ->Arg(-10000000) // -1: alternates
    ->Arg(5000000)   // 0.5: reaches 0
    ->Arg(-9990000)  // -0.999: settles in the denormal range, alternating
    ->Arg(20000000)  // 2: overflows
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PowerLargestExponent)->Arg(10000001)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

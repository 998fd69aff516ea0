// Translation speed over generated profiles of 1 000, 10 000 and 100 000 lines: six tenths
// script lines (a device profile holds at most 65535 scripts), the rest programming modes of
// 30 assignments and axis chains of 5 groups, in proportion.
#include "bench/GeneratedProfile.h"
#include "files/ProfileTranslator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using vantrel::bench::generatedProfile;

void translateProfile(benchmark::State& state) {
    vantrel::DiagnosticList diagnostics;
    const std::string text = generatedProfile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vantrel::ProfileTranslator translator("generated.vtp", text, diagnostics);
        auto bytes = translator.deviceBytes();
        benchmark::DoNotOptimize(bytes);
    }
    if (!diagnostics.empty()) {
        const vantrel::Diagnostic& first = diagnostics.items().front();
        state.SkipWithError((first.title + ": " + first.text).c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["profile_bytes"] = static_cast<double>(text.size());
}

BENCHMARK(translateProfile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

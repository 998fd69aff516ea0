// Checking a profile text against translating it, over the generated profile of 100 000
// lines (60 000 scripts): the check reads the text once and must take no longer than the
// translation it stands in for.
#include "bench/GeneratedProfile.h"
#include "files/ProfileCheck.h"
#include "files/ProfileTranslator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using vantrel::bench::generatedProfile;

void checkProfile(benchmark::State& state) {
    const std::string text = generatedProfile(static_cast<int>(state.range(0)));
    std::size_t findings = 0;
    for (auto _ : state) {
        auto result = vantrel::checkProfileText(text);
        findings = result.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["findings"] = static_cast<double>(findings);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void translateProfile(benchmark::State& state) {
    const std::string text = generatedProfile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vantrel::DiagnosticList diagnostics;
        vantrel::ProfileTranslator translator("generated.vtp", text, diagnostics);
        auto bytes = translator.deviceBytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(checkProfile)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(translateProfile)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

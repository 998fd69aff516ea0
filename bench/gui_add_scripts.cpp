// Adding scripts one by one to the editor window, as the profile reader does for every
// script line of a file: the time must grow linearly with the number of scripts.
#include "editor/EditorWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// Script lines with names in shuffled order, so that every name lands somewhere inside the
// sorted list rather than at its end.
std::vector<std::string> scriptLines(int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back("Script" + std::to_string(i) + " a^40 A dx_1 DX_1");
    std::mt19937 random(42);
    std::shuffle(lines.begin(), lines.end(), random);
    return lines;
}

void addScriptsOneByOne(benchmark::State& state) {
    const auto lines = scriptLines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<vantrel::EditorWindow>();
        state.ResumeTiming();
        for (const auto& line : lines)
            window->addScript(line);
        benchmark::DoNotOptimize(window->scripts().size());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

BENCHMARK(addScriptsOneByOne)
    ->RangeMultiplier(2)
    ->Range(12500, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

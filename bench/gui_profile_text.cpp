// Opening and saving profiles through the editor window, as File > Open and Save do, at the
// sizes of the whole-process benchmarks: typical, the largest the stick holds, the stress file.
#include "bench/GeneratedProfile.h"
#include "editor/EditorWindow.h"
#include "files/ProfileTextWriter.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using namespace vantrel;

using bench::ProfileSize;

// The generated profile of this size in a file of this name in the temporary folder.
std::string writeProfile(benchmark::State& state, const char* name) {
    const auto size = static_cast<ProfileSize>(state.range(0));
    state.SetLabel(bench::nameOf(size));
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << bench::generatedProfileOf(size);
    return path;
}

void OpenInWindow(benchmark::State& state) {
    const std::string path = writeProfile(state, "vantrel-gui-open.vtp");
    EditorWindow window;
    DiagnosticList diagnostics;
    for (auto _ : state)
        window.openProfile(path, diagnostics);
    if (window.scripts().empty())
        state.SkipWithError("scripts lost");
    std::filesystem::remove(path);
}

void SaveFromWindow(benchmark::State& state) {
    const std::string path = writeProfile(state, "vantrel-gui-save.vtp");
    EditorWindow window;
    DiagnosticList diagnostics;
    window.openProfile(path, diagnostics);
    for (auto _ : state)
        if (!window.saveProfile(diagnostics))
            state.SkipWithError("save failed");
    std::filesystem::remove(path);
}

} // namespace

// Every size, its repetitions interleaved with the others' (--benchmark_repetitions).
void everySize(benchmark::internal::Benchmark* family) {
    for (const ProfileSize size :
         {ProfileSize::Typical, ProfileSize::DeviceLargest, ProfileSize::Stress})
        family->Arg(static_cast<int>(size));
    family->ArgName("size")->Unit(benchmark::kMillisecond);
}

BENCHMARK(OpenInWindow)->Apply(everySize);
BENCHMARK(SaveFromWindow)->Apply(everySize);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Opening and saving large profiles through the editor window, as File > Open and Save do.
#include "editor/EditorWindow.h"
#include "files/ProfileTextModel.h"
#include "files/ProfileTextWriter.h"
#include "profile/SlotTable.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

using namespace vantrel;

std::string writeLargeProfile(int scripts, const char* name) {
    Profile profile;
    for (int i = 0; i < scripts; ++i)
        profile.scripts.push_back("Script" + std::to_string(i) + " a^40 A b B dx_1 DX_1");
    for (int m = 0; m < 50; ++m) {
        ProgrammingMode mode(m == 0 ? "DEFAULT" : "Mode" + std::to_string(m));
        for (int position = 1; position <= kSlotCount - kAxisSlotCount; ++position)
            mode.setAssignment(position,
                               "Script" + std::to_string((m * kSlotCount + position) % scripts));
        profile.modes.push_back(mode);
    }
    ProfileTextModel model(profile);
    model.setProfilePath((std::filesystem::temp_directory_path() / name).string());
    DiagnosticList diagnostics;
    writeProfileText(model, diagnostics);
    return model.profilePath();
}

void OpenInWindow(benchmark::State& state) {
    const std::string path =
        writeLargeProfile(static_cast<int>(state.range(0)), "vantrel-gui-open.vtp");
    EditorWindow window;
    DiagnosticList diagnostics;
    for (auto _ : state)
        window.openProfile(path, diagnostics);
    if (window.scripts().size() != static_cast<std::size_t>(state.range(0)))
        state.SkipWithError("scripts lost");
    std::filesystem::remove(path);
}

void SaveFromWindow(benchmark::State& state) {
    const std::string path =
        writeLargeProfile(static_cast<int>(state.range(0)), "vantrel-gui-save.vtp");
    EditorWindow window;
    DiagnosticList diagnostics;
    window.openProfile(path, diagnostics);
    for (auto _ : state)
        if (!window.saveProfile(diagnostics))
            state.SkipWithError("save failed");
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(OpenInWindow)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SaveFromWindow)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

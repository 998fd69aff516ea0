// Opening and saving large profiles through the profile text file.
#include "files/ProfileTextModel.h"
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"
#include "profile/SlotTable.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace vantrel;

constexpr int kModes = 50;

Profile largeProfile(int scripts) {
    Profile profile;
    for (int i = 0; i < scripts; ++i)
        profile.scripts.push_back("Script" + std::to_string(i) + " a^40 A b B dx_1 DX_1 MOUSEUP_5");
    for (int c = 0; c < 10; ++c) {
        profile.chains.addChain("Chain" + std::to_string(c));
        for (int g = 0; g < 5; ++g)
            profile.chains.addGroupLine(formatGroupLine(-32767, 32767, 5, "Script1", "Script2"), 5,
                                        c);
    }
    for (int m = 0; m < kModes; ++m) {
        ProgrammingMode mode(m == 0 ? "DEFAULT" : "Mode" + std::to_string(m));
        for (int position = 1; position <= kSlotCount; ++position)
            mode.setAssignment(position,
                               "Script" + std::to_string((m * kSlotCount + position) % scripts));
        profile.modes.push_back(mode);
    }
    return profile;
}

std::string benchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void SaveProfile(benchmark::State& state) {
    DiagnosticList diagnostics;
    ProfileTextModel model(largeProfile(static_cast<int>(state.range(0))));
    model.setProfilePath(benchFile("vantrel-bench-save.vtp"));
    for (auto _ : state) {
        if (!writeProfileText(model, diagnostics))
            state.SkipWithError("save failed");
    }
    std::filesystem::remove(model.profilePath());
}

void OpenProfile(benchmark::State& state) {
    DiagnosticList diagnostics;
    ProfileTextModel saved(largeProfile(static_cast<int>(state.range(0))));
    saved.setProfilePath(benchFile("vantrel-bench-open.vtp"));
    writeProfileText(saved, diagnostics);
    for (auto _ : state) {
        // Each profile read is freed within its iteration, as an editor frees the one before.
        const ProfileRead read = readProfileText(saved.profilePath(), diagnostics);
        if (read.profile.scripts.size() != saved.profile().scripts.size())
            state.SkipWithError("open failed or scripts lost");
    }
    std::filesystem::remove(saved.profilePath());
}

} // namespace

BENCHMARK(SaveProfile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenProfile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

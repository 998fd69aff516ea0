// Opening and saving large profiles through the profile text file.
#include "files/EditedProfileFile.h"
#include "files/ProfileTextReader.h"
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

// The large profile as the editor holds it, to be saved in the temporary folder.
EditedProfile benchDocument(int scripts, const char* fileName) {
    EditedProfile document;
    document.load(largeProfile(scripts));
    document.setPath((std::filesystem::temp_directory_path() / fileName).string(), fileName);
    return document;
}

void SaveProfile(benchmark::State& state) {
    DiagnosticList diagnostics;
    EditedProfile document =
        benchDocument(static_cast<int>(state.range(0)), "vantrel-bench-save.vtp");
    for (auto _ : state) {
        if (!saveProfileFile(document, diagnostics, nullptr))
            state.SkipWithError("save failed");
    }
    std::filesystem::remove(document.path());
}

void OpenProfile(benchmark::State& state) {
    DiagnosticList diagnostics;
    EditedProfile saved = benchDocument(static_cast<int>(state.range(0)), "vantrel-bench-open.vtp");
    saveProfileFile(saved, diagnostics, nullptr);
    const std::size_t scripts = saved.scripts().lines().size();
    for (auto _ : state) {
        // Each profile read is freed within its iteration, as an editor frees the one before.
        const ProfileRead read = readProfileText(saved.path(), diagnostics);
        if (read.profile.scripts.size() != scripts)
            state.SkipWithError("open failed or scripts lost");
    }
    std::filesystem::remove(saved.path());
}

} // namespace

BENCHMARK(SaveProfile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenProfile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// Undo and redo on large profiles, and what the history of many commands holds.
#include "profile/EditedProfile.h"
#include "profile/SlotTable.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <new>

#if defined(__GLIBC__)
#include <malloc.h>
#define VANTREL_COUNTS_HEAP 1
#endif

namespace {

#ifdef VANTREL_COUNTS_HEAP
// The bytes the program holds on the heap now, counted by every allocation of this binary.
std::size_t liveBytes = 0;
#endif

using namespace vantrel;

Profile largeProfile(int scripts) {
    Profile profile = Profile::newProfile();
    for (int i = 1; i < scripts; ++i)
        profile.scripts.push_back("Script" + std::to_string(i) + " a^40 A b B dx_1 DX_1 MOUSEUP_5");
    for (int c = 0; c < 5; ++c) {
        profile.chains.addChain("Chain" + std::to_string(c));
        for (int g = 0; g < 5; ++g)
            profile.chains.addGroupLine(formatGroupLine(-32767, 32767, 5, "Script1", "Script2"), 5,
                                        c);
    }
    for (int m = 1; m < 20; ++m) {
        ProgrammingMode mode("Mode" + std::to_string(m));
        for (int position = 1; position <= kSlotCount; ++position)
            mode.setAssignment(position, "Script" + std::to_string((m * 31 + position) % scripts));
        profile.modes.push_back(mode);
    }
    return profile;
}

// One command on the profile, done once; the benchmark then times its undo or its redo.
using Command = std::function<void(EditedProfile&)>;

const Command kCommands[] = {
    [](EditedProfile& d) { d.deleteScript(d.scripts().findRow("Script30000"), "x"); },
    [](EditedProfile& d) { d.addScript("Added a A"); },
    [](EditedProfile& d) { d.clearScripts(); },
    [](EditedProfile& d) { d.deleteMode(10); },
    [](EditedProfile& d) { d.assign(1, "Script7"); },
};
const char* const kCommandNames[] = {"DeleteScript", "AddScript", "ClearAllScripts", "DeleteMode",
                                     "Assign"};

template <bool TimeUndo> void UndoOrRedo(benchmark::State& state) {
    EditedProfile document;
    document.load(largeProfile(static_cast<int>(state.range(0))));
    document.selectMode(1);
    kCommands[state.range(1)](document);
    state.SetLabel(kCommandNames[state.range(1)]);
    // A timed redo needs the command undone before it.
    if (!TimeUndo)
        document.undo();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TimeUndo ? document.undo() : document.redo();
        const auto end = std::chrono::steady_clock::now();
        TimeUndo ? document.redo() : document.undo();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void Undo(benchmark::State& state) {
    UndoOrRedo<true>(state);
}
void Redo(benchmark::State& state) {
    UndoOrRedo<false>(state);
}

void commandArguments(benchmark::internal::Benchmark* b) {
    for (int command = 0; command < static_cast<int>(std::size(kCommands)); ++command)
        b->Args({60000, command});
}

BENCHMARK(Undo)->Apply(commandArguments)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(Redo)->Apply(commandArguments)->UseManualTime()->Unit(benchmark::kMicrosecond);

// 1 000 commands of every kind but Clear All on a profile of 10 000 scripts: the heap the
// history holds beside the heap of the profile itself.
void HistoryMemory(benchmark::State& state) {
#ifndef VANTREL_COUNTS_HEAP
    state.SkipWithError("the heap is counted only with the GNU C library");
    return;
#else
    for (auto _ : state) {
        const Profile source = largeProfile(10000);
        const std::size_t empty = liveBytes;
        auto document = std::make_unique<EditedProfile>();
        document->load(source);
        const std::size_t profileBytes = liveBytes - empty;
        for (int i = 0; i < 1000; ++i) {
            const std::string n = std::to_string(i);
            switch (i % 10) {
            case 0:
                document->addScript("New" + n + " a A");
                break;
            case 1:
                document->updateScript("Script" + n + " b^20 B");
                break;
            case 2:
                document->deleteScript(document->scripts().findRow("Script" + n), "x");
                break;
            case 3:
                document->duplicateScript(document->scripts().findRow("Script" + n));
                break;
            case 4:
                document->selectMode(1 + i % 19);
                document->assign(1 + i % kSlotCount, "Script" + n);
                break;
            case 5:
                document->createMode("NewMode" + n);
                break;
            case 6:
                document->renameMode(1 + i % 19, "Renamed" + n);
                break;
            case 7: {
                GroupLimits limits{1, -100, 100};
                document->addGroup(i / 10 % 5, limits, "Script1", "Script2");
                break;
            }
            case 8:
                document->removeGroup(i / 10 % 5, 0);
                break;
            default:
                document->setDelays({static_cast<std::uint32_t>(i), 10});
            }
        }
        const std::size_t withHistory = liveBytes - empty;
        // The same profile without its history: a copy loaded into a second document.
        const Profile now = document->profile();
        const std::size_t withCopy = liveBytes - empty;
        EditedProfile fresh;
        fresh.load(now);
        const std::size_t freshBytes = liveBytes - empty - withCopy;
        if (document->undoCount() < 1000)
            state.SkipWithError("fewer than 1 000 commands were kept");
        state.counters["profile_MB"] = static_cast<double>(profileBytes) / 1e6;
        state.counters["history_MB"] = static_cast<double>(withHistory - freshBytes) / 1e6;
        state.counters["history_per_profile"] =
            static_cast<double>(withHistory - freshBytes) / static_cast<double>(profileBytes);
        state.counters["commands"] = static_cast<double>(document->undoCount());
    }
#endif
}
BENCHMARK(HistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

#ifdef VANTREL_COUNTS_HEAP
void* operator new(std::size_t size) {
    void* memory = std::malloc(size ? size : 1);
    if (!memory)
        throw std::bad_alloc();
    liveBytes += malloc_usable_size(memory);
    return memory;
}
void operator delete(void* memory) noexcept {
    if (memory)
        liveBytes -= malloc_usable_size(memory);
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    operator delete(memory);
}
#endif

BENCHMARK_MAIN();

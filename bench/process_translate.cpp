// Translating a large profile text file as a user does it: the optimised program run as its
// own process on a generated file of 60 000 scripts (about 4.8 MB), against `wc -w` on the
// same file as the reference, the two run in turn in every iteration (their order swapped
// each time) so that both meet the same load. Figures from the children's own accounting
// (wait4): wall time, processor time (user + system) and peak resident memory; the ratios to
// the reference, and of the peak memory to the file's size, are the counters to watch.
//
// The file and the device file written beside it are in a folder on /dev/shm when there is
// one: the atomic save flushes the device file to its disk, and on a tmpfs that flush costs
// nothing, so the figures are the program's own work.
#include "bench/GeneratedProfile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kScripts = 60000;

// The generated file in a folder of its own, removed at the end.
class LargeProfileFile {
public:
    LargeProfileFile() {
        const fs::path base =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "vantrel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            folder_ = pattern;
        const std::string text = vantrel::bench::generatedLongScriptProfile(kScripts);
        std::ofstream(path(), std::ios::binary) << text;
        size_ = text.size();
    }
    ~LargeProfileFile() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string path() const { return (folder_ / "large.vtp").string(); }
    std::string devicePath() const { return (folder_ / "large.bpf").string(); }
    std::size_t size() const { return size_; }

private:
    fs::path folder_;
    std::size_t size_ = 0;
};

struct ChildRun {
    bool ok = false;
    double wallMs = 0;
    double cpuMs = 0;
    double maxRssBytes = 0;
};

double milliseconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
}

// Runs the program (found on PATH) with its output on /dev/null and waits for it.
ChildRun runChild(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.cpuMs = milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    run.maxRssBytes = static_cast<double>(usage.ru_maxrss) * 1024.0; // kilobytes on Linux
    return run;
}

// The program built beside this benchmark, or another build of it named in
// VANTREL_BENCH_PROGRAM (to measure an older build in the same run of the machine).
std::string translatingProgram() {
    const char* other = std::getenv("VANTREL_BENCH_PROGRAM");
    return other && *other ? other : VANTREL_TRANSLATING_PROGRAM;
}

void translateLargeFileProcess(benchmark::State& state) {
    static const LargeProfileFile file;
    const std::string program = translatingProgram();
    state.SetLabel(program + " on " + fs::path(file.path()).parent_path().string());
    ChildRun ours, reference;
    bool swap = false;
    for (auto _ : state) {
        ChildRun run, wc;
        if (swap) {
            wc = runChild({"wc", "-w", file.path()});
            run = runChild({program, file.path()});
        } else {
            run = runChild({program, file.path()});
            wc = runChild({"wc", "-w", file.path()});
        }
        swap = !swap;
        if (!run.ok || !wc.ok || !fs::exists(file.devicePath())) {
            state.SkipWithError("a child process failed");
            return;
        }
        state.SetIterationTime(run.wallMs / 1e3);
        ours.wallMs += run.wallMs;
        ours.cpuMs += run.cpuMs;
        ours.maxRssBytes = std::max(ours.maxRssBytes, run.maxRssBytes);
        reference.wallMs += wc.wallMs;
        reference.cpuMs += wc.cpuMs;
    }
    const double runs = static_cast<double>(state.iterations());
    const double megabyte = 1e6;
    state.counters["wall_ms"] = ours.wallMs / runs;
    state.counters["cpu_ms"] = ours.cpuMs / runs;
    state.counters["wc_wall_ms"] = reference.wallMs / runs;
    state.counters["wc_cpu_ms"] = reference.cpuMs / runs;
    state.counters["wall_ratio"] = ours.wallMs / reference.wallMs;
    state.counters["cpu_ratio"] = ours.cpuMs / reference.cpuMs;
    state.counters["max_rss_MB"] = ours.maxRssBytes / megabyte;
    state.counters["input_MB"] = static_cast<double>(file.size()) / megabyte;
    state.counters["rss_ratio"] = ours.maxRssBytes / static_cast<double>(file.size());
}

BENCHMARK(translateLargeFileProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

BENCHMARK_MAIN();

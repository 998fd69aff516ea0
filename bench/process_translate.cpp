// Translating profile text files as a user does it: the optimised program run as its own
// process, its wall time, processor time (user + system) and peak resident memory taken from
// the children's own accounting (wait4), beside a reference run in turn in every iteration
// (their order swapped each time) so that both meet the same load:
// - at the sizes pilots have (a typical profile, and the largest whose device file the stick
//   holds), the same program's `--version`, so the ratio is what the translation adds to
//   starting the program at all;
// - on the stress files of 30 000 and 60 000 scripts (about 2.4 and 4.8 MB), `wc -w` on the
//   same file, and the peak memory against the file's size.
//
// The files and the device files written beside them are in a folder on /dev/shm when there
// is one: the atomic save flushes the device file to its disk, and on a tmpfs that flush
// costs nothing, so the figures are the program's own work.
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

using vantrel::bench::ProfileSize;

// A generated file in a folder of its own, removed at the end.
class ProfileFile {
public:
    explicit ProfileFile(const std::string& text) {
        const fs::path base =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "vantrel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            folder_ = pattern;
        std::ofstream(path(), std::ios::binary) << text;
        size_ = text.size();
    }
    ~ProfileFile() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string path() const { return (folder_ / "generated.vtp").string(); }
    std::string devicePath() const { return (folder_ / "generated.bpf").string(); }
    std::uintmax_t deviceFileSize() const {
        std::error_code ignored;
        return fs::file_size(devicePath(), ignored);
    }
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

struct Totals {
    double wallMs = 0;
    double cpuMs = 0;
    double maxRssBytes = 0;
    void add(const ChildRun& run) {
        wallMs += run.wallMs;
        cpuMs += run.cpuMs;
        maxRssBytes = std::max(maxRssBytes, run.maxRssBytes);
    }
};

// Runs the program on the file and the reference in turn; false when either failed.
bool measure(benchmark::State& state, const ProfileFile& file,
             const std::vector<std::string>& referenceArgs, Totals& ours, Totals& reference) {
    const std::string program = translatingProgram();
    state.SetLabel(program + " on " + fs::path(file.path()).parent_path().string());
    bool swap = false;
    for (auto _ : state) {
        ChildRun run, other;
        if (swap) {
            other = runChild(referenceArgs);
            run = runChild({program, file.path()});
        } else {
            run = runChild({program, file.path()});
            other = runChild(referenceArgs);
        }
        swap = !swap;
        if (!run.ok || !other.ok || !fs::exists(file.devicePath())) {
            state.SkipWithError("a child process failed");
            return false;
        }
        state.SetIterationTime(run.wallMs / 1e3);
        ours.add(run);
        reference.add(other);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["wall_ms"] = ours.wallMs / runs;
    state.counters["cpu_ms"] = ours.cpuMs / runs;
    state.counters["ref_wall_ms"] = reference.wallMs / runs;
    state.counters["ref_cpu_ms"] = reference.cpuMs / runs;
    state.counters["wall_ratio"] = ours.wallMs / reference.wallMs;
    state.counters["cpu_ratio"] = ours.cpuMs / reference.cpuMs;
    state.counters["max_rss_MB"] = ours.maxRssBytes / 1e6;
    state.counters["bpf_bytes"] = static_cast<double>(file.deviceFileSize());
    return true;
}

// A pilot's profile against the program's own start: goal within 2 times `--version`.
void translateAgainstVersion(benchmark::State& state) {
    const auto size = static_cast<ProfileSize>(state.range(0));
    const ProfileFile file(vantrel::bench::generatedProfileOf(size));
    Totals ours, reference;
    if (!measure(state, file, {translatingProgram(), "--version"}, ours, reference))
        return;
    if (size == ProfileSize::DeviceLargest && file.deviceFileSize() > 65535)
        state.SkipWithError("the device file is larger than the stick holds");
}

// The stress file against `wc -w`: goal within 3 times, growing linearly with the scripts.
void translateLargeFileProcess(benchmark::State& state) {
    const ProfileFile file(
        vantrel::bench::generatedLongScriptProfile(static_cast<int>(state.range(0))));
    Totals ours, reference;
    if (!measure(state, file, {"wc", "-w", file.path()}, ours, reference))
        return;
    state.counters["input_MB"] = static_cast<double>(file.size()) / 1e6;
    state.counters["rss_ratio"] = ours.maxRssBytes / static_cast<double>(file.size());
}

BENCHMARK(translateAgainstVersion)
    ->ArgName("size")
    ->Arg(static_cast<int>(ProfileSize::Typical))
    ->Arg(static_cast<int>(ProfileSize::DeviceLargest))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK(translateLargeFileProcess)
    ->ArgName("scripts")
    ->Arg(30000)
    ->Arg(60000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3);

} // namespace

BENCHMARK_MAIN();

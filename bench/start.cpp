// Starting the command-line branches as whole processes: vantrel against the same branches
// built without Qt (vantrel-console), and against the editor program, the same code with Qt
// linked in, interleaved in one run. Each process is started with posix_spawn, with no
// display, and waited for.
//   version/PROGRAM      PROGRAM --version
//   translate/PROGRAM    PROGRAM tiny.vtp (four scripts, one chain), its device file written
//   largest/PROGRAM      PROGRAM largest.vtp, the largest generated profile whose device file
//                        still fits the device's 65535 bytes
//   device/PROGRAM       PROGRAM big.bpf, 65535 bytes sent to a driver the benchmark serves;
//                        the time is from the spawn to the first byte the driver receives,
//                        the counter "whole" the time to the end of the process
// The counter "cpu" is the processor time the started process used.
#include "bench/GeneratedProfile.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A folder in memory for the profiles and the driver's socket, removed at exit.
class Workspace {
public:
    Workspace() {
        std::string pattern =
            (fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string()) +
            std::string("/vantrel-bench-start-XXXXXX");
        folder_ = ::mkdtemp(pattern.data());
        fs::copy_file(VANTREL_TINY_PROFILE, folder_ / "tiny.vtp");
        std::string profile(65535, '\0');
        profile[0] = 4;
        std::ofstream(folder_ / "big.bpf", std::ios::binary) << profile;
    }
    ~Workspace() { fs::remove_all(folder_); }
    fs::path path(const std::string& name) const { return folder_ / name; }

private:
    fs::path folder_;
};

const Workspace& workspace() {
    static const Workspace space;
    return space;
}

// Starts the program with no display; stdout and stderr go nowhere.
pid_t spawn(const std::vector<std::string>& arguments) {
    std::vector<std::string> words = arguments;
    std::vector<std::string> environment{"PATH=/usr/bin:/bin",
                                         "XDG_RUNTIME_DIR=" + workspace().path("").string()};
    std::vector<char*> argv, envp;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for the process; adds the processor time it used (user and system) to childTime.
bool exitedCleanly(pid_t pid, double& childTime) {
    int status = 0;
    rusage usage{};
    if (pid <= 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status))
        return false;
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    childTime += seconds(usage.ru_utime) + seconds(usage.ru_stime);
    return WEXITSTATUS(status) == 0;
}

// The largest generated profile whose device file the device takes, found by translating
// ever smaller ones with the reference program; its path is empty when none fits.
struct LargestProfile {
    std::string path;
    int scripts = 0;
    std::uintmax_t deviceBytes = 0;
};

const LargestProfile& largestProfile(const std::string& translator) {
    static LargestProfile found;
    for (int scripts = 1200; found.path.empty() && scripts > 100; scripts -= 20) {
        const fs::path text = workspace().path("largest.vtp");
        std::ofstream(text, std::ios::binary)
            << vantrel::bench::generatedLongScriptProfile(scripts);
        double ignored = 0;
        std::error_code error;
        const bool translated = exitedCleanly(spawn({translator, text.string()}), ignored);
        const std::uintmax_t bytes = fs::file_size(workspace().path("largest.bpf"), error);
        if (translated && !error && bytes <= 65535)
            found = {text.string(), scripts, bytes};
    }
    return found;
}

// The processor time of the started processes per iteration, which a busy machine inflates
// far less than the wall time.
void reportChildTime(benchmark::State& state, double childTime) {
    state.counters["cpu"] = benchmark::Counter(childTime, benchmark::Counter::kAvgIterations);
}

// The driver's device object as vantrel reaches it: a SOCK_SEQPACKET socket answering every
// command and the profile with 0.
class BenchDriver {
public:
    BenchDriver() {
        listener_ = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = workspace().path("X36Program").string();
        path.copy(address.sun_path, sizeof(address.sun_path) - 1);
        ::unlink(path.c_str());
        ok_ = listener_ >= 0 &&
              ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
              ::listen(listener_, 4) == 0;
    }
    ~BenchDriver() { ::close(listener_); }
    bool ok() const { return ok_; }

    // Serves one exchange; firstByte is when the ping arrived. False when it went wrong.
    bool serve(Clock::time_point& firstByte) {
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            return false;
        std::vector<char> buffer(70000);
        bool served = true;
        for (int message = 0; message < 4 && served; ++message) {
            const ssize_t received = ::recv(connection, buffer.data(), buffer.size(), 0);
            if (message == 0)
                firstByte = Clock::now();
            const char zero = 0;
            served = received > 0 && ::send(connection, &zero, 1, MSG_NOSIGNAL) == 1;
        }
        ::close(connection);
        return served;
    }

private:
    int listener_ = -1;
    bool ok_ = false;
};

void runVersion(benchmark::State& state, const std::string& program) {
    double childTime = 0;
    for (auto _ : state)
        if (!exitedCleanly(spawn({program, "--version"}), childTime))
            state.SkipWithError("the program failed");
    reportChildTime(state, childTime);
}

void runTranslate(benchmark::State& state, const std::string& program) {
    const std::string profile = workspace().path("tiny.vtp").string();
    double childTime = 0;
    for (auto _ : state)
        if (!exitedCleanly(spawn({program, profile}), childTime))
            state.SkipWithError("the translation failed");
    reportChildTime(state, childTime);
}

void runLargest(benchmark::State& state, const std::string& program, const std::string& reference) {
    const LargestProfile& profile = largestProfile(reference);
    if (profile.path.empty()) {
        state.SkipWithError("no generated profile fits the device");
        return;
    }
    state.SetLabel(std::to_string(profile.scripts) + " scripts, " +
                   std::to_string(profile.deviceBytes) + "-byte device file");
    double childTime = 0;
    for (auto _ : state)
        if (!exitedCleanly(spawn({program, profile.path}), childTime))
            state.SkipWithError("the translation failed");
    reportChildTime(state, childTime);
}

void runDevice(benchmark::State& state, const std::string& program) {
    BenchDriver driver;
    if (!driver.ok()) {
        state.SkipWithError("no driver socket");
        return;
    }
    const std::string profile = workspace().path("big.bpf").string();
    double whole = 0;
    double childTime = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const pid_t pid = spawn({program, profile});
        Clock::time_point firstByte = start;
        if (pid <= 0 || !driver.serve(firstByte) || !exitedCleanly(pid, childTime)) {
            state.SkipWithError("the exchange failed");
            break;
        }
        whole += std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(std::chrono::duration<double>(firstByte - start).count());
    }
    state.counters["whole"] = benchmark::Counter(whole, benchmark::Counter::kAvgIterations);
    reportChildTime(state, childTime);
}

// The programs compared: the one built here unless VANTREL_BENCH_START_<NAME> names another.
std::string program(const char* variable, const char* built) {
    const char* other = std::getenv(variable);
    return other && *other ? other : built;
}

const bool registered = [] {
    const std::array<std::pair<const char*, std::string>, 3> programs{{
        {"vantrel", program("VANTREL_BENCH_START_VANTREL", VANTREL_EXE)},
        {"vantrel-editor", program("VANTREL_BENCH_START_LINKED", VANTREL_LINKED_EXE)},
        {"vantrel-console", program("VANTREL_BENCH_START_CONSOLE", VANTREL_CONSOLE_EXE)},
    }};
    const std::string reference = programs.back().second;
    for (const auto& [name, path] : programs) {
        const std::string program = path;
        benchmark::RegisterBenchmark(("version/" + std::string(name)).c_str(),
                                     [program](benchmark::State& s) { runVersion(s, program); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("translate/" + std::string(name)).c_str(),
                                     [program](benchmark::State& s) { runTranslate(s, program); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(
            ("largest/" + std::string(name)).c_str(),
            [program, reference](benchmark::State& s) { runLargest(s, program, reference); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("device/" + std::string(name)).c_str(),
                                     [program](benchmark::State& s) { runDevice(s, program); })
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime();
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();

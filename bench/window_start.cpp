// The editor as a user meets it, measured on whole processes on an X server of the
// benchmark's own (Xvfb): the time from spawning `vantrel` to its window being mapped, its
// resident memory once the window is shown and the process idle, and the time a large profile
// given with --edit adds before the window appears. Each figure stands beside a yardstick
// measured in the same run, interleaved with it: an empty Qt 6 QDialog program for the start
// and the memory (with, beside them, the editor's stock widgets alone at its size, the floor
// of any window made of them), the start without a profile for the open.
#include "files/EditedProfileFile.h"
#include "profile/SlotTable.h"

#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Spawns the program with the benchmark's environment and these entries added; output is
// dropped. Descriptors without close-on-exec (Xvfb's -displayfd pipe) are inherited.
pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view text(*entry);
        if (!text.starts_with("DISPLAY=") && !text.starts_with("QT_QPA_PLATFORM=") &&
            !text.starts_with("WAYLAND_DISPLAY="))
            env.emplace_back(text);
    }
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> argv, envp;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(failed));
    return pid;
}

// Ends the process; the processor time it used, in milliseconds. Killed as soon as its
// window is mapped, it has used it all on getting there, and unlike the wall time this does
// not grow when other processes share the machine.
double stop(pid_t pid) {
    ::kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// An X server of the benchmark's own, on the first free display.
class XServer {
public:
    XServer() {
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe");
        pid_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "-screen",
                      "0", "1280x1024x24"},
                     {});
        ::close(fds[1]);
        std::string number;
        pollfd ready{fds[0], POLLIN, 0};
        char c = 0;
        while (::poll(&ready, 1, 10000) == 1 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        if (number.empty())
            throw std::runtime_error("Xvfb did not start");
        name_ = ":" + number;
    }
    ~XServer() { stop(pid_); }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& display() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// Told of every top-level window mapped on the server (there is no window manager, so the
// programs' windows are the root window's children).
class MapWatcher {
public:
    explicit MapWatcher(const std::string& display) {
        display_ = XOpenDisplay(display.c_str());
        if (!display_)
            throw std::runtime_error("cannot open display " + display);
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
        XSync(display_, False);
    }
    ~MapWatcher() { XCloseDisplay(display_); }
    MapWatcher(const MapWatcher&) = delete;
    MapWatcher& operator=(const MapWatcher&) = delete;

    // Forgets what earlier processes' windows did.
    void forgetEarlierEvents() { XSync(display_, True); }

    // True when a window was mapped before the deadline.
    bool waitForMap(Clock::time_point deadline) {
        for (;;) {
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type == MapNotify && !event.xmap.override_redirect)
                    return true;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left <= 0ms)
                return false;
            pollfd ready{ConnectionNumber(display_), POLLIN, 0};
            ::poll(&ready, 1, static_cast<int>(left.count()));
        }
    }

private:
    Display* display_ = nullptr;
};

std::string procLine(pid_t pid, const char* file, const char* key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    std::string line;
    while (std::getline(in, line))
        if (!key || line.starts_with(key))
            return line;
    return {};
}

// Nanoseconds the process has run, from the scheduler's own count.
long long runTime(pid_t pid) {
    const std::string line = procLine(pid, "schedstat", nullptr);
    return line.empty() ? -1 : std::stoll(line);
}

// Waits until the process has not run for a quarter of a second (five seconds at most).
void waitUntilIdle(pid_t pid) {
    long long last = -1;
    int quiet = 0;
    for (auto give_up = Clock::now() + 5s; Clock::now() < give_up && quiet < 5;) {
        std::this_thread::sleep_for(50ms);
        const long long now = runTime(pid);
        quiet = now == last ? quiet + 1 : 0;
        last = now;
    }
}

double residentMegabytes(pid_t pid) {
    std::istringstream fields(procLine(pid, "status", "VmRSS:"));
    std::string key;
    double kilobytes = 0;
    fields >> key >> kilobytes;
    return kilobytes * 1024.0 / 1e6;
}

// One program as the benchmark runs it.
struct Program {
    std::vector<std::string> args;
};

// The built vantrel, or another build of it named by VANTREL_EXECUTABLE (to compare builds).
std::string editorPath() {
    const char* other = std::getenv("VANTREL_EXECUTABLE");
    return other && *other ? other : VANTREL_EXECUTABLE;
}

const Program kEditor{{editorPath()}};
const Program kEmptyDialog{{EMPTY_DIALOG_EXECUTABLE}};
const Program kStockControls{{STOCK_CONTROLS_EXECUTABLE}};

class Session {
public:
    Session() : watcher_(server_.display()) {}

    // Milliseconds from the spawn to the window's map; the process is left running.
    double start(const Program& program, pid_t& pid) {
        watcher_.forgetEarlierEvents();
        const auto started = Clock::now();
        pid = spawn(program.args, {"DISPLAY=" + server_.display(), "QT_QPA_PLATFORM=xcb"});
        if (!watcher_.waitForMap(started + 60s)) {
            stop(pid);
            throw std::runtime_error("no window from " + program.args[0]);
        }
        return millisecondsSince(started);
    }

    double timeToWindow(const Program& program) {
        pid_t pid = -1;
        const double elapsed = start(program, pid);
        lastProcessorTime_ = stop(pid);
        return elapsed;
    }
    // The processor time of the process timeToWindow ran last, in milliseconds.
    double lastProcessorTime() const { return lastProcessorTime_; }

    double idleMemory(const Program& program) {
        pid_t pid = -1;
        start(program, pid);
        waitUntilIdle(pid);
        const double megabytes = residentMegabytes(pid);
        stop(pid);
        return megabytes;
    }

private:
    XServer server_;
    MapWatcher watcher_;
    double lastProcessorTime_ = 0;
};

Session& session() {
    static Session shared;
    return shared;
}

// A profile of this many scripts and 50 programming modes with every button assigned, as the
// in-process open benchmark writes it.
std::string writeProfile(int scripts) {
    vantrel::Profile profile;
    for (int i = 0; i < scripts; ++i)
        profile.scripts.push_back("Script" + std::to_string(i) + " a^40 A b B dx_1 DX_1");
    for (int m = 0; m < 50; ++m) {
        vantrel::ProgrammingMode mode(m == 0 ? "DEFAULT" : "Mode" + std::to_string(m));
        for (int position = 1; position <= vantrel::kSlotCount - vantrel::kAxisSlotCount;
             ++position)
            mode.setAssignment(position,
                               "Script" +
                                   std::to_string((m * vantrel::kSlotCount + position) % scripts));
        profile.modes.push_back(mode);
    }
    vantrel::EditedProfile document;
    document.load(profile);
    const std::string name = "vantrel-window-" + std::to_string(scripts) + ".vtp";
    document.setPath((std::filesystem::temp_directory_path() / name).string(), name);
    vantrel::DiagnosticList diagnostics;
    if (!vantrel::saveProfileFile(document, diagnostics, nullptr))
        throw std::runtime_error("cannot write " + document.path());
    return document.path();
}

// The program measured, its yardstick and the floor of its stock widgets take turns, each
// round in another order, so that load from elsewhere falls on all three alike.
template <typename Measure>
void measureTurns(benchmark::State& state, Measure measure, const char* unit, bool timeIsFirst) {
    struct Turn {
        const Program& program;
        const char* name;
        double total = 0;
        double cpu = 0;
    };
    Turn turns[] = {{kEditor, "vantrel_"},
                    {kEmptyDialog, "empty_dialog_"},
                    {kStockControls, "stock_controls_"}};
    int first = 0;
    for (auto _ : state) {
        double editor = 0;
        for (int k = 0; k < 3; ++k) {
            Turn& turn = turns[(first + k) % 3];
            const double value = measure(turn.program);
            turn.total += value;
            turn.cpu += session().lastProcessorTime();
            if (&turn == &turns[0])
                editor = value;
        }
        first = (first + 1) % 3;
        state.SetIterationTime(timeIsFirst ? editor / 1000.0 : 0.0);
    }
    const double n = static_cast<double>(state.iterations());
    for (const Turn& turn : turns) {
        state.counters[std::string(turn.name) + unit] = turn.total / n;
        if (timeIsFirst)
            state.counters[std::string(turn.name) + "cpu_ms"] = turn.cpu / n;
    }
    // Against the empty dialog, the goal's yardstick; the floor's own ratio beside it.
    state.counters["ratio"] = turns[0].total / turns[1].total;
    state.counters["stock_ratio"] = turns[2].total / turns[1].total;
    if (timeIsFirst) {
        state.counters["cpu_ratio"] = turns[0].cpu / turns[1].cpu;
        state.counters["stock_cpu_ratio"] = turns[2].cpu / turns[1].cpu;
    }
}

void WindowMapped(benchmark::State& state) {
    measureTurns(
        state, [](const Program& program) { return session().timeToWindow(program); }, "ms", true);
}

void IdleMemory(benchmark::State& state) {
    measureTurns(
        state, [](const Program& program) { return session().idleMemory(program); }, "MB", false);
}

// Loading happens before the window is first shown, so the time a profile adds to the map is
// the time it takes to open it.
void OpenLargeProfile(benchmark::State& state) {
    const std::string small = writeProfile(10000);
    const std::string large = writeProfile(100000);
    const Program cases[] = {
        kEditor, {{VANTREL_EXECUTABLE, "--edit", small}}, {{VANTREL_EXECUTABLE, "--edit", large}}};
    double totals[3] = {};
    double cpu[3] = {};
    int turn = 0;
    for (auto _ : state) {
        double times[3] = {};
        for (int k = 0; k < 3; ++k) {
            const int which = (turn + k) % 3;
            times[which] = session().timeToWindow(cases[which]);
            cpu[which] += session().lastProcessorTime();
        }
        ++turn;
        for (int k = 0; k < 3; ++k)
            totals[k] += times[k];
        state.SetIterationTime(times[2] / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    const double open10k = (totals[1] - totals[0]) / n;
    const double open100k = (totals[2] - totals[0]) / n;
    state.counters["start_ms"] = totals[0] / n;
    state.counters["open10k_ms"] = open10k;
    state.counters["open100k_ms"] = open100k;
    state.counters["growth"] = open100k / open10k;
    const double open10kCpu = (cpu[1] - cpu[0]) / n;
    const double open100kCpu = (cpu[2] - cpu[0]) / n;
    state.counters["open10k_cpu_ms"] = open10kCpu;
    state.counters["open100k_cpu_ms"] = open100kCpu;
    state.counters["cpu_growth"] = open100kCpu / open10kCpu;
    std::filesystem::remove(small);
    std::filesystem::remove(large);
}

} // namespace

BENCHMARK(WindowMapped)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(IdleMemory)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(OpenLargeProfile)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

BENCHMARK_MAIN();

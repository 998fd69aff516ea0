// What vantrel-driver costs while it waits, as a user runs it: resident memory and processor
// time over one second of idling, just after start and again after it has taken a profile
// and played a thousand presses. The driver runs as its own process (the optimised build,
// --output print, a pipe for a joystick); the figures come from /proc.
#include "device/DeviceProgrammer.h"
#include "platform/MessageBox.h"
#include "platform/posix/PosixDriverConnection.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/input.h>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// The device link's messages are not what is measured: each is answered OK unseen.
class SilentPresenter : public vantrel::platform::MessagePresenter {
public:
    vantrel::platform::MessageAnswer present(const vantrel::platform::Message&) override {
        return vantrel::platform::MessageAnswer::Ok;
    }
};

// The driver in a folder of its own, stopped and removed at the end.
class IdleDriver {
public:
    IdleDriver() {
        std::string pattern = "/tmp/vantrel-bench-XXXXXX";
        folder_ = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(folder_ / "run");
        ::mkfifo((folder_ / "stick").c_str(), 0600);
        std::vector<std::string> env{"XDG_RUNTIME_DIR=" + (folder_ / "run").string(),
                                     "XDG_STATE_HOME=" + (folder_ / "state").string(),
                                     "XDG_CONFIG_HOME=" + (folder_ / "config").string(),
                                     "HOME=" + folder_.string()};
        std::vector<std::string> args{VANTREL_DRIVER, "--device", (folder_ / "stick").string(),
                                      "--output", "print"};
        std::vector<char*> argv, envp;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log().c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        waitForLog("input ");
    }
    ~IdleDriver() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        std::filesystem::remove_all(folder_);
    }

    std::string log() const { return (folder_ / "log").string(); }
    bool waitForLog(const std::string& text) const {
        for (int i = 0; i < 400; ++i) {
            std::ifstream in(log());
            std::stringstream all;
            all << in.rdbuf();
            if (all.str().find(text) != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return false;
    }

    // A profile whose trigger types a key, loaded as vantrel loads it.
    bool loadProfile() {
        // Scripts 0 (empty) and 1 (key 4 down and up); DEFAULT binds 1 to the trigger press.
        std::vector<std::uint8_t> profile{4, 0, 0, 0, 0, 2, 0,             // VS, Length, scripts
                                          0, 0, 0, 0,                      // script 0
                                          1, 0, 2, 0,                      // script 1, 2 events
                                          0, 4, 0, 0, 0, 0, 0,             // key down 4
                                          1, 4, 0, 0, 0, 0, 0,             // key up 4
                                          1, 0, 0, 0, 1, 0, 0, 1, 0, 1, 0, // DEFAULT
                                          0, 0, 0};                        // no chains, end
        profile[1] = static_cast<std::uint8_t>(profile.size());
        const std::string path = (folder_ / "p.bpf").string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(profile.data()),
                   static_cast<std::streamsize>(profile.size()));
        SilentPresenter presenter;
        vantrel::platform::ScopedMessagePresenter scoped(presenter);
        vantrel::platform::PosixDriverConnection connection((folder_ / "run/X36Program").string());
        return vantrel::DeviceProgrammer(connection).program(path).loaded;
    }

    void pressTrigger(int times) {
        const int fd = ::open((folder_ / "stick").c_str(), O_WRONLY | O_CLOEXEC);
        for (int i = 0; i < times; ++i)
            for (int value : {1, 0}) {
                const input_event events[2] = {{{}, EV_KEY, BTN_TRIGGER, value},
                                               {{}, EV_SYN, SYN_REPORT, 0}};
                [[maybe_unused]] const ssize_t written = ::write(fd, events, sizeof events);
            }
        ::close(fd);
    }

    long residentKiB() const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.starts_with("VmRSS:"))
                return std::atol(line.c_str() + 6);
        return -1;
    }
    // Nanoseconds on a processor, as the scheduler counts them (finer than clock ticks).
    long long cpuNanoseconds() const {
        std::ifstream schedstat("/proc/" + std::to_string(pid_) + "/schedstat");
        long long running = -1;
        schedstat >> running;
        return running;
    }
    // utime + stime, in clock ticks.
    long cpuTicks() const {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        long utime = 0, stime = 0;
        for (int i = 3; fields >> field; ++i) {
            if (i == 14)
                utime = std::atol(field.c_str());
            if (i == 15) {
                stime = std::atol(field.c_str());
                break;
            }
        }
        return utime + stime;
    }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

void measureIdleSecond(benchmark::State& state, IdleDriver& driver) {
    long ticks = 0;
    long long nanoseconds = 0;
    for (auto _ : state) {
        const long before = driver.cpuTicks();
        const long long beforeNs = driver.cpuNanoseconds();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        ticks = driver.cpuTicks() - before;
        nanoseconds = driver.cpuNanoseconds() - beforeNs;
    }
    state.counters["cpu_us_per_idle_s"] = static_cast<double>(nanoseconds) / 1000.0;
    state.counters["rss_KiB"] = static_cast<double>(driver.residentKiB());
    state.counters["cpu_ms_per_idle_s"] =
        static_cast<double>(ticks) * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

void driverIdleAfterStart(benchmark::State& state) {
    IdleDriver driver;
    measureIdleSecond(state, driver);
}
BENCHMARK(driverIdleAfterStart)->Iterations(1)->Unit(benchmark::kMillisecond);

void driverIdleAfterPlay(benchmark::State& state) {
    IdleDriver driver;
    if (!driver.loadProfile()) {
        state.SkipWithError("the driver did not take the profile");
        return;
    }
    driver.pressTrigger(1000);
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the last scripts end
    measureIdleSecond(state, driver);
}
BENCHMARK(driverIdleAfterPlay)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

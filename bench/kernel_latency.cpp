// How fast vantrel-driver passes a control on, on a real kernel: run inside the test machine
// (make bench-kernel). Fake sticks are made through uinput; the driver (optimised, as a
// process, no profile, so the virtual joystick mirrors the controls) takes them all. Each
// press of a button on the first stick is timed from just before its write to the kernel's
// own time stamp of the first event on the virtual joystick (both CLOCK_MONOTONIC).
// Reported: the median and 99th percentile of that latency with one and with three sticks
// plugged, and, with three, the processor time of a second of idling and the resident memory.
#include "DriverProcess.h"
#include "KernelDevices.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

using namespace vantrel::test;
using namespace std::chrono_literals;

// The sticks and the driver that took them, in a folder of its own.
class PluggedDriver {
public:
    explicit PluggedDriver(int sticks) {
        for (int i = 0; i < sticks; ++i) {
            FakeDeviceSetup setup = genericStick("Latency stick " + std::to_string(i + 1));
            setup.product += i;
            sticks_.push_back(std::make_unique<FakeDevice>(setup));
        }
        ::setenv("XDG_RUNTIME_DIR", folder_.file("").c_str(), 1);
        ::setenv("XDG_STATE_HOME", folder_.file("state").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", folder_.file("config").c_str(), 1);
        driver_ = std::make_unique<DriverProcess>(std::vector<std::string>{"--output", "uinput"},
                                                  std::vector<std::string>{});
        joystick_ = DeviceReader::open(kVirtualJoystick);
        // Every stick named as taken, or the time-out says how many were.
        for (const auto& stick : sticks_)
            driver_->waitForLog("input " + stick->devnode() + " (");
        std::this_thread::sleep_for(200ms);
    }

    // The sticks the driver's log names as taken.
    int taken() {
        const std::string log = driver_->log();
        int count = 0;
        for (const auto& stick : sticks_)
            count += log.find("input " + stick->devnode() + " (") != std::string::npos;
        return count;
    }
    bool ready() { return joystick_ && taken() == static_cast<int>(sticks_.size()); }
    std::string why() {
        return joystick_ ? "the driver took " + std::to_string(taken()) + " of " +
                               std::to_string(sticks_.size()) + " sticks:\n" + driver_->log()
                         : "no virtual joystick:\n" + driver_->log();
    }

    // One press or release of the first stick's trigger: milliseconds to its mirror.
    std::optional<double> toggle(bool down) {
        sticks_.front()->press(BTN_TRIGGER, down);
        const std::optional<input_event> out =
            joystick_->waitFor(EV_KEY, BTN_TRIGGER, down ? 1 : 0, 2000ms);
        if (!out)
            return std::nullopt;
        return eventMilliseconds(*out) - sticks_.front()->lastSentMs();
    }

    // Processor time (ns, the scheduler's own count) and resident memory (KiB) of the driver.
    std::uint64_t runNanoseconds() const {
        std::ifstream in("/proc/" + std::to_string(driver_->pid()) + "/schedstat");
        std::uint64_t ns = 0;
        in >> ns;
        return ns;
    }
    long residentKiB() const {
        std::ifstream in("/proc/" + std::to_string(driver_->pid()) + "/status");
        for (std::string line; std::getline(in, line);)
            if (line.starts_with("VmRSS:"))
                return std::strtol(line.c_str() + 6, nullptr, 10);
        return -1;
    }

private:
    DriverFolder folder_;
    std::vector<std::unique_ptr<FakeDevice>> sticks_;
    std::unique_ptr<DriverProcess> driver_;
    std::unique_ptr<DeviceReader> joystick_;
};

// Outside the test machine there is no uinput to make sticks with.
bool skippedHere(benchmark::State& state) {
    if (::access("/dev/uinput", W_OK) == 0)
        return false;
    state.SkipWithError("needs /dev/uinput: make bench-kernel runs it in the test machine");
    return true;
}

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
    return samples[at];
}

void BM_FirstOutputEvent(benchmark::State& state) {
    if (skippedHere(state))
        return;
    PluggedDriver driver(static_cast<int>(state.range(0)));
    if (!driver.ready()) {
        state.SkipWithError(driver.why().c_str());
        return;
    }
    std::vector<double> samples;
    bool down = true;
    for (auto _ : state) {
        const std::optional<double> latency = driver.toggle(down);
        if (!latency) {
            state.SkipWithError("the virtual joystick did not follow the stick");
            return;
        }
        state.SetIterationTime(*latency / 1000.0);
        samples.push_back(*latency);
        down = !down;
        // A pilot's presses come apart: the driver is idle again before each.
        std::this_thread::sleep_for(5ms);
    }
    state.counters["p50_ms"] = percentile(samples, 0.50);
    state.counters["p99_ms"] = percentile(samples, 0.99);
}
BENCHMARK(BM_FirstOutputEvent)
    ->ArgName("sticks")
    ->Arg(1)
    ->Arg(3)
    ->Iterations(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

void BM_IdleWithThreeSticks(benchmark::State& state) {
    if (skippedHere(state))
        return;
    PluggedDriver driver(3);
    if (!driver.ready()) {
        state.SkipWithError(driver.why().c_str());
        return;
    }
    std::uint64_t ran = 0;
    for (auto _ : state) {
        const std::uint64_t before = driver.runNanoseconds();
        std::this_thread::sleep_for(1s);
        ran = driver.runNanoseconds() - before;
    }
    state.counters["idle_cpu_ns_per_s"] = static_cast<double>(ran);
    state.counters["resident_MiB"] = static_cast<double>(driver.residentKiB()) / 1024.0;
}
BENCHMARK(BM_IdleWithThreeSticks)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// How quickly the profile player answers a control: from input() to the first action it
// emits (99th percentile over many presses, with other scripts running), and how long a
// profile of the device's full size takes to check and load.
#include "device/DeviceProfileCheck.h"
#include "device/player/ProfilePlayer.h"
#include "tests/core/device/DeviceProfileBytes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using vantrel::test::DeviceProfileBytes;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kScripts = 200;
constexpr int kEventsPerScript = 40;
constexpr int kConfigurations = 20;
constexpr int kEntriesPerConfiguration = 50;
constexpr int kChains = 10;
constexpr int kBreakpointsPerChain = 50;

// Scripts of key presses with 40 ms between events, configurations that bind them to
// buttons, hats and breakpoint groups, and chains on every axis; padded to exactly 65535
// bytes with further events and entries.
std::vector<std::uint8_t> fullProfile() {
    constexpr int kHeaderAndEnd = 7 + 2 + 2 + 1;
    const int fixed = kHeaderAndEnd + kScripts * (4 + 7 * kEventsPerScript) +
                      kConfigurations * (4 + 5 * kEntriesPerConfiguration) +
                      kChains * (3 + 6 * kBreakpointsPerChain);
    int spare = static_cast<int>(vantrel::kDeviceProfileCapacity) - fixed;
    int extraEvents = 0;
    while (spare % 5 != 0) {
        spare -= 7;
        ++extraEvents;
    }
    const int extraEntries = spare / 5;

    DeviceProfileBytes bytes = DeviceProfileBytes::header(kScripts);
    for (int s = 0; s < kScripts; ++s) {
        const int events = kEventsPerScript + (s == 0 ? extraEvents : 0);
        bytes.u16(static_cast<std::uint16_t>(s)).u16(static_cast<std::uint16_t>(events));
        for (int e = 0; e < events; ++e)
            bytes.event(static_cast<std::uint8_t>(e % 2), static_cast<std::int16_t>(4 + s % 26),
                        40);
    }
    bytes.u16(kConfigurations);
    for (int c = 0; c < kConfigurations; ++c) {
        const int entries = kEntriesPerConfiguration + (c == 0 ? extraEntries : 0);
        bytes.u16(static_cast<std::uint16_t>(c)).u16(static_cast<std::uint16_t>(entries));
        for (int e = 0; e < entries; ++e) {
            if (e < 6)
                bytes.entry(1, static_cast<std::uint16_t>(e), static_cast<std::uint16_t>(e));
            else if (c == 0 && e >= 56) // the base mode's breakpoint group codes, 100 on
                bytes.entry(0, static_cast<std::uint16_t>(e + 44),
                            static_cast<std::uint16_t>(e % kScripts));
            else
                bytes.entry(0, static_cast<std::uint16_t>((e - 6) % 100),
                            static_cast<std::uint16_t>((c + e) % kScripts));
        }
    }
    bytes.u16(kChains);
    for (int c = 0; c < kChains; ++c) {
        bytes.u16(static_cast<std::uint16_t>(c)).u8(kBreakpointsPerChain);
        for (int b = 0; b < kBreakpointsPerChain; ++b)
            bytes.breakpoint(static_cast<std::uint16_t>(1000 + b * 1200),
                             static_cast<std::uint16_t>(50 + b));
    }
    return bytes.finish();
}

vantrel::DeviceProfileImage fullImage() {
    const vantrel::ProfileCheck check = vantrel::checkDeviceProfile(fullProfile());
    if (!check.accepted())
        std::abort();
    return check.image;
}

// Notes the moment the first action after an input arrives.
class StampingSink : public vantrel::player::OutputSink {
public:
    void emit(const vantrel::player::OutputAction&, vantrel::player::Time) override {
        if (!stamped_) {
            first_ = Clock::now();
            stamped_ = true;
        }
    }
    void arm() { stamped_ = false; }
    bool stamped() const { return stamped_; }
    Clock::time_point first() const { return first_; }

private:
    bool stamped_ = false;
    Clock::time_point first_;
};

double percentile(std::vector<double> samples, double fraction) {
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
    return samples[index];
}

// Presses and releases buttons with their scripts playing on; the axes move too, so the
// chains are walked. Each sample is one input() up to the first action it emits.
void inputToFirstOutput(benchmark::State& state) {
    using Kind = vantrel::player::ControlInput::Kind;
    const vantrel::DeviceProfileImage image = fullImage();
    StampingSink sink;
    vantrel::player::ProfilePlayer player(sink);
    player.load(image, 0us);
    std::vector<double> samples;
    samples.reserve(1 << 20);
    vantrel::player::Time now{0};
    int step = 0;
    for (auto _ : state) {
        ++step;
        now += 3ms;
        player.advance(now);
        const int button = step % vantrel::player::kButtonCount;
        const vantrel::player::ControlInput input =
            step % 3 == 0
                ? vantrel::player::ControlInput{Kind::Axis, step % 6, (step * 7919) % 65535 - 32767}
                : vantrel::player::ControlInput{Kind::Button, button, (step / 14) % 2};
        sink.arm();
        const Clock::time_point start = Clock::now();
        player.input(input, now);
        if (sink.stamped())
            samples.push_back(
                std::chrono::duration<double, std::micro>(sink.first() - start).count());
    }
    state.counters["p50_us"] = percentile(samples, 0.50);
    state.counters["p99_us"] = percentile(samples, 0.99);
    state.counters["max_us"] = percentile(samples, 1.0);
}
BENCHMARK(inputToFirstOutput);

void loadFullProfile(benchmark::State& state) {
    const vantrel::DeviceProfileImage image = fullImage();
    StampingSink sink;
    vantrel::player::ProfilePlayer player(sink);
    for (auto _ : state)
        player.load(image, 0us);
}
BENCHMARK(loadFullProfile)->Unit(benchmark::kMicrosecond);

void checkAndLoadFullProfile(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = fullProfile();
    StampingSink sink;
    vantrel::player::ProfilePlayer player(sink);
    for (auto _ : state) {
        const vantrel::ProfileCheck check = vantrel::checkDeviceProfile(bytes);
        player.load(check.image, 0us);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(checkAndLoadFullProfile)->Unit(benchmark::kMicrosecond);

} // namespace
BENCHMARK_MAIN();

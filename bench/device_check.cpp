// How long the simulated device takes to check and describe a profile of the device's full
// size, and how long the device link needs for a whole exchange with a driver that answers
// at once.
#include "DeviceProfileAccount.h"

#include "device/DeviceProfileCheck.h"
#include "device/DeviceProgrammer.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// One script of 9355 key events and a configuration of six entries: 65535 bytes.
std::vector<std::uint8_t> fullProfile() {
    std::vector<std::uint8_t> bytes{4, 0, 0, 0, 0, 1, 0, 0, 0, 0x8B, 0x24};
    for (int i = 0; i < 9355; ++i)
        bytes.insert(bytes.end(), {0, 4, 0, 10, 0, 0, 0});
    bytes.insert(bytes.end(), {1, 0, 0, 0, 6, 0});
    for (std::uint8_t code = 0; code < 6; ++code)
        bytes.insert(bytes.end(), {0, code, 0, 0, 0});
    bytes.insert(bytes.end(), {0, 0, 0});
    const auto length = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes[1 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    return bytes;
}

void checkFullProfile(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = fullProfile();
    for (auto _ : state) {
        const vantrel::ProfileCheck check = vantrel::checkDeviceProfile(bytes);
        if (!check.accepted())
            state.SkipWithError("profile refused");
        benchmark::DoNotOptimize(check);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(checkFullProfile);

void describeFullProfile(benchmark::State& state) {
    const vantrel::ProfileCheck check = vantrel::checkDeviceProfile(fullProfile());
    for (auto _ : state)
        benchmark::DoNotOptimize(vantrel::simdriver::describeDeviceProfile(check));
}
BENCHMARK(describeFullProfile);

// A driver in memory that takes every command and the profile at once.
class InstantDriver : public vantrel::platform::DriverConnection {
public:
    explicit InstantDriver(const std::vector<std::uint8_t>& file) : file_(file) {}
    std::optional<vantrel::platform::DriverHandle> openFile(const std::string&) override {
        return 1;
    }
    std::optional<vantrel::platform::DriverHandle> openDriver() override { return 2; }
    std::optional<std::uint64_t> fileSize(vantrel::platform::DriverHandle) override {
        return file_.size();
    }
    std::optional<std::size_t> read(vantrel::platform::DriverHandle handle,
                                    std::span<std::uint8_t> buffer) override {
        if (handle == 2) {
            buffer[0] = 0;
            return std::size_t{1};
        }
        const std::size_t count = std::min(buffer.size(), file_.size());
        std::copy_n(file_.begin(), count, buffer.begin());
        return count;
    }
    std::optional<std::size_t> write(vantrel::platform::DriverHandle,
                                     std::span<const std::uint8_t> data) override {
        return data.size();
    }
    void close(vantrel::platform::DriverHandle) override {}
    long lastError() const override { return 0; }

private:
    const std::vector<std::uint8_t>& file_;
};

void programFullProfile(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = fullProfile();
    InstantDriver driver(bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(vantrel::DeviceProgrammer(driver).program("full.bpf"));
}
BENCHMARK(programFullProfile);

} // namespace

BENCHMARK_MAIN();

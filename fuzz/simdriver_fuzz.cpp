// Feeds arbitrary bytes to the simulated device's profile check and its account: neither may
// read past the data, and a profile taken must hold together when read back.
#include "DeviceProfileAccount.h"

#include "device/DeviceProfileCheck.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const vantrel::ProfileCheck check = vantrel::checkDeviceProfile(bytes);
    const std::string account = vantrel::simdriver::describeDeviceProfile(check);
    if (account.empty())
        std::abort();
    if (check.accepted()) {
        // A taken profile is exactly as long as its records say.
        std::size_t length = 7 + 2 + 2 + 1;
        for (const auto& script : check.image.scripts)
            length += 4 + 7 * script.events.size();
        for (const auto& configuration : check.image.configurations)
            length += 4 + 5 * configuration.entries.size();
        for (const auto& chain : check.image.chains)
            length += 3 + 6 * chain.breakpoints.size();
        if (length != size || check.image.length != size || !check.errors.empty())
            std::abort();
    }
    return 0;
}

#pragma once

#include "device/MonitorLine.h"
#include "device/player/PlayerTypes.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// What the driver's monitor stream has told of the driver: its output, the profile it holds,
// the active configuration, the devices it holds and where each X36 control stands.
struct DriverState {
    struct HeldProfile {
        long long scripts = 0, modes = 0, chains = 0;
        std::string from;   // "client" or "kept"
        std::string loaded; // UTC; empty until a snapshot tells it
        std::string digest;
    };
    struct Device {
        std::string path, name;
        bool operator==(const Device&) const = default;
    };

    std::string output;
    std::optional<HeldProfile> profile;
    int mode = 0;
    std::vector<Device> devices;
    std::string lastRefusal; // the reason of the last profile refused, until the next load
    std::array<int, player::kButtonCount> buttons{};
    std::array<int, player::kHatCount> hats{};
    std::array<int, player::kAxisCount> axes{};
    bool ready = false; // the snapshot has been read to its end

    // Takes one record. Returns what it changed, so a view redraws only that.
    enum class Change { None, Driver, Profile, Mode, Devices, Control };
    Change apply(const MonitorLine& record);
};

} // namespace vantrel

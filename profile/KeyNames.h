#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// A token name and the Data it gives.
struct NamedCode {
    std::string name;
    std::int16_t data;
};

// The keyboard keys by their lower-case (press) names, each with its USB HID usage ID.
const std::vector<NamedCode>& pressKeyNames();
// The same keys by their release names: capitals, digits written "_1" .. "_0".
const std::vector<NamedCode>& releaseKeyNames();
// "dx_1" .. "dx_64" (or "DX_1" .. with the upper-case prefix) giving 1 .. 64.
std::vector<NamedCode> directXButtonNames(std::string_view prefix);
// "hat_center" 0 .. "hat_upleft" 8, the device's direction numbers.
const std::vector<NamedCode>& hatNames();

} // namespace vantrel

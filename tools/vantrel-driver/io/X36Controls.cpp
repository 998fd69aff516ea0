#include "io/X36Controls.h"

#include "profile/SlotTable.h"

#include <array>
#include <vector>

namespace vantrel::driver {
namespace {

constexpr std::string_view kReleaseSuffix = "Release";
constexpr std::string_view kHatCenterReleaseSuffix = "CenterRelease";

std::string withoutSuffix(const std::string& name, std::string_view suffix) {
    if (name.size() >= suffix.size() && name.ends_with(suffix))
        return name.substr(0, name.size() - suffix.size());
    return name;
}

// The names come from the slot table's device-code list, by the codes of each button's release
// and each hat's center release, so there is one list of control names.
struct ControlNames {
    std::vector<std::string> buttons;
    std::vector<std::string> hats;
    std::vector<std::string> axes;

    ControlNames() {
        const SlotTable& table = SlotTable::instance();
        const std::vector<std::string>& codes = table.deviceCodeNames();
        for (int b = 0; b < player::kButtonCount; ++b)
            buttons.push_back(withoutSuffix(codes.at(buttonCode(b, false)), kReleaseSuffix));
        for (int h = 0; h < player::kHatCount; ++h)
            hats.push_back(withoutSuffix(codes.at(hatCode(h, 0, false)), kHatCenterReleaseSuffix));
        axes = table.axisNames();
    }
};

const ControlNames& names() {
    static const ControlNames instance;
    return instance;
}

// Directions by (y + 1) * 3 + (x + 1).
constexpr std::array<int, 9> kDirectionByOffsets = {8, 1, 2, 7, 0, 3, 6, 5, 4};

int sign(int value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

} // namespace

std::span<const std::string> buttonNames() {
    return names().buttons;
}
std::span<const std::string> hatNames() {
    return names().hats;
}
std::span<const std::string> axisNames() {
    return names().axes;
}

std::optional<ControlRef> findControl(std::string_view name) {
    using Kind = player::ControlInput::Kind;
    auto search = [name](std::span<const std::string> list,
                         Kind kind) -> std::optional<ControlRef> {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == name)
                return ControlRef{kind, static_cast<int>(i)};
        }
        return std::nullopt;
    };
    if (auto found = search(buttonNames(), Kind::Button))
        return found;
    if (auto found = search(hatNames(), Kind::Hat))
        return found;
    return search(axisNames(), Kind::Axis);
}

const std::string& controlName(ControlRef control) {
    switch (control.kind) {
    case player::ControlInput::Kind::Button:
        return buttonNames()[static_cast<std::size_t>(control.index)];
    case player::ControlInput::Kind::Hat:
        return hatNames()[static_cast<std::size_t>(control.index)];
    case player::ControlInput::Kind::Axis:
        break;
    }
    return axisNames()[static_cast<std::size_t>(control.index)];
}

int hatDirection(int x, int y) {
    return kDirectionByOffsets[static_cast<std::size_t>((sign(y) + 1) * 3 + sign(x) + 1)];
}

HatOffsets hatOffsets(int direction) {
    for (std::size_t i = 0; i < kDirectionByOffsets.size(); ++i) {
        if (kDirectionByOffsets[i] == direction)
            return {static_cast<int>(i % 3) - 1, static_cast<int>(i / 3) - 1};
    }
    return {};
}

} // namespace vantrel::driver

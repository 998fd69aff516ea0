#include "device/player/ControlNames.h"

#include "profile/KeyNames.h"
#include "profile/SlotTable.h"

#include <array>
#include <string>

namespace vantrel::player {
namespace {

constexpr std::string_view kPress = "Press";
constexpr std::string_view kCenterPress = "CenterPress";

std::string withoutSuffix(const std::string& name, std::string_view suffix) {
    return name.substr(0, name.size() - suffix.size());
}

struct Names {
    std::array<std::string, kButtonCount> buttons;
    std::array<std::string, kHatCount> hats;
    std::array<std::string, kHatDirectionCount> directions;
    std::array<std::string, kAxisCount> axes;
    std::array<std::string, 256> keys;

    Names() {
        const SlotTable& table = SlotTable::instance();
        const std::vector<std::string>& codes = table.deviceCodeNames();
        for (int b = 0; b < kButtonCount; ++b)
            buttons[b] =
                withoutSuffix(codes[static_cast<std::size_t>(buttonCode(b, true))], kPress);
        for (int h = 0; h < kHatCount; ++h)
            hats[h] =
                withoutSuffix(codes[static_cast<std::size_t>(hatCode(h, 0, true))], kCenterPress);
        for (const HatDirection& direction : hatDirections())
            directions[static_cast<std::size_t>(direction.d)] = direction.name;
        for (int a = 0; a < kAxisCount; ++a)
            axes[a] = table.axisNames()[static_cast<std::size_t>(a)];
        for (const NamedCode& key : pressKeyNames()) {
            std::string& name = keys[static_cast<std::uint8_t>(key.data)];
            if (name.empty())
                name = key.name; // the first name of a usage: "control" before "lcontrol"
        }
    }
};

const Names& names() {
    static const Names instance;
    return instance;
}

template <std::size_t N> std::string_view at(const std::array<std::string, N>& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return {};
    return list[static_cast<std::size_t>(index)];
}

template <std::size_t N>
std::optional<int> find(const std::array<std::string, N>& list, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (list[i] == name)
            return static_cast<int>(i);
    return std::nullopt;
}

} // namespace

std::string_view buttonName(int button) {
    return at(names().buttons, button);
}

std::string_view hatName(int hat) {
    return at(names().hats, hat);
}

std::string_view hatDirectionName(int direction) {
    return at(names().directions, direction);
}

std::string_view axisName(int axis) {
    return at(names().axes, axis);
}

std::optional<ControlInput> controlNamed(std::string_view name) {
    using Kind = ControlInput::Kind;
    if (const auto button = find(names().buttons, name))
        return ControlInput{Kind::Button, *button, 0};
    if (const auto hat = find(names().hats, name))
        return ControlInput{Kind::Hat, *hat, 0};
    if (const auto axis = find(names().axes, name))
        return ControlInput{Kind::Axis, *axis, 0};
    return std::nullopt;
}

std::optional<int> hatDirectionNamed(std::string_view name) {
    return find(names().directions, name);
}

std::string_view keyName(int usage) {
    return at(names().keys, usage);
}

} // namespace vantrel::player

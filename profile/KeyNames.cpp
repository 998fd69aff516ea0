#include "profile/KeyNames.h"

namespace vantrel {
namespace {

std::string numbered(std::string_view prefix, int n) {
    std::string name(prefix);
    name += std::to_string(n);
    return name;
}

std::vector<NamedCode> buildPressKeys() {
    std::vector<NamedCode> keys;
    auto add = [&keys](std::string name, int data) {
        keys.push_back({std::move(name), static_cast<std::int16_t>(data)});
    };
    auto addRun = [&add](std::initializer_list<const char*> names, int first) {
        for (const char* name : names)
            add(name, first++);
    };
    for (char c = 'a'; c <= 'z'; ++c)
        add(std::string(1, c), 4 + (c - 'a'));
    for (char c = '1'; c <= '9'; ++c)
        add(std::string(1, c), 30 + (c - '1'));
    add("0", 39);
    addRun({"return", "escape", "backspace", "tab", "space", "minus", "plus", "lbracket",
            "rbracket", "backslash"},
           40);
    addRun({"semicolon", "apostrophe", "tilde", "comma", "period", "forwardslash", "capslock"}, 51);
    for (int n = 1; n <= 12; ++n)
        add(numbered("f", n), 57 + n);
    addRun({"printscreen", "scrolllock", "pause", "insert", "home", "pageup", "delete", "end",
            "pagedown", "rightarrow", "leftarrow", "downarrow", "uparrow"},
           70);
    addRun({"kp_numlock", "kp_forwardslash", "kp_asterisk", "kp_minus", "kp_plus", "kp_enter"}, 83);
    for (int n = 1; n <= 9; ++n)
        add(numbered("kp_", n), 88 + n);
    add("kp_0", 98);
    add("kp_period", 99);
    addRun({"control", "shift", "alt"}, 224);
    addRun({"lcontrol", "lshift", "lalt", "lgui", "rcontrol", "rshift", "ralt"}, 224);
    return keys;
}

std::vector<NamedCode> buildReleaseKeys() {
    std::vector<NamedCode> keys = pressKeyNames();
    for (NamedCode& key : keys) {
        if (key.name.size() == 1 && key.name[0] >= '0' && key.name[0] <= '9') {
            key.name.insert(key.name.begin(), '_');
            continue;
        }
        for (char& c : key.name) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return keys;
}

} // namespace

const std::vector<NamedCode>& pressKeyNames() {
    static const std::vector<NamedCode> keys = buildPressKeys();
    return keys;
}

const std::vector<NamedCode>& releaseKeyNames() {
    static const std::vector<NamedCode> keys = buildReleaseKeys();
    return keys;
}

std::vector<NamedCode> directXButtonNames(std::string_view prefix) {
    std::vector<NamedCode> names;
    for (int n = 1; n <= 64; ++n)
        names.push_back({numbered(prefix, n), static_cast<std::int16_t>(n)});
    return names;
}

const std::vector<NamedCode>& hatNames() {
    static const std::vector<NamedCode> names = {
        {"hat_center", 0},   {"hat_up", 1},        {"hat_upright", 2},
        {"hat_right", 3},    {"hat_downright", 4}, {"hat_down", 5},
        {"hat_downleft", 6}, {"hat_left", 7},      {"hat_upleft", 8}};
    return names;
}

} // namespace vantrel

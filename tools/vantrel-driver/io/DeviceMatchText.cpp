#include "io/DeviceMatchText.h"

#include "io/EvdevNames.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <string>

namespace vantrel::driver {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

bool isLabelCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
}

bool isNumber(std::string_view word) {
    const std::string_view digits =
        word.starts_with('+') || word.starts_with('-') ? word.substr(1) : word;
    return !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

// Up to four hex digits, as USB numbers vendors and products.
std::optional<int> hexNumber(std::string_view text) {
    int value = 0;
    // from_chars would take a sign too.
    if (text.empty() || text.size() > 4 || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c));
        }))
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string labelProblem(std::string_view word) {
    if (word.empty() || !std::all_of(word.begin(), word.end(), isLabelCharacter))
        return "a device's label is one word of letters, digits, '_', '-' and '.'";
    if (word == "none" || isNumber(word))
        return "\"" + std::string(word) + "\" cannot name a device";
    if (evdevCodeFromText(EV_KEY, word) || evdevCodeFromText(EV_ABS, word))
        return "\"" + std::string(word) + "\" is an evdev code, not a name for a device";
    return {};
}

bool canQuote(std::string_view name) {
    return name.find('"') == std::string_view::npos &&
           name.find_first_of("\r\n") == std::string_view::npos;
}

std::optional<DeviceMatch> parseDeviceMatch(std::string_view label, std::string_view value,
                                            std::string& fault) {
    DeviceMatch device;
    device.label = std::string(label);
    value = trimmed(value);
    const std::size_t blank = std::min(value.find_first_of(kBlanks), value.size());
    const std::string_view first = value.substr(0, blank);
    const std::string_view rest = trimmed(value.substr(blank));
    const std::size_t colon = first.find(':');
    const std::optional<int> vendor =
        colon == std::string_view::npos ? std::nullopt : hexNumber(first.substr(0, colon));
    const std::optional<int> product =
        colon == std::string_view::npos ? std::nullopt : hexNumber(first.substr(colon + 1));
    if (vendor && product) {
        device.vendor = *vendor;
        device.product = *product;
        if (rest.empty())
            return device;
        if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"' ||
            !canQuote(rest.substr(1, rest.size() - 2))) {
            fault = "device " + device.label + ": after vendor:product comes only the device's " +
                    "name in quotes";
            return std::nullopt;
        }
        device.name = std::string(rest.substr(1, rest.size() - 2));
        return device;
    }
    // Every event node's name under /dev/input/by-id holds "-event-".
    if (!rest.empty() || first.find("-event-") == std::string_view::npos ||
        first.find_first_of("/\":") != std::string_view::npos) {
        fault = "device " + device.label + " needs vendor:product in hex (and, if wished, the " +
                "device's name in quotes) or a name under /dev/input/by-id";
        return std::nullopt;
    }
    device.byId = std::string(first);
    return device;
}

DeviceMatch proposeDevice(const DeviceIdentity& identity, const std::vector<std::string>& taken) {
    constexpr std::size_t kLongestLabel = 24;
    std::string base;
    for (char c : identity.name) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            base += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (!base.empty() && base.back() != '-')
            base += '-';
        if (base.size() >= kLongestLabel)
            break;
    }
    while (!base.empty() && base.back() == '-')
        base.pop_back();
    if (base.empty() || !labelProblem(base).empty())
        base = "device";
    std::string label = base;
    for (int n = 2; std::find(taken.begin(), taken.end(), label) != taken.end(); ++n)
        label = base + "-" + std::to_string(n);
    DeviceMatch device;
    device.label = label;
    device.vendor = identity.vendor;
    device.product = identity.product;
    if (canQuote(identity.name))
        device.name = identity.name;
    return device;
}

std::string deviceMatchText(const DeviceMatch& device) {
    if (!device.byId.empty())
        return device.byId;
    char numbers[16];
    std::snprintf(numbers, sizeof numbers, "%04x:%04x", device.vendor & 0xffff,
                  device.product & 0xffff);
    std::string text(numbers);
    if (!device.name.empty())
        text += " \"" + device.name + "\"";
    return text;
}

} // namespace vantrel::driver

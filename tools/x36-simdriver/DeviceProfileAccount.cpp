#include "DeviceProfileAccount.h"

#include "devicefile/DeviceFormat.h"
#include "profile/SlotTable.h"

#include <array>

namespace vantrel::simdriver {
namespace {

constexpr int kAxisOffset = 32767;
constexpr std::array<const char*, 9> kHatDirections{
    "center", "up", "up-right", "right", "down-right", "down", "down-left", "left", "up-left"};

std::string str(long long value) {
    return std::to_string(value);
}

std::string plural(std::size_t count, const char* one, const char* many) {
    return str(static_cast<long long>(count)) + " " + (count == 1 ? one : many);
}

std::string entryTarget(const DeviceEntry& entry) {
    const SlotTable& table = SlotTable::instance();
    if (entry.type == kChainEntry) {
        const std::string axis = entry.code < table.axisNames().size()
                                     ? table.axisNames()[entry.code]
                                     : "axis " + str(entry.code);
        return axis + " -> chain " + str(entry.assignment);
    }
    std::string control;
    if (entry.code < table.deviceCodeNames().size())
        control = table.deviceCodeNames()[entry.code];
    else
        control = "breakpoint group " + str(breakpointGroupOf(entry.code)) +
                  (breakpointCodeIncreases(entry.code) ? " increase" : " decrease");
    return control + " -> script " + str(entry.assignment);
}

// One event, such as "key press, usage 4, delay 40 ms".
std::string describeEvent(const DeviceEvent& event) {
    const int data = event.data;
    std::string text;
    switch (event.opcode) {
    case EventOpcode::KeyPress:
        text = "key press, usage " + str(data);
        break;
    case EventOpcode::KeyRelease:
        text = "key release, usage " + str(data);
        break;
    case EventOpcode::DirectXPress:
        text = "DirectX button " + str(data) + " press";
        break;
    case EventOpcode::DirectXRelease:
        text = "DirectX button " + str(data) + " release";
        break;
    case EventOpcode::HatDirection:
        text = "hat " + (data >= 0 && data < 9 ? std::string(kHatDirections[data])
                                               : "direction " + str(data));
        break;
    case EventOpcode::LoadMode:
        text = "load configuration " + str(data);
        break;
    case EventOpcode::MousePress:
        text = "mouse button " + str(data) + " press";
        break;
    case EventOpcode::MouseRelease:
        text = "mouse button " + str(data) + " release";
        break;
    case EventOpcode::MouseMoveHorizontal:
        text = data < 0 ? "mouse left " + str(-data) : "mouse right " + str(data);
        break;
    case EventOpcode::MouseMoveVertical:
        text = data < 0 ? "mouse up " + str(-data) : "mouse down " + str(data);
        break;
    default:
        text = "unknown opcode " + str(static_cast<int>(event.opcode)) + ", data " + str(data);
    }
    if (event.delay != 0)
        text += ", delay " + str(event.delay) + " ms";
    return text;
}

void describeScripts(const DeviceProfileImage& image, std::string& out) {
    if (image.scripts.empty())
        return;
    out += "Scripts:\n";
    for (const DeviceScript& script : image.scripts) {
        out += "  script " + str(script.id) + ": " +
               (script.events.empty() ? std::string("no events")
                                      : plural(script.events.size(), "event", "events")) +
               "\n";
        for (const DeviceEvent& event : script.events)
            out += "    " + describeEvent(event) + "\n";
    }
}

void describeConfigurations(const DeviceProfileImage& image, std::string& out) {
    if (image.configurations.empty())
        return;
    out += "Configurations:\n";
    for (const DeviceConfiguration& configuration : image.configurations) {
        out += "  configuration " + str(configuration.id) +
               (configuration.id == 0 ? " (base mode)" : "") + ": " +
               plural(configuration.entries.size(), "entry", "entries") + "\n";
        for (const DeviceEntry& entry : configuration.entries)
            out += "    " + entryTarget(entry) + "\n";
    }
}

void describeChains(const DeviceProfileImage& image, std::string& out) {
    if (image.chains.empty())
        return;
    out += "Chains:\n";
    for (const DeviceChain& chain : image.chains) {
        out += "  chain " + str(chain.id) + ": " +
               plural(chain.breakpoints.size(), "breakpoint", "breakpoints") + "\n";
        for (const DeviceBreakpoint& breakpoint : chain.breakpoints)
            out += "    at " + str(static_cast<int>(breakpoint.position) - kAxisOffset) +
                   " (group " + str(breakpoint.group) + ")\n";
    }
}

} // namespace

std::string describeDeviceProfile(const ProfileCheck& check) {
    const DeviceProfileImage& image = check.image;
    std::string out = "Profile: version " + str(image.version) + ", Length " + str(image.length) +
                      ", " + plural(image.scripts.size(), "script", "scripts") + ", " +
                      plural(image.configurations.size(), "configuration", "configurations") +
                      ", " + plural(image.chains.size(), "chain", "chains") + "\n";
    describeScripts(image, out);
    describeConfigurations(image, out);
    describeChains(image, out);
    for (const std::string& warning : check.warnings)
        out += "Warning: " + warning + "\n";
    for (const std::string& error : check.errors)
        out += "Error: " + error + "\n";
    out += check.accepted() ? std::string("Profile accepted.\n")
                            : "Profile refused (reply " + str(check.reply()) + ").\n";
    return out;
}

} // namespace vantrel::simdriver

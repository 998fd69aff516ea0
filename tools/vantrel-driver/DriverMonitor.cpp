#include "DriverMonitor.h"

#include "MonitorRecord.h"

#include "device/ProfileDigest.h"
#include "device/player/ControlNames.h"
#include "io/EvdevNames.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <libevdev/libevdev.h>

namespace vantrel::driver {
namespace {

using player::ControlInput;
using player::OutputAction;

std::string utcNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    ::gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

// The control's name and its value as the X36 has it: 1 or 0, a hat direction, an axis value.
MonitorRecord& addControl(MonitorRecord& record, const ControlInput& control) {
    switch (control.kind) {
    case ControlInput::Kind::Button:
        return record.field("control", player::buttonName(control.index))
            .field("value", control.value);
    case ControlInput::Kind::Hat:
        return record.field("control", player::hatName(control.index))
            .field("value", player::hatDirectionName(control.value));
    case ControlInput::Kind::Axis:
        break;
    }
    return record.field("control", player::axisName(control.index)).field("value", control.value);
}

// A device as InputWatch names it, "PATH (NAME)", as the fields path= and name=.
MonitorRecord& addDevice(MonitorRecord& record, const std::string& device) {
    const std::size_t open = device.find(" (");
    if (open == std::string::npos || !device.ends_with(")"))
        return record.field("path", device);
    return record.field("path", std::string_view(device).substr(0, open))
        .field("name", std::string_view(device).substr(open + 2, device.size() - open - 3));
}

struct ActionWords {
    OutputAction::Kind kind;
    const char* word;
};

constexpr ActionWords kActionWords[] = {
    {OutputAction::Kind::KeyDown, "key-down"},
    {OutputAction::Kind::KeyUp, "key-up"},
    {OutputAction::Kind::JoyButtonDown, "button-down"},
    {OutputAction::Kind::JoyButtonUp, "button-up"},
    {OutputAction::Kind::MouseButtonDown, "mouse-down"},
    {OutputAction::Kind::MouseButtonUp, "mouse-up"},
    {OutputAction::Kind::MouseMoveX, "mouse-x"},
    {OutputAction::Kind::MouseMoveY, "mouse-y"},
    {OutputAction::Kind::JoyHat, "hat"},
    {OutputAction::Kind::JoyAxis, "axis"},
};

MonitorRecord actionRecord(const OutputAction& action) {
    const auto found =
        std::find_if(std::begin(kActionWords), std::end(kActionWords),
                     [&](const ActionWords& words) { return words.kind == action.kind; });
    MonitorRecord record("action", found->word);
    switch (action.kind) {
    case OutputAction::Kind::KeyDown:
    case OutputAction::Kind::KeyUp:
        record.field("usage", action.code);
        if (const std::string_view name = player::keyName(action.code); !name.empty())
            record.field("key", name);
        return record;
    case OutputAction::Kind::JoyButtonDown:
    case OutputAction::Kind::JoyButtonUp:
    case OutputAction::Kind::MouseButtonDown:
    case OutputAction::Kind::MouseButtonUp:
        return record.field("button", action.code);
    case OutputAction::Kind::MouseMoveX:
    case OutputAction::Kind::MouseMoveY:
        return record.field("by", action.value);
    case OutputAction::Kind::JoyHat:
        return record.field("hat", action.code)
            .field("value", player::hatDirectionName(action.value));
    case OutputAction::Kind::JoyAxis:
        break;
    }
    return record.field("axis", player::axisName(action.code)).field("value", action.value);
}

} // namespace

DriverMonitor::DriverMonitor(std::string socketPath, std::string outputName,
                             player::OutputSink& next)
    : server_(std::move(socketPath), [this] { return snapshot(); }),
      outputName_(std::move(outputName)), next_(next) {}

std::string DriverMonitor::snapshot() const {
    std::string lines = MonitorRecord("driver").field("output", outputName_).text() + "\n";
    if (profile_)
        lines += MonitorRecord("profile", "held")
                     .field("scripts", profile_->scripts)
                     .field("modes", profile_->modes)
                     .field("chains", profile_->chains)
                     .field("from", profile_->from)
                     .field("loaded", profile_->loaded)
                     .field("digest", profile_->digest)
                     .text() +
                 "\n";
    else
        lines += "profile none\n";
    lines += MonitorRecord("mode").field("active", mode_).text() + "\n";
    for (const std::string& device : devices_) {
        MonitorRecord record("device", "held");
        lines += addDevice(record, device).text() + "\n";
    }
    return lines + "ready\n";
}

void DriverMonitor::publish(const MonitorRecord& record) {
    server_.publish(record.text());
}

void DriverMonitor::emit(const OutputAction& action, player::Time at) {
    next_.emit(action, at);
    if (watched())
        publish(actionRecord(action));
}

void DriverMonitor::note(std::string_view line) {
    next_.note(line);
}

void DriverMonitor::scriptStarted(int script, int configuration, player::Time at) {
    next_.scriptStarted(script, configuration, at);
    if (watched())
        publish(MonitorRecord("script").field("number", script).field("mode", configuration));
}

void DriverMonitor::unassignedPress(const ControlInput& control, int configuration,
                                    player::Time at) {
    next_.unassignedPress(control, configuration, at);
    if (!watched())
        return;
    MonitorRecord record("unassigned");
    publish(addControl(record, control).field("mode", configuration));
}

void DriverMonitor::modeSwitched(int from, int to, player::Time at) {
    next_.modeSwitched(from, to, at);
    mode_ = to;
    publish(MonitorRecord("mode").field("from", from).field("to", to));
}

void DriverMonitor::controlChanged(const ControlInput& change, const ControlOrigin& origin) {
    if (!watched())
        return;
    MonitorRecord record("control");
    record.field("device", origin.device);
    if (const char* type = libevdev_event_type_get_name(static_cast<unsigned>(origin.type)))
        record.field("type", type);
    else
        record.field("type", origin.type);
    record.field("code", origin.code)
        .field("event", evdevCodeName(origin.type, origin.code))
        .field("raw", origin.value);
    publish(addControl(record, change));
}

void DriverMonitor::profileLoaded(const DeviceProfileImage& image,
                                  std::span<const std::uint8_t> bytes, std::string_view from) {
    profile_ = HeldProfile{image.scripts.size(),
                           image.configurations.size(),
                           image.chains.size(),
                           std::string(from),
                           utcNow(),
                           deviceFileDigest(bytes)};
    mode_ = 0;
    publish(MonitorRecord("profile", "loaded")
                .field("scripts", profile_->scripts)
                .field("modes", profile_->modes)
                .field("chains", profile_->chains)
                .field("from", profile_->from)
                .field("loaded", profile_->loaded)
                .field("digest", profile_->digest));
}

void DriverMonitor::profileRefused(const ProfileCheck& check) {
    MonitorRecord record("profile", "refused");
    record.field("reply", static_cast<int>(check.reply()));
    std::string reasons;
    for (const std::string& reason : check.errors)
        reasons += (reasons.empty() ? "" : "; ") + reason;
    publish(record.field("reason", reasons));
}

void DriverMonitor::profileCleared() {
    profile_.reset();
    mode_ = 0;
    publish(MonitorRecord("profile", "cleared"));
}

void DriverMonitor::devicesHeld(const std::vector<std::string>& devices) {
    for (const std::string& device : devices_)
        if (std::find(devices.begin(), devices.end(), device) == devices.end()) {
            MonitorRecord record("device", "lost");
            publish(addDevice(record, device));
        }
    for (const std::string& device : devices)
        if (std::find(devices_.begin(), devices_.end(), device) == devices_.end()) {
            MonitorRecord record("device", "gained");
            publish(addDevice(record, device));
        }
    devices_ = devices;
}

} // namespace vantrel::driver

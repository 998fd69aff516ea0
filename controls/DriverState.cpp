#include "controls/DriverState.h"

#include "device/player/ControlNames.h"

#include <algorithm>

namespace vantrel {
namespace {

DriverState::HeldProfile heldProfile(const MonitorLine& record) {
    return {record.number("scripts"),
            record.number("modes"),
            record.number("chains"),
            record.field("from").value_or(""),
            record.field("loaded").value_or(""),
            record.field("digest").value_or("")};
}

DriverState::Device deviceOf(const MonitorLine& record) {
    return {record.field("path").value_or(""), record.field("name").value_or("")};
}

} // namespace

DriverState::Change DriverState::apply(const MonitorLine& record) {
    const std::string& kind = record.kind;
    if (kind == "driver") {
        // A snapshot begins: the state is told afresh, so what came before is dropped.
        *this = DriverState{};
        output = record.field("output").value_or("");
        return Change::Driver;
    }
    if (kind == "ready") {
        ready = true;
        return Change::Driver;
    }
    if (kind == "profile") {
        if (record.word == "held" || record.word == "loaded") {
            profile = heldProfile(record);
            lastRefusal.clear();
            if (record.word == "loaded")
                mode = 0;
        } else if (record.word == "none" || record.word == "cleared") {
            profile.reset();
            mode = 0;
        } else if (record.word == "refused") {
            lastRefusal = record.field("reason").value_or("");
        }
        return Change::Profile;
    }
    if (kind == "mode") {
        mode = int(record.field("active") ? record.number("active") : record.number("to"));
        return Change::Mode;
    }
    if (kind == "device") {
        const Device device = deviceOf(record);
        if (record.word == "lost")
            std::erase(devices, device);
        else if (std::find(devices.begin(), devices.end(), device) == devices.end())
            devices.push_back(device);
        return Change::Devices;
    }
    if (kind == "control") {
        const std::optional<player::ControlInput> control =
            player::controlNamed(record.field("control").value_or(""));
        if (!control)
            return Change::None;
        const std::string value = record.field("value").value_or("");
        switch (control->kind) {
        case player::ControlInput::Kind::Button:
            buttons[std::size_t(control->index)] = int(record.number("value"));
            break;
        case player::ControlInput::Kind::Hat:
            hats[std::size_t(control->index)] = player::hatDirectionNamed(value).value_or(0);
            break;
        case player::ControlInput::Kind::Axis:
            axes[std::size_t(control->index)] = int(record.number("value"));
            break;
        }
        return Change::Control;
    }
    return Change::None;
}

} // namespace vantrel

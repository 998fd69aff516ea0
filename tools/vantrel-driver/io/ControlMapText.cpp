#include "io/ControlMapText.h"

#include "files/AtomicFileOutput.h"
#include "io/DeviceMatchText.h"
#include "io/EvdevNames.h"
#include "io/X36Controls.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <utility>

namespace vantrel::driver {
namespace {

constexpr std::uintmax_t kMaximumFileSize = 1 << 20;
constexpr std::string_view kUnboundWord = "none";
constexpr std::string_view kInvertedWord = "inverted";
constexpr std::string_view kDeviceWord = "device";

constexpr std::string_view kFileHeader =
    "# Vantrel driver control map: which evdev code of the joystick drives which X36 control.\n"
    "# <control> = <binding>; '#' starts a comment. Codes by name or as decimal numbers.\n"
    "#   button: Trigger = BTN_TRIGGER\n"
    "#   hat:    StickHat1 = ABS_HAT0X ABS_HAT0Y  (x y), or four buttons: up right down left\n"
    "#   axis:   XAxis = ABS_X [minimum maximum] [inverted]  (without a range: the device's)\n"
    "#   none:   the control is not bound\n"
    "# With a stick, a throttle and pedals, name each device once and put its label before the\n"
    "# codes of its controls (a binding without a label comes from whichever device is taken):\n"
    "#   device stick = 06a3:0c2d \"Saitek X36 Stick\"   vendor:product in hex, the name optional\n"
    "#   device pedals = usb-CH_Products_Pedals-event-joystick   a name in /dev/input/by-id\n"
    "#   Trigger = stick BTN_TRIGGER\n";

// A hat with a code missing (possible only in a map built in code) is written as unbound.
bool isComplete(const HatBinding& hat) {
    switch (hat.kind) {
    case HatBinding::Kind::AxisPair:
        return hat.xCode != kUnbound && hat.yCode != kUnbound;
    case HatBinding::Kind::Buttons:
        return std::find(hat.buttons.begin(), hat.buttons.end(), kUnbound) == hat.buttons.end();
    case HatBinding::Kind::None:
        break;
    }
    return false;
}

void appendLine(std::string& text, const std::string& name, const std::string& device,
                const std::string& binding) {
    text += name;
    text += " = ";
    if (!device.empty() && binding != kUnboundWord)
        text += device + " ";
    text += binding;
    text += '\n';
}

} // namespace

std::string formatControlMap(const ControlMap& map) {
    std::string text(kFileHeader);
    for (const DeviceMatch& device : map.devices)
        text +=
            std::string(kDeviceWord) + " " + device.label + " = " + deviceMatchText(device) + "\n";
    for (std::size_t b = 0; b < map.buttons.size(); ++b) {
        const int key = map.buttons[b];
        appendLine(text, buttonNames()[b], map.buttonDevices[b],
                   key == kUnbound ? std::string(kUnboundWord) : evdevCodeName(EV_KEY, key));
    }
    for (std::size_t h = 0; h < map.hats.size(); ++h) {
        const HatBinding& hat = map.hats[h];
        std::string binding;
        if (!isComplete(hat)) {
            binding = kUnboundWord;
        } else if (hat.kind == HatBinding::Kind::AxisPair) {
            binding = evdevCodeName(EV_ABS, hat.xCode) + " " + evdevCodeName(EV_ABS, hat.yCode);
        } else if (hat.kind == HatBinding::Kind::Buttons) {
            for (int key : hat.buttons)
                binding += (binding.empty() ? "" : " ") + evdevCodeName(EV_KEY, key);
        }
        appendLine(text, hatNames()[h], map.hatDevices[h], binding);
    }
    for (std::size_t a = 0; a < map.axes.size(); ++a) {
        const AxisBinding& axis = map.axes[a];
        std::string binding(kUnboundWord);
        if (axis.code != kUnbound) {
            binding = evdevCodeName(EV_ABS, axis.code);
            if (axis.range)
                binding += " " + std::to_string(axis.range->minimum) + " " +
                           std::to_string(axis.range->maximum);
            if (axis.inverted)
                binding += " " + std::string(kInvertedWord);
        }
        appendLine(text, axisNames()[a], map.axisDevices[a], binding);
    }
    return text;
}

bool loadControlMap(const std::filesystem::path& path, ControlMap& map,
                    std::vector<std::string>& errors) {
    std::error_code code;
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    if (code) {
        errors.push_back("cannot read " + path.string() + ": " + code.message());
        return false;
    }
    if (size > kMaximumFileSize) {
        errors.push_back(path.string() + " is too large for a control map (" +
                         std::to_string(size) + " bytes)");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        errors.push_back("cannot read " + path.string() + ": " + std::strerror(errno));
        return false;
    }
    std::vector<std::string> faults;
    if (parseControlMap(text, map, faults))
        return true;
    for (const std::string& fault : faults)
        errors.push_back(path.string() + ": " + fault);
    return false;
}

bool saveControlMap(const std::filesystem::path& path, const ControlMap& map, std::string& error) {
    std::error_code code;
    if (std::filesystem::exists(path, code)) {
        std::filesystem::path backup = path;
        backup += "~";
        std::filesystem::copy_file(path, backup, std::filesystem::copy_options::overwrite_existing,
                                   code);
        if (code) {
            error = "cannot keep the previous map as " + backup.string() + ": " + code.message() +
                    "; " + path.string() + " is left as it was";
            return false;
        }
    }
    AtomicFileOutput output(path);
    if (!output.isOpen() || !output.write(formatControlMap(map)) || !output.finish()) {
        error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace vantrel::driver

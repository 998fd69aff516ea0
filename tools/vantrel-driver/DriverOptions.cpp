#include "DriverOptions.h"

#include <charconv>
#include <cstdlib>

namespace vantrel::driver {
namespace {

constexpr int kMaximumHysteresis = 65534; // the whole axis travel

std::optional<int> hysteresisValue(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || rest != end || value < 0 ||
        value > kMaximumHysteresis)
        return std::nullopt;
    return value;
}

std::optional<OutputKind> outputByName(const std::string& name) {
    for (OutputKind kind : {OutputKind::Uinput, OutputKind::XTest, OutputKind::Print})
        if (name == outputKindName(kind))
            return kind;
    return std::nullopt;
}

} // namespace

const char* outputKindName(OutputKind kind) {
    switch (kind) {
    case OutputKind::Uinput:
        return "uinput";
    case OutputKind::XTest:
        return "xtest";
    case OutputKind::Print:
        return "print";
    case OutputKind::Automatic:
        break;
    }
    return "automatic";
}

std::string defaultControlMapPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/')
        return std::string(config) + "/vantrel/controls.map";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/vantrel/controls.map";
}

std::string driverUsage() {
    return "Usage: vantrel-driver [--device PATH]... [--map FILE] [--output uinput|xtest|print]\n"
           "                      [--hysteresis N] [--background]\n"
           "       vantrel-driver --learn [FILE] [--control NAME] [--device PATH]...\n"
           "       vantrel-driver --play PROFILE.bpf --input EVENTS\n"
           "       vantrel-driver --monitor\n"
           "Plays X36 profiles from joysticks: serves the X36 driver's device object, so\n"
           "that \"vantrel PROFILE.bpf\" loads a profile, and turns the controls of a stick,\n"
           "a throttle and pedals, played as one X36, into the keys, mouse and joystick\n"
           "actions the profile assigns.\n"
           "  --device PATH     a joystick's event device (or /dev/input/by-id link), or a\n"
           "                    pipe of raw input_event records; once per device (default:\n"
           "                    every joystick found, and each one plugged in later)\n"
           "  --map FILE        which of the joystick's codes drive which X36 control\n"
           "                    (default: " +
           defaultControlMapPath() +
           " if it exists,\n"
           "                    else the layout of a generic USB joystick); a line\n"
           "                    'device LABEL = VVVV:PPPP \"name\"' names a device, and\n"
           "                    'Trigger = LABEL BTN_TRIGGER' binds a control of it\n"
           "  --learn [FILE]    build a control map by working each control in turn on any\n"
           "                    joystick, starting from the map there (FILE, default: the\n"
           "                    map above; the previous one is kept as FILE~)\n"
           "  --control NAME    with --learn: learn the one X36 control NAME (as FireA)\n"
           "  --output KIND     where actions go: uinput (virtual keyboard, mouse and\n"
           "                    joystick), xtest (keys and mouse through the X server) or\n"
           "                    print (a line per action on standard output); by default\n"
           "                    uinput where /dev/uinput is writable, else xtest where the\n"
           "                    display answers, else print\n"
           "  --hysteresis N    axis units (0 to 65534) an axis must move back before a\n"
           "                    breakpoint it crossed fires again\n"
           "  --play PROFILE    play a device profile against recorded controls and print\n"
           "                    the timeline; uses no device and no socket\n"
           "  --input EVENTS    the recorded controls for --play\n"
           "  --monitor         show what the running driver does, live, one record a line:\n"
           "                    its state first (driver, profile, mode, device ... ready),\n"
           "                    then each control change with the device and evdev event,\n"
           "                    script started, action, mode switch, unassigned press,\n"
           "                    profile loaded, refused or cleared, device gained or lost;\n"
           "                    Ctrl-C ends it\n"
           "  --background      serve in the background once the socket listens, so that\n"
           "                    the command returns when the driver is ready\n"
           "  --help, --version\n"
           "The last profile taken is kept in $XDG_STATE_HOME/vantrel/profile.bpf and loaded\n"
           "again at start. SIGINT or SIGTERM stops the driver.\n";
}

ParsedDriverOptions parseDriverOptions(const std::vector<std::string>& arguments) {
    ParsedDriverOptions parsed;
    DriverOptions& options = parsed.options;
    auto fail = [&](std::string text) {
        parsed.error = std::move(text);
        return parsed;
    };
    bool outputGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.run = DriverOptions::Run::Help;
            return parsed; // help wins over everything else on the line
        }
        if (option == "--version") {
            options.run = DriverOptions::Run::Version;
            return parsed;
        }
        if (option == "--monitor") {
            if (arguments.size() != 1)
                return fail("--monitor takes no other option");
            options.run = DriverOptions::Run::Monitor;
            return parsed;
        }
        if (option == "--background") {
            options.background = true;
            continue;
        }
        if (option == "--learn") {
            options.learnPath = "";
            if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("-"))
                options.learnPath = arguments[++i];
            continue;
        }
        if (option != "--device" && option != "--map" && option != "--output" &&
            option != "--control" && option != "--hysteresis" && option != "--play" &&
            option != "--input")
            return fail("unknown option " + option);
        if (i + 1 == arguments.size() || arguments[i + 1].empty())
            return fail(option + " needs a value");
        const std::string& value = arguments[++i];
        if (option == "--device") {
            options.devicePaths.push_back(value);
        } else if (option == "--control") {
            options.learnControl = value;
        } else if (option == "--map") {
            options.mapPath = value;
        } else if (option == "--play") {
            options.playProfile = value;
        } else if (option == "--input") {
            options.inputEvents = value;
        } else if (option == "--output") {
            const std::optional<OutputKind> kind = outputByName(value);
            if (!kind)
                return fail("unknown output " + value + " (uinput, xtest or print)");
            options.output = *kind;
            outputGiven = true;
        } else {
            options.hysteresis = hysteresisValue(value);
            if (!options.hysteresis)
                return fail("--hysteresis " + value + ": give a number from 0 to 65534");
        }
    }
    const bool playing = !options.playProfile.empty() || !options.inputEvents.empty();
    if (playing && (options.playProfile.empty() || options.inputEvents.empty()))
        return fail("--play and --input go together");
    if (options.background && (playing || options.learnPath))
        return fail("--background goes only with serving, not with --play or --learn");
    if (playing && (options.learnPath || !options.devicePaths.empty() || outputGiven ||
                    !options.mapPath.empty() || options.hysteresis))
        return fail("--play uses no device and names controls directly: it takes only --input");
    if (!options.learnControl.empty() && !options.learnPath)
        return fail("--control names the one control --learn learns: give --learn too");
    if (options.learnPath && outputGiven)
        return fail("--learn sends no actions: --output does not apply");
    if (playing)
        options.run = DriverOptions::Run::Play;
    else if (options.learnPath)
        options.run = DriverOptions::Run::Learn;
    return parsed;
}

} // namespace vantrel::driver

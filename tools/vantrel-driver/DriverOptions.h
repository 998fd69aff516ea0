#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrel::driver {

enum class OutputKind { Automatic, Uinput, XTest, Print };

struct DriverOptions {
    enum class Run { Serve, Help, Version, Learn, Play, Monitor };
    Run run = Run::Serve;
    std::vector<std::string> devicePaths; // --device, any number; none: every joystick found
    std::string mapPath;                  // empty: the built-in map for a generic joystick
    std::optional<std::string> learnPath; // --learn FILE; empty with --learn alone
    std::string learnControl;             // --control NAME: learn that control alone
    OutputKind output = OutputKind::Automatic;
    std::optional<int> hysteresis; // the player's own default when not given
    std::string playProfile;       // --play
    std::string inputEvents;       // --input
    bool background = false;       // serve in the background once the socket listens
};

struct ParsedDriverOptions {
    DriverOptions options;
    std::string error; // empty when the arguments were understood
};

// Reads the command line (without the program name).
ParsedDriverOptions parseDriverOptions(const std::vector<std::string>& arguments);

std::string driverUsage();
const char* outputKindName(OutputKind kind);

// Where --learn writes when it is given no file: $XDG_CONFIG_HOME/vantrel/controls.map.
std::string defaultControlMapPath();

} // namespace vantrel::driver

// vantrel-driver: the X36 driver for Linux. Takes profiles as the X36's programming driver
// does and plays them from a joystick.
#include "Background.h"
#include "DriverDaemon.h"
#include "DriverOptions.h"
#include "MonitorClient.h"
#include "OutputChoice.h"

#include "device/player/RecordedPlay.h"
#include "io/ControlCatch.h"
#include "io/ControlLearner.h"
#include "io/ControlMapText.h"
#include "io/InputEventStreams.h"
#include "platform/posix/PosixDriverConnection.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

using namespace vantrel;
using namespace vantrel::driver;

// Reads a whole file of at most limit bytes; nothing, with the reason, otherwise.
std::optional<std::string> readSmallFile(const std::string& path, std::size_t limit,
                                         std::string& error) {
    // The stream keeps no reason of its own; errno holds the system's.
    const auto reason = [] { return std::string(errno != 0 ? std::strerror(errno) : "failed"); };
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + reason();
        return std::nullopt;
    }
    std::string text(limit + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        error = "cannot read " + path + ": " + reason();
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > limit) {
        error = path + " is longer than " + std::to_string(limit) + " bytes";
        return std::nullopt;
    }
    return text;
}

bool isProfileTextPath(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".vtp";
}

int play(const DriverOptions& options) {
    // The text a user writes is not what the device plays; vantrel makes one from the other.
    if (isProfileTextPath(options.playProfile)) {
        std::cerr << "vantrel-driver: " << options.playProfile
                  << " is a profile text file, not a device profile file; translate it first: "
                     "vantrel "
                  << options.playProfile << "\n";
        return 1;
    }
    std::string error;
    // A little more than the device holds, so the check sees an overlong profile as such.
    const std::optional<std::string> profile =
        readSmallFile(options.playProfile, 2 * kDeviceProfileCapacity, error);
    const std::optional<std::string> events =
        profile ? readSmallFile(options.inputEvents, 64 * 1024 * 1024, error) : std::nullopt;
    if (!events) {
        std::cerr << "vantrel-driver: " << error << "\n";
        return 1;
    }
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(profile->data()), profile->size());
    return player::playRecording(bytes, *events, options.inputEvents, std::cout, std::cerr);
}

// The joysticks to learn from: those named, else every one udev reports.
std::vector<std::string> learnPaths(const DriverOptions& options) {
    if (!options.devicePaths.empty())
        return options.devicePaths;
    std::string error;
    const std::unique_ptr<JoystickDiscovery> discovery = JoystickDiscovery::open(error);
    if (!discovery) {
        std::cerr << "vantrel-driver: no joystick discovery: " << error << "\n";
        return {};
    }
    std::vector<std::string> paths = discovery->joysticks();
    if (paths.empty())
        std::cerr << "vantrel-driver: no joystick found; plug one in or name it with --device\n";
    return paths;
}

// The map learning starts from: the one at target, or an empty one where there is none yet.
std::optional<ControlMap> startingMap(const std::string& target) {
    ControlMap map;
    std::error_code ignored;
    if (!std::filesystem::exists(target, ignored))
        return map;
    std::vector<std::string> errors;
    if (loadControlMap(target, map, errors))
        return map;
    for (const std::string& line : errors)
        std::cerr << "vantrel-driver: " << line << "\n";
    std::cerr << "vantrel-driver: learning starts from " << target
              << ", which has faults: mend them, or learn into another file\n";
    return std::nullopt;
}

int learn(const DriverOptions& options) {
    const std::string target =
        options.learnPath->empty() ? defaultControlMapPath() : *options.learnPath;
    LearnOptions learnOptions;
    learnOptions.answersFd = STDIN_FILENO;
    if (!options.learnControl.empty()) {
        learnOptions.only = findControl(options.learnControl);
        if (!learnOptions.only) {
            std::cerr << "vantrel-driver: --control " << options.learnControl
                      << ": not a control of the X36; the controls are named in "
                      << defaultControlMapPath() << " and in vantrel-driver(1)\n";
            return 2;
        }
    }
    std::optional<ControlMap> map = startingMap(target);
    if (!map)
        return 1;
    std::vector<std::unique_ptr<InputEventStream>> streams;
    std::vector<LearnSource> sources;
    std::vector<std::string> labels;
    for (const DeviceMatch& device : map->devices)
        labels.push_back(device.label);
    for (const std::string& path : learnPaths(options)) {
        std::string error;
        std::unique_ptr<InputEventStream> stream = openInputEventStream(path, true, error);
        if (!stream) {
            std::cerr << "vantrel-driver: " << error << "\n";
            continue;
        }
        if (stream->grabError() == EBUSY) {
            std::cerr << "vantrel-driver: " << stream->describe()
                      << " is held by another program, most likely the driver's service: stop it "
                         "with 'systemctl --user stop vantrel-driver', learn, then start it again "
                         "with 'systemctl --user start vantrel-driver'\n";
            continue;
        }
        LearnSource source{stream.get(), learningDeviceFor(*map, stream->identity(), labels)};
        std::cout << "Learning from " << stream->describe()
                  << (source.device ? " as " + source.device->label : "") << "\n";
        sources.push_back(std::move(source));
        streams.push_back(std::move(stream));
    }
    if (sources.empty()) {
        std::cerr << "vantrel-driver: no joystick to learn from; " << target << " is left alone\n";
        return 1;
    }
    if (!learnControls(sources, std::cin, std::cout, *map, learnOptions)) {
        std::cerr << "vantrel-driver: no control was learnt; " << target << " is left alone\n";
        return 1;
    }
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ignored);
    std::string error;
    if (!saveControlMap(target, *map, error)) {
        std::cerr << "vantrel-driver: " << error << "\n";
        return 1;
    }
    std::cout << "Control map saved to " << target << "\n";
    return 0;
}

// The control map file the driver reads, and where a control learnt while it runs is saved.
std::string controlMapPath(const DriverOptions& options) {
    return options.mapPath.empty() ? defaultControlMapPath() : options.mapPath;
}

std::optional<ControlMap> controlMap(const DriverOptions& options) {
    std::string path = options.mapPath;
    if (path.empty() && std::filesystem::exists(defaultControlMapPath()))
        path = defaultControlMapPath();
    if (path.empty()) {
        std::cerr << "vantrel-driver: control map: the layout of a generic USB joystick\n";
        return defaultControlMap();
    }
    ControlMap map;
    std::vector<std::string> errors;
    if (!loadControlMap(path, map, errors)) {
        for (const std::string& line : errors)
            std::cerr << "vantrel-driver: " << line << "\n"; // each names the file already
        return std::nullopt;
    }
    std::cerr << "vantrel-driver: control map " << path << "\n";
    return map;
}

int serve(const DriverOptions& options) {
    const std::optional<ControlMap> map = controlMap(options);
    if (!map)
        return 1;
    const NoticeHandler notices = [](std::string_view line) {
        std::cerr << "vantrel-driver: " << line << "\n";
    };
    const char* display = std::getenv("DISPLAY");
    ChosenOutput output =
        chooseOutput(options.output, systemOutputOpeners(notices),
                     ::access("/dev/uinput", W_OK) == 0, display && *display, std::cout);
    std::cerr << "vantrel-driver: " << output.why << std::endl;
    if (!output.advice.empty())
        std::cerr << "vantrel-driver: " << output.advice << std::endl;
    if (!output.backend)
        return 1;

    DaemonSetup setup;
    setup.socketPath = platform::defaultDriverSocketPath();
    setup.monitorSocketPath = platform::monitorSocketPath(setup.socketPath);
    setup.outputName = output.backend->describe();
    setup.keptProfile = ProfileStore::defaultPath();
    setup.devicePaths = options.devicePaths;
    setup.map = *map;
    setup.mapPath = controlMapPath(options);
    if (options.hysteresis)
        setup.playerOptions.axisHysteresis = *options.hysteresis;
    if (options.background) {
        setup.listening = [] {
            std::string error;
            if (driverserver::continueInBackground("vantrel-driver", error))
                return true;
            std::cerr << "vantrel-driver: " << error << "\n";
            return false;
        };
    }
    DriverDaemon daemon(std::move(setup), *output.backend, std::cerr);
    return daemon.run();
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedDriverOptions parsed = parseDriverOptions(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "vantrel-driver: " << parsed.error
                  << "\nTry 'vantrel-driver --help' for the options.\n";
        return 2;
    }
    const DriverOptions& options = parsed.options;
    switch (options.run) {
    case DriverOptions::Run::Help:
        std::cout << driverUsage();
        return 0;
    case DriverOptions::Run::Version:
        std::cout << "vantrel-driver " << VANTREL_VERSION << "\n";
        return 0;
    case DriverOptions::Run::Learn:
        return learn(options);
    case DriverOptions::Run::Play:
        return play(options);
    case DriverOptions::Run::Monitor:
        return watchMonitor(platform::monitorSocketPath(platform::defaultDriverSocketPath()),
                            std::cout, std::cerr);
    case DriverOptions::Run::Serve:
        break;
    }
    return serve(options);
}

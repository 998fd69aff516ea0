#include "SimDriverOptions.h"

#include <array>
#include <charconv>
#include <optional>

namespace vantrel::simdriver {
namespace {

constexpr std::array<DriverStep, kDriverStepCount> kSteps{DriverStep::Ping, DriverStep::Clear,
                                                          DriverStep::Prepare, DriverStep::Load};

std::optional<DriverStep> stepByName(const std::string& name) {
    for (DriverStep step : kSteps)
        if (name == stepName(step))
            return step;
    return std::nullopt;
}

// A reply byte written as -128..255 (a negative value is the byte's signed reading).
std::optional<std::uint8_t> replyByte(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || rest != end || value < -128 || value > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::string simDriverUsage() {
    return "Usage: x36-simdriver [--socket PATH] [--reply STEP=VALUE]... [--no-reply STEP]...\n"
           "                     [--once] [--background]\n"
           "       x36-simdriver --help | --version\n"
           "Serves the X36 driver's device object on a SOCK_SEQPACKET socket and prints what\n"
           "each profile sent to it holds.\n"
           "  --socket PATH        the socket (default: $XDG_RUNTIME_DIR/X36Program, or\n"
           "                       /tmp/X36Program-<uid>)\n"
           "  --reply STEP=VALUE   answer STEP with VALUE (-128 to 255) instead of the\n"
           "                       device's own answer\n"
           "  --no-reply STEP      close the connection instead of answering STEP\n"
           "  --once               exit after one profile: status 0 when it was taken,\n"
           "                       3 when it was refused\n"
           "  --background         go on in the background once the socket listens, so\n"
           "                       that a client started next finds it; prints the\n"
           "                       process to stop\n"
           "  --help               print this help and exit\n"
           "  --version            print the version and exit\n"
           "STEP is ping, clear, prepare or load (the reply to the profile itself).\n"
           "Ctrl-C stops the driver and removes its socket.\n";
}

ParsedOptions parseSimDriverOptions(const std::vector<std::string>& arguments,
                                    const std::string& defaultSocketPath) {
    ParsedOptions parsed;
    parsed.options.socketPath = defaultSocketPath;
    auto fail = [&](std::string text) {
        parsed.error = std::move(text);
        return parsed;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            parsed.options.help = true;
            continue;
        }
        if (option == "--version") {
            parsed.options.version = true;
            continue;
        }
        if (option == "--once") {
            parsed.options.once = true;
            continue;
        }
        if (option == "--background") {
            parsed.options.background = true;
            continue;
        }
        if (option != "--socket" && option != "--reply" && option != "--no-reply")
            return fail("unknown option " + option);
        if (i + 1 == arguments.size())
            return fail(option + " needs a value");
        const std::string& value = arguments[++i];
        if (option == "--socket") {
            if (value.empty())
                return fail("--socket needs a path");
            parsed.options.socketPath = value;
        } else if (option == "--no-reply") {
            const std::optional<DriverStep> step = stepByName(value);
            if (!step)
                return fail("unknown step " + value + " (ping, clear, prepare or load)");
            parsed.options.replies[static_cast<std::size_t>(*step)].silent = true;
        } else {
            const std::size_t equals = value.find('=');
            const std::optional<DriverStep> step =
                stepByName(equals == std::string::npos ? value : value.substr(0, equals));
            if (!step)
                return fail("--reply needs STEP=VALUE with STEP ping, clear, prepare or load");
            const std::optional<std::uint8_t> byte =
                equals == std::string::npos ? std::nullopt : replyByte(value.substr(equals + 1));
            if (!byte)
                return fail("--reply " + value + ": the value must be a number from -128 to 255");
            parsed.options.replies[static_cast<std::size_t>(*step)].forced = byte;
        }
    }
    return parsed;
}

} // namespace vantrel::simdriver

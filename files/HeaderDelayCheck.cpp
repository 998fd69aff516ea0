#include "files/HeaderDelayCheck.h"

#include "devicefile/DeviceFormat.h"
#include "profile/CNumbers.h"
#include "profile/Script.h"

#include <algorithm>
#include <string>

namespace vantrel {
namespace {

// An optional sign and decimal digits, nothing else: the only form read as it is written.
bool isPlainInteger(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whether a plain integer lies from 0 to the longest delay the device takes.
bool isDeviceDelay(std::string_view text) {
    const bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-')
        text.remove_prefix(1);
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    if (text.empty())
        return true; // zero, whatever its sign
    if (negative)
        return false;
    const std::string longest = std::to_string(kDeviceLongestDelay);
    return text.size() < longest.size() || (text.size() == longest.size() && text <= longest);
}

} // namespace

std::optional<HeaderDelay> checkHeaderDelayLine(std::string_view line, CheckFindings& findings) {
    const std::optional<HeaderDelay> delay = readHeaderDelay(line);
    const bool press = line.find(kPressDelayKey) != std::string_view::npos;
    const std::string_view key = press ? kPressDelayKey : kReleaseDelayKey;
    if (!delay) {
        if (press || line.find(kReleaseDelayKey) != std::string_view::npos)
            findings.error("The " + std::string(key) + " line has no '=', so it sets no delay.",
                           line, CheckSubject::None, {});
        return delay;
    }
    const std::string_view written = trimFileSpace(line.substr(line.find('=') + 1));
    // What an event given this default delay carries to the device.
    const auto sent = static_cast<std::int32_t>(delay->value);
    const std::string_view at = written.empty() ? line : written;
    if (!isPlainInteger(written)) {
        findings.error("The " + std::string(key) + " value reads as " + std::to_string(sent) +
                           ", not as written: write the delay in decimal digits alone.",
                       at, CheckSubject::None, {});
    } else if (!isDeviceDelay(written)) {
        findings.error("The " + std::string(key) + " " + std::string(written) +
                           " is outside the delays the device takes (0 to " +
                           std::to_string(kDeviceLongestDelay) + " ms): it would get " +
                           std::to_string(sent) + ".",
                       at, CheckSubject::None, {});
    }
    return delay;
}

} // namespace vantrel

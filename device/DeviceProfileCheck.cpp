#include "device/DeviceProfileCheck.h"

#include "devicefile/DeviceBytes.h"

#include <set>

namespace vantrel {
namespace {

std::string str(std::size_t value) {
    return std::to_string(value);
}

class Checker {
public:
    explicit Checker(std::span<const std::uint8_t> bytes) : bytes_(bytes), in_(bytes) {}

    ProfileCheck run() {
        if (bytes_.size() > kDeviceProfileCapacity)
            error(ProfileFault::TooLong, "the profile is " + str(bytes_.size()) +
                                             " bytes long; the device holds at most " +
                                             str(kDeviceProfileCapacity));
        if (readStructure())
            checkReferences();
        return std::move(check_);
    }

private:
    void error(ProfileFault fault, std::string text) {
        if (check_.fault == ProfileFault::None)
            check_.fault = fault;
        check_.errors.push_back(std::move(text));
    }
    void warn(std::string text) { check_.warnings.push_back(std::move(text)); }

    bool need(std::size_t count, const std::string& what) {
        if (in_.has(count))
            return true;
        error(ProfileFault::Truncated,
              "the profile ends at byte " + str(bytes_.size()) + ", inside " + what);
        return false;
    }

    bool readStructure() {
        DeviceProfileImage& image = check_.image;
        if (!need(kDeviceVersionSize, "the version byte"))
            return false;
        image.version = *in_.take(kDeviceVersionSize);
        if (image.version != kDeviceFileVersion) {
            error(ProfileFault::WrongVersion, "version " + str(image.version) +
                                                  "; the device takes version " +
                                                  str(kDeviceFileVersion));
            return false; // another version may lay its records out otherwise
        }
        if (!need(kDeviceLengthSize, "the Length field"))
            return false;
        image.length = readU32(in_.take(kDeviceLengthSize));
        if (image.length != bytes_.size())
            error(ProfileFault::LengthMismatch, "Length says " + str(image.length) + " bytes, " +
                                                    str(bytes_.size()) + " were received");
        return readScripts() && readConfigurations() && readChains() && readEnd();
    }

    bool readScripts() {
        if (!need(kDeviceCountSize, "the script count"))
            return false;
        const std::size_t count = readU16(in_.take(kDeviceCountSize));
        for (std::size_t i = 0; i < count; ++i) {
            const std::string what = "script record " + str(i) + " of " + str(count);
            if (!need(kDeviceScriptHeaderSize, what))
                return false;
            const DeviceRecordHead head = readScriptHead(in_.take(kDeviceScriptHeaderSize));
            const std::size_t events = head.count;
            DeviceScript& script = check_.image.scripts.emplace_back();
            script.id = head.id;
            if (!need(events * kDeviceEventSize, what + " (" + str(events) + " events)"))
                return false;
            script.events.resize(events);
            for (DeviceEvent& event : script.events)
                event = readEvent(in_.take(kDeviceEventSize));
        }
        return true;
    }

    bool readConfigurations() {
        if (!need(kDeviceCountSize, "the configuration count"))
            return false;
        const std::size_t count = readU16(in_.take(kDeviceCountSize));
        for (std::size_t i = 0; i < count; ++i) {
            const std::string what = "configuration record " + str(i) + " of " + str(count);
            if (!need(kDeviceConfigurationHeaderSize, what))
                return false;
            const DeviceRecordHead head =
                readConfigurationHead(in_.take(kDeviceConfigurationHeaderSize));
            const std::size_t entries = head.count;
            DeviceConfiguration& configuration = check_.image.configurations.emplace_back();
            configuration.id = head.id;
            if (!need(entries * kDeviceEntrySize, what + " (" + str(entries) + " entries)"))
                return false;
            configuration.entries.resize(entries);
            for (DeviceEntry& entry : configuration.entries)
                entry = readEntry(in_.take(kDeviceEntrySize));
        }
        return true;
    }

    bool readChains() {
        if (!need(kDeviceCountSize, "the chain count"))
            return false;
        const std::size_t count = readU16(in_.take(kDeviceCountSize));
        for (std::size_t i = 0; i < count; ++i) {
            const std::string what = "chain record " + str(i) + " of " + str(count);
            if (!need(kDeviceChainHeaderSize, what))
                return false;
            const DeviceRecordHead head = readChainHead(in_.take(kDeviceChainHeaderSize));
            const std::size_t breakpoints = head.count;
            DeviceChain& chain = check_.image.chains.emplace_back();
            chain.id = head.id;
            if (!need(breakpoints * kDeviceBreakpointSize,
                      what + " (" + str(breakpoints) + " breakpoints)"))
                return false;
            chain.breakpoints.resize(breakpoints);
            std::vector<std::uint16_t>& repeated = repeatedPositions_.emplace_back();
            for (DeviceBreakpoint& breakpoint : chain.breakpoints) {
                const std::uint8_t* at = in_.take(kDeviceBreakpointSize);
                breakpoint = readBreakpoint(at);
                repeated.push_back(readRepeatedPosition(at));
            }
        }
        return true;
    }

    bool readEnd() {
        if (!in_.has(kDeviceEndSize)) {
            error(ProfileFault::BadEnd, "the final zero byte is missing");
            return false;
        }
        const std::uint8_t end = *in_.take(kDeviceEndSize);
        if (end != kDeviceEndByte)
            error(ProfileFault::BadEnd, "the final byte is " + str(end) + ", not 0");
        if (in_.remaining() > 0)
            error(ProfileFault::BadEnd, str(in_.remaining()) +
                                            " bytes follow the final byte at offset " +
                                            str(in_.offset() - 1));
        return true;
    }

    void checkReferences() {
        const DeviceProfileImage& image = check_.image;
        std::set<int> configurationIds;
        for (const DeviceConfiguration& configuration : image.configurations)
            if (!configurationIds.insert(configuration.id).second)
                error(ProfileFault::Inconsistent,
                      "configuration ID " + str(configuration.id) + " appears twice");

        for (std::size_t i = 0; i < image.scripts.size(); ++i) {
            const DeviceScript& script = image.scripts[i];
            if (script.id != i)
                error(ProfileFault::Inconsistent,
                      "script record " + str(i) + " has the ID " + str(script.id));
            for (std::size_t e = 0; e < script.events.size(); ++e)
                checkEvent(script.events[e], "script " + str(i) + " event " + str(e),
                           configurationIds);
        }
        for (const DeviceConfiguration& configuration : image.configurations)
            for (std::size_t e = 0; e < configuration.entries.size(); ++e)
                checkEntry(configuration.entries[e], configuration.id,
                           "configuration " + str(configuration.id) + " entry " + str(e));
        for (std::size_t i = 0; i < image.chains.size(); ++i) {
            const DeviceChain& chain = image.chains[i];
            if (chain.id != i)
                error(ProfileFault::Inconsistent,
                      "chain record " + str(i) + " has the ID " + str(chain.id));
            for (std::size_t b = 0; b < chain.breakpoints.size(); ++b) {
                const DeviceBreakpoint& breakpoint = chain.breakpoints[b];
                const std::uint16_t again = repeatedPositions_[i][b];
                const std::string where = "chain " + str(i) + " breakpoint " + str(b);
                if (breakpoint.position != again)
                    error(ProfileFault::Inconsistent, where + " gives two positions, " +
                                                          str(breakpoint.position) + " and " +
                                                          str(again));
                if (breakpoint.group < kFirstBreakpointGroup)
                    warn(where + " belongs to group " + str(breakpoint.group) +
                         ", below the first group number " + str(kFirstBreakpointGroup));
                if (breakpoint.position == 0xFFFF)
                    warn(where + " lies beyond the axis travel");
            }
        }
    }

    void checkEvent(const DeviceEvent& event, const std::string& where,
                    const std::set<int>& configurationIds) {
        const int data = event.data;
        auto range = [&](int low, int high, const char* what) {
            if (data < low || data > high)
                warn(where + ": " + what + " " + std::to_string(data) + " is out of range");
        };
        switch (event.opcode) {
        case EventOpcode::KeyPress:
        case EventOpcode::KeyRelease:
            range(4, 231, "key usage");
            break;
        case EventOpcode::DirectXPress:
        case EventOpcode::DirectXRelease:
            range(1, 64, "DirectX button");
            break;
        case EventOpcode::HatDirection:
            range(0, 8, "hat direction");
            break;
        case EventOpcode::LoadMode:
            if (!configurationIds.contains(data))
                warn(where + " loads configuration " + std::to_string(data) +
                     ", which the profile does not hold");
            break;
        case EventOpcode::MousePress:
        case EventOpcode::MouseRelease:
            range(1, 3, "mouse button");
            break;
        case EventOpcode::MouseMoveHorizontal:
        case EventOpcode::MouseMoveVertical:
            break;
        default:
            error(ProfileFault::Inconsistent,
                  where + " has the unknown opcode " + str(static_cast<int>(event.opcode)));
        }
    }

    void checkEntry(const DeviceEntry& entry, std::uint16_t configurationId,
                    const std::string& where) {
        const DeviceProfileImage& image = check_.image;
        if (entry.type == kScriptEntry) {
            if (entry.code >= kControlCodeCount && configurationId != 0)
                warn(where + " sets breakpoint code " + str(entry.code) + " outside the base mode");
            if (entry.assignment >= image.scripts.size())
                error(ProfileFault::Inconsistent, where + " names script " + str(entry.assignment) +
                                                      " of " + str(image.scripts.size()));
        } else if (entry.type == kChainEntry) {
            if (entry.code >= kAxisCount)
                error(ProfileFault::Inconsistent,
                      where + " names axis " + str(entry.code) + "; there are six, 0 to 5");
            if (entry.assignment >= image.chains.size())
                error(ProfileFault::Inconsistent, where + " names chain " + str(entry.assignment) +
                                                      " of " + str(image.chains.size()));
        } else {
            error(ProfileFault::Inconsistent, where + " has the unknown type " + str(entry.type));
        }
    }

    std::span<const std::uint8_t> bytes_;
    DeviceByteCursor in_;
    ProfileCheck check_;
    // Each chain's breakpoints give P a second time; the device takes them only when equal.
    std::vector<std::vector<std::uint16_t>> repeatedPositions_;
};

} // namespace

ProfileCheck checkDeviceProfile(std::span<const std::uint8_t> bytes) {
    return Checker(bytes).run();
}

} // namespace vantrel

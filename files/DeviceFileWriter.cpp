#include "files/DeviceFileWriter.h"

#include "files/AtomicFileOutput.h"

#include "profile/Script.h"
#include "profile/ViewIndex.h"

namespace vantrel {
namespace {

class ByteSink {
public:
    explicit ByteSink(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
    }

private:
    std::vector<std::uint8_t>& bytes_;
};

} // namespace

std::uint64_t deviceFileLength(const DeviceProfile& profile) {
    std::uint64_t length = kDeviceHeaderSize;
    for (const ScriptRecord& script : profile.scripts)
        length += kDeviceScriptHeaderSize + kDeviceEventSize * std::uint64_t{script.events.size()};
    length += kDeviceCountSize;
    for (const ConfigurationRecord& configuration : profile.configurations)
        length += kDeviceConfigurationHeaderSize +
                  kDeviceEntrySize * std::uint64_t{configuration.entries.size()};
    length += kDeviceCountSize;
    for (const ChainRecord& chain : profile.chains)
        length += kDeviceChainHeaderSize +
                  kDeviceBreakpointSize * std::uint64_t{chain.breakpoints.size()};
    return length + kDeviceEndSize;
}

std::vector<std::uint8_t> encodeDeviceFile(const DeviceProfile& profile) {
    ViewIndex modeIds(profile.modeNames.size());
    for (std::size_t i = 0; i < profile.modeNames.size(); ++i) {
        const std::string& name = profile.modeNames[i];
        modeIds.insert(name, name == kDefaultModeName ? 0 : static_cast<std::uint32_t>(i + 1));
    }

    const std::uint64_t length = deviceFileLength(profile);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(length);
    ByteSink out(bytes);
    out.u8(kDeviceFileVersion);
    out.u32(static_cast<std::uint32_t>(length));
    out.u16(static_cast<std::uint16_t>(profile.scripts.size()));
    for (const ScriptRecord& script : profile.scripts) {
        out.u16(script.id);
        out.u16(static_cast<std::uint16_t>(script.events.size()));
        for (const ScriptEvent& event : script.events) {
            std::int16_t data = event.data;
            if (event.loadsMode) {
                if (const auto id = modeIds.find(event.modeName))
                    data = static_cast<std::int16_t>(*id);
            }
            out.u8(event.oc);
            out.u16(static_cast<std::uint16_t>(data));
            out.u32(static_cast<std::uint32_t>(event.delay));
        }
    }
    out.u16(static_cast<std::uint16_t>(profile.configurations.size()));
    for (const ConfigurationRecord& configuration : profile.configurations) {
        out.u16(configuration.id);
        out.u16(static_cast<std::uint16_t>(configuration.entries.size()));
        for (const AssignmentEntry& entry : configuration.entries) {
            out.u8(entry.type);
            out.u16(entry.id);
            out.u16(entry.assignment);
        }
    }
    out.u16(static_cast<std::uint16_t>(profile.chains.size()));
    for (const ChainRecord& chain : profile.chains) {
        out.u16(chain.id);
        out.u8(static_cast<std::uint8_t>(chain.breakpoints.size()));
        for (const Breakpoint& breakpoint : chain.breakpoints) {
            out.u16(breakpoint.p);
            out.u16(breakpoint.f);
            out.u16(breakpoint.p);
        }
    }
    out.u8(0);
    return bytes;
}

bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         platform::FileError* error) {
    AtomicFileOutput output(path);
    const bool written =
        output.write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) &&
        output.finish();
    if (!written && error)
        *error = output.error();
    return written;
}

std::string deviceFilePathFor(const std::string& profileTextPath) {
    const std::size_t dot = profileTextPath.find('.');
    // With no '.' the prefix is empty, so only a path of five characters or fewer keeps it.
    const std::string prefix =
        dot == std::string::npos ? std::string() : profileTextPath.substr(0, dot);
    const long long shortest = static_cast<long long>(profileTextPath.size()) - 5;
    const std::string base =
        static_cast<long long>(prefix.size()) < shortest ? profileTextPath : prefix;
    return base + ".bpf";
}

} // namespace vantrel

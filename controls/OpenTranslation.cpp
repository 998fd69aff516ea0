#include "controls/OpenTranslation.h"

#include "device/DeviceProfileCheck.h"
#include "device/ProfileDigest.h"
#include "device/player/PlayerTypes.h"
#include "device/player/ProfileIndex.h"
#include "files/DeviceFileWriter.h"
#include "files/ProfileTranslator.h"
#include "profile/Diagnostic.h"

#include <fstream>
#include <iterator>

namespace vantrel {
namespace {

// A device file is a few hundred KiB at most; anything far larger is not one.
constexpr std::streamoff kLargestDeviceFile = 4 * 1024 * 1024;

std::optional<std::vector<std::uint8_t>> readDeviceFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in || in.tellg() > kLargestDeviceFile)
        return std::nullopt;
    in.seekg(0);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

} // namespace

OpenTranslation::OpenTranslation(const OpenProfile& profile) {
    // A new profile has no path; the translator still needs one to have somewhere to write.
    const std::string path = profile.path.empty() ? "untitled.vtp" : profile.path;
    DiagnosticList diagnostics;
    ProfileTranslator translator(path, profile.text, diagnostics);
    memory_ = translator.deviceBytes();
    if (!memory_)
        for (const Diagnostic& diagnostic : diagnostics.items())
            if (diagnostic.severity == Severity::Error) {
                failure_ = diagnostic.line
                               ? "line " + std::to_string(diagnostic.line) + ": " + diagnostic.text
                               : diagnostic.text;
                break;
            }
    for (const ConfigurationRecord& configuration : translator.records().configurations)
        modeNames_[configuration.id] = configuration.name;
    if (!profile.path.empty()) {
        savedPath_ = deviceFilePathFor(profile.path);
        saved_ = readDeviceFile(savedPath_);
    }
    if (tryBytes())
        if (const ProfileCheck check = checkDeviceProfile(*tryBytes()); check.accepted())
            index_ = std::make_unique<const player::ProfileIndex>(check.image);
}

OpenTranslation::~OpenTranslation() = default;

std::vector<int> OpenTranslation::breakpoints(int configuration, int axis) const {
    std::vector<int> positions;
    const player::ConfigurationTable* table =
        index_ ? index_->configuration(configuration) : nullptr;
    if (!table || axis < 0 || std::size_t(axis) >= table->axes.size())
        return positions;
    for (const player::ChainBreakpoint& point : index_->chain(table->axes[std::size_t(axis)]))
        positions.push_back(point.position + player::kAxisMinimum);
    return positions;
}

std::string OpenTranslation::modeName(int configuration) const {
    const auto found = modeNames_.find(configuration);
    return found == modeNames_.end() ? std::string() : found->second;
}

bool OpenTranslation::savedHasDigest(const std::string& digest) const {
    return saved_ && deviceFileDigest(*saved_) == digest;
}

bool OpenTranslation::memoryHasDigest(const std::string& digest) const {
    return memory_ && deviceFileDigest(*memory_) == digest;
}

} // namespace vantrel

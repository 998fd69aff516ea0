#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {
namespace player {
class ProfileIndex;
}

// The profile open in the editor as the editor hands it over: where it is saved (empty for
// a new one) and its whole text as it would be saved now.
struct OpenProfile {
    std::string path;
    std::string text;
};

// The open profile translated in memory (no file written) beside its saved .bpf file, so the
// Controls window can name the configurations, tell whether the driver holds this profile
// and choose what to try.
class OpenTranslation {
public:
    explicit OpenTranslation(const OpenProfile& profile);
    ~OpenTranslation();

    // The in-memory translation's bytes; nothing when the text does not translate.
    const std::optional<std::vector<std::uint8_t>>& memoryBytes() const { return memory_; }
    // The first error of a translation that failed.
    const std::string& failure() const { return failure_; }
    // The .bpf beside the saved profile and its bytes, when it exists and could be read.
    const std::string& savedPath() const { return savedPath_; }
    const std::optional<std::vector<std::uint8_t>>& savedBytes() const { return saved_; }
    // True when the saved .bpf holds exactly what the text translates to now.
    bool savedIsCurrent() const { return saved_ && memory_ && *saved_ == *memory_; }
    // The bytes a try plays: the saved file's when current, else the memory's.
    const std::optional<std::vector<std::uint8_t>>& tryBytes() const {
        return savedIsCurrent() ? saved_ : memory_;
    }

    // The mode name of a configuration number; empty when the profile has none of that number.
    std::string modeName(int configuration) const;
    // Whether a digest told by the driver is that of the saved .bpf or of the translation.
    bool savedHasDigest(const std::string& digest) const;
    bool memoryHasDigest(const std::string& digest) const;
    // The breakpoints (axis positions) of the chain the configuration binds to the axis in
    // the profile a try plays, as the player sees them; empty for none.
    std::vector<int> breakpoints(int configuration, int axis) const;

private:
    std::optional<std::vector<std::uint8_t>> memory_;
    std::string failure_;
    std::string savedPath_;
    std::optional<std::vector<std::uint8_t>> saved_;
    std::map<int, std::string> modeNames_;
    // Kept out of this header: Qt's keyword macros would rewrite its member names.
    std::unique_ptr<const player::ProfileIndex> index_;
};

} // namespace vantrel

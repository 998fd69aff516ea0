#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantrel::driver {

// Keeps the last profile the driver took, as the device keeps its profile memory over a
// power cycle. The file is replaced atomically: a crash while keeping leaves the previous one.
class ProfileStore {
public:
    explicit ProfileStore(std::filesystem::path file);

    // $XDG_STATE_HOME/vantrel/profile.bpf, or ~/.local/state/vantrel/profile.bpf.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return file_; }

    // Writes the profile, creating the folder (for this user only) when needed.
    bool keep(std::span<const std::uint8_t> bytes, std::string& error) const;
    // The kept bytes; nothing when no profile is kept or it cannot be read (error says why;
    // empty when there simply is none). Reads at most a little more than the device holds,
    // so an oversized file is seen as such without reading it whole.
    std::optional<std::vector<std::uint8_t>> read(std::string& error) const;
    // Removes the kept profile; true when none is left.
    bool forget(std::string& error) const;

private:
    std::filesystem::path file_;
};

} // namespace vantrel::driver

#pragma once

#include "files/DeviceProfile.h"
#include "platform/FileAccess.h"
#include "profile/ViewIndex.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Translates a saved profile text file into the device profile file. Constructing it runs
// the translation pass, which reports every problem in a message box; writeDeviceFile then
// writes the .bpf file beside the text file. A pass that found the file unusable, or a
// profile the device format cannot hold, leaves no output path and nothing is written.
class ProfileTranslator {
public:
    explicit ProfileTranslator(const std::string& profileTextPath);
    // Translates text as though it had been read from the path.
    ProfileTranslator(const std::string& profileTextPath, std::string text);
    // The records refer into the text read, so a translator stays where it was made.
    ProfileTranslator(const ProfileTranslator&) = delete;
    ProfileTranslator& operator=(const ProfileTranslator&) = delete;

    // True when the device profile file was written. Shows no message of its own.
    bool writeDeviceFile();
    // Why the device profile file could not be written; no error when it was, or when the
    // pass left nothing to write.
    const platform::FileError& writeError() const { return writeError_; }

    // The path the device profile file goes to; empty when nothing will be written.
    const std::string& outputPath() const { return outputPath_; }
    const DeviceProfile& records() const { return profile_; }
    std::uint32_t length() const { return length_; }
    // The bytes writeDeviceFile writes; nothing when the pass left no output path.
    std::optional<std::vector<std::uint8_t>> deviceBytes() const;

private:
    struct OpenChain {
        std::size_t record;
        std::size_t firstLine;
        int breakpoints = 0;
        int groupLines = 0;
    };
    struct OpenMode {
        std::size_t record;
        std::size_t firstLine;
        long long entries = 0;
    };

    void translate();
    bool readLine(std::size_t index);
    bool addScript(std::string_view line);
    bool openChain(std::string_view line, std::size_t next);
    bool countGroupLine(std::string_view line);
    bool openMode(std::string_view line, std::size_t next);
    bool convertChain();
    bool convertMode();
    std::optional<AssignmentEntry> assignmentEntry(std::string_view line) const;
    std::uint16_t scriptId(std::string_view name) const;
    bool refuse(const std::string& text, const std::string& title);
    bool overLimit(const std::string& what, std::uint64_t count, std::uint64_t limit);

    std::string path_;
    std::string text_;
    std::vector<std::string_view> lines_;
    enum class Section { Header, Scripts, Chains, Modes } section_ = Section::Header;

    DeviceProfile profile_;
    std::optional<OpenChain> openChain_;
    std::optional<OpenMode> openMode_;
    std::vector<bool> chainConverted_;
    std::vector<bool> modeConverted_;
    ViewIndex scriptIds_;
    ViewIndex chainIds_;
    std::uint32_t nextModePosition_ = 1;
    std::uint32_t nextChainId_ = 0;
    std::uint32_t nextGroup_ = 50;
    long long convertedGroupLines_ = 0;

    std::string outputPath_;
    std::uint32_t length_ = 0;
    platform::FileError writeError_;
};

} // namespace vantrel

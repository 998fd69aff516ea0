#pragma once

#include "files/DeviceFileImage.h"
#include "files/DeviceProfile.h"
#include "files/LineReader.h"
#include "files/TextPlaces.h"
#include "platform/FileAccess.h"
#include "profile/Diagnostic.h"
#include "profile/ViewIndex.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Translates a saved profile text file into the device profile file. Constructing it runs
// the translation pass, which reports every problem to the sink as it finds it (with the
// line and column it is about where there is one); writeDeviceFile then writes the .bpf file
// beside the text file. A pass that found the file unusable, or a profile the device format
// cannot hold, reports an error that ends the operation, leaves no output path, and nothing
// is written.
class ProfileTranslator {
public:
    ProfileTranslator(const std::string& profileTextPath, DiagnosticSink& diagnostics);
    // Translates text as though it had been read from the path.
    ProfileTranslator(const std::string& profileTextPath, std::string text,
                      DiagnosticSink& diagnostics);
    // The records refer into the text read, so a translator stays where it was made.
    ProfileTranslator(const ProfileTranslator&) = delete;
    ProfileTranslator& operator=(const ProfileTranslator&) = delete;

    // True when the device profile file was written. Reports nothing of its own.
    bool writeDeviceFile();
    // Why the device profile file could not be written; no error when it was, or when the
    // pass left nothing to write.
    const platform::FileError& writeError() const { return writeError_; }

    // True when the text was there to translate (false when the file could not be read).
    bool textRead() const { return textRead_; }
    // The path the device profile file goes to; empty when nothing will be written.
    const std::string& outputPath() const { return outputPath_; }
    // The configurations and chains; the scripts are only in the device file's bytes.
    const DeviceProfile& records() const { return profile_; }
    std::uint32_t length() const { return length_; }
    // The bytes writeDeviceFile writes; nothing when the pass left no output path.
    std::optional<std::vector<std::uint8_t>> deviceBytes() const;

private:
    struct OpenChain {
        std::size_t record;
        std::size_t firstLine; // where in the text the line after its header begins
        std::string_view header;
        int breakpoints = 0;
        int groupLines = 0;
    };
    struct OpenMode {
        std::size_t record;
        std::size_t firstLine;
        std::string_view header;
        long long entries = 0;
    };

    void translate();
    bool readLine(std::string_view line, std::size_t next);
    bool addScript(std::string_view line);
    bool openChain(std::string_view line, std::size_t next);
    bool countGroupLine(std::string_view line);
    bool openMode(std::string_view line, std::size_t next);
    bool convertChain();
    bool convertMode();
    // Load-mode events get their mode numbers once every mode has been read.
    void addLoadEvent(std::string_view modeName);
    void resolveLoadEvents();
    std::optional<DeviceEntry> assignmentEntry(std::string_view line) const;
    std::uint16_t scriptId(std::string_view name) const;
    // The number of the line holding the place `at` (a view into the text); 0 for none.
    std::size_t lineOf(std::string_view at);
    // Reports a diagnostic about the place `at` (a view into the text; empty for none).
    void report(Severity severity, std::string text, std::string title, bool endsOperation,
                std::string_view at = {});
    // Reports an error that ends the translation; always false.
    bool refuse(std::string text, std::string title, std::string_view at = {});
    // Refuses with a text of the program's own, which then names the line of `at`.
    bool refuseAtLine(const std::string& text, std::string title, std::string_view at);
    bool overLimit(const std::string& what, std::uint64_t count, std::uint64_t limit,
                   std::string_view at);

    std::string path_;
    std::string givenText_; // the text given to the constructor, if one was
    std::string readText_;  // the text read from the file, if it was
    std::string_view text_; // the text translated: one of the two
    bool textRead_ = false;
    DiagnosticSink& diagnostics_;
    TextPlaces places_;
    FileSection section_ = FileSection::Header;

    DeviceFileImage image_;
    DeviceProfile profile_;
    ViewIndex loadModeIndex_;                     // each mode name the load events give
    std::vector<std::string_view> loadModeNames_; // in the order first given
    std::vector<std::uint32_t> loadEvents_;       // for each load event, its name's number
    std::optional<OpenChain> openChain_;
    std::optional<OpenMode> openMode_;
    std::vector<bool> chainConverted_;
    std::vector<bool> modeConverted_;
    // Each chain's and each mode's opening line.
    std::vector<std::string_view> chainHeaders_;
    std::vector<std::string_view> modeHeaders_;
    ViewIndex scriptIds_;
    ViewIndex chainIds_;
    std::uint32_t nextModePosition_ = 1;
    std::uint32_t nextChainId_ = 0;
    std::uint32_t nextGroup_ = kFirstBreakpointGroup;
    long long convertedGroupLines_ = 0;

    std::string outputPath_;
    std::uint32_t length_ = 0;
    platform::FileError writeError_;
};

} // namespace vantrel

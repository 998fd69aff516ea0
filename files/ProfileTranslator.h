#pragma once

#include "files/DeviceFileImage.h"
#include "files/DeviceProfile.h"
#include "files/ProfileLines.h"
#include "files/TranslationNames.h"
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
    // A block being read: its record, its opening line, and the reading just after it,
    // from where the closing line has the block read again.
    struct OpenChain {
        std::size_t record;
        ProfileLine header;
        ProfileLineReader after;
        int breakpoints = 0;
        int groupLines = 0;
    };
    struct OpenMode {
        std::size_t record;
        ProfileLine header;
        ProfileLineReader after;
        long long entries = 0;
    };
    using Place = ProfileLine::Place;

    void translate();
    bool readLine(const ProfileLine& line, const ProfileLineReader& after);
    bool addScript(const ProfileLine& line);
    bool openChain(const ProfileLine& line, const ProfileLineReader& after);
    bool countGroupLine(const ProfileLine& line);
    bool openMode(const ProfileLine& line, const ProfileLineReader& after);
    bool convertChain();
    bool convertMode();
    // Load-mode events get their mode numbers once every mode has been read.
    void addLoadEvent(std::string_view modeName);
    void resolveLoadEvents();
    std::optional<DeviceEntry> assignmentEntry(std::string_view line) const;
    // Reports a diagnostic about a place of the text (none: line 0).
    void report(Severity severity, std::string text, std::string title, bool endsOperation,
                Place at = {});
    // Reports an error that ends the translation; always false.
    bool refuse(std::string text, std::string title, Place at = {});
    // Refuses with a text of the program's own, which then names the line of `at`.
    bool refuseAtLine(const std::string& text, std::string title, Place at);
    bool overLimit(const std::string& what, std::uint64_t count, std::uint64_t limit, Place at);

    std::string path_;
    std::string givenText_; // the text given to the constructor, if one was
    std::string readText_;  // the text read from the file, if it was
    std::string_view text_; // the text translated: one of the two
    bool textRead_ = false;
    DiagnosticSink& diagnostics_;
    bool marked_ = false; // a section marker was read

    DeviceFileImage image_;
    DeviceProfile profile_;
    TranslationNames names_;
    ViewIndex loadModeIndex_;                     // each mode name the load events give
    std::vector<std::string_view> loadModeNames_; // in the order first given
    std::vector<std::uint32_t> loadEvents_;       // for each load event, its name's number
    std::optional<OpenChain> openChain_;
    std::optional<OpenMode> openMode_;
    std::vector<bool> chainConverted_;
    std::vector<bool> modeConverted_;
    // Where each chain's and each mode's opening line is.
    std::vector<Place> chainHeaders_;
    std::vector<Place> modeHeaders_;
    std::uint32_t nextModePosition_ = 1;
    std::uint32_t nextChainId_ = 0;
    std::uint32_t nextGroup_ = kFirstBreakpointGroup;
    long long convertedGroupLines_ = 0;

    std::string outputPath_;
    std::uint32_t length_ = 0;
    platform::FileError writeError_;
};

} // namespace vantrel

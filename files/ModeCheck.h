#pragma once

#include "files/ChainCheck.h"
#include "files/CheckFindings.h"
#include "files/CheckNames.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel {

// The lines of the programming mode section, read as the translation reads them: the pass
// counts each mode's lines, and the closing line converts the mode, reading its lines once
// more and resolving their script and chain names against those known at that moment.
class ModeCheck {
public:
    ModeCheck(CheckFindings& findings, CheckNames& names, const ChainCheck& chains)
        : findings_(findings), names_(names), chains_(chains) {}

    // A mode's opening line, seen before the pass: load-mode events may name any mode of
    // the file, wherever it is written.
    void noteHeader(const ProfileLine& header);
    bool hasBaseMode() const { return hasBaseMode_; }

    // The line at this index of the significant lines, in the mode section.
    void readLine(std::size_t index);
    // At the end of the text: a mode still open has no closing line.
    void finish(std::size_t end);

    std::uint64_t deviceBytes() const { return deviceBytes_; }

private:
    struct OpenMode {
        std::size_t header;
        std::string_view name;
        long long lines = 0;
    };

    // Reads the mode's lines from its header up to end (a closing line, or where it was
    // left) as the conversion does.
    void convert(std::size_t end, bool closed);
    // True when the line gives an assignment entry.
    bool convertAssignment(std::string_view line);

    CheckFindings& findings_;
    CheckNames& names_;
    const ChainCheck& chains_;
    std::optional<OpenMode> open_;
    std::uint64_t modeCount_ = 0;
    bool hasBaseMode_ = false;
    std::uint64_t deviceBytes_ = 0;
};

} // namespace vantrel

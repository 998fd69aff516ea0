#pragma once

#include "devicefile/DeviceFormat.h"
#include "files/CheckFindings.h"
#include "files/CheckNames.h"
#include "profile/ViewIndex.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel {

// The lines of the axis chain section, read as the translation reads them: the pass counts
// each chain's group lines, and the closing line converts the chain, reading its lines once
// more and resolving their script names against the scripts read so far.
class ChainCheck {
public:
    ChainCheck(CheckFindings& findings, CheckNames& names) : findings_(findings), names_(names) {}

    // The line at this index of the significant lines, in the chain section.
    void readLine(std::size_t index);
    // At the end of the text: a chain still open has no closing line.
    void finish(std::size_t end);

    // Group lines of the chains converted so far: the base mode gets two entries for each.
    long long convertedGroupLines() const { return convertedGroupLines_; }
    std::uint64_t deviceBytes() const { return deviceBytes_; }

private:
    struct OpenChain {
        std::size_t header;
        std::string_view name;
        long long breakpoints = 0;
        long long groupLines = 0;
        bool reportedBreakpoints = false;
        bool reportedGroupLines = false;
    };

    void open(std::size_t index);
    void countGroupLine(std::string_view line);
    // Reads the chain's lines from its header up to end (a closing line, or where it was
    // left) as the conversion does.
    void convert(std::size_t end, bool closed);
    // False when the line gives no group.
    bool convertGroupLine(std::string_view line);

    CheckFindings& findings_;
    CheckNames& names_;
    std::optional<OpenChain> open_;
    ViewIndex headers_;
    std::uint64_t chainCount_ = 0;
    std::uint32_t nextGroup_ = kFirstBreakpointGroup;
    bool reportedGroups_ = false;
    long long convertedGroupLines_ = 0;
    std::uint32_t convertedChains_ = 0;
    std::uint64_t deviceBytes_ = 0;
};

} // namespace vantrel

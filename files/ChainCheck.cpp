#include "files/ChainCheck.h"

#include "files/GroupLinePattern.h"
#include "files/ProfileLines.h"
#include "files/TranslationLimits.h"

#include <string>

namespace vantrel {

void ChainCheck::readLine(std::size_t index) {
    const ProfileLine& line = findings_.lines()[index];
    if (line.kind == LineKind::Opening)
        return open(index);
    if (line.kind == LineKind::Closing) {
        if (open_) {
            checkClosingName(findings_, "axis chain", open_->name, line.text, CheckSubject::Chain);
            convert(index, true);
        } else
            findings_.warning("A closing line outside any axis chain is ignored.", line.text,
                              CheckSubject::None, {});
        return;
    }
    countGroupLine(line.text);
}

void ChainCheck::finish(std::size_t end) {
    if (open_)
        convert(end, false);
}

void ChainCheck::open(std::size_t index) {
    if (open_)
        convert(index, false);
    const std::string_view line = findings_.lines()[index].text;
    const std::string_view name = findings_.lines()[index].name;
    if (++chainCount_ == kMost16BitCount + 1)
        findings_.error(tooManyText("axis chains", chainCount_, kMost16BitCount), line,
                        CheckSubject::Chain, name);
    if (!headers_.insert(name, 0))
        findings_.warning("The axis chain " + std::string(name) + " is written twice.", line,
                          CheckSubject::Chain, name);
    open_ = OpenChain{index, name};
}

void ChainCheck::countGroupLine(std::string_view line) {
    if (!open_) {
        findings_.error(
            "A group line outside any axis chain is ignored: open a chain with [name] first.", line,
            CheckSubject::None, {});
        return;
    }
    OpenChain& chain = *open_;
    const auto count = groupLineCount(line);
    if (!count) {
        findings_.error("Breakpoint error.", line, CheckSubject::Chain, chain.name);
        return;
    }
    if (!groupCountFits(*count)) {
        findings_.error(countOutOfRangeText(chain.name, *count), line, CheckSubject::Chain,
                        chain.name);
        return;
    }
    chain.breakpoints += *count;
    ++chain.groupLines;
    if (chain.breakpoints > kMost8BitCount && !chain.reportedBreakpoints) {
        chain.reportedBreakpoints = true;
        findings_.error(tooManyText("breakpoints in the axis chain " + std::string(chain.name),
                                    static_cast<std::uint64_t>(chain.breakpoints), kMost8BitCount),
                        line, CheckSubject::Chain, chain.name);
    }
    if (chain.groupLines > kMost8BitCount && !chain.reportedGroupLines) {
        chain.reportedGroupLines = true;
        findings_.error(tooManyText("group lines in the axis chain " + std::string(chain.name),
                                    static_cast<std::uint64_t>(chain.groupLines), kMost8BitCount),
                        line, CheckSubject::Chain, chain.name);
    }
}

void ChainCheck::convert(std::size_t end, bool closed) {
    const OpenChain chain = *open_;
    const std::vector<ProfileLine>& lines = findings_.lines();
    if (!closed)
        findings_.error(noClosingLineText("axis chain", chain.name), lines[chain.header].text,
                        CheckSubject::Chain, chain.name);
    long long groupLines = 0;
    for (std::size_t i = chain.header + 1; i < end && lines[i].text.front() != '{'; ++i)
        groupLines += convertGroupLine(lines[i].text) ? 1 : 0;
    open_.reset();
    if (!closed)
        return; // the translation refuses the profile: nothing is numbered
    convertedGroupLines_ += groupLines;
    if (convertedChains_ == 0)
        names_.firstChain = chain.name;
    names_.known.addChain(chain.name, convertedChains_++);
    deviceBytes_ += chainSize(static_cast<std::uint64_t>(chain.breakpoints));
}

bool ChainCheck::convertGroupLine(std::string_view line) {
    const std::string_view chain = open_->name;
    const auto count = groupLineCount(line);
    if (!count || !groupCountFits(*count))
        return false; // the count pass has reported the line
    const auto fields = readGroupLine(line);
    if (!fields) {
        findings_.error("Error converting breakpoint.", line, CheckSubject::Chain, chain);
        return false;
    }
    if (fields->count != static_cast<std::uint64_t>(*count)) {
        findings_.error("The Count reads " + std::to_string(*count) + " as a signed number and " +
                            std::to_string(fields->count) +
                            " as an unsigned one: write it in plain decimal digits.",
                        line, CheckSubject::Chain, chain);
    }
    if (nextGroup_ > kLastBreakpointGroup && !reportedGroups_) {
        reportedGroups_ = true;
        findings_.error(tooManyText("breakpoint groups", nextGroup_ - kFirstBreakpointGroup + 1,
                                    kLastBreakpointGroup - kFirstBreakpointGroup + 1),
                        line, CheckSubject::Chain, chain);
    }
    ++nextGroup_;
    names_.referToScript(fields->increase, CheckSubject::Chain, chain);
    names_.referToScript(fields->decrease, CheckSubject::Chain, chain);
    return true;
}

} // namespace vantrel

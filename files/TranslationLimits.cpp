#include "files/TranslationLimits.h"

#include "files/ProfileLines.h"

namespace vantrel {

std::string tooManyText(std::string_view what, std::uint64_t count, std::uint64_t limit) {
    return "Too many " + std::string(what) + ":  " + std::to_string(count) + " (at most " +
           std::to_string(limit) + ").";
}

std::string countOutOfRangeText(std::string_view chain, long long count) {
    return "Breakpoint count out of range in the axis chain " + std::string(chain) + ":  " +
           std::to_string(count) + " (0 to " + std::to_string(kMost8BitCount) + ").";
}

std::string noClosingLineText(std::string_view kind, std::string_view name) {
    return "The " + std::string(kind) + " " + std::string(name) + " has no closing line.";
}

std::string tooManyAssignmentsText(std::string_view mode, std::uint64_t filled,
                                   std::uint64_t declared) {
    return "Too many assignments in the programming mode " + std::string(mode) + ":  " +
           std::to_string(filled) + " (its block holds " + std::to_string(declared) + " lines).";
}

std::string notProfileTextText() {
    return "Not a profile text file: it holds no section line such as " +
           std::string(kScriptListMarker) + ".";
}

bool groupCountFits(long long count) {
    return count >= 0 && count <= kMost8BitCount;
}

std::string withLineNumber(std::size_t line, std::string_view text) {
    return "Line " + std::to_string(line) + ": " + std::string(text);
}

} // namespace vantrel

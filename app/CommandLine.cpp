#include "app/CommandLine.h"

#include "profile/Script.h"

namespace vantrel {

std::string rawCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        const bool quote = argument.find_first_of(" \t\"") != std::string::npos;
        if (quote)
            line += '"';
        line += argument;
        if (quote)
            line += '"';
    }
    return line;
}

std::string pathFromCommandLine(std::string_view raw) {
    std::size_t end = raw.size();
    while (end > 0 && isFileSpace(raw[end - 1]))
        --end;
    raw = raw.substr(0, end);
    if (!raw.empty() && raw.front() == '"')
        raw.remove_prefix(1);
    return std::string(raw.substr(0, std::min(raw.find('"'), raw.size())));
}

StartBranch chooseBranch(std::string_view path) {
    const std::string_view lastFour = path.size() > 4 ? path.substr(path.size() - 4) : path;
    if (namesEqualIgnoringCase(lastFour, ".vtp"))
        return StartBranch::Translate;
    if (namesEqualIgnoringCase(lastFour, ".bpf"))
        return StartBranch::Program;
    return StartBranch::Editor;
}

} // namespace vantrel

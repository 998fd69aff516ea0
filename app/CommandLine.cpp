#include "app/CommandLine.h"

#include "platform/SystemCommandLine.h"
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

std::string commandLineAfterProgramName(std::string_view whole) {
    std::size_t end = 0;
    if (!whole.empty() && whole.front() == '"') {
        const std::size_t closing = whole.find('"', 1);
        end = closing == std::string_view::npos ? whole.size() : closing + 1;
    } else {
        end = std::min(whole.find_first_of(" \t"), whole.size());
    }
    while (end < whole.size() && (whole[end] == ' ' || whole[end] == '\t'))
        ++end;
    return std::string(whole.substr(end));
}

std::string processCommandLine(const std::vector<std::string>& arguments) {
    if (const std::optional<std::string> whole = platform::systemCommandLine())
        return commandLineAfterProgramName(*whole);
    return rawCommandLine(arguments);
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

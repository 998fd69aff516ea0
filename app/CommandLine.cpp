#include "app/CommandLine.h"

#include "platform/SystemCommandLine.h"
#include "profile/Script.h"

#include <algorithm>
#include <array>

namespace vantrel {
namespace {

// What follows an option's name.
enum class OptionOperand {
    None,         // nothing: the option stands alone
    OptionalFile, // at most one file name
    Files,        // any number of words: the option reads them itself
};

struct StartOptionForm {
    std::string_view name;
    StartOption option;
    OptionOperand operand;
    std::string_view operandName; // as the usage shows it
    std::string_view description;
};

// In the order the usage lists them.
constexpr std::array kStartOptions{
    StartOptionForm{"--check", StartOption::Check, OptionOperand::Files, "[--strict] PROFILE...",
                    "list the problems of profile text files"},
    StartOptionForm{"--edit", StartOption::Edit, OptionOperand::OptionalFile, "[PROFILE]",
                    "open the editor with PROFILE loaded"},
    StartOptionForm{"--help", StartOption::Help, OptionOperand::None, "",
                    "print this help and exit"},
    StartOptionForm{"--version", StartOption::Version, OptionOperand::None, "",
                    "print the version and exit"},
};

std::string misuseText(const std::string& word) {
    if (std::ranges::find(kStartOptions, word, &StartOptionForm::name) != kStartOptions.end())
        return word + " must be the whole command line, in the form shown below";
    return "unknown option " + word;
}

} // namespace

StartRequest startOptionFrom(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return {};
    const auto form = std::ranges::find(kStartOptions, arguments.front(), &StartOptionForm::name);
    if (form == kStartOptions.end())
        return {};
    std::vector<std::string> operands(arguments.begin() + 1, arguments.end());
    if (form->operand == OptionOperand::Files)
        return {form->option, std::string(), std::move(operands)};
    const std::size_t allowed = form->operand == OptionOperand::OptionalFile ? 1 : 0;
    if (operands.size() > allowed)
        return {};
    return {form->option, operands.size() == 1 ? operands.front() : std::string(), {}};
}

StartPlan planStart(const std::vector<std::string>& arguments, std::string_view rawCommandLine) {
    const StartRequest request = startOptionFrom(arguments);
    StartPlan plan;
    plan.option = request.option;
    if (request.option == StartOption::Edit) {
        // The editor cannot show a device profile file; opening one sends it, as its path
        // alone on the command line does.
        plan.path = request.file;
        if (chooseBranch(plan.path) == StartBranch::Program)
            plan.branch = StartBranch::Program;
        return plan;
    }
    plan.operands = request.operands;
    if (request.option != StartOption::None)
        return plan;
    plan.path = pathFromCommandLine(rawCommandLine);
    plan.branch = chooseBranch(plan.path);
    if (plan.branch == StartBranch::Editor) {
        plan.path.clear(); // a file of any other kind is not loaded
        // A word that begins with '-' and names no file to translate or send was meant as an
        // option; an empty editor would hide the mistake. A file named "-x.vtp" still counts.
        if (!arguments.empty() && arguments.front().starts_with('-'))
            plan.misuse = misuseText(arguments.front());
    }
    return plan;
}

StartPlan planProcessStart(const std::vector<std::string>& arguments) {
    return planStart(arguments, processCommandLine(arguments));
}

std::string startUsage() {
    std::string usage = "Usage: vantrel [FILE]\n"
                        "       vantrel OPTION\n"
                        "Builds programming profiles for the X36 flight stick and throttle.\n"
                        "A FILE ending in .vtp is translated into the device profile file beside\n"
                        "it (.bpf), without a window; one ending in .bpf is sent to the X36\n"
                        "through its driver; anything else, or no FILE, opens the editor.\n"
                        "Options, each as the whole command line:\n";
    std::size_t width = 0;
    for (const StartOptionForm& form : kStartOptions)
        width = std::max(width, form.name.size() + form.operandName.size() + 1);
    for (const StartOptionForm& form : kStartOptions) {
        std::string spelled(form.name);
        if (!form.operandName.empty())
            spelled += " " + std::string(form.operandName);
        spelled.resize(width + 2, ' ');
        usage += "  " + spelled + std::string(form.description) + "\n";
    }
    return usage;
}

std::string versionText() {
    return "vantrel " VANTREL_VERSION "\n";
}

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

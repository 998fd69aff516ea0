#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// What the program does, chosen once from its command line.
enum class StartBranch {
    Translate, // a profile text file (.vtp): write the device profile file beside it
    Program,   // a device profile file (.bpf): send it to the X36
    Editor,    // anything else, or nothing: open the editor window
};

// The options start-up knows. They count only as the whole command line, in one of the forms
// the usage shows; any other command line goes through the path rule below.
enum class StartOption {
    None,    // no option: the path rule chooses the branch
    Help,    // print the usage and end
    Version, // print the name and version and end
    Edit,    // open the editor with the named profile loaded
    Check,   // list the problems of profile text files and end
};

struct StartRequest {
    StartOption option = StartOption::None;
    std::string file;                  // the option's file; empty when none was given
    std::vector<std::string> operands; // everything after the option's name
};

// The option the arguments (without the program name) spell, or None.
StartRequest startOptionFrom(const std::vector<std::string>& arguments);

// What start-up does: print a text and end, or run one branch on one path.
struct StartPlan {
    StartOption option = StartOption::None; // Help, Version or Check: print and end
    StartBranch branch = StartBranch::Editor;
    std::string path; // the branch's file; for the editor the profile to load, or empty
    std::vector<std::string> operands; // Check: what follows --check
    // Why the command line is no request at all (an option misspelled or misused), for the
    // usage to follow; empty when it is one.
    std::string misuse;
};

// The plan for a command line: the arguments without the program name, and the raw line the
// path rule reads when they spell no option.
StartPlan planStart(const std::vector<std::string>& arguments, std::string_view rawCommandLine);
// The plan of this process: its arguments and the raw command line the system keeps for it.
StartPlan planProcessStart(const std::vector<std::string>& arguments);

std::string startUsage();
std::string versionText();

// The raw command line as Windows hands it over: the text after the program's name.
// Elsewhere it is rebuilt from the arguments: joined by single blanks, an argument that
// holds a blank, a tab or a double quote written between double quotes.
std::string rawCommandLine(const std::vector<std::string>& arguments);

// The text after the program's name in a whole command line as Windows keeps it: the name
// runs to the next double quote when it opens with one, else to the first blank or tab, and
// the blanks and tabs after it are skipped.
std::string commandLineAfterProgramName(std::string_view wholeCommandLine);

// The raw command line of this process: the system's own where it keeps one (Windows), so
// that quotes reach the path rule as typed; elsewhere rebuilt from the arguments.
std::string processCommandLine(const std::vector<std::string>& arguments);

// The one path start-up takes from the raw command line: trailing white space removed, one
// opening double quote dropped, and the text cut before the next double quote.
std::string pathFromCommandLine(std::string_view rawCommandLine);

// The branch for a path: by its last four characters, ".vtp" or ".bpf" in any letter case.
StartBranch chooseBranch(std::string_view path);

} // namespace vantrel

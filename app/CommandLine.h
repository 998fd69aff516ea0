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

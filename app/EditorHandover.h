#pragma once

#include <string>
#include <vector>

namespace vantrel {

// On Linux the editor window and the message boxes are a program of their own,
// vantrel-editor, so that a run with nothing to show never maps Qt's libraries: vantrel
// hands a run with a display over to it whole.

// The places the editor program is looked for, in order, for a program in programFolder: its
// installed place relative to that folder, then beside the program (a build folder).
std::vector<std::string> editorProgramPlaces(const std::string& programFolder);

// Runs the editor program in this process's place with the same arguments. Returns only
// when it cannot be started, with a line that says why.
std::string handOverToEditor(int argc, char** argv);

} // namespace vantrel

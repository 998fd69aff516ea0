#pragma once

#include <string>

namespace vantrel {

// On Linux the editor window and the message boxes are a program of their own,
// vantrel-editor, so that a run with nothing to show never maps Qt's libraries: vantrel
// hands a run with a display over to it whole.

// Runs the editor program in this process's place with the same arguments: the installed one
// at its place relative to this program's folder, else the one beside it (a build folder).
// Returns only when it cannot be started, with a line that says why.
std::string handOverToEditor(int argc, char** argv);

} // namespace vantrel

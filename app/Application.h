#pragma once

#include <string>

namespace vantrel {

class EditorWindow;

// Loads a profile text file into the editor window as File > Open does, reporting a file
// that cannot be read in the same message box.
void loadProfileIntoEditor(EditorWindow& window, const std::string& path);

// The whole program with its windows: options print without Qt; with no display every branch
// runs with its messages on stderr; with one, Qt starts only when a window or a message box
// is about to be shown. Returns the process exit status.
int runApplication(int argc, char** argv);

} // namespace vantrel

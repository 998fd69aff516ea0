#pragma once

#include <string>
#include <vector>

namespace vantrel {

// Whether the program can show windows: a display is named, and Qt is not asked for one of
// its windowless platforms. Decided before QApplication exists, since constructing it with
// no display aborts the process.
bool displayAvailable();

class EditorWindow;
struct StartPlan;

// Loads a profile text file into the editor window as File > Open does, reporting a file
// that cannot be read in the same message box.
void loadProfileIntoEditor(EditorWindow& window, const std::string& path);

// Runs the branch start-up chose and returns the process exit status: 0 when the branch did
// its job, 1 when a translation wrote no file or the device did not take the profile. The
// editor branch needs a QApplication when withWindows is true.
int runBranch(const StartPlan& plan, bool withWindows);

// The whole program: chooses console or Qt message boxes, creates the QApplication when a
// display is there, and runs the branch.
int runApplication(int argc, char** argv);

} // namespace vantrel

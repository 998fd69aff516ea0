// The program without its windows: translates a profile text file or sends a device profile
// file, as the full program does, with every message on stderr. Needs no Qt, so it is what a
// build without the GUI makes. Built with the editor program's name, it is Linux's vantrel,
// which hands a run with a display over to that program when it has a box or a window to show,
// and so never loads Qt itself.
#include "app/CommandLine.h"
#include "app/ConsoleStart.h"

#ifdef VANTREL_EDITOR_FILE
#include "app/Branches.h"
#include "app/EditorHandover.h"
#include "app/ProgramStart.h"

#include <iostream>
#endif

#include <optional>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const vantrel::StartPlan plan = vantrel::planProcessStart(arguments);
    if (const std::optional<int> status = vantrel::runPrintingOption(plan))
        return *status;
#ifdef VANTREL_EDITOR_FILE
    if (vantrel::displayAvailable()) {
        // A translation with nothing to say needs no window; one that reports something is
        // run again by the editor program, which shows each message in its box.
        if (plan.branch == vantrel::StartBranch::Translate) {
            if (const std::optional<bool> written = vantrel::translateWithNothingToShow(plan.path))
                return *written ? 0 : 1;
        }
        // Back here only when the editor program cannot start: the branch then runs with its
        // messages on stderr, and the editor's own branch fails.
        const std::string whyNot = vantrel::handOverToEditor(argc, argv);
        std::cerr << "vantrel: no window can be shown: " << whyNot << std::endl;
        if (plan.branch == vantrel::StartBranch::Editor)
            return 1;
    }
#endif
    return vantrel::runWithoutWindows(plan);
}

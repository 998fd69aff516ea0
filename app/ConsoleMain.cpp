// The program without its editor window: translates a profile text file or sends a device
// profile file, as the full program does, with every message on stderr. Needs no Qt, so it is
// what a build without the GUI makes.
#include "app/CommandLine.h"
#include "app/ConsoleStart.h"

#include <optional>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const vantrel::StartPlan plan = vantrel::planProcessStart(arguments);
    if (const std::optional<int> status = vantrel::runPrintingOption(plan))
        return *status;
    if (plan.branch != vantrel::StartBranch::Editor)
        return vantrel::runWindowlessBranch(plan.path).value_or(0);
    return vantrel::explainWhyNoWindowOpens(plan.option);
}

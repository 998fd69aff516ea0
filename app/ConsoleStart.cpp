#include "app/ConsoleStart.h"

#include "app/Branches.h"
#include "app/CheckOption.h"
#include "app/CommandLine.h"

#include <iostream>

namespace vantrel {

std::optional<int> runPrintingOption(const StartPlan& plan) {
    if (!plan.misuse.empty()) {
        std::cerr << "vantrel: " << plan.misuse << ".\n" << startUsage();
        return 2;
    }
    switch (plan.option) {
    case StartOption::Help:
        std::cout << startUsage();
        return 0;
    case StartOption::Version:
        std::cout << versionText();
        return 0;
    case StartOption::Check:
        return runCheckOption(plan.operands);
    case StartOption::None:
    case StartOption::Edit:
        break;
    }
    return std::nullopt;
}

int explainWhyNoWindowOpens(StartOption option) {
    std::cerr << "vantrel: no display is available, so the editor window cannot open.\n"
                 "Give a .vtp file to translate it, or a .bpf file to send it to the X36.\n";
    if (option != StartOption::Edit)
        return 0;
    std::cerr << startUsage();
    return 2;
}

int runWithoutWindows(const StartPlan& plan) {
    switch (plan.branch) {
    case StartBranch::Translate:
        return translateFromCommandLine(plan.path) ? 0 : 1;
    case StartBranch::Program:
        return programFromCommandLine(plan.path) ? 0 : 1;
    case StartBranch::Editor:
        break;
    }
    return explainWhyNoWindowOpens(plan.option);
}

} // namespace vantrel

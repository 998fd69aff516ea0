#include "app/StartOptions.h"

#include "files/CheckReport.h"

#include <iostream>

namespace vantrel {

const std::vector<StartOption>& startOptions() {
    static const std::vector<StartOption> options = {
        {"--check", "--check [--strict] PROFILE.vtp...  list the problems of profile text files",
         &runCheckOption},
    };
    return options;
}

std::optional<int> runStartOption(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return std::nullopt;
    for (const StartOption& option : startOptions()) {
        if (arguments.front() == option.name)
            return option.run({arguments.begin() + 1, arguments.end()});
    }
    return std::nullopt;
}

int runCheckOption(const std::vector<std::string>& rest) {
    auto first = rest.begin();
    const bool strict = first != rest.end() && *first == "--strict";
    if (strict)
        ++first;
    if (first == rest.end()) {
        std::cerr << "vantrel: --check needs at least one profile text file.\n";
        return 1;
    }
    bool failed = false;
    for (auto path = first; path != rest.end(); ++path) {
        const std::vector<CheckFinding> findings = checkProfileFile(*path);
        for (const CheckFinding& finding : findings) {
            std::cout << formatFinding(*path, finding) << '\n';
            const bool error = finding.diagnostic.severity == Severity::Error;
            failed = failed || error || strict;
        }
        std::cout << formatCheckSummary(*path, findings) << '\n';
    }
    std::cout.flush();
    return failed ? 1 : 0;
}

} // namespace vantrel

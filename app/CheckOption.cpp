#include "app/CheckOption.h"

#include "files/CheckReport.h"

#include <iostream>

namespace vantrel {

int runCheckOption(const std::vector<std::string>& operands) {
    auto first = operands.begin();
    const bool strict = first != operands.end() && *first == "--strict";
    if (strict)
        ++first;
    if (first == operands.end()) {
        std::cerr << "vantrel: --check needs at least one profile text file.\n";
        return 1;
    }
    bool failed = false;
    for (auto path = first; path != operands.end(); ++path) {
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

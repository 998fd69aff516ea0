#include "files/CheckReport.h"

#include "files/ProfileTextFile.h"

#include <algorithm>

namespace vantrel {
namespace {

std::string counted(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::size_t countOf(const std::vector<CheckFinding>& findings, Severity severity) {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(), [severity](const CheckFinding& f) {
            return f.diagnostic.severity == severity;
        }));
}

} // namespace

std::vector<CheckFinding> checkProfileFile(const std::string& path) {
    ProfileTextFile file = readProfileTextFile(path);
    if (file.text)
        return checkProfileText(*file.text);
    CheckFinding finding;
    finding.diagnostic = std::move(file.refusal);
    return {finding};
}

std::string formatFinding(const std::string& path, const CheckFinding& finding) {
    const Diagnostic& d = finding.diagnostic;
    std::string line = path + ":";
    if (d.line > 0)
        line += std::to_string(d.line) + ":" + std::to_string(d.column) + ":";
    line += d.severity == Severity::Error ? " error: " : " warning: ";
    // A report line stays one line whatever bytes the file held.
    for (const char c : d.text)
        line += (c == '\n' || c == '\r') ? ' ' : c;
    return line;
}

std::string formatCheckSummary(const std::string& path, const std::vector<CheckFinding>& findings) {
    const std::size_t errors = countOf(findings, Severity::Error);
    const std::size_t warnings = findings.size() - errors;
    if (findings.empty())
        return path + ": no problems";
    return path + ": " + counted(errors, "error") + ", " + counted(warnings, "warning");
}

} // namespace vantrel

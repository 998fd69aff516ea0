#include "files/CheckFindings.h"

#include "files/ProfileLines.h"

#include <algorithm>

namespace vantrel {

CheckFindings::CheckFindings(std::string_view text)
    : lines_(readProfileLines(text, LineGrammar::Translation)) {}

void CheckFindings::add(Severity severity, std::string text, std::string_view at,
                        CheckSubject subject, std::string_view owner) {
    CheckFinding finding;
    finding.diagnostic.severity = severity;
    finding.diagnostic.text = std::move(text);
    finding.diagnostic.title = severity == Severity::Error ? "Profile error." : "Profile warning.";
    if (!at.empty()) {
        // The significant lines lie in the text in order; the last one starting at or before
        // the place holds it.
        const auto after = std::upper_bound(
            lines_.begin(), lines_.end(), at.data(),
            [](const char* place, const ProfileLine& line) { return place < line.text.data(); });
        if (after != lines_.begin()) {
            const ProfileLine::Place place = std::prev(after)->placeOf(at);
            finding.diagnostic.line = place.line;
            finding.diagnostic.column = place.column;
        }
    }
    finding.subject = subject;
    finding.subjectName = std::string(owner);
    findings_.push_back(std::move(finding));
}

std::vector<CheckFinding> CheckFindings::take() {
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const CheckFinding& a, const CheckFinding& b) {
                         return std::pair(a.diagnostic.line, a.diagnostic.column) <
                                std::pair(b.diagnostic.line, b.diagnostic.column);
                     });
    return std::move(findings_);
}

void checkClosingName(CheckFindings& findings, std::string_view kind, std::string_view opened,
                      std::string_view closingLine, CheckSubject subject) {
    const std::string_view closed = bracketedName(closingLine);
    if (closed.empty() || closed == opened)
        return;
    findings.warning("The closing line " + std::string(closingLine) + " does not name the " +
                         std::string(kind) + " " + std::string(opened) +
                         " it closes: the name in a closing line is ignored.",
                     closingLine, subject, opened);
}

} // namespace vantrel

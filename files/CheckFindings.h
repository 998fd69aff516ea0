#pragma once

#include "files/ProfileCheck.h"
#include "files/ProfileLines.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The significant lines of the text being checked, read as the translation reads them, and the
// findings made about them. A finding is placed by a view into the text, so it may be added at any
// time of the check and still come out in line order.
class CheckFindings {
public:
    explicit CheckFindings(std::string_view text);

    const std::vector<ProfileLine>& lines() const { return lines_; }

    // A finding about the place `at` (a view into the text; empty for none), concerning the
    // script, mode or chain named owner.
    void add(Severity severity, std::string text, std::string_view at, CheckSubject subject,
             std::string_view owner);
    void error(std::string text, std::string_view at, CheckSubject subject,
               std::string_view owner) {
        add(Severity::Error, std::move(text), at, subject, owner);
    }
    void warning(std::string text, std::string_view at, CheckSubject subject,
                 std::string_view owner) {
        add(Severity::Warning, std::move(text), at, subject, owner);
    }

    // The findings, those without a place first, then by line and column.
    std::vector<CheckFinding> take();

private:
    std::vector<ProfileLine> lines_;
    std::vector<CheckFinding> findings_;
};

// Warns when the closing line of an axis chain or a programming mode (kind) names another
// one than its opening line: the translation ignores the closing name, so the block may not
// end where the text seems to say. A closing line with no name says nothing.
void checkClosingName(CheckFindings& findings, std::string_view kind, std::string_view opened,
                      std::string_view closingLine, CheckSubject subject);

} // namespace vantrel

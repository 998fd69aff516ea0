#include "files/ProfileTranslator.h"
#include "files/TranslationDefaults.h"
#include "platform/DiagnosticPresenter.h"
#include "support/core/RecordedMessages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct Place {
    std::string title;
    std::size_t line;
    std::size_t column;
    Severity severity;
    bool endsOperation;
    bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& place) {
    return out << place.title << " @" << place.line << ":" << place.column << " severity "
               << static_cast<int>(place.severity) << (place.endsOperation ? " ends" : "");
}

class TranslatorDiagnosticsTest : public ::testing::Test {
protected:
    void SetUp() override { resetTranslationDefaults(); }
    void TearDown() override { resetTranslationDefaults(); }

    std::vector<Place> places(const std::string& text) {
        DiagnosticList diagnostics;
        ProfileTranslator translator("air.vtp", text, diagnostics);
        std::vector<Place> found;
        for (const Diagnostic& d : diagnostics.items())
            found.push_back({d.title, d.line, d.column, d.severity, d.endsOperation});
        return found;
    }
};

TEST_F(TranslatorDiagnosticsTest, FaultyTokensArePlacedOnTheirLineAndColumn) {
    // Comments, blank lines and CR LF ends count as lines; the tab counts as one column.
    EXPECT_EQ(places("<SCRIPTLIST>\r\n# note\r\n\r\n  S\txyz  ret a\r\nT zzz\n"),
              (std::vector<Place>{{"xyz", 4, 5, Severity::Error, false},
                                  {"ret", 4, 10, Severity::Error, false},
                                  {"zzz", 5, 3, Severity::Error, false}}));
    EXPECT_EQ(places("<SCRIPTLIST>\nxyz\n"), (std::vector<Place>{}));
}

TEST_F(TranslatorDiagnosticsTest, RefusalsEndTheTranslationAndWarningsDoNot) {
    EXPECT_EQ(places("<AXIS_CHAINS>\n[A]\n  (1 : 2 ; ?) ( + a  - b )\n{A}\n"),
              (std::vector<Place>{{"(1 : 2 ; ?) ( + a  - b )", 3, 3, Severity::Error, true}}));
    EXPECT_EQ(places("<AXIS_CHAINS>\n[A]\n(1 : 2 ; 1) ( + a )\n{A}\n"),
              (std::vector<Place>{{"Breakpoint error.", 3, 1, Severity::Error, true}}));
    EXPECT_EQ(places("<PROGRAM_MODES>\n\n[M]\nTrig = x\n{M}\n"),
              (std::vector<Place>{{"Mode Assignment Error.", 3, 1, Severity::Warning, false}}));
    // A block that never closes is placed at its opening line.
    EXPECT_EQ(places("<AXIS_CHAINS>\n[A]\n"),
              (std::vector<Place>{{"Profile error.", 2, 1, Severity::Error, true}}));
}

TEST(DiagnosticList, CountsBySeverity) {
    DiagnosticList list;
    list.report({Severity::Error, "a", "A"});
    list.report({Severity::Warning, "b", "B"});
    list.report({Severity::Error, "c", "C"});
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(list.count(Severity::Error), 2u);
    EXPECT_EQ(list.count(Severity::Warning), 1u);
    EXPECT_EQ(list.count(Severity::Note), 0u);
    list.clear();
    EXPECT_TRUE(list.empty());
}

TEST(DiagnosticPresenter, ShowsEachDiagnosticAsAnOkBoxInOrder) {
    testsupport::RecordingMessagePresenter recorder;
    const platform::ScopedMessagePresenter scoped(recorder);
    const int window = 0;
    Diagnostic owned{Severity::Error, "Error writing to file.", "Save Error"};
    owned.owner = &window;
    owned.line = 7;

    platform::PresentingDiagnosticSink sink;
    sink.report(owned);
    ASSERT_EQ(recorder.shown().size(), 1u); // shown at once, not at the end
    sink.report({Severity::Note, "log", "Device Query"});

    const std::vector<platform::Message> expected = {
        {"Error writing to file.", "Save Error", platform::MessageButtons::Ok, &window},
        // A note tells of an outcome that went well: the information icon, not a warning.
        {"log", "Device Query", platform::MessageButtons::Ok, nullptr,
         platform::MessageIcon::Information},
    };
    EXPECT_EQ(recorder.shown(), expected);
    EXPECT_EQ(recorder.unansweredQuestions(), 0);
}

} // namespace
} // namespace vantrel

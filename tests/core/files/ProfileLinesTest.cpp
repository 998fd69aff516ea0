#include "files/ProfileLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// The line and column counted the slow way, from the start of the text.
ProfileLine::Place placeCounted(std::string_view text, std::string_view at) {
    const auto offset = static_cast<std::size_t>(at.data() - text.data());
    const std::string_view before = text.substr(0, offset);
    const std::size_t lineEnd = before.rfind('\n');
    const std::size_t lineStart = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
    return {1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')),
            offset - lineStart + 1};
}

// Across empty lines, comments, CR LF, leading blanks and a text without a final line end,
// every line and every place within it is where counting from the start puts it.
TEST(ProfileLines, PlacesAgreeWithCountingFromTheStart) {
    const std::string text = "first line\r\n\r\n  [Chain]\n# note\n\t(1:2;3) x\r\n\n\nlast";
    const std::vector<ProfileLine> lines = readProfileLines(text, LineGrammar::Translation);
    ASSERT_EQ(lines.size(), 4u);
    for (const ProfileLine& line : lines) {
        for (std::size_t i = 0; i < line.text.size(); ++i) {
            const ProfileLine::Place place = line.placeOf(line.text.substr(i));
            const ProfileLine::Place counted = placeCounted(text, line.text.substr(i));
            EXPECT_EQ(place.line, counted.line) << line.text << " " << i;
            EXPECT_EQ(place.column, counted.column) << line.text << " " << i;
        }
    }
    EXPECT_EQ(lines[2].place().line, 5u);
    EXPECT_EQ(lines[2].place().column, 2u);
}

TEST(ProfileLines, LinesAreSplitTrimmedAndFiltered) {
    std::vector<std::string_view> texts;
    for (const ProfileLine& line :
         readProfileLines("  first \r\n\r\n# comment\r\n\t#\r\nsecond\nlast", LineGrammar::Editor))
        texts.push_back(line.text);
    EXPECT_EQ(texts, (std::vector<std::string_view>{"first", "second", "last"}));
    EXPECT_TRUE(readProfileLines("", LineGrammar::Editor).empty());
    EXPECT_EQ(readProfileLines("a#b\n", LineGrammar::Editor).front().text, "a#b");
}

// The same lines, kind by kind, as the editor and the translation each take them.
TEST(ProfileLines, TheTwoGrammarsDifferOnlyWhereTheyShould) {
    const std::string text = "DEFAULT_PRESS_DELAY=7\n<SCRIPTLIST>\nFire a\n<AXIS_CHAINS>\n[C]\n"
                             "(1:2;3) x {y\n{C}\n<PROGRAM_MODES>\n[M[2]\nTriggerPress=Fire\n"
                             "XAxis\"x = C\nx{\n";
    const auto editor = readProfileLines(text, LineGrammar::Editor);
    const auto translation = readProfileLines(text, LineGrammar::Translation);
    ASSERT_EQ(editor.size(), 12u);
    ASSERT_EQ(translation.size(), 12u);
    EXPECT_EQ(editor[0].kind, LineKind::Header);
    EXPECT_EQ(editor[0].delay->value, 7u);
    EXPECT_EQ(editor[1].kind, LineKind::Marker);
    EXPECT_EQ(editor[2].kind, LineKind::Script);
    EXPECT_EQ(translation[2].name, "Fire");
    EXPECT_EQ(translation[4].name, "C");
    // A '{' later in a line closes a block only for the editor.
    EXPECT_EQ(editor[5].kind, LineKind::Closing);
    EXPECT_EQ(translation[5].kind, LineKind::Group);
    EXPECT_EQ(editor[11].kind, LineKind::Closing);
    EXPECT_EQ(translation[11].kind, LineKind::Assignment);
    // The translation cuts a mode's name before a '['.
    EXPECT_EQ(editor[8].name, "M[2");
    EXPECT_EQ(translation[8].name, "M");
    // Keys and values.
    EXPECT_EQ(editor[9].assignment().key, "TriggerPress");
    EXPECT_EQ(translation[9].assignment().key, "TriggerPress=Fire");
    EXPECT_EQ(translation[9].assignment().value, "Fire");
    EXPECT_EQ(editor[10].assignment().key, "XAxis\"x");
    EXPECT_EQ(translation[10].assignment().key, "XAxis");
    EXPECT_EQ(translation[10].assignment().value, "C");
    EXPECT_EQ(splitAssignment("XAxis", LineGrammar::Editor).value, "XAxis");
    EXPECT_EQ(splitAssignment("XAxis", LineGrammar::Translation).value, "");
}

} // namespace
} // namespace vantrel

#include "files/GroupLinePattern.h"
#include "files/ProfileLines.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(LineGrammar, MarkersAreExact) {
    EXPECT_EQ(sectionOfMarker("<SCRIPTLIST>"), FileSection::Scripts);
    EXPECT_EQ(sectionOfMarker("<AXIS_CHAINS>"), FileSection::Chains);
    EXPECT_EQ(sectionOfMarker("<PROGRAM_MODES>"), FileSection::Modes);
    EXPECT_FALSE(sectionOfMarker("<scriptlist>"));
    EXPECT_FALSE(sectionOfMarker("<HEADER>"));
}

TEST(LineGrammar, HeaderDelays) {
    const auto press = readHeaderDelay("DEFAULT_PRESS_DELAY =  \t 35");
    ASSERT_TRUE(press);
    EXPECT_EQ(press->kind, HeaderDelay::Kind::Press);
    EXPECT_EQ(press->value, 35u);
    EXPECT_EQ(readHeaderDelay("DEFAULT_RELEASE_DELAY=-1")->value, 0xFFFFFFFFu);
    EXPECT_EQ(readHeaderDelay("DEFAULT_RELEASE_DELAY=")->value, 0u);
    EXPECT_EQ(readHeaderDelay("DEFAULT_RELEASE_DELAY=letters")->kind, HeaderDelay::Kind::Release);
    EXPECT_FALSE(readHeaderDelay("DEFAULT_PRESS_DELAY 40"));
    EXPECT_FALSE(readHeaderDelay("OTHER=4"));
}

TEST(GroupLinePattern, ReadsLikeFormattedInput) {
    const auto fields = readGroupLine("(-0x10 : 010 ; 3) ( + Up  - Down )");
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->start, -16);
    EXPECT_EQ(fields->end, 8);
    EXPECT_EQ(fields->count, 3u);
    EXPECT_EQ(fields->increase, "Up");
    EXPECT_EQ(fields->decrease, "Down");
    EXPECT_TRUE(readGroupLine("(1:2;3)(+a -b"));
    EXPECT_TRUE(readGroupLine("  (  1  :  2  ;  3  )  (  +  a  -  b  )  "));
    const std::string longName(5000, 'n');
    EXPECT_EQ(readGroupLine("(1 : 2 ; 3) ( + " + longName + "  - b )")->increase, longName);
    EXPECT_FALSE(readGroupLine("(1 : 2 ; 3) ( + a )"));
    EXPECT_FALSE(readGroupLine("(1 : 2 ; 0x3) ( + a  - b )"));
    EXPECT_FALSE(readGroupLine("1 : 2 ; 3) ( + a  - b )"));
    EXPECT_FALSE(readGroupLine("(1 : 2 ; 3) ( + a- b )"));
}

TEST(GroupLinePattern, PassCountSitsBetweenSemicolonAndParenthesis) {
    EXPECT_EQ(groupLineCount("(1 : 2 ; 0x10) ( + a  - b )"), 16);
    EXPECT_EQ(groupLineCount("(1 : 2 ; 010)"), 8);
    EXPECT_EQ(groupLineCount("(1 : 2 ; 7"), 7);
    EXPECT_FALSE(groupLineCount("(1 : 2 ;   ) ( + a ; 5 )"));
    EXPECT_FALSE(groupLineCount("(1 : 2 ; x)"));
    EXPECT_FALSE(groupLineCount("(1 : 2 , 3)"));
}

} // namespace
} // namespace vantrel

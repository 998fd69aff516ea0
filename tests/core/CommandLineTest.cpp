#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

StartBranch branchOf(std::string_view raw) {
    return chooseBranch(pathFromCommandLine(raw));
}

TEST(CommandLine, DerivesThePathAndBranch) {
    EXPECT_EQ(pathFromCommandLine(""), "");
    EXPECT_EQ(branchOf(""), StartBranch::Editor);

    EXPECT_EQ(pathFromCommandLine("\"C:\\My Profiles\\a.vtp\""), "C:\\My Profiles\\a.vtp");
    EXPECT_EQ(branchOf("\"C:\\My Profiles\\a.vtp\""), StartBranch::Translate);

    EXPECT_EQ(branchOf("A.VTP"), StartBranch::Translate);
    EXPECT_EQ(branchOf("b.Bpf"), StartBranch::Program);
    EXPECT_EQ(branchOf("profile.txt"), StartBranch::Editor);

    // Cut at the first quote after the start: "a.vtp " is left, which ends in a blank.
    EXPECT_EQ(pathFromCommandLine("a.vtp \"b.bpf\""), "a.vtp ");
    EXPECT_EQ(branchOf("a.vtp \"b.bpf\""), StartBranch::Editor);
}

TEST(CommandLine, KeepsLeadingBlanksAndDropsTrailingOnes) {
    EXPECT_EQ(pathFromCommandLine("  a.vtp \t\r\n"), "  a.vtp");
    EXPECT_EQ(branchOf("my profile.vtp  "), StartBranch::Translate);
    EXPECT_EQ(branchOf(".vtp"), StartBranch::Translate);
    EXPECT_EQ(branchOf("vtp"), StartBranch::Editor);
    EXPECT_EQ(branchOf("\""), StartBranch::Editor);
}

TEST(CommandLine, RebuildsTheRawLineAsWindowsWouldPassIt) {
    EXPECT_EQ(rawCommandLine({}), "");
    EXPECT_EQ(rawCommandLine({"a.vtp"}), "a.vtp");
    EXPECT_EQ(rawCommandLine({"My Profiles/a.vtp"}), "\"My Profiles/a.vtp\"");
    EXPECT_EQ(rawCommandLine({"a", "b\tc"}), "a \"b\tc\"");

    const std::string raw = rawCommandLine({"My Profiles/a.vtp"});
    EXPECT_EQ(pathFromCommandLine(raw), "My Profiles/a.vtp");
    EXPECT_EQ(chooseBranch(pathFromCommandLine(raw)), StartBranch::Translate);
}

TEST(CommandLine, TakesWhatFollowsTheProgramNameInTheSystemsWholeLine) {
    EXPECT_EQ(commandLineAfterProgramName("vantrel.exe"), "");
    EXPECT_EQ(commandLineAfterProgramName("vantrel.exe a.vtp"), "a.vtp");
    EXPECT_EQ(commandLineAfterProgramName("vantrel.exe \t  a.vtp  "), "a.vtp  ");
    EXPECT_EQ(commandLineAfterProgramName(
                  "\"C:\\Program Files\\vantrel.exe\" \"C:\\My Profiles\\a.vtp\""),
              "\"C:\\My Profiles\\a.vtp\"");
    EXPECT_EQ(commandLineAfterProgramName("\"C:\\Program Files\\vantrel.exe\"a.bpf"), "a.bpf");
    EXPECT_EQ(commandLineAfterProgramName("\"unclosed name"), "");

    // The quotes typed reach the path rule: a.vtp "b.bpf" is cut before the quote, which
    // leaves a.vtp and a blank, so the editor opens; rebuilding from split arguments would
    // have lost the quotes and sent b.bpf.
    const std::string typed = commandLineAfterProgramName("vantrel.exe a.vtp \"b.bpf\"");
    EXPECT_EQ(typed, "a.vtp \"b.bpf\"");
    EXPECT_EQ(branchOf(typed), StartBranch::Editor);
}

TEST(CommandLine, RebuildsTheLineWhereTheSystemKeepsOnlyArguments) {
#ifndef _WIN32
    EXPECT_EQ(processCommandLine({"My Profiles/a.vtp"}), "\"My Profiles/a.vtp\"");
#endif
}

} // namespace
} // namespace vantrel

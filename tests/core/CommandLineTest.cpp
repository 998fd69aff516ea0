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

TEST(StartOptions, AreTakenOnlyInTheirExactFormsAsTheWholeLine) {
    EXPECT_EQ(startOptionFrom({"--help"}).option, StartOption::Help);
    EXPECT_EQ(startOptionFrom({"--version"}).option, StartOption::Version);
    const StartRequest edit = startOptionFrom({"--edit", "my profile.vtp"});
    EXPECT_EQ(edit.option, StartOption::Edit);
    EXPECT_EQ(edit.file, "my profile.vtp");
    // A desktop entry's %f vanishes when no file is chosen: the editor opens empty.
    EXPECT_EQ(startOptionFrom({"--edit"}).option, StartOption::Edit);
    EXPECT_EQ(startOptionFrom({"--edit"}).file, "");
    // --check reads what follows it itself: --strict and any number of files.
    const StartRequest check = startOptionFrom({"--check", "--strict", "a.vtp", "b.vtp"});
    EXPECT_EQ(check.option, StartOption::Check);
    EXPECT_EQ(check.operands, (std::vector<std::string>{"--strict", "a.vtp", "b.vtp"}));

    // Anything else is left to the path rule: other spellings, an option that is not first,
    // and an option with more than its form allows.
    for (const std::vector<std::string>& line : std::vector<std::vector<std::string>>{
             {},
             {"-h"},
             {"--HELP"},
             {"--help "},
             {"-help"},
             {"--edit=a.vtp"},
             {"a.vtp", "--help"},
             {"--help", "a.vtp"},
             {"--version", "--help"},
             {"--edit", "a.vtp", "b.vtp"},
             {"a.vtp", "--check"},
         })
        EXPECT_EQ(startOptionFrom(line).option, StartOption::None) << rawCommandLine(line);
}

StartPlan planStart(const std::vector<std::string>& arguments) {
    return vantrel::planStart(arguments, rawCommandLine(arguments));
}

TEST(StartOptions, PlanTheBranchAndItsFile) {
    StartPlan plan = planStart({"--edit", "Hornet.VTP"});
    EXPECT_EQ(plan.option, StartOption::Edit);
    EXPECT_EQ(plan.branch, StartBranch::Editor); // loaded, not translated
    EXPECT_EQ(plan.path, "Hornet.VTP");
    plan = planStart({"--edit", "notes.txt"});
    EXPECT_EQ(plan.branch, StartBranch::Editor);
    EXPECT_EQ(plan.path, "notes.txt");
    // The editor cannot show a device profile: opening one sends it.
    plan = planStart({"--edit", "Hornet.bpf"});
    EXPECT_EQ(plan.branch, StartBranch::Program);
    EXPECT_EQ(plan.path, "Hornet.bpf");

    // Without an option the path rule is unchanged, and the editor loads nothing.
    plan = planStart({"Hornet.vtp"});
    EXPECT_EQ(plan.option, StartOption::None);
    EXPECT_EQ(plan.branch, StartBranch::Translate);
    EXPECT_EQ(plan.path, "Hornet.vtp");
    plan = planStart({"notes.txt"});
    EXPECT_EQ(plan.branch, StartBranch::Editor);
    EXPECT_EQ(plan.path, "");
    plan = planStart({"--help", "a.bpf"}); // not an option form: "--help a.bpf" ends in .bpf
    EXPECT_EQ(plan.option, StartOption::None);
    EXPECT_EQ(plan.branch, StartBranch::Program);
    EXPECT_EQ(plan.path, "--help a.bpf");
}

TEST(StartOptions, UsageListsEveryOption) {
    const std::string usage = startUsage();
    for (const std::string option :
         {"--check [--strict] PROFILE...", "--edit [PROFILE]", "--help", "--version"})
        EXPECT_NE(usage.find("  " + option), std::string::npos) << option;
    std::size_t start = 0;
    while (start < usage.size()) {
        const std::size_t end = usage.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "the usage ends in a newline";
        EXPECT_LE(end - start, 80u) << usage.substr(start, end - start);
        start = end + 1;
    }
    EXPECT_TRUE(versionText().starts_with("vantrel "));
    EXPECT_TRUE(versionText().ends_with("\n"));
}

} // namespace
} // namespace vantrel

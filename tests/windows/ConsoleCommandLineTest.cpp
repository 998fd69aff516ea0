// The console program as a Windows user starts it: the command line is handed over exactly
// as typed, and the program takes it from GetCommandLineW, quotes and all.
#include "ConsoleProcess.h"

#include "platform/PathText.h"

#include <gtest/gtest.h>

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNoDisplay =
    "vantrel: no display is available, so the editor window cannot open.\n"
    "Give a .vtp file to translate it, or a .bpf file to send it to the X36.\n";

// stderr of a Windows program ends its lines with CR LF; the texts compared are the same.
std::string lines(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

class ConsoleCommandLine : public ::testing::Test {
protected:
    ScratchFolder folder{"cli"};

    void copyData(const std::string& name, const fs::path& to) {
        fs::copy_file(testData("translate/" + name), to, fs::copy_options::overwrite_existing);
    }
};

TEST_F(ConsoleCommandLine, AQuotedPathWithBlanksIsTranslated) {
    fs::create_directories(folder.path() / "My Profiles");
    copyData("fire.vtp", folder.path() / "My Profiles" / "fire.vtp");
    const ConsoleRun run = runConsole("\"My Profiles\\fire.vtp\"", folder.path());
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(fileBytes(folder.path() / "My Profiles" / "fire.bpf"),
              fileBytes(testData("translate/fire.bpf")));

    // Unquoted, a path with blanks works too as long as it ends in the extension.
    fs::remove(folder.path() / "My Profiles" / "fire.bpf");
    EXPECT_EQ(runConsole("My Profiles\\fire.VTP", folder.path()).exitCode, 0u);
    EXPECT_TRUE(fs::exists(folder.path() / "My Profiles" / "fire.bpf"));
}

TEST_F(ConsoleCommandLine, TheQuoteAfterAnUnquotedPathOpensTheEditorAndSendsNothing) {
    copyData("fire.vtp", folder.path() / "a.vtp");
    copyData("fire.bpf", folder.path() / "b.bpf");
    const ConsoleRun run = runConsole("a.vtp \"b.bpf\"", folder.path());
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(lines(run.errors), kNoDisplay);
    EXPECT_FALSE(fs::exists(folder.path() / "a.bpf"));

    EXPECT_EQ(lines(runConsole("notes.txt", folder.path()).errors), kNoDisplay);
    EXPECT_EQ(lines(runConsole("", folder.path()).errors), kNoDisplay);
}

TEST_F(ConsoleCommandLine, PathsOutsideTheAnsiCodePageWorkEndToEnd) {
    // Letters of three scripts: no single ANSI code page holds them all.
    const fs::path profiles = folder.path() / platform::pathFromUtf8("Profilé ü Ωμέγα Ő");
    fs::create_directories(profiles);
    copyData("fire.vtp", profiles / platform::pathFromUtf8("Fähre.vtp"));
    const ConsoleRun run =
        runConsole("\"" + platform::utf8FromPath(profiles) + "\\Fähre.vtp\"", folder.path());
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(fileBytes(profiles / platform::pathFromUtf8("Fähre.bpf")),
              fileBytes(testData("translate/fire.bpf")));

    // The device file there is opened; only the driver is missing.
    const ConsoleRun send =
        runConsole("\"" + platform::utf8FromPath(profiles) + "\\Fähre.bpf\"", folder.path());
    EXPECT_EQ(send.exitCode, 1u);
    EXPECT_EQ(lines(send.errors), "Device Query: Error opening driver.  Error: 2\n");
}

TEST_F(ConsoleCommandLine, ReportsWhatLinuxReportsForTheSameFiles) {
    copyData("typo.vtp", folder.path() / "typo.vtp");
    const ConsoleRun typo = runConsole("typo.vtp", folder.path());
    EXPECT_EQ(typo.exitCode, 1u);
    EXPECT_EQ(lines(typo.errors), "xyz: Event type not recognized: \n"
                                  "vantrel --check typo.vtp lists every problem with its line.\n");
    EXPECT_EQ(fileBytes(folder.path() / "typo.bpf"), fileBytes(testData("translate/typo.bpf")));

    copyData("broken-no-closing-line.vtp", folder.path() / "broken.vtp");
    const ConsoleRun broken = runConsole("broken.vtp", folder.path());
    EXPECT_EQ(broken.exitCode, 1u);
    EXPECT_EQ(lines(broken.errors),
              "Profile error.: Line 5: The axis chain Gear has no closing line.\n"
              "vantrel --check broken.vtp lists every problem with its line.\n");
    EXPECT_FALSE(fs::exists(folder.path() / "broken.bpf"));

    const ConsoleRun missing = runConsole("missing.vtp", folder.path());
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_EQ(lines(missing.errors), "missing.vtp: Error opening file.\n");
}

TEST_F(ConsoleCommandLine, TheDeviceBranchPrintsTheSystemCodes) {
    const ConsoleRun missing = runConsole("missing.bpf", folder.path());
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_EQ(lines(missing.errors),
              "Device Query: Error: unable to open file missing.bpf.   Error 2\n");

    // Without the X36 driver installed its device object \\.\X36Program does not exist.
    copyData("fire.bpf", folder.path() / "fire.BPF");
    const ConsoleRun noDriver = runConsole("fire.BPF", folder.path());
    EXPECT_EQ(noDriver.exitCode, 1u);
    EXPECT_EQ(lines(noDriver.errors), "Device Query: Error opening driver.  Error: 2\n");
}

} // namespace
} // namespace vantrel::test

#include "files/ProfileCheck.h"
#include "device/DeviceProfileCheck.h"
#include "files/CheckReport.h"
#include "files/KeySuggestion.h"
#include "files/ProfileTranslator.h"
#include "files/TranslationDefaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

const fs::path kCheckData = fs::path(VANTREL_TEST_DATA) / "check";

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The report the command line prints for one file, named by its file name alone.
std::string reportFor(const fs::path& path) {
    const std::string name = path.filename().string();
    const std::vector<CheckFinding> findings = checkProfileFile(path.string());
    std::string report;
    for (const CheckFinding& finding : findings)
        report += formatFinding(name, finding) + "\n";
    return report + formatCheckSummary(name, findings) + "\n";
}

std::vector<fs::path> profilesIn(const fs::path& folder) {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".vtp")
            paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::size_t errorsIn(const std::vector<CheckFinding>& findings) {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(), [](const CheckFinding& finding) {
            return finding.diagnostic.severity == Severity::Error;
        }));
}

// Each file in the folder holds one kind of problem; its report is kept beside it.
TEST(ProfileCheckGolden, EveryFileReportsAsExpected) {
    const std::vector<fs::path> profiles = profilesIn(kCheckData);
    ASSERT_GE(profiles.size(), 10u);
    for (const fs::path& profile : profiles) {
        fs::path expected = profile;
        expected.replace_extension(".expected");
        ASSERT_TRUE(fs::exists(expected)) << expected;
        EXPECT_EQ(reportFor(profile), readText(expected)) << profile;
    }
}

TEST(ProfileCheckGolden, ExamplesAndTranslationInputsHaveNoErrors) {
    std::vector<fs::path> profiles = profilesIn(fs::path(VANTREL_TEST_DATA) / "translate");
    const std::vector<fs::path> examples =
        profilesIn(fs::path(VANTREL_TEST_DATA).parent_path().parent_path() / "examples");
    profiles.insert(profiles.end(), examples.begin(), examples.end());
    ASSERT_FALSE(examples.empty());
    for (const fs::path& profile : profiles) {
        const std::string name = profile.filename().string();
        // These are made to show the translation's own messages.
        if (name.starts_with("broken-") || name == "typo.vtp")
            continue;
        EXPECT_EQ(errorsIn(checkProfileFile(profile.string())), 0u) << reportFor(profile);
    }
}

TEST(ProfileCheck, FindingsNameTheScriptModeOrChainTheyConcern) {
    const auto findings = checkProfileText("<SCRIPTLIST>\n_NULL\nFire xyz\n<AXIS_CHAINS>\n"
                                           "[Gear]\n(0 : 9 ; 1) ( + Nope - _NULL )\n{Gear}\n"
                                           "<PROGRAM_MODES>\n[DEFAULT]\nTriggerPress = Nope\n"
                                           "{DEFAULT}\n");
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].subject, CheckSubject::Script);
    EXPECT_EQ(findings[0].subjectName, "Fire");
    EXPECT_EQ(findings[1].subject, CheckSubject::Chain);
    EXPECT_EQ(findings[1].subjectName, "Gear");
    EXPECT_EQ(findings[1].diagnostic.column, 17u);
    EXPECT_EQ(findings[2].subject, CheckSubject::Mode);
    EXPECT_EQ(findings[2].subjectName, "DEFAULT");
}

TEST(ProfileCheck, ADeviceFileBeyondTheDeviceCapacityIsAnError) {
    std::string text = "<SCRIPTLIST>\n_NULL\n";
    // 1000 scripts of 10 events: 1000 * (4 + 70) bytes and more.
    for (int i = 0; i < 1000; ++i)
        text += "S" + std::to_string(i) + " a b c d e f g h i j\n";
    text += "<PROGRAM_MODES>\n[DEFAULT]\n{DEFAULT}\n";
    // The size the check gives is the one the translation writes.
    DiagnosticList diagnostics;
    const ProfileTranslator translator("big.vtp", text, diagnostics);
    ASSERT_TRUE(diagnostics.empty());
    const auto findings = checkProfileText(text);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].diagnostic.severity, Severity::Error);
    EXPECT_EQ(findings[0].diagnostic.text, "The device profile file would be " +
                                               std::to_string(translator.length()) +
                                               " bytes; the device holds at most 65535.");
}

TEST(ProfileCheck, BinaryJunkIsNotAProfile) {
    const std::string junk("\x7f"
                           "ELF\0\x01\x02\n\xff\xfe[x]\n{y}",
                           15);
    const auto findings = checkProfileText(junk);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].diagnostic.line, 0u);
}

TEST(ProfileCheck, AnUnreadableFileIsOneErrorWithoutAPlace) {
    const std::string path = (fs::temp_directory_path() / "vantrel-check-missing.vtp").string();
    fs::remove(path);
    const auto findings = checkProfileFile(path);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(formatFinding(path, findings[0]), path + ": error: Error opening file.");
    EXPECT_EQ(formatCheckSummary(path, findings), path + ": 1 error, 0 warnings");
}

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Blocks of distinct names: "[A0]\n{A0}\n[A1]\n{A1}\n"...
std::string namedBlocks(const std::string& prefix, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        const std::string name = prefix + std::to_string(i);
        text += "[" + name + "]\n{" + name + "}\n";
    }
    return text;
}

// Every profile the translation refuses is an error of the check on the same line. Where the
// refusal's text is the program's own, the message box names the line, since it shows no place;
// the check prints the place before the same text.
TEST(ProfileCheckAgreesWithTranslation, EveryRefusalIsAnErrorOnItsLine) {
    const std::string chain = "(0 : 1 ; 0) ( + a  - b )\n";
    const std::vector<std::string> refused = {
        "<AXIS_CHAINS>\n[A]\n(0 : 1 ; x) ( + a  - b )\n{A}\n",
        "<AXIS_CHAINS>\n[A]\n(0 : 1 ; 2) ( + a )\n{A}\n",
        "<AXIS_CHAINS>\n[A]\n(0 : 1 ; 200) ( + a  - b )\n(0 : 1 ; 56) ( + a  - b )\n{A}\n",
        "<AXIS_CHAINS>\n[A]\n(0 : 1 ; -1) ( + a  - b )\n{A}\n",
        "<AXIS_CHAINS>\n[Flaps]\n(0 : 1 ; 1) ( + a  - b )\n",
        "<PROGRAM_MODES>\n[M]\n[N]\n{N}\n",
        "<PROGRAM_MODES>\n[M]\n<SCRIPTLIST>\nTriggerPress\n<PROGRAM_MODES>\n{M}\n",
        "<AXIS_CHAINS>\n[A]\n" + repeated(chain, 256) + "{A}\n",
        "<SCRIPTLIST>\nS" + repeated(" a", 65536) + "\n",
        "<PROGRAM_MODES>\n[M]\n" + repeated("TriggerPress = a\n", 65536) + "{M}\n",
        "<AXIS_CHAINS>\n" + namedBlocks("A", 65536),
        "<PROGRAM_MODES>\n" + namedBlocks("M", 65536),
        // Group numbers run out after 32718 groups, whatever the chains.
        "<AXIS_CHAINS>\n" + repeated("[A]\n" + repeated(chain, 255) + "{A}\n", 129),
    };
    for (const std::string& text : refused) {
        const std::string shown = text.substr(0, 60);
        DiagnosticList diagnostics;
        const ProfileTranslator translator("air.vtp", text, diagnostics);
        ASSERT_FALSE(translator.deviceBytes()) << shown;
        ASSERT_EQ(diagnostics.size(), 1u) << shown;
        const Diagnostic& refusal = diagnostics.items()[0];
        ASSERT_GT(refusal.line, 0u) << shown;
        std::string expected = refusal.text;
        const std::string prefix = "Line " + std::to_string(refusal.line) + ": ";
        const bool own = expected.starts_with(prefix);
        if (own)
            expected.erase(0, prefix.size());
        // The texts the translation shares with the older program stay exactly as they are.
        EXPECT_EQ(own, !expected.starts_with("Breakpoint error.") &&
                           !expected.starts_with("Error converting breakpoint."))
            << refusal.text;
        const auto findings = checkProfileText(text);
        EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), [&](const CheckFinding& f) {
            return f.diagnostic.severity == Severity::Error && f.diagnostic.line == refusal.line &&
                   f.diagnostic.text == expected;
        })) << refusal.text;
    }
}

// Fed the same files, the check and the translation decide alike: every problem the
// translation reports as an error is one of the check's errors on its line, and a file the
// check finds no error in is translated to a device file.
TEST(ProfileCheckAgreesWithTranslation, OnEveryFileOfTheTests) {
    std::vector<fs::path> profiles = profilesIn(kCheckData);
    for (const char* folder : {"translate", "../../examples"}) {
        const std::vector<fs::path> more = profilesIn(fs::path(VANTREL_TEST_DATA) / folder);
        profiles.insert(profiles.end(), more.begin(), more.end());
    }
    ASSERT_GE(profiles.size(), 20u);
    for (const fs::path& profile : profiles) {
        resetTranslationDefaults();
        const std::string text = readText(profile);
        DiagnosticList diagnostics;
        const ProfileTranslator translator(profile.string(), text, diagnostics);
        const auto findings = checkProfileText(text);
        for (const Diagnostic& problem : diagnostics.items()) {
            if (problem.severity != Severity::Error)
                continue;
            std::string own = problem.text;
            if (const std::string prefix = "Line " + std::to_string(problem.line) + ": ";
                own.starts_with(prefix))
                own.erase(0, prefix.size());
            // After a misspelt section line the check names that line instead.
            const auto agrees = [&](const CheckFinding& f) {
                const Diagnostic& d = f.diagnostic;
                if (d.severity != Severity::Error)
                    return false;
                if (d.line < problem.line && d.text.starts_with("Unknown section line"))
                    return true;
                return d.line == problem.line && (d.text == own || d.text == own + problem.title);
            };
            EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), agrees))
                << profile << ": " << problem.text;
        }
        if (errorsIn(findings) == 0) {
            EXPECT_TRUE(translator.deviceBytes()) << profile;
        }
    }
    resetTranslationDefaults();
}

// Scripts and chains are looked up when the block that names them closes, among those read
// by then; a load-mode event's mode among all modes of the file. The check finds exactly the
// references the translation turns into 0.
TEST(ProfileCheckAgreesWithTranslation, NamesWrittenFurtherDownResolveAsTranslated) {
    const std::string text = readText(kCheckData / "later-names.vtp");
    DiagnosticList diagnostics;
    const ProfileTranslator translator("later-names.vtp", text, diagnostics);
    ASSERT_TRUE(translator.deviceBytes());
    const DeviceProfile& records = translator.records();
    ASSERT_EQ(records.configurations.size(), 2u);
    // DEFAULT, before the scripts and the chain: Fire and Flaps give 0.
    EXPECT_EQ(records.configurations[0].entries, (std::vector<DeviceEntry>{{0, 1, 0}, {1, 0, 0}}));
    // Combat, after them: Fire is script 1 and Flaps chain 1.
    EXPECT_EQ(records.configurations[1].entries, (std::vector<DeviceEntry>{{0, 1, 1}, {1, 0, 1}}));
    ASSERT_EQ(records.chains.size(), 2u);
    // Gear comes later and gives 0; _NULL gives 0 by its own right.
    EXPECT_EQ(records.chains[1].groups[0].increaseId, 0);
    EXPECT_EQ(records.chains[1].groups[0].decreaseId, 0);
    // Fire's LOADMODE_Combat loads Combat, whose block follows the scripts.
    const ProfileCheck device = checkDeviceProfile(*translator.deviceBytes());
    ASSERT_TRUE(device.accepted());
    EXPECT_EQ(device.image.scripts.at(1).events.at(1).data, records.configurations[1].id);

    std::vector<std::pair<std::size_t, std::string>> places;
    for (const CheckFinding& finding : checkProfileText(text))
        places.emplace_back(finding.diagnostic.line, finding.diagnostic.text.substr(0, 22));
    EXPECT_EQ(places,
              (std::vector<std::pair<std::size_t, std::string>>{{5, "The script Fire is lis"},
                                                                {6, "The axis chain Flaps i"},
                                                                {12, "The script Gear is lis"}}));
}

// A default delay is reported unless it is written in decimal digits alone and the device
// takes it as written; the number the report gives is the Delay a key press then carries.
TEST(ProfileCheckAgreesWithTranslation, HeaderDelaysTheDeviceGetsOtherwise) {
    struct Case {
        std::string written;
        bool reported;
    };
    const std::vector<Case> cases = {
        {"0", false},          {"40", false},        {" +0025", false},    {"-0", false},
        {"2147483647", false}, {"2147483648", true}, {"4294967295", true}, {"99999999999", true},
        {"-5", true},          {"0x20", true},       {"1.5", true},        {"", true},
        {"forty", true},       {"40ms", true},
    };
    for (const Case& c : cases) {
        resetTranslationDefaults();
        const std::string text = "<HEADER>\nDEFAULT_PRESS_DELAY=" + c.written +
                                 "\n<SCRIPTLIST>\nS a\n<PROGRAM_MODES>\n[DEFAULT]\n{DEFAULT}\n";
        DiagnosticList diagnostics;
        const ProfileTranslator translator("air.vtp", text, diagnostics);
        ASSERT_TRUE(translator.deviceBytes()) << c.written;
        const ProfileCheck device = checkDeviceProfile(*translator.deviceBytes());
        ASSERT_TRUE(device.accepted()) << c.written;
        const std::int32_t sent = device.image.scripts.at(0).events.at(0).delay;
        const auto findings = checkProfileText(text);
        ASSERT_EQ(findings.size(), c.reported ? 1u : 0u) << c.written;
        if (!c.reported)
            continue;
        EXPECT_EQ(findings[0].diagnostic.line, 2u);
        const std::string report = findings[0].diagnostic.text;
        EXPECT_NE(report.find(" " + std::to_string(sent) +
                              (report.find("not as written") != std::string::npos ? "," : ".")),
                  std::string::npos)
            << report;
    }
    resetTranslationDefaults();
    const auto noEquals = checkProfileText("DEFAULT_RELEASE_DELAY 40\n<SCRIPTLIST>\n[DEFAULT]\n");
    ASSERT_EQ(noEquals.size(), 2u); // and no base mode, a finding without a place
    EXPECT_EQ(noEquals[1].diagnostic.line, 1u);
    EXPECT_EQ(noEquals[1].diagnostic.text,
              "The DEFAULT_RELEASE_DELAY line has no '=', so it sets no delay.");
}

TEST(KeySuggestion, FindsTheNearestKeyIgnoringCase) {
    EXPECT_EQ(nearestAssignmentKey("TrigerPress"), "TriggerPress");
    EXPECT_EQ(nearestAssignmentKey("xaxis"), "XAxis");
    EXPECT_FALSE(nearestAssignmentKey(std::string(5000, 'z')).empty());
}

} // namespace
} // namespace vantrel

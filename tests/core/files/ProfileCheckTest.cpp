#include "files/ProfileCheck.h"
#include "files/CheckReport.h"
#include "files/KeySuggestion.h"
#include "files/ProfileTranslator.h"

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

TEST(KeySuggestion, FindsTheNearestKeyIgnoringCase) {
    EXPECT_EQ(nearestAssignmentKey("TrigerPress"), "TriggerPress");
    EXPECT_EQ(nearestAssignmentKey("xaxis"), "XAxis");
    EXPECT_FALSE(nearestAssignmentKey(std::string(5000, 'z')).empty());
}

} // namespace
} // namespace vantrel

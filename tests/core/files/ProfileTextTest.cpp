#include "files/AtomicFileOutput.h"
#include "files/ProfileOutput.h"
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"
#include "profile/SlotTable.h"
#include "support/core/RecordedMessages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantrel {
namespace {

int slot(std::string_view name) {
    return *SlotTable::instance().positionOf(name);
}

std::string crlf(std::string_view lfText) {
    std::string out;
    for (char c : lfText) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

Profile read(std::string_view text) {
    return readProfileTextFrom(text);
}

Profile defaultOnly() {
    Profile profile;
    profile.modes.emplace_back("DEFAULT");
    return profile;
}

const char* const kEmptyDefaultFile = "# Vantrel: Empty.vtp\n"
                                      "\n"
                                      "# Full profile script listing.\n"
                                      "\n"
                                      "<HEADER>\n"
                                      "DEFAULT_PRESS_DELAY=10\n"
                                      "DEFAULT_RELEASE_DELAY=10\n"
                                      "\n"
                                      "<SCRIPTLIST>\n"
                                      "\n"
                                      "\n"
                                      "# Axis Chains and Breakpoints:\n"
                                      "<AXIS_CHAINS>\n"
                                      "\n"
                                      "\n"
                                      "# Programmed Modes and Assignments:\n"
                                      "<PROGRAM_MODES>\n"
                                      "\n"
                                      "[DEFAULT]\n"
                                      "{DEFAULT}\n";

TEST(ProfileTextWriter, EmptyDefaultProfileHasExactBytesAndRoundTrips) {
    const std::string written = composeProfileText(defaultOnly(), {}, "Empty.vtp");
    EXPECT_EQ(written, crlf(kEmptyDefaultFile));

    const Profile profile = read(written);
    EXPECT_EQ(profile, defaultOnly());
    EXPECT_EQ(composeProfileText(profile, {}, "Empty.vtp"), written);
}

TEST(ProfileTextWriter, WritesScriptsInListOrderChainsAndModesInFileKeyOrder) {
    Profile profile;
    profile.scripts = {"fire a^40 A", "_NULL", "Alpha b B", "alpha2", "Alpha dup"};
    profile.chains.addChain("Gear");
    profile.chains.addGroupLine(formatGroupLine(-20000, 20000, 10, "Up", "Down"), 10, 0);
    profile.chains.addChain("Flaps");
    profile.pressDelay = 7;
    profile.releaseDelay = 4294967295u;
    ProgrammingMode mode("Combat");
    // Mode1 sits before Aux1 inside a mode, but the file writes Aux1 first.
    mode.setAssignment(slot("Mode1Press"), "fire");
    mode.setAssignment(slot("Aux1Press"), "Alpha");
    mode.setAssignment(slot("TriggerRelease"), "_NULL");
    mode.setAssignment(slot("XAxis"), "Gear");
    profile.modes.push_back(mode);

    const std::string text =
        composeProfileText(profile, {"_NULL", "Alpha", "alpha2", "fire"}, "C.vtp");
    EXPECT_NE(text.find(crlf("DEFAULT_PRESS_DELAY=7\nDEFAULT_RELEASE_DELAY=4294967295\n")),
              std::string::npos);
    EXPECT_NE(text.find(crlf("<SCRIPTLIST>\n_NULL\nAlpha b B\nalpha2\nfire a^40 A\n\n\n")),
              std::string::npos);
    EXPECT_NE(text.find(crlf("<AXIS_CHAINS>\n\n[Gear]\n(-20000 : 20000 ; 10) ( + Up  - Down )\n"
                             "{Gear}\n\n[Flaps]\n{Flaps}\n\n\n")),
              std::string::npos);
    EXPECT_NE(text.find(crlf("[Combat]\nTriggerRelease = _NULL\nAux1Press = Alpha\n"
                             "Mode1Press = fire\nXAxis = Gear\n{Combat}\n")),
              std::string::npos);
    EXPECT_EQ(text.find("Alpha dup"), std::string::npos);
}

TEST(ProfileTextReader, LfOnlyFileReadsLikeCrLf) {
    const std::string lf =
        "<SCRIPTLIST>\nFire a A\n<PROGRAM_MODES>\n[DEFAULT]\nTriggerPress = Fire\n{DEFAULT}";
    EXPECT_EQ(read(lf), read(crlf(lf)));
    EXPECT_EQ(read(lf).modes.at(0).assignment(slot("TriggerPress")), "Fire");
}

TEST(ProfileTextReader, HeaderDelayLines) {
    EXPECT_EQ(read("  DEFAULT_PRESS_DELAY  =   25\n").pressDelay, 25u);
    EXPECT_EQ(read("DEFAULT_PRESS_DELAY 25\n").pressDelay, 10u);
    EXPECT_EQ(read("DEFAULT_PRESS_DELAY=abc\n").pressDelay, 0u);
    EXPECT_EQ(read("DEFAULT_RELEASE_DELAY=12ms\n").releaseDelay, 12u);
    EXPECT_EQ(read("DEFAULT_RELEASE_DELAY=-1\n").releaseDelay, 4294967295u);
    EXPECT_EQ(read("DEFAULT_RELEASE_DELAY=99999999999\n").releaseDelay, 4294967295u);
    EXPECT_EQ(read("DEFAULT_RELEASE_DELAY=+3000000000\n").releaseDelay, 3000000000u);
    // A delay line after the marker is a script line.
    const Profile profile = read("<SCRIPTLIST>\nDEFAULT_PRESS_DELAY=50\n");
    EXPECT_EQ(profile.pressDelay, 10u);
    EXPECT_EQ(profile.scripts, std::vector<Script>{"DEFAULT_PRESS_DELAY=50"});
}

TEST(ProfileTextReader, AssignmentLines) {
    const Profile profile = read("<PROGRAM_MODES>\n"
                                 "TriggerPress = Orphan\n" // before any mode: ignored
                                 "[M]\n"
                                 "TriggerPress=Fire\n"
                                 "LaunchPress    =    Fire   \n"
                                 "triggerrelease = Fire\n"
                                 "FireAPress = X\n"
                                 "FireAPress =\n"
                                 "FireBPress\tjunk = Y\n"
                                 "XAxis\n"
                                 "Unknown = Z\n"
                                 "{M}\n");
    ASSERT_EQ(profile.modes.size(), 1u);
    const ProgrammingMode& mode = profile.modes[0];
    EXPECT_EQ(mode.assignment(slot("TriggerPress")), "Fire");
    EXPECT_EQ(mode.assignment(slot("LaunchPress")), "Fire");
    EXPECT_EQ(mode.assignment(slot("TriggerRelease")), "");
    EXPECT_EQ(mode.assignment(slot("FireAPress")), "");
    EXPECT_EQ(mode.assignment(slot("FireBPress")), "Y");
    EXPECT_EQ(mode.assignment(slot("XAxis")), "XAxis"); // no '=': the whole line is the value
}

TEST(ProfileTextReader, ModeAndChainHeaders) {
    const Profile profile = read("<PROGRAM_MODES>\n[Dup]\n{Dup}\n[Dup]\nShiftPress = a\n{Dup}\n"
                                 "<AXIS_CHAINS>\n(0 : 1 ; 5) ( + a  - b )\n" // no chain yet
                                 "[Gear]\n(0 : 100 ; 300) ( + a  - b )\n"
                                 "(0 : 100 ; 0x10) ( + a  - b )\n"
                                 "(0 : 100 ; ) ( + a  - b )\n"
                                 "{Gear}\n");
    ASSERT_EQ(profile.modes.size(), 2u);
    EXPECT_EQ(profile.modes[0], ProgrammingMode("Dup"));
    EXPECT_EQ(profile.modes[1].assignment(slot("ShiftPress")), "a");
    ASSERT_EQ(profile.chains.chainCount(), 1);
    const AxisChain& gear = profile.chains.chain(0);
    EXPECT_EQ(gear.groupCount(), 2);
    EXPECT_EQ(gear.freeCapacity(), 255 - 255 - 16);
}

TEST(ProfileTextReader, ChainsBeyondTwentyFiveJoinTheLast) {
    std::string text = "<AXIS_CHAINS>\n";
    for (int i = 0; i < 27; ++i)
        text += "[C" + std::to_string(i) + "]\n(0 : 1 ; 1) ( + a  - b )\n";
    const Profile profile = read(text);
    ASSERT_EQ(profile.chains.chainCount(), 25);
    EXPECT_EQ(profile.chains.chain(24).name(), "C24");
    EXPECT_EQ(profile.chains.chain(24).groupCount(), 3);
}

TEST(ProfileTextReader, MarkersCommentsAndDuplicates) {
    const Profile profile = read("#<SCRIPTLIST>\nDEFAULT_PRESS_DELAY=3\n<scriptlist>\n"
                                 "<SCRIPTLIST>\n  Fire a A  \n# comment\nFIRE b\n"
                                 "Next x # not a comment\n<scriptlist>\n");
    EXPECT_EQ(profile.pressDelay, 3u);
    EXPECT_EQ(profile.scripts,
              (std::vector<Script>{"Fire a A", "Next x # not a comment", "<scriptlist>"}));
}

class FailingOutput : public ProfileOutput {
public:
    explicit FailingOutput(std::size_t capacity) : capacity_(capacity) {}
    bool isOpen() const override { return true; }
    bool write(std::string_view bytes) override {
        const std::size_t room = capacity_ - std::min(capacity_, written_.size());
        written_.append(bytes.substr(0, room));
        return bytes.size() <= room;
    }
    bool finish() override { return true; }
    std::string written_;

private:
    std::size_t capacity_;
};

class ProfileTextFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("vantrel-text-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    static std::string contents(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    std::filesystem::path folder_;
    DiagnosticList diagnostics_;
};

TEST_F(ProfileTextFiles, SaveThenOpenRestoresTheProfile) {
    Profile profile = Profile::newProfile();
    profile.scripts.push_back("Fire a^40 A");
    profile.modes[0].setAssignment(slot("TriggerPress"), "Fire");
    const std::string path = (folder_ / "Hornet.vtp").string();
    {
        AtomicFileOutput output(path);
        ASSERT_TRUE(writeProfileText(profile, {"_NULL", "Fire"}, "Hornet.vtp", output, diagnostics_,
                                     nullptr));
    }
    EXPECT_EQ(contents(path).rfind("# Vantrel: Hornet.vtp\r\n", 0), 0u);

    const ProfileRead opened = readProfileText(path, diagnostics_);
    ASSERT_TRUE(opened.read);
    EXPECT_EQ(opened.profile, profile);
    EXPECT_TRUE(diagnostics_.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(ProfileTextFiles, FailedWriteKeepsTheOldFile) {
    const auto path = folder_ / "Keep.vtp";
    std::ofstream(path, std::ios::binary) << "old contents";
    const Profile profile = Profile::newProfile();
    const auto write = [&](ProfileOutput& output) {
        return writeProfileText(profile, {"_NULL"}, "Keep.vtp", output, diagnostics_, nullptr);
    };

    FailingOutput failing(40);
    EXPECT_FALSE(write(failing));
    ASSERT_EQ(diagnostics_.size(), 1u);
    EXPECT_EQ(testsupport::boxesOf(diagnostics_)[0],
              (platform::Message{"Error writing to file.", "Save Error",
                                 platform::MessageButtons::Ok, nullptr}));
    EXPECT_TRUE(diagnostics_.items()[0].endsOperation);
    EXPECT_EQ(contents(path), "old contents");

    // A target that cannot be written (a folder of that name) is reported the same way.
    std::filesystem::create_directory(folder_ / "Taken.vtp");
    AtomicFileOutput taken((folder_ / "Taken.vtp").string());
    EXPECT_FALSE(write(taken));
    EXPECT_EQ(diagnostics_.size(), 2u);
    AtomicFileOutput missing((folder_ / "missing" / "x.vtp").string());
    EXPECT_FALSE(write(missing));
    EXPECT_EQ(diagnostics_.size(), 3u);
    EXPECT_EQ(contents(path), "old contents");
}

TEST_F(ProfileTextFiles, UnreadableFileIsReportedAndNotRead) {
    for (const auto& path : {folder_ / "absent.vtp", folder_})
        EXPECT_FALSE(readProfileText(path.string(), diagnostics_).read) << path;
    ASSERT_EQ(diagnostics_.size(), 2u);
    EXPECT_EQ(diagnostics_.items()[0].text, "Error reading from file.");
    EXPECT_EQ(diagnostics_.items()[0].title, "Load Error");
}

} // namespace
} // namespace vantrel

#include "files/ProfileTranslator.h"
#include "files/DeviceFileWriter.h"
#include "files/TranslationDefaults.h"
#include "support/core/RecordedMessages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using platform::Message;

Bytes readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Little-endian field builders for expected files.
struct Expect {
    Bytes bytes;
    Expect& u8(unsigned v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Expect& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Expect& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Expect& event(unsigned oc, int data, std::int32_t delay) {
        return u8(oc).u16(static_cast<std::uint16_t>(data)).u32(static_cast<std::uint32_t>(delay));
    }
    Expect& entry(unsigned type, unsigned id, unsigned number) {
        return u8(type).u16(id).u16(number);
    }
};

class ProfileTranslatorTest : public ::testing::Test {
protected:
    void SetUp() override { resetTranslationDefaults(); }
    void TearDown() override { resetTranslationDefaults(); }

    // The translation of a text given as lines; nothing when no file would be written.
    std::optional<Bytes> translate(const std::string& text) {
        ProfileTranslator translator("C:\\profiles\\air.vtp", text, diagnostics);
        return translator.deviceBytes();
    }

    DiagnosticList diagnostics;
};

TEST_F(ProfileTranslatorTest, EmptyDefaultModeGivesSixteenBytes) {
    const auto bytes = translate("<PROGRAM_MODES>\n[DEFAULT]\n{DEFAULT}\n");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, (Bytes{0x04, 0x10, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(ProfileTranslatorTest, ConfigurationIdsAndLoadModeData) {
    const std::string script = "<SCRIPTLIST>\nGo LOADMODE_Landing LOADMODE_DEFAULT LOADMODE_None\n";
    for (const auto& [modes, ids] : std::vector<std::pair<std::string, std::vector<unsigned>>>{
             {"[DEFAULT]\n{DEFAULT}\n[Combat]\n{Combat}\n[Landing]\n{Landing}\n", {0, 2, 3}},
             {"[Combat]\n{Combat}\n[DEFAULT]\n{DEFAULT}\n[Landing]\n{Landing}\n", {1, 0, 3}}}) {
        const auto bytes = translate(script + "<PROGRAM_MODES>\n" + modes);
        ASSERT_TRUE(bytes);
        Expect e;
        e.u8(4).u32(7 + 4 + 21 + 2 + 12 + 2 + 1).u16(1).u16(0).u16(3);
        e.event(5, 3, 0).event(5, 0, 0).event(5, 0, 0);
        e.u16(3);
        for (unsigned id : ids)
            e.u16(id).u16(0);
        e.u16(0).u8(0);
        EXPECT_EQ(*bytes, e.bytes) << modes;
    }
}

TEST_F(ProfileTranslatorTest, AssignmentEntries) {
    const auto bytes = translate("<SCRIPTLIST>\n_NULL\nOther\nFire a\n"
                                 "<AXIS_CHAINS>\n[Gear]\n{Gear}\n[Flaps]\n{Flaps}\n"
                                 "<PROGRAM_MODES>\n[Combat]\n"
                                 "TriggerPress = Fire\n"
                                 "TriggerRelease = Fire\n"
                                 "StickHat2UpLeftPress   =   Fire\n"
                                 "XAxis = Flaps\n"
                                 "R2Axis = Nowhere\n"
                                 "FireAPress = Missing\n"
                                 "{Combat}\n");
    ASSERT_TRUE(bytes);
    Expect e;
    e.u8(4).u32(7 + 4 + 4 + 11 + 2 + 34 + 2 + 3 + 3 + 1).u16(3);
    e.u16(0).u16(0).u16(1).u16(0).u16(2).u16(1).event(0, 4, 10);
    e.u16(1).u16(1).u16(6);
    e.entry(0, 1, 2).entry(0, 0, 2).entry(0, 99, 2).entry(1, 0, 1).entry(1, 5, 0).entry(0, 3, 0);
    e.u16(2).u16(0).u8(0).u16(1).u8(0).u8(0);
    EXPECT_EQ(*bytes, e.bytes);
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(ProfileTranslatorTest, BreakpointsAndDefaultEntries) {
    const auto bytes = translate("<SCRIPTLIST>\nUp\nDown\n<AXIS_CHAINS>\n[Flaps]\n"
                                 "(-20000 : 20000 ; 10) ( + Up  - Down )\n"
                                 "(5 : 9 ; 0) ( + Nobody  - Up )\n{Flaps}\n"
                                 "<PROGRAM_MODES>\n[DEFAULT]\n{DEFAULT}\n");
    ASSERT_TRUE(bytes);
    Expect e;
    e.u8(4).u32(7 + 8 + 2 + 24 + 2 + 63 + 1).u16(2).u16(0).u16(0).u16(1).u16(0);
    e.u16(1).u16(0).u16(4);
    e.entry(0, 100, 1).entry(0, 101, 0).entry(0, 102, 0).entry(0, 103, 0);
    e.u16(1).u16(0).u8(10);
    for (int j = 0; j < 10; ++j) {
        const unsigned p = 12767 + 4444 * j;
        e.u16(p).u16(50).u16(p);
    }
    e.u8(0);
    EXPECT_EQ(*bytes, e.bytes);
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(ProfileTranslatorTest, HeaderDelaysLastForTheWholeRun) {
    ASSERT_TRUE(translate("<HEADER>\n  DEFAULT_PRESS_DELAY = 40\nDEFAULT_RELEASE_DELAY=-1\n"
                          "DEFAULT_PRESS_DELAY 99\n<SCRIPTLIST>\nK a A\n"));
    EXPECT_EQ(translationDefaults(), (DefaultDelays{40, 0xFFFFFFFFu}));
    const auto bytes = translate("<SCRIPTLIST>\nK a A\n");
    ASSERT_TRUE(bytes);
    Expect e;
    e.u8(4).u32(7 + 18 + 2 + 2 + 1).u16(1).u16(0).u16(2).event(0, 4, 40).event(1, 4, -1);
    e.u16(0).u16(0).u8(0);
    EXPECT_EQ(*bytes, e.bytes);
}

TEST_F(ProfileTranslatorTest, FaultyTokensKeepTheirPlace) {
    const auto bytes = translate("<SCRIPTLIST>\nS\txyz \t ret a\n");
    ASSERT_TRUE(bytes);
    Expect e;
    e.u8(4).u32(7 + 25 + 2 + 2 + 1).u16(1).u16(0).u16(3);
    e.event(0, 0, 0).event(0, 0, 10).event(0, 4, 10).u16(0).u16(0).u8(0);
    EXPECT_EQ(*bytes, e.bytes);
    EXPECT_EQ(testsupport::boxesOf(diagnostics),
              (std::vector<Message>{{"Event type not recognized: ", "xyz"},
                                    {"Press key event data not recognized: ", "ret"}}));
}

TEST_F(ProfileTranslatorTest, UnfilledEntriesStayZeroWithTheirMessage) {
    const auto bytes = translate("<PROGRAM_MODES>\n[M]\nTriggerPress=Fire\nTrig = x\n{M}\n");
    ASSERT_TRUE(bytes);
    Expect e;
    e.u8(4).u32(7 + 2 + 14 + 2 + 1).u16(0).u16(1).u16(1).u16(2);
    e.entry(0, 0, 0).entry(0, 0, 0).u16(0).u8(0);
    EXPECT_EQ(*bytes, e.bytes);
    EXPECT_EQ(
        testsupport::boxesOf(diagnostics),
        (std::vector<Message>{{"Not all assignment were processed.", "Mode Assignment Error."}}));
}

TEST_F(ProfileTranslatorTest, LinesOutsideABlockAreIgnored) {
    const auto bytes = translate("<AXIS_CHAINS>\n(0 : 1 ; 5) ( + a  - b )\n{X}\n"
                                 "<PROGRAM_MODES>\nTriggerPress = a\n{X}\n[DEFAULT]\n{DEFAULT}\n"
                                 "TriggerPress = a\n");
    EXPECT_EQ(bytes, translate("<PROGRAM_MODES>\n[DEFAULT]\n{DEFAULT}\n"));
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(ProfileTranslatorTest, RefusedProfilesWriteNothing) {
    const std::vector<std::pair<std::string, Message>> cases = {
        {"<AXIS_CHAINS>\n[A]\n(0 : 1 ; x) ( + a  - b )\n{A}\n",
         {"Breakpoint error.", "(0 : 1 ; x) ( + a  - b )"}},
        {"<AXIS_CHAINS>\n[A]\n(0 : 1 ;   ) ( + a  - b )\n{A}\n",
         {"Breakpoint error.", "(0 : 1 ;   ) ( + a  - b )"}},
        {"<AXIS_CHAINS>\n[A]\n(0 : 1 ; 2) ( + a )\n{A}\n",
         {"Error converting breakpoint.", "Breakpoint error."}},
        {"<AXIS_CHAINS>\n[A]\n(0 : 1 ; 0x2) ( + a  - b )\n{A}\n",
         {"Error converting breakpoint.", "Breakpoint error."}},
        {"<AXIS_CHAINS>\n[A]\n(0 : 1 ; 010) ( + a  - b )\n{A}\n",
         {"Not all breakpoints were processed.", "Mode Assignment Error."}},
        {"<AXIS_CHAINS>\n[A]\n(0 : 1 ; 200) ( + a  - b )\n(0 : 1 ; 56) ( + a  - b )\n{A}\n",
         {"Line 4: Too many breakpoints in the axis chain A:  256 (at most 255).",
          "Device profile limit exceeded."}},
        {"<AXIS_CHAINS>\n[A]\n(0 : 1 ; -1) ( + a  - b )\n{A}\n",
         {"Line 3: Breakpoint count out of range in the axis chain A:  -1 (0 to 255).",
          "Device profile limit exceeded."}},
        {"<AXIS_CHAINS>\n[Flaps]\n(0 : 1 ; 1) ( + a  - b )\n",
         {"Line 2: The axis chain Flaps has no closing line.", "Profile error."}},
        {"<PROGRAM_MODES>\n[M]\n[N]\n{N}\n",
         {"Line 2: The programming mode M has no closing line.", "Profile error."}},
        {"<PROGRAM_MODES>\n[M]\n<SCRIPTLIST>\nTriggerPress\n<PROGRAM_MODES>\n{M}\n",
         {"Line 2: Too many assignments in the programming mode M:  1 (its block holds 0 lines).",
          "Profile error."}},
    };
    for (const auto& [text, message] : cases) {
        diagnostics.clear();
        EXPECT_FALSE(translate(text)) << text;
        EXPECT_EQ(testsupport::boxesOf(diagnostics), std::vector<Message>{message}) << text;
    }
}

TEST_F(ProfileTranslatorTest, CountsBeyondTheirFieldsAreRefused) {
    std::string groups = "<AXIS_CHAINS>\n[A]\n";
    for (int i = 0; i < 256; ++i)
        groups += "(0 : 1 ; 0) ( + a  - b )\n";
    EXPECT_FALSE(translate(groups + "{A}\n"));
    std::string tokens = "<SCRIPTLIST>\nS";
    for (int i = 0; i < 65536; ++i)
        tokens += " a";
    EXPECT_FALSE(translate(tokens + "\n"));
    std::string entries = "<PROGRAM_MODES>\n[M]\n";
    for (int i = 0; i < 65536; ++i)
        entries += "TriggerPress = a\n";
    EXPECT_FALSE(translate(entries + "{M}\n"));
    EXPECT_EQ(testsupport::boxesOf(diagnostics),
              (std::vector<Message>{
                  {"Line 258: Too many group lines in the axis chain A:  256 (at most 255).",
                   "Device profile limit exceeded."},
                  {"Line 2: Too many events in the script S:  65536 (at most 65535).",
                   "Device profile limit exceeded."},
                  {"Line 2: Too many entries in the programming mode M:  65536 (at most 65535).",
                   "Device profile limit exceeded."}}));
}

// The device numbers scripts in 16 bits: 65535 of them translate, each name resolving to the
// first script of that name, and one more is refused.
TEST_F(ProfileTranslatorTest, ScriptNamesResolveUpToTheLastScriptTheDeviceHolds) {
    std::string scripts = "<SCRIPTLIST>\n_NULL\nTwin a\nTwin b\n";
    for (int i = 3; i < 65535; ++i)
        scripts.append("S").append(std::to_string(i)).append("\n");
    const std::string modes = "<PROGRAM_MODES>\n[M]\nTriggerPress = S65534\n"
                              "TriggerRelease = Twin\nFireAPress = S3\n{M}\n";
    {
        ProfileTranslator translator("air.vtp", scripts + modes, diagnostics);
        ASSERT_TRUE(translator.deviceBytes());
        ASSERT_EQ(translator.records().configurations.size(), 1u);
        EXPECT_EQ(translator.records().configurations[0].entries,
                  (std::vector<DeviceEntry>{{0, 1, 65534}, {0, 0, 1}, {0, 3, 3}}));
    }
    EXPECT_TRUE(diagnostics.empty());
    EXPECT_FALSE(translate(scripts + "S65535\n" + modes));
    EXPECT_EQ(testsupport::boxesOf(diagnostics),
              (std::vector<Message>{{"Line 65537: Too many scripts:  65536 (at most 65535).",
                                     "Device profile limit exceeded."}}));
}

TEST(DeviceFilePath, ShortExtensionIsReplaced) {
    EXPECT_EQ(deviceFilePathFor("C:\\profiles\\air.vtp"), "C:\\profiles\\air.bpf");
    // The dots of folders do not count; on Linux "./" and hidden folders are ordinary.
    EXPECT_EQ(deviceFilePathFor("C:\\my.profiles\\air.vtp"), "C:\\my.profiles\\air.bpf");
    EXPECT_EQ(deviceFilePathFor("./combat.vtp"), "./combat.bpf");
    EXPECT_EQ(deviceFilePathFor("/home/pilot/.config/x/combat.vtp"),
              "/home/pilot/.config/x/combat.bpf");
    EXPECT_EQ(deviceFilePathFor("../old.d/a.b.vtp"), "../old.d/a.b.vtp.bpf");
    EXPECT_EQ(deviceFilePathFor("/home/pilot/profile"), "/home/pilot/profile.bpf");
    EXPECT_EQ(deviceFilePathFor("air.vtp"), "air.bpf");
    EXPECT_EQ(deviceFilePathFor("a.b.vtp"), "a.b.vtp.bpf");
    EXPECT_EQ(deviceFilePathFor("air.v.x"), "air.bpf");
    EXPECT_EQ(deviceFilePathFor("abcde"), ".bpf");
    EXPECT_EQ(deviceFilePathFor("/v.1/abcde"), "/v.1/.bpf");
}

class TranslatedFileTest : public ProfileTranslatorTest {
protected:
    void SetUp() override {
        ProfileTranslatorTest::SetUp();
        dir = fs::temp_directory_path() /
              ("vantrel-translate-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::remove_all(dir);
        ProfileTranslatorTest::TearDown();
    }
    fs::path dir;
};

TEST_F(TranslatedFileTest, GoldenProfilesGiveTheirDeviceFiles) {
    for (const char* name : {"fire", "empty"}) {
        const fs::path source = fs::path(VANTREL_TEST_DATA) / "translate" / name;
        const fs::path vtp = dir / (std::string(name) + ".vtp");
        fs::copy_file(fs::path(source).replace_extension(".vtp"), vtp);
        ProfileTranslator translator(vtp.string(), diagnostics);
        EXPECT_EQ(translator.outputPath(), (dir / (std::string(name) + ".bpf")).string());
        ASSERT_TRUE(translator.writeDeviceFile()) << name;
        EXPECT_EQ(readBytes(translator.outputPath()),
                  readBytes(fs::path(source).replace_extension(".bpf")))
            << name;
        EXPECT_EQ(translator.length(), readBytes(translator.outputPath()).size());
    }
    EXPECT_TRUE(diagnostics.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4);
}

TEST_F(TranslatedFileTest, MissingFileIsReported) {
    const std::string path = (dir / "gone.vtp").string();
    ProfileTranslator translator(path, diagnostics);
    EXPECT_FALSE(translator.writeDeviceFile());
    EXPECT_EQ(testsupport::boxesOf(diagnostics),
              (std::vector<Message>{{"Error opening file.", path}}));
    EXPECT_FALSE(fs::exists(dir / "gone.bpf"));
}

TEST_F(TranslatedFileTest, FailedTranslationKeepsTheOldDeviceFile) {
    const fs::path bpf = dir / "air.bpf";
    std::ofstream(bpf, std::ios::binary) << "old";
    { std::ofstream(dir / "air.vtp") << "<AXIS_CHAINS>\n[A]\n(1 : 2 ; ?) ( + a  - b )\n{A}\n"; }
    ProfileTranslator translator((dir / "air.vtp").string(), diagnostics);
    EXPECT_FALSE(translator.writeDeviceFile());
    EXPECT_EQ(readBytes(bpf), (Bytes{'o', 'l', 'd'}));
}

TEST_F(TranslatedFileTest, UnwritableTargetReturnsFalse) {
    fs::create_directories(dir / "air.bpf" / "occupied");
    ProfileTranslator translator((dir / "air.vtp").string(),
                                 "<PROGRAM_MODES>\n[DEFAULT]\n{DEFAULT}\n", diagnostics);
    EXPECT_FALSE(translator.writeDeviceFile());
#ifdef _WIN32
    EXPECT_EQ(translator.writeError().code, 267); // ERROR_DIRECTORY
#else
    EXPECT_EQ(translator.writeError().code, EISDIR);
#endif
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

} // namespace
} // namespace vantrel

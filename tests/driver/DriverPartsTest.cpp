// The daemon's parts on their own: its command line, the choice of output, the kept profile
// and its log of the player's notes.
#include "DriverProcess.h"

#include "DriverOptions.h"
#include "LoggedSink.h"
#include "MonitorRecord.h"
#include "OutputChoice.h"
#include "PrintOutput.h"
#include "ProfileStore.h"

#include "device/DeviceProfileCheck.h"
#include "device/MonitorLine.h"
#include "device/ProfileDigest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vantrel::driver {
namespace {

TEST(DriverOptions, ReadsEachWayOfRunning) {
    ParsedDriverOptions parsed =
        parseDriverOptions({"--device", "/dev/input/event3", "--map", "m.map", "--output", "xtest",
                            "--hysteresis", "0"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.run, DriverOptions::Run::Serve);
    EXPECT_EQ(parsed.options.devicePaths, std::vector<std::string>{"/dev/input/event3"});
    EXPECT_EQ(parsed.options.mapPath, "m.map");
    EXPECT_EQ(parsed.options.output, OutputKind::XTest);
    EXPECT_EQ(parsed.options.hysteresis, 0);

    parsed = parseDriverOptions({"--learn", "--device", "/dev/input/event3"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.run, DriverOptions::Run::Learn);
    EXPECT_EQ(parsed.options.learnPath, ""); // the default map file
    parsed = parseDriverOptions({"--learn", "mine.map"});
    EXPECT_EQ(parsed.options.learnPath, "mine.map");

    parsed = parseDriverOptions({"--input", "e.events", "--play", "p.bpf"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.run, DriverOptions::Run::Play);
    EXPECT_EQ(parsed.options.playProfile, "p.bpf");
    // Help wins over a fault after it.
    EXPECT_EQ(parseDriverOptions({"--help", "--fly"}).options.run, DriverOptions::Run::Help);
}

TEST(DriverOptions, RefusesWhatCannotGoTogether) {
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--hysteresis", "65535"},
             {"--hysteresis", "12x"},
             {"--output", "Print"},
             {"--map", ""},
             {"--input", "e.events"},
             {"--play", "p.bpf", "--input", "e", "--device", "/dev/x"},
             {"--play", "p.bpf", "--input", "e", "--hysteresis", "3"},
             {"--learn", "--output", "print"}})
        EXPECT_NE(parseDriverOptions(bad).error, "") << bad[0] << " " << bad.back();
}

// An output that only counts what it is given.
class CountingOutput : public OutputBackend {
public:
    explicit CountingOutput(std::string name) : name_(std::move(name)) {}
    void emit(const player::OutputAction&, player::Time) override { ++actions; }
    std::string describe() const override { return name_; }
    bool offersJoystick() const override { return false; }
    int actions = 0;

private:
    std::string name_;
};

struct FakeOpeners {
    bool uinputWorks = true;
    bool xtestWorks = true;
    std::vector<std::string> tried;

    OutputOpeners openers() {
        auto opener = [this](const char* name, const bool& works) {
            return [this, name, &works](std::string& error) -> std::unique_ptr<OutputBackend> {
                tried.emplace_back(name);
                if (works)
                    return std::make_unique<CountingOutput>(name);
                error = std::string(name) + " refused";
                return nullptr;
            };
        };
        return {opener("uinput", uinputWorks), opener("xtest", xtestWorks)};
    }
};

TEST(OutputChoice, TakesTheFirstThatWorksAndSaysWhy) {
    std::ostringstream printed;
    FakeOpeners fakes;
    ChosenOutput chosen = chooseOutput(OutputKind::Automatic, fakes.openers(), true, true, printed);
    EXPECT_EQ(chosen.backend->describe(), "uinput");
    EXPECT_EQ(chosen.why, "output uinput: /dev/uinput is writable");

    // /dev/uinput not writable: uinput is not even tried.
    fakes.tried.clear();
    chosen = chooseOutput(OutputKind::Automatic, fakes.openers(), false, true, printed);
    EXPECT_EQ(fakes.tried, std::vector<std::string>{"xtest"});
    EXPECT_EQ(chosen.why, "output xtest: /dev/uinput is not writable, and the display answers");

    fakes.uinputWorks = false;
    fakes.xtestWorks = false;
    chosen = chooseOutput(OutputKind::Automatic, fakes.openers(), true, true, printed);
    EXPECT_EQ(chosen.why, "output print: uinput failed (uinput refused), and xtest failed "
                          "(xtest refused)");
    chosen.backend->emit({player::OutputAction::Kind::KeyDown, 4, 0}, player::Time(1250000));
    EXPECT_EQ(printed.str(), "   1.250 key down, usage 4\n");

    chosen = chooseOutput(OutputKind::Automatic, fakes.openers(), false, false, printed);
    EXPECT_EQ(chosen.why, "output print: /dev/uinput is not writable, and DISPLAY is not set");

    // Asked for by name, a failure is no reason to fall back: the user wanted that one.
    chosen = chooseOutput(OutputKind::Uinput, fakes.openers(), false, false, printed);
    EXPECT_EQ(chosen.backend, nullptr);
    EXPECT_EQ(chosen.why, "output uinput failed: uinput refused");
}

TEST(OutputChoice, RealUinputWhereTheMachineHasOne) {
    std::string error;
    std::unique_ptr<OutputBackend> backend = openUinputBackend(error);
    if (!backend)
        GTEST_SKIP() << "no usable /dev/uinput here: " << error;
    EXPECT_TRUE(backend->offersJoystick());
}

class ProfileStoreTest : public ::testing::Test {
protected:
    test::DriverFolder folder;
    ProfileStore store{folder.file("state") + "/vantrel/profile.bpf"};
    std::string error;
};

TEST_F(ProfileStoreTest, KeepsReplacesReadsAndForgets) {
    EXPECT_FALSE(store.read(error).has_value());
    EXPECT_EQ(error, ""); // none kept is no fault
    const std::vector<std::uint8_t> first{4, 1, 2}, second{4, 9};
    ASSERT_TRUE(store.keep(first, error)) << error;
    ASSERT_TRUE(store.keep(second, error)) << error;
    EXPECT_EQ(store.read(error), second);
    const auto folderPermissions =
        std::filesystem::status(store.path().parent_path()).permissions();
    EXPECT_EQ(folderPermissions & std::filesystem::perms::all, std::filesystem::perms::owner_all);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store.path().parent_path()),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_TRUE(store.forget(error));
    EXPECT_FALSE(std::filesystem::exists(store.path()));
    EXPECT_TRUE(store.forget(error)); // forgetting nothing is fine
}

TEST_F(ProfileStoreTest, AnOversizedFileIsReadOnlyFarEnoughToBeRefused) {
    std::filesystem::create_directories(store.path().parent_path());
    std::ofstream(store.path(), std::ios::binary) << std::string(3 * kDeviceProfileCapacity, 'x');
    const std::optional<std::vector<std::uint8_t>> bytes = store.read(error);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), kDeviceProfileCapacity + 1);
    EXPECT_FALSE(checkDeviceProfile(*bytes).accepted());

    std::filesystem::remove(store.path());
    std::filesystem::create_directory(store.path());
    EXPECT_FALSE(store.read(error).has_value());
    EXPECT_NE(error, "");
}

TEST(ProfileStorePath, FollowsTheStateHomeRules) {
    const std::string savedState =
        std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
    ::setenv("XDG_STATE_HOME", "/srv/state", 1);
    EXPECT_EQ(ProfileStore::defaultPath(), "/srv/state/vantrel/profile.bpf");
    ::setenv("XDG_STATE_HOME", "relative", 1); // ignored, as the rules say
    EXPECT_EQ(ProfileStore::defaultPath(),
              std::string(std::getenv("HOME")) + "/.local/state/vantrel/profile.bpf");
    if (savedState.empty())
        ::unsetenv("XDG_STATE_HOME");
    else
        ::setenv("XDG_STATE_HOME", savedState.c_str(), 1);
}

TEST(LoggedSink, TellsModeSwitchesAlwaysAndOtherNotesOncePerProfile) {
    CountingOutput output("out");
    std::ostringstream log;
    LoggedSink sink(output, log);
    sink.emit({}, player::Time(0));
    EXPECT_EQ(output.actions, 1);
    for (int i = 0; i < 2; ++i) {
        sink.note("configuration 2 active (was 0)");
        sink.note("script 3 event 1: unknown opcode 7 skipped");
        sink.unassignedPress({player::ControlInput::Kind::Hat, 0, 1}, 2, player::Time(0));
    }
    sink.forgetNotes();
    sink.note("script 3 event 1: unknown opcode 7 skipped");
    EXPECT_EQ(log.str(), "vantrel-driver: mode switch: configuration 2 active (was 0)\n"
                         "vantrel-driver: script 3 event 1: unknown opcode 7 skipped\n"
                         "vantrel-driver: StickHat1 Up: configuration 2 assigns nothing to it\n"
                         "vantrel-driver: mode switch: configuration 2 active (was 0)\n"
                         "vantrel-driver: script 3 event 1: unknown opcode 7 skipped\n");
}

TEST(MonitorRecord, QuotesOnlyTheValuesThatNeedIt) {
    EXPECT_EQ(MonitorRecord("device", "held")
                  .field("path", "/dev/input/event3")
                  .field("name", "Saitek \"X36\"\tC:\\ \x01")
                  .field("reason", "")
                  .field("count", 3)
                  .text(),
              "device held path=/dev/input/event3 name=\"Saitek \\\"X36\\\"\\tC:\\\\ \\x01\" "
              "reason=\"\" count=3");
    EXPECT_EQ(MonitorRecord("ready").text(), "ready");
}

TEST(MonitorRecord, ReadsBackAsWritten) {
    const std::string awkward = "Saitek \"X36\"\tC:\\ \x01 a=b";
    const std::optional<MonitorLine> line = readMonitorLine(
        MonitorRecord("device", "held").field("name", awkward).field("count", 3).text());
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->kind, "device");
    EXPECT_EQ(line->word, "held");
    EXPECT_EQ(line->field("name"), awkward);
    EXPECT_EQ(line->number("count"), 3);
    EXPECT_EQ(line->number("name", -1), -1);
    EXPECT_EQ(readMonitorLine("ready")->kind, "ready");
    EXPECT_FALSE(readMonitorLine("device name=\"open").has_value());
    EXPECT_FALSE(readMonitorLine("profile held scripts=4 stray").has_value());
    EXPECT_NE(deviceFileDigest(std::vector<std::uint8_t>{1, 2}),
              deviceFileDigest(std::vector<std::uint8_t>{2, 1}));
}

} // namespace
} // namespace vantrel::driver

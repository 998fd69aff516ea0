// The device link against the simulated driver, each case with a driver of its own on a
// socket in a temporary folder.
#ifdef VANTREL_SIMDRIVER

#include "DeviceProfileBytes.h"
#include "SimDriverProcess.h"

#include "device/DeviceProgrammer.h"
#include "files/ProfileTranslator.h"
#include "platform/posix/PosixDriverConnection.h"
#include "support/core/RecordedMessages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::DeviceProfileBytes;
using test::SimDriverProcess;

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::string fullLog(const std::string& path, std::size_t bytes, const std::string& last) {
    const std::string n = std::to_string(bytes);
    return "X36 Device Programming\nFile:  " + path +
           "\nPing complete.\nProfile clear complete.\nDriver open complete.\n"
           "File read complete.  Read " +
           n + " bytes.\nProfile send complete.  Sent " + n + " bytes.\n" + last;
}

// A valid profile of exactly the device's limit: one script of 9355 events and one
// configuration of six entries.
std::vector<std::uint8_t> profileOfLimitSize() {
    DeviceProfileBytes bytes = DeviceProfileBytes::header(1);
    bytes.u16(0).u16(9355);
    for (int i = 0; i < 9355; ++i)
        bytes.event(0, 4, 10);
    bytes.u16(1).u16(0).u16(6);
    for (std::uint16_t code = 0; code < 6; ++code)
        bytes.entry(0, code, 0);
    bytes.u16(0);
    return bytes.finish();
}

class DeviceProgrammerTest : public ::testing::Test {
protected:
    DeviceResult send(const std::string& path) {
        platform::PosixDriverConnection connection(socket);
        const DeviceResult result = programDevice(path, connection, diagnostics);
        lastLoaded = result.loaded;
        return result;
    }
    // The one box shown, after checking it is the device's box.
    std::string boxText() {
        EXPECT_EQ(testsupport::boxesOf(diagnostics).size(), 1u);
        if (diagnostics.empty())
            return {};
        const platform::Message box = testsupport::boxesOf(diagnostics).front();
        EXPECT_EQ(box.title, "Device Query");
        EXPECT_EQ(box.buttons, platform::MessageButtons::Ok);
        EXPECT_EQ(box.owner, nullptr);
        // A note when the device took the profile, a warning that ends the query otherwise.
        const Diagnostic& report = diagnostics.items().front();
        EXPECT_EQ(report.severity, lastLoaded ? Severity::Note : Severity::Warning);
        EXPECT_EQ(report.endsOperation, !lastLoaded);
        return box.text;
    }

    bool lastLoaded = false;

    test::TempFolder folder;
    const std::string socket = folder.file("X36Program");
    const std::string profile = folder.file("profile.bpf");
    DiagnosticList diagnostics;
};

TEST_F(DeviceProgrammerTest, LoadsA16ByteProfileAndLogsEveryStep) {
    writeFile(profile, test::emptyDefaultProfile());
    SimDriverProcess driver(socket);
    ASSERT_TRUE(driver.ready());

    const DeviceResult result = send(profile);

    EXPECT_TRUE(result.loaded);
    EXPECT_EQ(boxText(), "X36 Device Programming\n"
                         "File:  " +
                             profile +
                             "\n"
                             "Ping complete.\n"
                             "Profile clear complete.\n"
                             "Driver open complete.\n"
                             "File read complete.  Read 16 bytes.\n"
                             "Profile send complete.  Sent 16 bytes.\n"
                             "Profile load complete.\n");
    EXPECT_EQ(result.log, testsupport::boxesOf(diagnostics).front().text);
    // A full success is news, not a warning.
    EXPECT_EQ(testsupport::boxesOf(diagnostics).front().icon, platform::MessageIcon::Information);
    ASSERT_TRUE(driver.waitFor("Connection 1 closed."));
    const std::string account = driver.output();
    EXPECT_NE(account.find("Profile received: 16 bytes."), std::string::npos) << account;
    EXPECT_NE(account.find("configuration 0 (base mode): 0 entries"), std::string::npos);
    EXPECT_NE(account.find("Profile accepted."), std::string::npos);
    EXPECT_EQ(driver.interrupt(), 0);
}

TEST_F(DeviceProgrammerTest, SendsAProfileOfExactlyTheLimitWhole) {
    const std::vector<std::uint8_t> bytes = profileOfLimitSize();
    ASSERT_EQ(bytes.size(), 65535u);
    writeFile(profile, bytes);
    SimDriverProcess driver(socket);
    ASSERT_TRUE(driver.ready());

    EXPECT_TRUE(send(profile).loaded);
    EXPECT_EQ(boxText(), fullLog(profile, 65535, "Profile load complete.\n"));
}

TEST_F(DeviceProgrammerTest, ReportsAMissingDriverWithTheSystemCode) {
    writeFile(profile, test::emptyDefaultProfile());
    EXPECT_FALSE(send(profile).loaded);
    EXPECT_EQ(boxText(), "Error opening driver.  Error: 2\n");
    EXPECT_EQ(testsupport::boxesOf(diagnostics).front().icon, platform::MessageIcon::Standard);

    // A socket left behind by a driver that is gone: nobody accepts the connection.
    const int stale = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socket.copy(address.sun_path, sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(stale);
    diagnostics.clear();
    EXPECT_FALSE(send(profile).loaded);
    EXPECT_EQ(boxText(), "Error opening driver.  Error: " + std::to_string(ECONNREFUSED) + "\n");
}

TEST_F(DeviceProgrammerTest, RefusesFilesItCannotReadWithoutOpeningTheDriver) {
    SimDriverProcess driver(socket);
    ASSERT_TRUE(driver.ready());

    const std::string missing = folder.file("missing.bpf");
    EXPECT_FALSE(send(missing).loaded);
    EXPECT_EQ(boxText(), "Error: unable to open file " + missing + ".   Error 2\n");

    diagnostics.clear();
    EXPECT_FALSE(send(folder.path().string()).loaded);
    EXPECT_EQ(boxText(), "Error: unable to open file " + folder.path().string() + ".   Error 21\n");

    EXPECT_EQ(driver.interrupt(), 0);
    EXPECT_EQ(driver.output().find("Connection"), std::string::npos) << driver.output();
}

TEST_F(DeviceProgrammerTest, RefusesAnOverlongFileBeforeTheDeviceIsTouched) {
    DeviceProfileBytes bytes = DeviceProfileBytes::header(0);
    while (bytes.raw().size() < 70000)
        bytes.u8(0);
    writeFile(profile, bytes.withLength(70000));
    SimDriverProcess driver(socket);
    ASSERT_TRUE(driver.ready());

    EXPECT_FALSE(send(profile).loaded);
    EXPECT_EQ(boxText(), "Error: file " + profile +
                             " is 70000 bytes long; the device takes at most 65535 bytes.  "
                             "Nothing was sent.\n");
    EXPECT_EQ(driver.interrupt(), 0);
    EXPECT_EQ(driver.output().find("Connection"), std::string::npos) << driver.output();
}

struct StepFault {
    const char* name;
    std::vector<std::string> options;
    std::string box;
};

class DeviceStepFaultTest : public DeviceProgrammerTest,
                            public ::testing::WithParamInterface<StepFault> {};

TEST_P(DeviceStepFaultTest, ReplacesTheLogByTheStepsErrorLine) {
    writeFile(profile, test::emptyDefaultProfile());
    SimDriverProcess driver(socket, GetParam().options);
    ASSERT_TRUE(driver.ready());

    EXPECT_FALSE(send(profile).loaded);
    EXPECT_EQ(boxText(), GetParam().box);
    // The exchange stopped at the failing step: the device kept its profile.
    ASSERT_TRUE(driver.waitFor("Connection 1 closed."));
    EXPECT_EQ(driver.output().find("Profile received"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    EachCommand, DeviceStepFaultTest,
    ::testing::Values(
        StepFault{"PingFF", {"--reply", "ping=255"}, "Ping error.  Value: -1\n"},
        StepFault{"PingSilent", {"--no-reply", "ping"}, "Ping error.  Value: 1\n"},
        StepFault{"ClearFive", {"--reply", "clear=5"}, "Profile clear error.  Value: 5\n"},
        StepFault{"ClearSilent", {"--no-reply", "clear"}, "Profile clear error.  Value: 1\n"},
        StepFault{"PrepareMinusTwo",
                  {"--reply", "prepare=-2"},
                  "Error setting up profile load.  Value: -2\n"},
        StepFault{"PrepareSilent",
                  {"--no-reply", "prepare"},
                  "Error setting up profile load.  Value: 1\n"}),
    [](const ::testing::TestParamInfo<StepFault>& info) { return std::string(info.param.name); });

TEST_F(DeviceProgrammerTest, AMissingFinalReplyShowsTheProfilesFirstByte) {
    const std::string text = "<SCRIPTLIST>\n_NULL\nFire a^40 A\n<PROGRAM_MODES>\n[DEFAULT]\n"
                             "TriggerPress = Fire\n{DEFAULT}\n";
    const std::optional<std::vector<std::uint8_t>> translated =
        ProfileTranslator(folder.file("fire.vtp"), text, diagnostics).deviceBytes();
    ASSERT_TRUE(translated.has_value());
    writeFile(profile, *translated);
    SimDriverProcess driver(socket, {"--no-reply", "load"});
    ASSERT_TRUE(driver.ready());

    EXPECT_FALSE(send(profile).loaded);
    EXPECT_EQ(boxText(), fullLog(profile, translated->size(), "Profile load error.  Value: 4\n"));
    // The device did get the profile, with the translator's records in it.
    ASSERT_TRUE(driver.waitFor("Connection 1 closed."));
    const std::string account = driver.output();
    EXPECT_NE(account.find("key press, usage 4, delay 40 ms"), std::string::npos) << account;
    EXPECT_NE(account.find("TriggerPress -> script 1"), std::string::npos) << account;
}

TEST_F(DeviceProgrammerTest, AProfileTheDeviceRefusesEndsTheFullLogWithItsReply) {
    DeviceProfileBytes bytes = DeviceProfileBytes::header(0);
    bytes.u16(1).u16(0).u16(0).u16(0).u8(0);
    writeFile(profile, bytes.withLength(99));
    SimDriverProcess driver(socket, {"--once"});
    ASSERT_TRUE(driver.ready());

    EXPECT_FALSE(send(profile).loaded);
    // The driver's reason follows the specified line, as a line of its own.
    EXPECT_EQ(boxText(), fullLog(profile, 16,
                                 "Profile load error.  Value: 3\n"
                                 "Reason:  Length says 99 bytes, 16 were received\n"));
    EXPECT_EQ(testsupport::boxesOf(diagnostics).front().icon, platform::MessageIcon::Standard);
    EXPECT_EQ(driver.wait(), 3);
    EXPECT_NE(driver.output().find("Error: Length says 99 bytes, 16 were received"),
              std::string::npos)
        << driver.output();
}

} // namespace
} // namespace vantrel

#endif

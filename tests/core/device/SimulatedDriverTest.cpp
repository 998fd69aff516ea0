// The simulated driver as a user runs it: its options, its socket, its stopping.
#ifdef VANTREL_SIMDRIVER

#include "DeviceProfileBytes.h"
#include "SimDriverOptions.h"
#include "SimDriverProcess.h"

#include "device/DeviceProgrammer.h"
#include "platform/posix/PosixDriverConnection.h"
#include "support/core/RecordedMessages.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vantrel {
namespace {

using simdriver::DriverStep;
using simdriver::parseSimDriverOptions;
using test::SimDriverProcess;

TEST(SimDriverOptions, ReadsFaultsPerStep) {
    const simdriver::ParsedOptions parsed = parseSimDriverOptions(
        {"--reply", "ping=-1", "--reply", "load=200", "--no-reply", "clear", "--once"}, "/d");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.socketPath, "/d");
    EXPECT_EQ(parsed.options.reply(DriverStep::Ping).forced, std::uint8_t{0xFF});
    EXPECT_EQ(parsed.options.reply(DriverStep::Load).forced, std::uint8_t{200});
    EXPECT_TRUE(parsed.options.reply(DriverStep::Clear).silent);
    EXPECT_FALSE(parsed.options.reply(DriverStep::Prepare).silent);
    EXPECT_FALSE(parsed.options.reply(DriverStep::Prepare).forced);
    EXPECT_TRUE(parsed.options.once);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--reply", "ping=256"},
                                               {"--reply", "ping=-129"},
                                               {"--reply", "ping=1x"},
                                               {"--reply", "ping"},
                                               {"--reply", "send=0"},
                                               {"--no-reply", "pong"},
                                               {"--socket"},
                                               {"--loud"}})
        EXPECT_NE(parseSimDriverOptions(bad, "/d").error, "") << bad[0] << " " << bad.back();
}

class SimulatedDriverTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    const std::string socket = folder.file("X36Program");
};

TEST_F(SimulatedDriverTest, StopsOnCtrlCAndRemovesItsSocket) {
    SimDriverProcess driver(socket);
    ASSERT_TRUE(driver.ready());
    EXPECT_TRUE(std::filesystem::exists(socket));
    EXPECT_EQ(driver.interrupt(), 0);
    EXPECT_FALSE(std::filesystem::exists(socket));
    EXPECT_NE(driver.output().find("x36-simdriver: stopped."), std::string::npos);
}

TEST_F(SimulatedDriverTest, LeavesALiveDriverAndOtherFilesAlone) {
    SimDriverProcess first(socket);
    ASSERT_TRUE(first.ready());
    SimDriverProcess second(socket);
    EXPECT_FALSE(second.ready());
    EXPECT_EQ(second.wait(), 1);
    EXPECT_TRUE(first.waitFor("listening")); // the first one still serves
    EXPECT_EQ(first.interrupt(), 0);

    const std::string plain = folder.file("notes");
    std::ofstream(plain) << "keep me";
    SimDriverProcess onAFile(plain);
    EXPECT_EQ(onAFile.wait(), 1);
    EXPECT_EQ(std::filesystem::file_size(plain), 7u);
}

TEST_F(SimulatedDriverTest, ExitsAfterOneProfileWithItsVerdict) {
    DiagnosticList diagnostics;
    const std::string profile = folder.file("p.bpf");
    const std::vector<std::uint8_t> bytes = test::emptyDefaultProfile();
    std::ofstream(profile, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));

    SimDriverProcess driver(socket, {"--once"});
    ASSERT_TRUE(driver.ready());
    platform::PosixDriverConnection connection(socket);
    EXPECT_TRUE(programDevice(profile, connection, diagnostics).loaded);
    EXPECT_EQ(driver.wait(), 0);
    EXPECT_FALSE(std::filesystem::exists(socket));

    // A forced reply overrides the device's own verdict, which the account still shows.
    SimDriverProcess forced(socket, {"--once", "--reply", "load=9"});
    ASSERT_TRUE(forced.ready());
    const DeviceResult result = programDevice(profile, connection, diagnostics);
    EXPECT_TRUE(result.log.ends_with("Profile load error.  Value: 9\n"
                                     "Reason:  the reply was forced to 9\n"))
        << result.log;
    EXPECT_EQ(forced.wait(), 0);
    EXPECT_NE(forced.output().find("Profile accepted.\nStep load: answered 9 (forced)."),
              std::string::npos)
        << forced.output();
}

TEST_F(SimulatedDriverTest, AnswersUnknownCommandsAndServesTheNextConnection) {
    SimDriverProcess driver(socket);
    ASSERT_TRUE(driver.ready());
    platform::PosixDriverConnection connection(socket);
    for (int round = 0; round < 2; ++round) {
        const std::optional<platform::DriverHandle> handle = connection.openDriver();
        ASSERT_TRUE(handle.has_value());
        std::uint8_t byte = 42;
        ASSERT_EQ(connection.write(*handle, std::span(&byte, 1)), std::size_t{1});
        ASSERT_EQ(connection.read(*handle, std::span(&byte, 1)), std::size_t{1});
        EXPECT_EQ(byte, 0xFF);
        connection.close(*handle);
    }
    EXPECT_TRUE(driver.waitFor("Connection 2 closed."));
    EXPECT_EQ(driver.interrupt(), 0);
}

} // namespace
} // namespace vantrel

#endif

// An empty message is a profile of no bytes, not the peer hanging up.
#ifdef VANTREL_SIMDRIVER

#include "SimDriverProcess.h"

#include "device/DeviceProfileCheck.h"
#include "platform/posix/PosixDriverConnection.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using platform::DriverHandle;
using platform::PosixDriverConnection;

// Sends one message and returns the reply byte, or nullopt when none came.
std::optional<std::uint8_t> exchange(PosixDriverConnection& connection, DriverHandle handle,
                                     std::span<const std::uint8_t> message) {
    if (connection.write(handle, message) != message.size())
        return std::nullopt;
    std::uint8_t reply = 0x55;
    if (connection.read(handle, std::span(&reply, 1)) != std::size_t{1})
        return std::nullopt;
    return reply;
}

TEST(SimDriverEmptyMessage, AnEmptyProfileIsRefusedWithItsReplyCode) {
    test::TempFolder folder;
    const std::string socket = folder.file("X36Program");
    test::SimDriverProcess driver(socket, {"--once"});
    ASSERT_TRUE(driver.ready());
    PosixDriverConnection connection(socket);
    const std::optional<DriverHandle> handle = connection.openDriver();
    ASSERT_TRUE(handle.has_value());
    for (const std::uint8_t command : {0, 3, 1})
        ASSERT_EQ(exchange(connection, *handle, std::span(&command, 1)), std::uint8_t{0});

    const std::uint8_t expected = checkDeviceProfile({}).reply();
    ASSERT_NE(expected, 0);
    EXPECT_EQ(exchange(connection, *handle, {}), expected);
    connection.close(*handle);
    ASSERT_TRUE(driver.waitFor("Profile received: 0 bytes.")) << driver.output();
    EXPECT_EQ(driver.wait(), 3); // --once ends with the refusal
}

TEST(SimDriverEmptyMessage, AHangUpBeforeTheProfileEndsOnlyTheConnection) {
    test::TempFolder folder;
    const std::string socket = folder.file("X36Program");
    test::SimDriverProcess driver(socket, {"--once"});
    ASSERT_TRUE(driver.ready());
    PosixDriverConnection connection(socket);
    const std::optional<DriverHandle> handle = connection.openDriver();
    ASSERT_TRUE(handle.has_value());
    const std::uint8_t prepare = 1;
    ASSERT_EQ(exchange(connection, *handle, std::span(&prepare, 1)), std::uint8_t{0});
    connection.close(*handle);
    ASSERT_TRUE(driver.waitFor("Connection 1 closed."));
    EXPECT_EQ(driver.output().find("Profile received"), std::string::npos) << driver.output();
    EXPECT_EQ(driver.interrupt(), 0); // still serving: --once saw no profile
}

} // namespace
} // namespace vantrel

#endif

// The Windows file calls behind the device link; built on Windows only.
#ifdef _WIN32

#include "platform/win/WinDriverConnection.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace vantrel::platform {
namespace {

TEST(WinDriverConnection, ReportsTheSystemCodesOfFailedOpens) {
    WinDriverConnection connection;
    EXPECT_FALSE(connection.openFile("no such folder\\no such file.bpf"));
    EXPECT_EQ(connection.lastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(connection.openFile("no such file.bpf"));
    EXPECT_EQ(connection.lastError(), ERROR_FILE_NOT_FOUND);
    // Without the X36 driver installed its device object does not exist.
    if (!connection.openDriver()) {
        EXPECT_EQ(connection.lastError(), ERROR_FILE_NOT_FOUND);
    }
}

TEST(WinDriverConnection, ReadsAFileInOneCallAndKnowsItsSize) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "vantrel-win-connection.bpf";
    std::ofstream(path, std::ios::binary) << std::string(70000, 'x');
    WinDriverConnection connection;
    const std::optional<DriverHandle> file = connection.openFile(utf8FromPath(path));
    ASSERT_TRUE(file);
    EXPECT_EQ(connection.fileSize(*file), std::uint64_t{70000});
    std::vector<std::uint8_t> buffer(65535);
    EXPECT_EQ(connection.read(*file, buffer), std::size_t{65535});
    connection.close(*file);
    std::filesystem::remove(path);
}

} // namespace
} // namespace vantrel::platform

#endif

// Files whose paths leave the ANSI code page, and replacing a file in one step, on the real
// Windows file system.
#include "ConsoleProcess.h"

#include "files/AtomicFileOutput.h"
#include "files/EditedProfileFile.h"
#include "platform/FileAccess.h"
#include "platform/PathText.h"
#include "platform/win/WinDriverConnection.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <vector>

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(platform::utf8FromPath(entry.path().filename()));
    return names;
}

class WideFiles : public ::testing::Test {
protected:
    ScratchFolder folder{"wide"};
    // Greek, Hungarian and German letters: no single ANSI code page holds them all.
    const fs::path profiles = folder.path() / platform::pathFromUtf8("Profilé ü Ωμέγα Ő");
    const std::string utf8Folder = platform::utf8FromPath(profiles);

    void SetUp() override { fs::create_directories(profiles); }
};

TEST_F(WideFiles, ReadsAndOpensFilesByTheirUtf8Paths) {
    writeBytes(profiles / platform::pathFromUtf8("Fähre.vtp"), "<SCRIPTLIST>\r\n");
    const platform::WholeFile text =
        platform::readWholeRegularFile(utf8Folder + "\\Fähre.vtp", 1024);
    EXPECT_EQ(text.outcome, platform::WholeFile::Outcome::Read) << text.error.reason;
    EXPECT_EQ(text.bytes, "<SCRIPTLIST>\r\n");

    platform::WinDriverConnection connection;
    const std::optional<platform::DriverHandle> file =
        connection.openFile(utf8Folder + "\\Fähre.vtp");
    ASSERT_TRUE(file) << "error " << connection.lastError();
    EXPECT_EQ(connection.fileSize(*file), std::uint64_t{14});
    connection.close(*file);
}

TEST_F(WideFiles, TheEditorNamesTheFileWithItsOwnLetters) {
    writeBytes(profiles / platform::pathFromUtf8("Fähre.vtp"), "<SCRIPTLIST>\r\n");
    EditedProfile document;
    DiagnosticList diagnostics;
    EXPECT_TRUE(openProfileFile(document, utf8Folder + "\\Fähre.vtp", diagnostics, nullptr));
    EXPECT_EQ(document.fileName(), "Fähre.vtp");
    EXPECT_EQ(platform::fileNameOf("C:/Profilé/Ωμέγα.vtp"), "Ωμέγα.vtp");
}

TEST_F(WideFiles, AReplacementKeepsNothingOfTheOldFileAndLeavesNoTemporary) {
    const std::string target = utf8Folder + "\\Fähre.bpf";
    writeBytes(platform::pathFromUtf8(target), std::string(5000, 'o'));
    {
        AtomicFileOutput output(target);
        ASSERT_TRUE(output.isOpen()) << output.error().reason;
        EXPECT_TRUE(output.write("new"));
        EXPECT_TRUE(output.finish()) << output.error().reason;
    }
    EXPECT_EQ(fileBytes(platform::pathFromUtf8(target)), "new");
    EXPECT_EQ(namesIn(profiles), std::vector<std::string>{"Fähre.bpf"});

    // A new file is moved into place the same way.
    {
        AtomicFileOutput output(utf8Folder + "\\Ωμέγα.bpf");
        EXPECT_TRUE(output.write("fresh"));
        EXPECT_TRUE(output.finish()) << output.error().reason;
    }
    EXPECT_EQ(fileBytes(profiles / platform::pathFromUtf8("Ωμέγα.bpf")), "fresh");
    EXPECT_EQ(namesIn(profiles).size(), 2u);
}

TEST_F(WideFiles, AFailedReplacementLeavesTheOldFileAndNoTemporary) {
    const std::string target = utf8Folder + "\\Fähre.bpf";
    writeBytes(platform::pathFromUtf8(target), "old");
    {
        // Abandoned before it is finished, as when a write fails half-way.
        AtomicFileOutput output(target);
        EXPECT_TRUE(output.write("half"));
    }
    EXPECT_EQ(fileBytes(platform::pathFromUtf8(target)), "old");
    EXPECT_EQ(namesIn(profiles), std::vector<std::string>{"Fähre.bpf"});

    // Another program holds the old file open without sharing it: the replacement fails
    // with the system's reason and the old file stays whole.
    const HANDLE held = ::CreateFileW(platform::pathFromUtf8(target).c_str(), GENERIC_READ, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    {
        AtomicFileOutput output(target);
        const bool finished = output.write("new") && output.finish();
        EXPECT_FALSE(finished);
        EXPECT_TRUE(output.error()) << "the replacement should have failed";
    }
    ::CloseHandle(held);
    EXPECT_EQ(fileBytes(platform::pathFromUtf8(target)), "old");
    EXPECT_EQ(namesIn(profiles), std::vector<std::string>{"Fähre.bpf"});
}

TEST(DriverObject, IsOpenedByItsDeviceNameAndReportsTheSystemCode) {
    EXPECT_STREQ(platform::kDriverObjectName, R"(\\.\X36Program)");
    platform::WinDriverConnection connection;
    const std::optional<platform::DriverHandle> driver = connection.openDriver();
    if (driver) {
        connection.close(*driver);
        GTEST_SKIP() << "an X36 driver is installed here; its absence cannot be tested";
    }
    EXPECT_EQ(connection.lastError(), ERROR_FILE_NOT_FOUND);
}

} // namespace
} // namespace vantrel::test

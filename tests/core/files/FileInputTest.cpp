// Inputs that are not regular readable files: folders, FIFOs, devices behind links and files
// far larger than any profile, read by the translator, the editor's reader and the device
// link from the real file system.
#include "RealFiles.h"

#include "device/DeviceProgrammer.h"
#include "files/EditedProfileFile.h"
#include "files/ProfileTranslator.h"
#include "files/TranslationDefaults.h"
#include "platform/FileAccess.h"
#include "platform/posix/PosixDriverConnection.h"
#include "support/core/RecordedMessages.h"

#include <cerrno>

namespace vantrel {
namespace {

using platform::WholeFile;
using test::contents;
using test::FifoWriter;
using test::writeText;

constexpr const char* kDefaultOnly = "<PROGRAM_MODES>\n[DEFAULT]\n{DEFAULT}\n";

class FileInputTest : public ::testing::Test {
protected:
    void SetUp() override { resetTranslationDefaults(); }
    void TearDown() override { resetTranslationDefaults(); }

    // A file of the given size that takes no room on the disk.
    std::string sparseFile(const std::string& name, std::uint64_t size) {
        const std::string path = folder.file(name);
        writeText(path, "");
        std::filesystem::resize_file(path, size);
        return path;
    }

    test::ScratchFolder folder;
    DiagnosticList diagnostics;
};

TEST_F(FileInputTest, ReadsRegularFilesThroughLinksAndRefusesEverythingElse) {
    writeText(folder.file("real.vtp"), kDefaultOnly);
    std::filesystem::create_symlink("real.vtp", folder.file("link.vtp"));
    std::filesystem::create_symlink("link.vtp", folder.file("chain.vtp"));
    const WholeFile read = platform::readWholeRegularFile(folder.file("chain.vtp"), 1024);
    EXPECT_EQ(read.outcome, WholeFile::Outcome::Read);
    EXPECT_EQ(read.bytes, kDefaultOnly);

    std::filesystem::create_directory(folder.file("folder.vtp"));
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.vtp"));
    const FifoWriter fifo(folder.file("fifo.vtp"), kDefaultOnly);
    const std::pair<const char*, int> refused[] = {
        {"folder.vtp", EISDIR}, {"zero.vtp", EINVAL}, {"fifo.vtp", EINVAL}, {"none.vtp", ENOENT}};
    for (const auto& [name, code] : refused) {
        const WholeFile file = platform::readWholeRegularFile(folder.file(name), 1024);
        EXPECT_EQ(file.outcome, WholeFile::Outcome::Unreadable) << name;
        EXPECT_EQ(file.error.code, code) << name;
        EXPECT_FALSE(file.error.reason.empty()) << name;
        EXPECT_TRUE(file.bytes.empty()) << name;
    }
}

TEST_F(FileInputTest, RefusesFilesAboveTheLimitWithoutReadingThem) {
    writeText(folder.file("exact.vtp"), std::string(100, 'x'));
    EXPECT_EQ(platform::readWholeRegularFile(folder.file("exact.vtp"), 100).outcome,
              WholeFile::Outcome::Read);
    const WholeFile over = platform::readWholeRegularFile(folder.file("exact.vtp"), 99);
    EXPECT_EQ(over.outcome, WholeFile::Outcome::TooLarge);
    EXPECT_EQ(over.size, 100u);
    EXPECT_TRUE(over.bytes.empty());
}

// The size the file system gives is only where reading starts: an empty file, a file of
// /proc that claims no size yet holds text, and a file above a chunk are read to their end.
TEST_F(FileInputTest, ReadsWholeFilesWhateverSizeTheyClaim) {
    writeText(folder.file("empty.vtp"), "");
    const WholeFile empty = platform::readWholeRegularFile(folder.file("empty.vtp"), 10);
    EXPECT_EQ(empty.outcome, WholeFile::Outcome::Read);
    EXPECT_TRUE(empty.bytes.empty());

    const WholeFile status = platform::readWholeRegularFile("/proc/self/status", 1 << 20);
    EXPECT_EQ(status.outcome, WholeFile::Outcome::Read);
    EXPECT_NE(status.bytes.find("Name:"), std::string::npos);
    const WholeFile small = platform::readWholeRegularFile("/proc/self/status", 10);
    EXPECT_EQ(small.outcome, WholeFile::Outcome::TooLarge);

    std::string big(200 * 1024 + 3, 'v');
    big[100 * 1024] = '\n';
    writeText(folder.file("big.vtp"), big);
    const WholeFile read = platform::readWholeRegularFile(folder.file("big.vtp"), big.size());
    EXPECT_EQ(read.outcome, WholeFile::Outcome::Read);
    EXPECT_EQ(read.bytes, big);
}

TEST_F(FileInputTest, TranslatorReportsUnusableInputsAndKeepsTheDeviceFile) {
    std::filesystem::create_directory(folder.file("folder.vtp"));
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.vtp"));
    const FifoWriter fifo(folder.file("fifo.vtp"), kDefaultOnly);
    for (const char* stem : {"folder", "zero", "fifo"}) {
        const std::string vtp = folder.file(std::string(stem) + ".vtp");
        const std::string bpf = folder.file(std::string(stem) + ".bpf");
        writeText(bpf, "good old device file");
        diagnostics.clear();
        ProfileTranslator translator(vtp, diagnostics);
        EXPECT_FALSE(translator.writeDeviceFile()) << stem;
        EXPECT_EQ(testsupport::boxesOf(diagnostics),
                  (std::vector<platform::Message>{{"Error opening file.", vtp}}))
            << stem;
        EXPECT_EQ(contents(bpf), "good old device file") << stem;
    }
}

TEST_F(FileInputTest, TranslatorRefusesAProfileTextFileAboveTheLimit) {
    const std::string vtp = sparseFile("huge.vtp", platform::kMaxProfileTextBytes + 1);
    ProfileTranslator translator(vtp, diagnostics);
    EXPECT_FALSE(translator.writeDeviceFile());
    ASSERT_EQ(testsupport::boxesOf(diagnostics).size(), 1u);
    EXPECT_EQ(testsupport::boxesOf(diagnostics)[0].title, vtp);
    EXPECT_EQ(testsupport::boxesOf(diagnostics)[0].text,
              "The file is too large to be a profile:  268435457 bytes "
              "or more (at most 268435456).");
    EXPECT_FALSE(std::filesystem::exists(folder.file("huge.bpf")));
}

TEST_F(FileInputTest, EditorReaderReportsUnusableInputsAndKeepsTheProfile) {
    EditedProfile document;
    document.addScript("Keep me");
    const Profile profile = document.profile();
    std::filesystem::create_directory(folder.file("folder.vtp"));
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.vtp"));
    sparseFile("huge.vtp", platform::kMaxProfileTextBytes + 1);
    const FifoWriter fifo(folder.file("fifo.vtp"), kDefaultOnly);
    for (const char* name : {"folder.vtp", "zero.vtp", "fifo.vtp", "huge.vtp"}) {
        diagnostics.clear();
        EXPECT_FALSE(openProfileFile(document, folder.file(name), diagnostics, nullptr)) << name;
        EXPECT_EQ(document.profile(), profile) << name;
        EXPECT_TRUE(document.isModified()) << name;
        EXPECT_EQ(testsupport::boxesOf(diagnostics),
                  (std::vector<platform::Message>{{"Error reading from file.", "Load Error"}}))
            << name;
    }
}

TEST_F(FileInputTest, DeviceLinkRefusesWhatIsNotARegularFileWithItsErrorCode) {
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.bpf"));
    const FifoWriter fifo(folder.file("fifo.bpf"), std::string("\x04\x10\0\0\0", 5));
    for (const char* name : {"zero.bpf", "fifo.bpf"}) {
        const std::string path = folder.file(name);
        platform::PosixDriverConnection connection(folder.file("no-driver"));
        EXPECT_EQ(DeviceProgrammer(connection).program(path).log, "Error: unable to open file " +
                                                                      path + ".   Error " +
                                                                      std::to_string(EINVAL) + "\n")
            << name;
    }
}

} // namespace
} // namespace vantrel

// Saving through AtomicFileOutput on the real file system: links, permissions, folders that
// refuse the save and a disk that fills up.
#include "RealFiles.h"

#include "files/AtomicFileOutput.h"

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/wait.h>

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using test::contents;
using test::writeText;

bool save(const fs::path& target, const std::string& bytes) {
    AtomicFileOutput output(target);
    return output.isOpen() && output.write(bytes) && output.finish();
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t previous_;
};

class AtomicFileOutputTest : public ::testing::Test {
protected:
    test::ScratchFolder folder;
    const fs::path target = folder.path() / "Hornet.vtp";
};

TEST_F(AtomicFileOutputTest, ReplacesTheFileAndLeavesNothingElse) {
    writeText(target, "old");
    ASSERT_TRUE(save(target, "new bytes"));
    EXPECT_EQ(contents(target), "new bytes");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"Hornet.vtp"});

    // An output dropped before finish leaves the old file and no temporary file.
    {
        AtomicFileOutput dropped(target);
        ASSERT_TRUE(dropped.isOpen());
        EXPECT_TRUE(dropped.write("half"));
    }
    EXPECT_EQ(contents(target), "new bytes");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"Hornet.vtp"});
}

// The pieces of one gathered write land one after the other, empty ones included, and a
// piece of several megabytes (more than one system call may take) whole.
TEST_F(AtomicFileOutputTest, WritesPiecesInOrder) {
    writeText(target, "old");
    std::string large(5 << 20, 'x');
    for (std::size_t i = 0; i < large.size(); i += 4093)
        large[i] = static_cast<char>('a' + i % 26);
    const std::vector<std::string_view> pieces = {"", "head|", "", large, "|tail", ""};
    AtomicFileOutput output(target);
    ASSERT_TRUE(output.isOpen());
    ASSERT_TRUE(output.write(std::span<const std::string_view>(pieces)));
    ASSERT_TRUE(output.finish());
    EXPECT_EQ(contents(target), "head|" + large + "|tail");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"Hornet.vtp"});
}

TEST_F(AtomicFileOutputTest, NewFilesTakeTheDefaultModeAndOldFilesKeepTheirs) {
    {
        const ScopedUmask mask(027);
        ASSERT_TRUE(save(folder.path() / "new.vtp", "x"));
    }
    EXPECT_EQ(modeOf(folder.path() / "new.vtp"), 0640u);

    const ScopedUmask mask(022);
    for (const mode_t mode : {0640u, 0600u, 0444u}) {
        writeText(target, "old");
        ::chmod(target.c_str(), mode);
        ASSERT_TRUE(save(target, "new")) << std::oct << mode;
        EXPECT_EQ(modeOf(target), mode) << std::oct << mode;
        EXPECT_EQ(contents(target), "new");
    }
}

TEST_F(AtomicFileOutputTest, TheAdministratorKeepsTheOldOwner) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can give a file to another user";
    writeText(target, "old");
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(save(target, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}

TEST_F(AtomicFileOutputTest, SymbolicLinksStayAndTheFileTheyNameIsReplaced) {
    fs::create_directory(folder.path() / "store");
    const fs::path real = folder.path() / "store" / "real.vtp";
    writeText(real, "old");
    ::chmod(real.c_str(), 0640);
    // A relative link to a relative link, and an absolute link to the same file.
    fs::create_symlink("store/real.vtp", folder.path() / "first.vtp");
    fs::create_symlink("first.vtp", target);
    fs::create_symlink(real, folder.path() / "absolute.vtp");

    ASSERT_TRUE(save(target, "through two links"));
    EXPECT_TRUE(fs::is_symlink(target));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "first.vtp"));
    EXPECT_EQ(fs::read_symlink(target), "first.vtp");
    EXPECT_EQ(contents(real), "through two links");
    EXPECT_EQ(modeOf(real), 0640u);

    ASSERT_TRUE(save(folder.path() / "absolute.vtp", "through one link"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "absolute.vtp"));
    EXPECT_EQ(contents(real), "through one link");
    EXPECT_EQ(namesIn(folder.path() / "store"), std::vector<std::string>{"real.vtp"});

    // A link to a file not made yet makes that file.
    fs::create_symlink("store/later.vtp", folder.path() / "later.vtp");
    ASSERT_TRUE(save(folder.path() / "later.vtp", "made"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "later.vtp"));
    EXPECT_EQ(contents(folder.path() / "store" / "later.vtp"), "made");

    // A loop of links is refused.
    fs::create_symlink("loop-b", folder.path() / "loop-a");
    fs::create_symlink("loop-a", folder.path() / "loop-b");
    AtomicFileOutput loop(folder.path() / "loop-a");
    EXPECT_FALSE(loop.isOpen());
    EXPECT_EQ(loop.error().code, ELOOP);
}

// Replacing by renaming gives the saved name a new file: other hard links to the old file
// keep the old content, as with every editor that saves this safe way.
TEST_F(AtomicFileOutputTest, HardLinksKeepTheOldContent) {
    writeText(target, "old");
    fs::create_hard_link(target, folder.path() / "other.vtp");
    ASSERT_TRUE(save(target, "new"));
    EXPECT_EQ(contents(target), "new");
    EXPECT_EQ(contents(folder.path() / "other.vtp"), "old");
}

TEST_F(AtomicFileOutputTest, UnwritableTargetsFailWithTheSystemsReason) {
    writeText(target, "old");
    fs::create_directory(folder.path() / "Folder.vtp");
    const std::pair<fs::path, int> refused[] = {{folder.path() / "Folder.vtp", EISDIR},
                                                {folder.path() / "missing" / "x.vtp", ENOENT},
                                                {fs::path(), ENOENT}};
    for (const auto& [path, code] : refused) {
        AtomicFileOutput output(path);
        EXPECT_FALSE(output.isOpen()) << path;
        EXPECT_FALSE(output.write("x")) << path;
        EXPECT_FALSE(output.finish()) << path;
        EXPECT_EQ(output.error().code, code) << path;
        EXPECT_EQ(output.error().reason, std::strerror(code)) << path;
    }
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"Folder.vtp", "Hornet.vtp"}));
    EXPECT_TRUE(fs::is_empty(folder.path() / "Folder.vtp"));
    EXPECT_EQ(contents(target), "old");
}

// The administrator may write into any folder, so as the administrator the save runs in a
// child process that has become the unprivileged user "nobody".
TEST_F(AtomicFileOutputTest, AReadOnlyFolderKeepsTheOldFile) {
    const fs::path locked = folder.path() / "locked";
    fs::create_directory(locked);
    const fs::path file = locked / "Hornet.vtp";
    writeText(file, "old");
    ::chmod(file.c_str(), 0666);
    ::chmod(folder.path().c_str(), 0755);
    ::chmod(locked.c_str(), 0555);

    const bool administrator = ::geteuid() == 0;
    const pid_t child = administrator ? ::fork() : 0;
    if (child == 0) {
        int outcome = 0;
        if (administrator && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            outcome = 3;
        } else {
            AtomicFileOutput output(file);
            outcome = output.isOpen() ? 1 : output.error().code != EACCES ? 2 : 0;
        }
        if (administrator)
            ::_exit(outcome);
        EXPECT_EQ(outcome, 0);
    } else {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 3)
            GTEST_SKIP() << "cannot become the user nobody to test a read-only folder";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save was opened, 2: not with EACCES";
    }
    ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(contents(file), "old");
    EXPECT_EQ(namesIn(locked), std::vector<std::string>{"Hornet.vtp"});
}

// A tmpfs of 64 KiB stands for a full disk; mounting one needs the administrator's rights.
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& where) : where_(where) {
        fs::create_directory(where_);
        if (::mount("tmpfs", where_.c_str(), "tmpfs", 0, "size=64k") == 0)
            mounted_ = true;
        else
            failure_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(where_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& failure() const { return failure_; }

private:
    fs::path where_;
    bool mounted_ = false;
    std::string failure_;
};

TEST_F(AtomicFileOutputTest, AFullDiskKeepsTheOldFile) {
    const SmallDisk disk(folder.path() / "small");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a 64 KiB tmpfs: " << disk.failure();
    const fs::path file = folder.path() / "small" / "Hornet.vtp";
    writeText(file, "old");

    AtomicFileOutput output(file);
    ASSERT_TRUE(output.isOpen());
    const bool written = output.write(std::string(256 * 1024, 'x')) && output.finish();
    EXPECT_FALSE(written);
    EXPECT_EQ(output.error().code, ENOSPC);
    EXPECT_EQ(contents(file), "old");
    EXPECT_EQ(namesIn(folder.path() / "small"), std::vector<std::string>{"Hornet.vtp"});
}

} // namespace
} // namespace vantrel

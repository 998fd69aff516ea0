#include "platform/FileAccess.h"
#include "platform/posix/PosixFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace vantrel::platform {
namespace {

// More links than this in one chain count as a loop, as the kernel counts them.
constexpr int kMostLinksFollowed = 40;
constexpr std::size_t kReadChunk = 64 * 1024;

void closeKeepingErrno(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

// The folder part of a path with its final '/', or nothing for a name in the current folder.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string randomSuffix() {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kLetters) - 2);
    std::string suffix(6, 'x');
    for (char& c : suffix)
        c = kLetters[pick(generator)];
    return suffix;
}

// The rename is already done when the folder is flushed, and some file systems refuse to
// flush a folder at all, so a failure here does not undo or fail the save.
void syncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

int openRegularFile(const std::string& path, int& error, std::uint64_t* size) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = errno;
        if (S_ISDIR(info.st_mode))
            error = EISDIR;
        else if (info.st_mode != 0)
            error = EINVAL;
        ::close(fd);
        return -1;
    }
    // Reading a regular file never waits; the flag goes so that reads behave as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (size)
        *size = static_cast<std::uint64_t>(info.st_size);
    return fd;
}

WholeFile readWholeRegularFile(const std::string& path, std::uint64_t limit) {
    WholeFile result;
    int error = 0;
    std::uint64_t size = 0;
    const int fd = openRegularFile(path, error, &size);
    if (fd < 0) {
        result.error = systemError(error);
        return result;
    }
    if (size > limit) {
        ::close(fd);
        result.outcome = WholeFileOutcome::TooLarge;
        result.size = size;
        return result;
    }
    // The size is only a hint: a file that changes, or one of /proc, may hold more or less.
    // The buffer holds one byte more than the size, so a file that kept its size is read in
    // one call and its end seen in a second; only a file that grew needs more room.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size) + 1);
    bytes.resize(static_cast<std::size_t>(size) + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size())
            bytes.resize(have + kReadChunk);
        ssize_t count;
        do {
            count = ::read(fd, bytes.data() + have, bytes.size() - have);
        } while (count < 0 && errno == EINTR);
        if (count < 0) {
            result.error = systemError(errno);
            ::close(fd);
            return result;
        }
        if (count == 0)
            break;
        have += static_cast<std::size_t>(count);
        if (have > limit) {
            ::close(fd);
            result.outcome = WholeFileOutcome::TooLarge;
            result.size = have;
            return result;
        }
    }
    bytes.resize(have);
    ::close(fd);
    result.outcome = WholeFileOutcome::Read;
    result.bytes = std::move(bytes);
    return result;
}

ReplacementFile::ReplacementFile(const std::string& target) {
    if (target.empty()) {
        fail(ENOENT);
        return;
    }
    // Follow the whole chain of links to the file that is to be replaced. A link whose end
    // does not exist yet names the new file.
    std::string resolved = target;
    struct stat old {};
    bool exists = false;
    for (int followed = 0;; ++followed) {
        if (::lstat(resolved.c_str(), &old) != 0) {
            if (errno != ENOENT) {
                fail(errno);
                return;
            }
            break;
        }
        if (!S_ISLNK(old.st_mode)) {
            exists = true;
            break;
        }
        if (followed == kMostLinksFollowed) {
            fail(ELOOP);
            return;
        }
        std::string link(static_cast<std::size_t>(old.st_size > 0 ? old.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(resolved.c_str(), link.data(), link.size());
        if (length < 0) {
            fail(errno);
            return;
        }
        link.resize(static_cast<std::size_t>(length));
        resolved = !link.empty() && link.front() == '/' ? link : folderOf(resolved) + link;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        fail(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
        return;
    }
    target_ = resolved;

    // Until it takes the old file's mode the temporary file is private; a new file gets the
    // default mode, the umask applied by the system.
    const mode_t creationMode = exists ? 0600 : 0666;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary_ = target_ + "." + randomSuffix();
        fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, creationMode);
        if (fd < 0 && (errno != EEXIST || attempt == 100)) {
            const int error = errno;
            temporary_.clear();
            fail(error);
            return;
        }
    }
    handle_ = fd;
    if (exists) {
        // Only the administrator may give a file away; a member of the old file's group
        // may still keep the group. Neither is worth failing the save for.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            fail(errno);
            return;
        }
    }
    open_ = true;
}

ReplacementFile::~ReplacementFile() {
    if (!committed_)
        abandon();
}

bool ReplacementFile::fail(long code) {
    if (!error_)
        error_ = systemError(code);
    abandon();
    return false;
}

void ReplacementFile::abandon() {
    open_ = false;
    if (handle_ >= 0) {
        closeKeepingErrno(static_cast<int>(handle_));
        handle_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

bool ReplacementFile::write(std::string_view bytes) {
    if (!open_)
        return false;
    while (!bytes.empty()) {
        const ssize_t count = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

bool ReplacementFile::write(std::span<const std::string_view> pieces) {
    if (!open_)
        return false;
    std::vector<iovec> rest;
    rest.reserve(pieces.size());
    for (const std::string_view piece : pieces) {
        if (!piece.empty())
            rest.push_back({const_cast<char*>(piece.data()), piece.size()});
    }
    std::size_t first = 0;
    while (first < rest.size()) {
        const int count = static_cast<int>(std::min<std::size_t>(rest.size() - first, IOV_MAX));
        ssize_t written = ::writev(static_cast<int>(handle_), &rest[first], count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        // A short write leaves the rest of a piece and the pieces after it.
        while (written > 0) {
            iovec& piece = rest[first];
            const auto taken = std::min(static_cast<std::size_t>(written), piece.iov_len);
            piece.iov_base = static_cast<char*>(piece.iov_base) + taken;
            piece.iov_len -= taken;
            written -= static_cast<ssize_t>(taken);
            if (piece.iov_len == 0)
                ++first;
        }
    }
    return true;
}

bool ReplacementFile::commit() {
    if (!open_)
        return false;
    const int fd = static_cast<int>(handle_);
    if (::fsync(fd) != 0)
        return fail(errno);
    handle_ = -1;
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    temporary_.clear();
    open_ = false;
    committed_ = true;
    syncFolder(folderOf(target_));
    return true;
}

} // namespace vantrel::platform

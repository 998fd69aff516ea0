#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantrel::platform {

// A failed system call: its code (errno, or GetLastError on Windows) and the system's own
// text for it. A code of 0 means no failure.
struct FileError {
    long code = 0;
    std::string reason;

    explicit operator bool() const { return code != 0; }
};

// The error of a system code, with the system's text.
FileError systemError(long code);

// A profile text file is a few kilobytes; even the largest profile the device could take
// stays far below this. A bigger file is refused instead of being read into memory.
inline constexpr std::uint64_t kMaxProfileTextBytes = 256ULL << 20;

enum class WholeFileOutcome { Read, Unreadable, TooLarge };

struct WholeFile {
    using Outcome = WholeFileOutcome;
    Outcome outcome = Outcome::Unreadable;
    std::string bytes;      // Read: the file's content
    FileError error;        // Unreadable: why
    std::uint64_t size = 0; // TooLarge: at least this many bytes were found
};

// Reads the whole of a regular file of at most limit bytes. Never blocks: the file is opened
// without waiting, and anything but a regular file (a folder, a FIFO, a device, also at the
// end of a chain of symbolic links) is refused as Unreadable before a byte is read. A file
// that grows past the limit while it is read is TooLarge.
WholeFile readWholeRegularFile(const std::string& path, std::uint64_t limit);

// A file written beside its target and put in the target's place in one step once it is
// complete, so that a save that fails or is cut short leaves the old file whole.
// - A symbolic link (a whole chain of them) is followed: the file it names is replaced and
//   the link stays.
// - The replacement takes the old file's permission bits and, where the system allows, its
//   owner; a new file gets the default mode (0666 less the umask). Other hard links to the
//   old file keep the old content, as with any replacement by renaming.
// - The temporary file is created exclusively under a fresh name, written, flushed to the
//   disk, renamed over the target, and the folder is flushed too.
// - On any failure the temporary file is removed and error() holds the system's reason.
// - On Windows the rename is MoveFileExW replacing the target; the old file's hidden, system
//   and archive attributes are kept, and a read-only old file is refused, not replaced.
class ReplacementFile {
public:
    explicit ReplacementFile(const std::string& target);
    // Removes the temporary file unless commit() succeeded.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    bool isOpen() const { return open_; }
    bool write(std::string_view bytes);
    // The pieces one after the other, in one gathered write where the system has one.
    bool write(std::span<const std::string_view> pieces);
    // Puts the written bytes in the target's place. Once only; false on any failure.
    bool commit();
    const FileError& error() const { return error_; }

private:
    bool fail(long code);
    void abandon();

    std::string target_;    // the file replaced, symbolic links resolved
    std::string temporary_; // the file written
    std::intptr_t handle_ = -1;
    bool open_ = false;
    bool committed_ = false;
    FileError error_;
};

} // namespace vantrel::platform

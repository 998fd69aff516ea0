#include "platform/FileAccess.h"
#include "platform/win/WideText.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <random>
#include <vector>

namespace vantrel::platform {
namespace {

constexpr DWORD kReadChunk = 64 * 1024;

HANDLE toHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::string randomSuffix() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kLetters) - 2);
    std::string suffix(6, 'x');
    for (char& c : suffix)
        c = kLetters[pick(generator)];
    return suffix;
}

// The file that a path finally names, links and junctions followed; the path itself when
// nothing exists there yet. False with the system code for any other failure.
bool finalPath(const std::wstring& path, std::wstring& resolved, DWORD& error) {
    resolved = path;
    const HANDLE file =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file, &information)) {
        error = ::GetLastError();
        ::CloseHandle(file);
        return false;
    }
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ::CloseHandle(file);
        error = ERROR_DIRECTORY;
        return false;
    }
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = ::GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length < buffer.size())
            break;
        buffer.resize(length + 1);
    }
    error = length == 0 ? ::GetLastError() : ERROR_SUCCESS;
    ::CloseHandle(file);
    if (length == 0)
        return false;
    resolved.assign(buffer.data(), length);
    return true;
}

} // namespace

WholeFile readWholeRegularFile(const std::string& path, std::uint64_t limit) {
    WholeFile result;
    const HANDLE file = ::CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        result.error = systemError(static_cast<long>(::GetLastError()));
        return result;
    }
    // Only a file on a disk has an end; a pipe, console or device could wait for ever.
    LARGE_INTEGER size{};
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        result.error = systemError(ERROR_INVALID_PARAMETER);
        return result;
    }
    if (!::GetFileSizeEx(file, &size)) {
        result.error = systemError(static_cast<long>(::GetLastError()));
        ::CloseHandle(file);
        return result;
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > limit) {
        ::CloseHandle(file);
        result.outcome = WholeFileOutcome::TooLarge;
        result.size = static_cast<std::uint64_t>(size.QuadPart);
        return result;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    for (;;) {
        const std::size_t have = bytes.size();
        bytes.resize(have + kReadChunk);
        DWORD count = 0;
        if (!::ReadFile(file, bytes.data() + have, kReadChunk, &count, nullptr)) {
            result.error = systemError(static_cast<long>(::GetLastError()));
            ::CloseHandle(file);
            return result;
        }
        bytes.resize(have + count);
        if (count == 0)
            break;
        if (bytes.size() > limit) {
            ::CloseHandle(file);
            result.outcome = WholeFileOutcome::TooLarge;
            result.size = bytes.size();
            return result;
        }
    }
    ::CloseHandle(file);
    result.outcome = WholeFileOutcome::Read;
    result.bytes = std::move(bytes);
    return result;
}

ReplacementFile::ReplacementFile(const std::string& target) {
    if (target.empty()) {
        fail(ERROR_FILE_NOT_FOUND);
        return;
    }
    std::wstring resolved;
    DWORD error = ERROR_SUCCESS;
    if (!finalPath(wideFromUtf8(target), resolved, error)) {
        fail(static_cast<long>(error));
        return;
    }
    target_ = utf8FromWide(resolved);
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary_ = target_ + "." + randomSuffix();
        file = ::CreateFileW(wideFromUtf8(temporary_).c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD failure = ::GetLastError();
            if (failure != ERROR_FILE_EXISTS || attempt == 100) {
                temporary_.clear();
                fail(static_cast<long>(failure));
                return;
            }
        }
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
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
    if (handle_ != -1) {
        ::CloseHandle(toHandle(handle_));
        handle_ = -1;
    }
    if (!temporary_.empty()) {
        ::DeleteFileW(wideFromUtf8(temporary_).c_str());
        temporary_.clear();
    }
}

bool ReplacementFile::write(std::string_view bytes) {
    if (!open_)
        return false;
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        DWORD written = 0;
        if (!::WriteFile(toHandle(handle_), bytes.data(), chunk, &written, nullptr))
            return fail(static_cast<long>(::GetLastError()));
        bytes.remove_prefix(written);
    }
    return true;
}

bool ReplacementFile::write(std::span<const std::string_view> pieces) {
    for (const std::string_view piece : pieces) {
        if (!write(piece))
            return false;
    }
    return open_;
}

bool ReplacementFile::commit() {
    if (!open_)
        return false;
    if (!::FlushFileBuffers(toHandle(handle_)))
        return fail(static_cast<long>(::GetLastError()));
    ::CloseHandle(toHandle(handle_));
    handle_ = -1;
    const std::wstring target = wideFromUtf8(target_);
    const std::wstring temporary = wideFromUtf8(temporary_);
    // The replacement keeps the old file's visible attributes. A read-only old file stays:
    // the move below is refused, as the user asked.
    const DWORD old = ::GetFileAttributesW(target.c_str());
    const DWORD kept = old == INVALID_FILE_ATTRIBUTES
                           ? 0
                           : old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (kept != 0)
        ::SetFileAttributesW(temporary.c_str(), kept);
    // One rename that replaces the target: the folder never shows the old file half gone.
    // ReplaceFileW is not used: it moves the old file aside first, and a failure there can
    // leave that copy behind under a name of the system's choosing.
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(static_cast<long>(::GetLastError()));
    temporary_.clear();
    open_ = false;
    committed_ = true;
    return true;
}

} // namespace vantrel::platform

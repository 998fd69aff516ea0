#include "files/AtomicFileOutput.h"

#include <system_error>

namespace vantrel {
namespace {

// A name beside the target that no other save uses at the same time.
std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    std::filesystem::path candidate = target;
    for (int n = 0; n < 1000; ++n) {
        candidate = target;
        candidate += ".saving" + (n == 0 ? std::string() : std::to_string(n));
        std::error_code error;
        if (!std::filesystem::exists(candidate, error) && !error)
            return candidate;
    }
    return candidate;
}

} // namespace

AtomicFileOutput::AtomicFileOutput(std::filesystem::path target) : target_(std::move(target)) {
    std::error_code error;
    // A folder cannot be replaced by a profile, and an empty path names nothing.
    if (target_.empty() || !target_.has_filename() || std::filesystem::is_directory(target_, error))
        return;
    temporary_ = temporaryBeside(target_);
    stream_.open(temporary_, std::ios::binary | std::ios::trunc);
}

AtomicFileOutput::~AtomicFileOutput() {
    if (!finished_)
        discard();
}

bool AtomicFileOutput::write(std::string_view bytes) {
    if (!stream_.is_open())
        return false;
    stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return stream_.good();
}

bool AtomicFileOutput::finish() {
    if (!stream_.is_open())
        return false;
    stream_.flush();
    const bool written = stream_.good();
    stream_.close();
    if (!written || stream_.fail()) {
        discard();
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) {
        discard();
        return false;
    }
    finished_ = true;
    return true;
}

void AtomicFileOutput::discard() {
    if (stream_.is_open())
        stream_.close();
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

} // namespace vantrel

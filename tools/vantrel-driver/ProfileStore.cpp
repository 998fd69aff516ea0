#include "ProfileStore.h"

#include "device/DeviceProfileCheck.h"
#include "files/AtomicFileOutput.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace vantrel::driver {

ProfileStore::ProfileStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path ProfileStore::defaultPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    // The base directory rules ignore a relative path.
    if (state && *state == '/')
        return std::filesystem::path(state) / "vantrel" / "profile.bpf";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "") / ".local" / "state" / "vantrel" / "profile.bpf";
}

bool ProfileStore::keep(std::span<const std::uint8_t> bytes, std::string& error) const {
    std::error_code code;
    const std::filesystem::path folder = file_.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, code)) {
        std::filesystem::create_directories(folder, code);
        if (code) {
            error = "cannot create " + folder.string() + ": " + code.message();
            return false;
        }
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, code);
    }
    AtomicFileOutput output(file_);
    if (!output.isOpen()) {
        error = "cannot write " + file_.string() + ": " + std::strerror(errno);
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!output.write(text) || !output.finish()) {
        error = "cannot write " + file_.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> ProfileStore::read(std::string& error) const {
    error.clear();
    std::error_code code;
    if (!std::filesystem::exists(file_, code))
        return std::nullopt;
    if (!std::filesystem::is_regular_file(file_, code)) {
        error = file_.string() + " is not a file";
        return std::nullopt;
    }
    std::ifstream in(file_, std::ios::binary);
    if (!in) {
        error = "cannot read " + file_.string() + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(kDeviceProfileCapacity + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        error = "cannot read " + file_.string();
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

bool ProfileStore::forget(std::string& error) const {
    std::error_code code;
    std::filesystem::remove(file_, code);
    if (code) {
        error = "cannot remove " + file_.string() + ": " + code.message();
        return false;
    }
    return true;
}

} // namespace vantrel::driver

#pragma once

#include "files/DeviceProfile.h"
#include "platform/FileAccess.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// The length of a device profile file for these records, header and end byte included.
std::uint64_t deviceFileLength(const DeviceProfile& profile);

// The bytes of the device profile file, little-endian with no gaps. Load-mode events take
// the ID of the first mode of their name (0 for "DEFAULT"); an unknown name keeps its Data.
// The caller keeps every count within its field and the length within 32 bits.
std::vector<std::uint8_t> encodeDeviceFile(const DeviceProfile& profile);

// Writes the bytes to a temporary file beside the path and renames it into place (through
// AtomicFileOutput), so that a failed write never leaves a truncated file where a good one
// was. False on any failure, with the system's reason in error when one is given.
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         platform::FileError* error = nullptr);

// The device profile path of a profile text file: ".bpf" in place of a short extension
// (C:\profiles\air.vtp gives C:\profiles\air.bpf), appended to the whole path otherwise.
std::string deviceFilePathFor(const std::string& profileTextPath);

} // namespace vantrel

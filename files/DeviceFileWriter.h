#pragma once

#include "platform/FileAccess.h"

#include <cstdint>
#include <span>
#include <string>

namespace vantrel {

// Writes the pieces, one after the other, to a temporary file beside the path in one
// gathered write and renames it into place (through AtomicFileOutput), so that a failed
// write never leaves a truncated file where a good one was. False on any failure, with the
// system's reason in error when one is given.
bool writeFileAtomically(const std::string& path,
                         std::span<const std::span<const std::uint8_t>> pieces,
                         platform::FileError* error = nullptr);

// The device profile path of a profile text file: ".bpf" in place of a short extension
// (C:\profiles\air.vtp gives C:\profiles\air.bpf), appended to the whole path otherwise.
std::string deviceFilePathFor(const std::string& profileTextPath);

} // namespace vantrel

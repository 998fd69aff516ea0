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

// The device profile path of a profile text file: ".bpf" in place of a short extension of
// the file name (C:\profiles\air.vtp gives C:\profiles\air.bpf, ./.cfg/air.vtp gives
// ./.cfg/air.bpf), appended to the whole path otherwise (a.b.vtp gives a.b.vtp.bpf). The
// folders' names, dots and all, play no part. The translator and Query HOTAS both use it.
std::string deviceFilePathFor(const std::string& profileTextPath);

} // namespace vantrel

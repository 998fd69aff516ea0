#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vantrel {

// A short fingerprint of a device file's bytes (64-bit FNV-1a, as 16 lower-case hex digits).
// The driver tells it for the profile it holds, so a client can tell whether that profile is
// the same bytes as a file of its own without the whole file crossing the stream.
std::string deviceFileDigest(std::span<const std::uint8_t> bytes);

} // namespace vantrel

#pragma once

#include "devicefile/DeviceRecords.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantrel {

// Why the device refuses a profile; the value is the reply byte it answers with.
enum class ProfileFault : std::uint8_t {
    None = 0,
    WrongVersion = 2,
    LengthMismatch = 3, // Length differs from the bytes received
    Truncated = 4,      // a count promises more than the data holds
    BadEnd = 5,         // no final zero byte, or bytes after it
    Inconsistent = 6,   // a record names something that is not there, or repeats an ID
    TooLong = 7,        // longer than the device's profile memory
};

struct ProfileCheck {
    DeviceProfileImage image;                // as far as it could be read
    ProfileFault fault = ProfileFault::None; // the first fault found
    std::vector<std::string> errors;         // every reason for refusing, in file order
    std::vector<std::string> warnings;       // values the device takes but that look wrong

    bool accepted() const { return fault == ProfileFault::None; }
    std::uint8_t reply() const { return static_cast<std::uint8_t>(fault); }
};

// Checks a received profile as the X36 does before it takes it: version 4, Length equal to
// the bytes received, every count matched by its records, IDs in order and every reference
// to a script, chain or control in range, and the final zero byte as the last byte.
ProfileCheck checkDeviceProfile(std::span<const std::uint8_t> bytes);

} // namespace vantrel

#pragma once

#include <string_view>

namespace vantrel {

// Where a saved profile's bytes go. Nothing counts as saved until finish() succeeds; an
// output dropped before that leaves whatever was there before untouched.
class ProfileOutput {
public:
    virtual ~ProfileOutput() = default;
    // False when the output could not be opened at all.
    virtual bool isOpen() const = 0;
    virtual bool write(std::string_view bytes) = 0;
    // Makes the written bytes the output's content; false when that failed.
    virtual bool finish() = 0;
};

} // namespace vantrel

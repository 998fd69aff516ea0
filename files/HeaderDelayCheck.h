#pragma once

#include "files/CheckFindings.h"
#include "files/ProfileLines.h"

#include <optional>
#include <string_view>

namespace vantrel {

// Reads a header line as the translation does (readHeaderDelay) and reports a delay line
// that sets nothing, whose value reads otherwise than it is written, or whose value the
// device cannot take as a delay. Returns the delay the translation sets, if any.
std::optional<HeaderDelay> checkHeaderDelayLine(std::string_view line, CheckFindings& findings);

} // namespace vantrel

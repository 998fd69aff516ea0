#include "profile/Diagnostic.h"

#include <algorithm>

namespace vantrel {

std::size_t DiagnosticList::count(Severity severity) const {
    return static_cast<std::size_t>(
        std::count_if(items_.begin(), items_.end(),
                      [severity](const Diagnostic& item) { return item.severity == severity; }));
}

} // namespace vantrel

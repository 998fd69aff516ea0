#pragma once

#include "files/CheckFindings.h"
#include "files/TranslationNames.h"

#include <string_view>
#include <vector>

namespace vantrel {

// The names a reference can resolve to, each index holding what the translation knows at
// the moment it resolves the reference: scripts read so far (a mode's or chain's closing
// line resolves its script names), chains converted so far (a mode's closing line resolves
// its chain names), and every mode of the file (load-mode events are resolved when the
// device file is written).
class CheckNames {
public:
    TranslationNames known;
    std::string_view firstScript;
    std::string_view firstChain;

    // A script or chain name resolved now, as the translation resolves it; one that does not
    // resolve is reported by reportUnresolved.
    void referToScript(std::string_view name, CheckSubject subject, std::string_view owner);
    void referToChain(std::string_view name, std::string_view mode);

    // Reports every reference that did not resolve, once the whole text is read: the device
    // would get script or chain 0. A name written further down is told apart, since there the
    // translation differs from what the text seems to say.
    void reportUnresolved(CheckFindings& findings) const;

private:
    struct Reference {
        bool chain;
        std::string_view name;
        CheckSubject subject;
        std::string_view owner;
    };
    std::vector<Reference> unresolved_;
};

} // namespace vantrel

#include "files/CheckNames.h"

#include <optional>
#include <string>

namespace vantrel {

void CheckNames::referToScript(std::string_view name, CheckSubject subject,
                               std::string_view owner) {
    if (!name.empty() && !known.script(name))
        unresolved_.push_back({false, name, subject, owner});
}

void CheckNames::referToChain(std::string_view name, std::string_view mode) {
    if (!name.empty() && !known.chain(name))
        unresolved_.push_back({true, name, CheckSubject::Mode, mode});
}

void CheckNames::reportUnresolved(CheckFindings& findings) const {
    const std::string script0 =
        " the device would get script 0 (" +
        (firstScript.empty() ? std::string("no script at all") : std::string(firstScript)) + ").";
    const std::string chain0 =
        " the device would get chain 0 (" +
        (firstChain.empty() ? std::string("no chain at all") : std::string(firstChain)) + ").";
    for (const Reference& reference : unresolved_) {
        const std::optional<std::uint32_t> late =
            reference.chain ? known.chain(reference.name) : known.script(reference.name);
        // A name found too late still gets what it names when it is number 0 itself.
        if (late == 0u)
            continue;
        const std::string name(reference.name);
        std::string text;
        if (reference.chain)
            text = late ? "The axis chain " + name +
                              " is closed only after this mode's block, too late for the "
                              "translation:" +
                              chain0
                        : "No axis chain is named " + name + ":" + chain0;
        else
            text = late ? "The script " + name +
                              " is listed only after this block, too late for the translation:" +
                              script0
                        : "No script is named " + name + ":" + script0;
        findings.error(std::move(text), reference.name, reference.subject, reference.owner);
    }
}

} // namespace vantrel

#include "files/ScriptSectionSize.h"

#include "files/ProfileLines.h"
#include "files/ScriptTokens.h"

namespace vantrel {

// Each token begins at a character other than a blank or tab that follows a blank or tab or
// opens the text. Written without a carried state, so that the compiler can vectorise it.
std::uint64_t countTokens(std::string_view text) {
    if (text.empty())
        return 0;
    std::uint64_t count = isTokenSpace(text[0]) ? 0 : 1;
    for (std::size_t i = 1; i < text.size(); ++i)
        count += static_cast<unsigned>(isTokenSpace(text[i - 1])) &
                 static_cast<unsigned>(!isTokenSpace(text[i]));
    return count;
}

ScriptSectionSize scriptSectionSize(std::string_view text) {
    ScriptSectionSize size;
    ProfileLineReader reader(text, LineGrammar::Translation);
    ProfileLine line;
    while (reader.next(line)) {
        if (line.kind == LineKind::Script) {
            // A significant line begins with its name, the first of its words.
            ++size.scripts;
            size.events += countTokens(line.text) - 1;
        }
    }
    return size;
}

} // namespace vantrel

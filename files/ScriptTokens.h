#pragma once

#include <string_view>

namespace vantrel {

// The tokens of a script line are the runs of characters other than blank and tab in the
// text after its name. The translation compiles them and the check reads them with this one
// splitter, so both see the same tokens.
inline bool isTokenSpace(char c) {
    return c == ' ' || c == '\t';
}

template <typename Visit> void forEachToken(std::string_view text, Visit visit) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isTokenSpace(text[i]))
            ++i;
        const std::size_t begin = i;
        while (i < text.size() && !isTokenSpace(text[i]))
            ++i;
        if (i > begin)
            visit(text.substr(begin, i - begin));
    }
}

} // namespace vantrel

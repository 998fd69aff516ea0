#include "profile/Script.h"

#include "profile/CNumbers.h"

#include <algorithm>

namespace vantrel {
namespace {

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Rank of a character in the sorted list: punctuation and other symbols, then digits,
// then letters (case folded), the way the platform's list boxes order words.
int sortRank(char c) {
    const unsigned char u = static_cast<unsigned char>(foldCase(c));
    if (u >= '0' && u <= '9')
        return 0x200 + u;
    if (u >= 'a' && u <= 'z')
        return 0x300 + u;
    return 0x100 + u;
}

} // namespace

std::string_view scriptName(std::string_view line) {
    // A loop rather than find_first_of, which searches the set once per character.
    std::size_t end = 0;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t')
        ++end;
    return line.substr(0, end);
}

bool namesEqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldCase(x) == foldCase(y);
           });
}

void appendFoldedName(std::string& to, std::string_view name) {
    for (const char c : name)
        to += foldCase(c);
}

std::string foldedName(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), foldCase);
    return folded;
}

bool scriptListLess(std::string_view a, std::string_view b) {
    const bool lessIgnoringCase =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                     [](char x, char y) { return sortRank(x) < sortRank(y); });
    if (lessIgnoringCase)
        return true;
    if (namesEqualIgnoringCase(a, b))
        return a < b; // a stable, total order for names that differ only in case
    return false;
}

bool isFileSpace(char c) {
    return isCSpace(c);
}

std::string_view trimLeadingFileSpace(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && isFileSpace(text[begin]))
        ++begin;
    return text.substr(begin);
}

std::string_view trimFileSpace(std::string_view text) {
    text = trimLeadingFileSpace(text);
    std::size_t end = text.size();
    while (end > 0 && isFileSpace(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string cutAndTrim(std::string_view text, std::string_view cutSet) {
    text = text.substr(0, std::min(text.find_first_of(cutSet), text.size()));
    return std::string(trimFileSpace(text));
}

} // namespace vantrel

#include "files/GroupLinePattern.h"

#include "profile/CNumbers.h"

#include <algorithm>
#include <limits>

namespace vantrel {
namespace {

class PatternCursor {
public:
    explicit PatternCursor(std::string_view text) : text_(text) {}

    void skipSpace() {
        while (i_ < text_.size() && isCSpace(text_[i_]))
            ++i_;
    }
    bool literal(char c) {
        if (i_ < text_.size() && text_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    // " c " of the pattern: white space, the character, white space.
    bool spacedLiteral(char c) {
        skipSpace();
        if (!literal(c))
            return false;
        skipSpace();
        return true;
    }
    std::optional<int> integer() {
        const auto read = scanCInteger(text_.substr(i_));
        if (!read)
            return std::nullopt;
        i_ += read->length;
        return static_cast<int>(std::clamp<long long>(read->value, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
    }
    std::optional<std::uint32_t> unsignedInteger() {
        const auto read = scanCUnsigned(text_.substr(i_));
        if (!read)
            return std::nullopt;
        i_ += read->length;
        return read->value;
    }
    std::optional<std::string_view> word() {
        skipSpace();
        const std::size_t begin = i_;
        while (i_ < text_.size() && !isCSpace(text_[i_]))
            ++i_;
        if (i_ == begin)
            return std::nullopt;
        return text_.substr(begin, i_ - begin);
    }

private:
    std::string_view text_;
    std::size_t i_ = 0;
};

} // namespace

std::optional<GroupLineFields> readGroupLine(std::string_view line) {
    PatternCursor cursor(line);
    GroupLineFields fields;
    if (!cursor.spacedLiteral('('))
        return std::nullopt;
    const auto start = cursor.integer();
    if (!start || !cursor.spacedLiteral(':'))
        return std::nullopt;
    const auto end = cursor.integer();
    if (!end || !cursor.spacedLiteral(';'))
        return std::nullopt;
    const auto count = cursor.unsignedInteger();
    if (!count || !cursor.spacedLiteral(')') || !cursor.spacedLiteral('(') ||
        !cursor.spacedLiteral('+'))
        return std::nullopt;
    const auto increase = cursor.word();
    if (!increase || !cursor.spacedLiteral('-'))
        return std::nullopt;
    const auto decrease = cursor.word();
    if (!decrease)
        return std::nullopt;
    fields.start = *start;
    fields.end = *end;
    fields.count = *count;
    fields.increase = *increase;
    fields.decrease = *decrease;
    return fields;
}

std::optional<long long> groupLineCount(std::string_view line) {
    const std::size_t semicolon = line.find(';');
    if (semicolon == std::string_view::npos)
        return std::nullopt;
    std::string_view text = line.substr(semicolon + 1);
    text = text.substr(0, std::min(text.find(')'), text.size()));
    const auto read = scanCInteger(text);
    if (!read)
        return std::nullopt;
    return read->value;
}

} // namespace vantrel

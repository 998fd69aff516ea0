#include "files/TextPlaces.h"

#include <algorithm>

namespace vantrel {

TextPlaces::Place TextPlaces::placeOf(std::size_t offset) {
    offset = std::min(offset, text_.size());
    if (offset >= offset_) {
        const std::string_view passed = text_.substr(offset_, offset - offset_);
        const std::size_t lastEnd = passed.rfind('\n');
        if (lastEnd != std::string_view::npos) {
            line_ += static_cast<std::size_t>(std::count(passed.begin(), passed.end(), '\n'));
            lineStart_ = offset_ + lastEnd + 1;
        }
    } else {
        const std::string_view back = text_.substr(offset, offset_ - offset);
        line_ -= static_cast<std::size_t>(std::count(back.begin(), back.end(), '\n'));
        const std::size_t lineEnd =
            offset == 0 ? std::string_view::npos : text_.rfind('\n', offset - 1);
        lineStart_ = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
    }
    offset_ = offset;
    return {line_, offset - lineStart_ + 1};
}

} // namespace vantrel

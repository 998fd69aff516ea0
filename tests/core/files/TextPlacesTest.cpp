#include "files/TextPlaces.h"

#include "files/LineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// The line counted the slow way: one more than the line ends before the place.
std::size_t lineOf(std::string_view text, std::size_t offset) {
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// Asked forwards, backwards, twice in a row and across empty lines, CR LF and a text without
// a final line end, every answer is the one the plain count and columnIn give.
TEST(TextPlaces, AgreesWithCountingFromTheStartInAnyOrder) {
    const std::string text = "first line\r\n\r\n  [Chain]\n(1:2;3) x\r\n\n\nlast";
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < text.size(); ++i)
        order.push_back(i);
    for (std::size_t i = text.size(); i-- > 0;)
        order.push_back(i);
    for (std::size_t i = 0; i < text.size(); i += 7)
        order.insert(order.end(), {i, text.size() - 1 - i, i});

    TextPlaces places(text);
    for (const std::size_t offset : order) {
        const TextPlaces::Place place = places.placeOf(offset);
        EXPECT_EQ(place.line, lineOf(text, offset)) << offset;
        EXPECT_EQ(place.column, columnIn(text, std::string_view(text).substr(offset))) << offset;
    }
}

TEST(TextPlaces, StartAndEndOfTheText) {
    TextPlaces places("ab\ncd\n");
    EXPECT_EQ(places.placeOf(6), (TextPlaces::Place{3, 1})); // just after the last line end
    EXPECT_EQ(places.placeOf(0), (TextPlaces::Place{1, 1}));
    EXPECT_EQ(places.placeOf(4), (TextPlaces::Place{2, 2}));
    EXPECT_EQ(TextPlaces("").placeOf(0), (TextPlaces::Place{1, 1}));
}

} // namespace
} // namespace vantrel

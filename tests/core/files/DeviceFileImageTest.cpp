// The device file image: events go in as seven bytes and come back unchanged at every edge of
// their fields, and the two pieces make the file the device reads.
#include "files/DeviceFileImage.h"

#include "device/DeviceProfileCheck.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace vantrel {
namespace {

constexpr std::int16_t kData16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int16_t kData16Max = std::numeric_limits<std::int16_t>::max();
constexpr std::int32_t kDelayMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kDelayMax = std::numeric_limits<std::int32_t>::max();

// Every opcode the compiler makes, each with the ends and middle of Data and Delay.
std::vector<DeviceFileEvent> everyKindAtItsEdges() {
    std::vector<DeviceFileEvent> events;
    for (const std::uint8_t oc : {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 255}) {
        for (const std::int16_t data : {kData16Min, std::int16_t{-1}, std::int16_t{0},
                                        std::int16_t{1}, std::int16_t{255}, kData16Max}) {
            for (const std::int32_t delay : {kDelayMin, -1, 0, 1, 256, 65536, kDelayMax})
                events.push_back({oc, data, delay});
        }
    }
    return events;
}

TEST(DeviceFileImage, EveryEventComesBackAsItWentIn) {
    const std::vector<DeviceFileEvent> events = everyKindAtItsEdges();
    DeviceFileImage image;
    image.reserve(1, events.size());
    image.beginScript(0);
    std::vector<std::size_t> places;
    for (const DeviceFileEvent& event : events)
        places.push_back(image.addEvent(event));
    ASSERT_EQ(image.lastScriptEvents(), events.size());
    for (std::size_t i = 0; i < events.size(); ++i)
        EXPECT_EQ(image.eventAt(places[i]), events[i]) << i;
    // Seven bytes each, straight after the script's header, little-endian.
    EXPECT_EQ(places.front(), kDeviceHeaderSize + kDeviceScriptHeaderSize);
    EXPECT_EQ(places[1] - places[0], kDeviceEventSize);
    image.finish({});
    const std::vector<std::uint8_t> bytes = image.bytes();
    const DeviceFileEvent last{11, -2, -3};
    DeviceFileImage small;
    small.beginScript(7);
    const std::size_t at = small.addEvent(last);
    small.finish({});
    const std::vector<std::uint8_t> one = small.bytes();
    EXPECT_EQ(std::vector<std::uint8_t>(one.begin() + static_cast<std::ptrdiff_t>(at),
                                        one.begin() + static_cast<std::ptrdiff_t>(at) + 7),
              (std::vector<std::uint8_t>{11, 0xFE, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytes.size(), kDeviceHeaderSize + kDeviceScriptHeaderSize +
                                kDeviceEventSize * events.size() + 2 * kDeviceCountSize +
                                kDeviceEndSize);
}

TEST(DeviceFileImage, LaterDataReplacesOnlyTheData) {
    DeviceFileImage image;
    image.beginScript(0);
    const std::size_t first = image.addEvent({5, 0, kDelayMax});
    const std::size_t second = image.addEvent({5, 0, kDelayMin});
    image.setEventData(first, kData16Min);
    image.setEventData(second, kData16Max);
    EXPECT_EQ(image.eventAt(first), (DeviceFileEvent{5, kData16Min, kDelayMax}));
    EXPECT_EQ(image.eventAt(second), (DeviceFileEvent{5, kData16Max, kDelayMin}));
}

TEST(DeviceFileImage, VisitsTheEventsOfOneOpcodeInOrder) {
    DeviceFileImage image;
    image.beginScript(0);
    const std::size_t a = image.addEvent({5, 1, 0});
    image.addEvent({4, 1, 0});
    image.beginScript(1); // a script of no events between
    image.beginScript(2);
    image.addEvent({0, 5, 5}); // the Data 5 is no opcode
    const std::size_t b = image.addEvent({5, 2, 0});
    std::vector<std::size_t> visited;
    image.forEachEventOf(5, [&](std::size_t place) { visited.push_back(place); });
    EXPECT_EQ(visited, (std::vector<std::size_t>{a, b}));
}

// The image as the device reads it: the script records, configurations and chains in their
// fields, counted and measured as the device's own check counts them.
TEST(DeviceFileImage, PiecesMakeTheFileTheDeviceReads) {
    DeviceFileImage image;
    image.reserve(3, 4);
    image.beginScript(0);
    image.beginScript(1);
    image.addEvent({0, 4, 10});
    image.addEvent({1, 4, 10});
    image.beginScript(2);
    image.addEvent({2, 64, 1});
    image.addEvent({11, -5, 0});
    DeviceProfile rest;
    rest.configurations.push_back({"DEFAULT", 0, {{0, 1, 1}, {1, 0, 0}, {0, 100, 2}, {0, 101, 1}}});
    rest.chains.push_back({"Flaps", 0, {{12767, 50}, {52767, 50}}, {{50, 1, 2}}});
    const std::uint64_t length = image.lengthWith(rest);
    image.finish(rest);

    const std::vector<std::uint8_t> bytes = image.bytes();
    ASSERT_EQ(bytes.size(), length);
    const auto [head, tail] = image.pieces();
    EXPECT_EQ(head.size() + tail.size(), bytes.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
    EXPECT_EQ(bytes[0], kDeviceFileVersion);
    EXPECT_EQ(bytes[1] | bytes[2] << 8 | bytes[3] << 16 | bytes[4] << 24, bytes.size());
    EXPECT_EQ(bytes[5] | bytes[6] << 8, 3);
    EXPECT_EQ(bytes.back(), 0);

    const ProfileCheck check = checkDeviceProfile(bytes);
    ASSERT_TRUE(check.accepted());
    ASSERT_EQ(check.image.scripts.size(), 3u);
    EXPECT_TRUE(check.image.scripts[0].events.empty());
    EXPECT_EQ(check.image.scripts[1].events.size(), 2u);
    EXPECT_EQ(check.image.scripts[2].events[1].data, -5);
    EXPECT_EQ(check.image.configurations.at(0).entries.size(), 4u);
    EXPECT_EQ(check.image.chains.at(0).breakpoints.size(), 2u);
}

TEST(DeviceFileImage, ReservedRoomIsNeverMoved) {
    DeviceFileImage image;
    image.reserve(1000, 300000);
    image.beginScript(0);
    const std::uint8_t* before = image.pieces()[0].data();
    for (int script = 0; script < 1000; ++script) {
        if (script > 0)
            image.beginScript(static_cast<std::uint16_t>(script));
        for (int event = 0; event < 300; ++event)
            image.addEvent({0, static_cast<std::int16_t>(event), script});
    }
    EXPECT_EQ(image.pieces()[0].data(), before);
    EXPECT_EQ(image.scriptCount(), 1000u);
}

} // namespace
} // namespace vantrel

// The device file image: events go in as seven bytes and come back unchanged at every edge of
// their fields, and every record the translation writes is the record the device reads back.
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
std::vector<DeviceEvent> everyKindAtItsEdges() {
    std::vector<DeviceEvent> events;
    for (const EventOpcode oc :
         {EventOpcode::KeyPress, EventOpcode::KeyRelease, EventOpcode::DirectXPress,
          EventOpcode::DirectXRelease, EventOpcode::HatDirection, EventOpcode::LoadMode,
          EventOpcode::MousePress, EventOpcode::MouseRelease, EventOpcode::MouseMoveHorizontal,
          EventOpcode::MouseMoveVertical, EventOpcode{255}}) {
        for (const std::int16_t data : {kData16Min, std::int16_t{-1}, std::int16_t{0},
                                        std::int16_t{1}, std::int16_t{255}, kData16Max}) {
            for (const std::int32_t delay : {kDelayMin, -1, 0, 1, 256, 65536, kDelayMax})
                events.push_back({oc, data, delay});
        }
    }
    return events;
}

TEST(DeviceFileImage, EveryEventComesBackAsItWentIn) {
    const std::vector<DeviceEvent> events = everyKindAtItsEdges();
    DeviceFileImage image;
    image.reserve(1, events.size());
    image.beginScript(0);
    std::vector<std::size_t> places;
    for (const DeviceEvent& event : events)
        places.push_back(image.addEvent(event));
    // Seven bytes each, straight after the script's header, little-endian.
    EXPECT_EQ(places.front(), kDeviceHeaderSize + kDeviceScriptHeaderSize);
    EXPECT_EQ(places[1] - places[0], kDeviceEventSize);
    image.finish({});
    const std::vector<std::uint8_t> bytes = image.bytes();
    // The device reads them back as they went in, the unknown opcode too (which it refuses).
    EXPECT_EQ(checkDeviceProfile(bytes).image.scripts.at(0).events, events);
    const DeviceEvent last{EventOpcode::MouseMoveVertical, -2, -3};
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
    const std::size_t first = image.addEvent({EventOpcode::LoadMode, 0, kDelayMax});
    const std::size_t second = image.addEvent({EventOpcode::LoadMode, 0, kDelayMin});
    image.setEventData(first, kData16Min);
    image.setEventData(second, kData16Max);
    image.finish({});
    EXPECT_EQ(checkDeviceProfile(image.bytes()).image.scripts.at(0).events,
              (std::vector<DeviceEvent>{{EventOpcode::LoadMode, kData16Min, kDelayMax},
                                        {EventOpcode::LoadMode, kData16Max, kDelayMin}}));
}

TEST(DeviceFileImage, VisitsTheEventsOfOneOpcodeInOrder) {
    DeviceFileImage image;
    image.beginScript(0);
    const std::size_t a = image.addEvent({EventOpcode::LoadMode, 1, 0});
    image.addEvent({EventOpcode::HatDirection, 1, 0});
    image.beginScript(1); // a script of no events between
    image.beginScript(2);
    image.addEvent({EventOpcode::KeyPress, 5, 5}); // the Data 5 is no opcode
    const std::size_t b = image.addEvent({EventOpcode::LoadMode, 2, 0});
    std::vector<std::size_t> visited;
    image.forEachEventOf(EventOpcode::LoadMode,
                         [&](std::size_t place) { visited.push_back(place); });
    EXPECT_EQ(visited, (std::vector<std::size_t>{a, b}));
}

// Every kind of record, written and read back as the device reads it, is the record written:
// scripts with and without events, entries of both types, chains of one and of no
// breakpoints. The header and the two pieces make the file the device counts.
TEST(DeviceFileImage, EveryRecordComesBackAsWritten) {
    DeviceProfileImage written{kDeviceFileVersion, 0, {}, {}, {}};
    written.scripts = {{0, {}},
                       {1, {{EventOpcode::KeyPress, 4, 10}, {EventOpcode::KeyRelease, 4, 10}}},
                       {2, {{EventOpcode::DirectXPress, 64, 1}, {EventOpcode::LoadMode, 1, 0}}}};
    DeviceProfile rest;
    ConfigurationRecord base;
    base.entries = {
        {kScriptEntry, 1, 1}, {kChainEntry, 0, 0}, {kScriptEntry, 100, 2}, {kScriptEntry, 101, 1}};
    ConfigurationRecord combat;
    combat.id = 1;
    combat.entries = {{kChainEntry, 5, 1}};
    rest.configurations = {base, combat};
    ChainRecord flaps;
    flaps.breakpoints = {{12767, 50}, {52767, 50}};
    ChainRecord empty;
    empty.id = 1;
    rest.chains = {flaps, empty};
    written.configurations.assign(rest.configurations.begin(), rest.configurations.end());
    written.chains.assign(rest.chains.begin(), rest.chains.end());

    DeviceFileImage image;
    image.reserve(written.scripts.size(), 4);
    for (const DeviceScript& script : written.scripts) {
        image.beginScript(script.id);
        for (const DeviceEvent& event : script.events)
            image.addEvent(event);
    }
    const std::uint64_t length = image.lengthWith(rest);
    image.finish(rest);
    const std::vector<std::uint8_t> bytes = image.bytes();
    ASSERT_EQ(bytes.size(), length);
    const auto [head, tail] = image.pieces();
    EXPECT_EQ(head.size() + tail.size(), bytes.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
    written.length = static_cast<std::uint32_t>(length);

    const ProfileCheck check = checkDeviceProfile(bytes);
    EXPECT_TRUE(check.accepted()) << testing::PrintToString(check.errors);
    EXPECT_EQ(check.image, written);
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
            image.addEvent({EventOpcode::KeyPress, static_cast<std::int16_t>(event), script});
    }
    EXPECT_EQ(image.pieces()[0].data(), before);
    EXPECT_EQ(image.scriptCount(), 1000u);
}

} // namespace
} // namespace vantrel

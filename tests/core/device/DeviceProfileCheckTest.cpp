#include "DeviceProfileBytes.h"

#include "device/DeviceProfileCheck.h"
#include "files/ProfileTranslator.h"
#include "support/core/RecordedMessages.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantrel {
namespace {

using test::DeviceProfileBytes;

bool mentions(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

// The errors and warnings of a check, one a line, to show when a case fails.
std::string findings(const ProfileCheck& check) {
    std::string text;
    for (const std::string& error : check.errors)
        text += "error: " + error + "\n";
    for (const std::string& warning : check.warnings)
        text += "warning: " + warning + "\n";
    return text;
}

// One script of one key press, a base configuration and a chain of the given breakpoints,
// with one entry of the given type, code and number.
DeviceProfileBytes profileWithEntry(std::uint8_t type, std::uint16_t code, std::uint16_t number) {
    DeviceProfileBytes bytes = DeviceProfileBytes::header(1);
    bytes.u16(0).u16(1).event(0, 4, 10);
    bytes.u16(1).u16(0).u16(1).entry(type, code, number);
    bytes.u16(1).u16(0).u8(1).breakpoint(32767, 50);
    return bytes;
}

TEST(DeviceProfileCheck, TakesTheProfilesTheTranslatorWrites) {
    EXPECT_TRUE(checkDeviceProfile(test::emptyDefaultProfile()).accepted());

    DiagnosticList diagnostics;
    const std::string text =
        "DEFAULT_PRESS_DELAY=25\n<SCRIPTLIST>\n_NULL\nGearUp dx_1 DX_1\nGearDown dx_2 DX_2\n"
        "Strafe MOUSELEFT_10 hat_up LOADMODE_Landing\n<AXIS_CHAINS>\n[Flaps]\n"
        "(-20000 : 20000 ; 10) ( + GearUp  - GearDown )\n{Flaps}\n<PROGRAM_MODES>\n"
        "[DEFAULT]\nZAxis = Flaps\nFireAPress = Strafe\n{DEFAULT}\n[Landing]\n{Landing}\n";
    const auto bytes = ProfileTranslator("/tmp/air.vtp", text, diagnostics).deviceBytes();
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(diagnostics.empty());

    const ProfileCheck check = checkDeviceProfile(*bytes);
    EXPECT_TRUE(check.accepted()) << findings(check);
    EXPECT_TRUE(check.warnings.empty()) << findings(check);
    ASSERT_EQ(check.image.scripts.size(), 4u);
    ASSERT_EQ(check.image.chains.size(), 1u);
    EXPECT_EQ(check.image.chains[0].breakpoints.size(), 10u);
}

TEST(DeviceProfileCheck, RefusesBrokenStructureWithItsOwnReply) {
    const std::vector<std::uint8_t> good = test::emptyDefaultProfile();

    std::vector<std::uint8_t> version = good;
    version[0] = 5;
    EXPECT_EQ(checkDeviceProfile(version).fault, ProfileFault::WrongVersion);

    EXPECT_EQ(
        checkDeviceProfile(DeviceProfileBytes(test::emptyDefaultProfile()).withLength(17)).fault,
        ProfileFault::LengthMismatch);

    // Cut anywhere, the profile is refused and nothing is read past its end.
    for (std::size_t size = 0; size < good.size(); ++size) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + size);
        EXPECT_FALSE(checkDeviceProfile(cut).accepted()) << size;
    }
    // A count that promises more records than there are bytes.
    DeviceProfileBytes promising = DeviceProfileBytes::header(1);
    promising.u16(0).u16(500).event(0, 4, 10).u16(0).u16(0);
    EXPECT_EQ(checkDeviceProfile(promising.finish()).fault, ProfileFault::Truncated);

    std::vector<std::uint8_t> badEnd = good;
    badEnd.back() = 9;
    EXPECT_EQ(checkDeviceProfile(badEnd).fault, ProfileFault::BadEnd);

    DeviceProfileBytes trailing = DeviceProfileBytes::header(0);
    trailing.u16(0).u16(0).u8(0).u8(0);
    const ProfileCheck extra = checkDeviceProfile(trailing.withLength(13));
    EXPECT_EQ(extra.fault, ProfileFault::BadEnd);
    EXPECT_TRUE(mentions(extra.errors, "1 bytes follow the final byte"));

    std::vector<std::uint8_t> huge = DeviceProfileBytes::header(0).u16(0).u16(0).raw();
    huge.resize(65536);
    EXPECT_EQ(checkDeviceProfile(DeviceProfileBytes(huge).withLength(65536)).fault,
              ProfileFault::TooLong);
}

TEST(DeviceProfileCheck, RefusesRecordsThatNameWhatIsNotThere) {
    EXPECT_TRUE(checkDeviceProfile(profileWithEntry(0, 1, 0).finish()).accepted());
    EXPECT_TRUE(checkDeviceProfile(profileWithEntry(1, 5, 0).finish()).accepted());

    const ProfileCheck script = checkDeviceProfile(profileWithEntry(0, 1, 1).finish());
    EXPECT_EQ(script.fault, ProfileFault::Inconsistent);
    EXPECT_TRUE(mentions(script.errors, "configuration 0 entry 0 names script 1 of 1"));
    EXPECT_FALSE(checkDeviceProfile(profileWithEntry(1, 6, 0).finish()).accepted());
    EXPECT_FALSE(checkDeviceProfile(profileWithEntry(1, 0, 1).finish()).accepted());
    EXPECT_FALSE(checkDeviceProfile(profileWithEntry(2, 0, 0).finish()).accepted());

    DeviceProfileBytes order = DeviceProfileBytes::header(1);
    order.u16(7).u16(0).u16(0).u16(0);
    EXPECT_TRUE(
        mentions(checkDeviceProfile(order.finish()).errors, "script record 0 has the ID 7"));

    DeviceProfileBytes twice = DeviceProfileBytes::header(0);
    twice.u16(2).u16(0).u16(0).u16(0).u16(0).u16(0);
    EXPECT_TRUE(
        mentions(checkDeviceProfile(twice.finish()).errors, "configuration ID 0 appears twice"));

    DeviceProfileBytes opcode = DeviceProfileBytes::header(1);
    opcode.u16(0).u16(1).event(6, 0, 0).u16(0).u16(0);
    EXPECT_EQ(checkDeviceProfile(opcode.finish()).fault, ProfileFault::Inconsistent);

    DeviceProfileBytes positions = DeviceProfileBytes::header(0);
    positions.u16(0).u16(1).u16(0).u8(1).u16(100).u16(50).u16(101);
    EXPECT_EQ(checkDeviceProfile(positions.finish()).fault, ProfileFault::Inconsistent);
}

TEST(DeviceProfileCheck, TakesDoubtfulValuesWithAWarning) {
    // A faulty token compiles to an event with data 0; the device takes it as it is.
    DeviceProfileBytes bytes = DeviceProfileBytes::header(1);
    bytes.u16(0).u16(2).event(2, 0, 10).event(5, 9, 0).u16(1).u16(0).u16(0).u16(0);
    const ProfileCheck check = checkDeviceProfile(bytes.finish());
    EXPECT_TRUE(check.accepted());
    EXPECT_TRUE(mentions(check.warnings, "script 0 event 0: DirectX button 0 is out of range"));
    EXPECT_TRUE(mentions(check.warnings, "loads configuration 9, which the profile does not hold"));
}

} // namespace
} // namespace vantrel

namespace vantrel {
namespace {

TEST(DeviceProfileCheck, TakesEveryExampleProfileTranslatedWithoutComplaint) {
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VANTREL_EXAMPLES)) {
        if (entry.path().extension() != ".vtp")
            continue;
        ++examples;
        DiagnosticList diagnostics;
        const auto bytes = ProfileTranslator(entry.path().string(), diagnostics).deviceBytes();
        ASSERT_TRUE(bytes.has_value()) << entry.path();
        EXPECT_TRUE(diagnostics.empty())
            << entry.path() << ": " << testsupport::boxesOf(diagnostics)[0].text;
        const ProfileCheck check = checkDeviceProfile(*bytes);
        EXPECT_TRUE(check.accepted() && check.warnings.empty()) << entry.path() << "\n"
                                                                << findings(check);
    }
    EXPECT_GE(examples, 3);
}

} // namespace
} // namespace vantrel

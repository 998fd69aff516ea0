// The simulated device's account of the profiles it receives: what a user reads in the
// simulator's log after a send.
#include "core/device/DeviceProfileBytes.h"

#include "DeviceProfileAccount.h"

#include "device/DeviceProfileCheck.h"
#include "files/ProfileTranslator.h"

#include <gtest/gtest.h>

namespace vantrel::simdriver {
namespace {

using test::DeviceProfileBytes;

TEST(DeviceProfileAccount, NamesEveryRecordOfATranslatedProfile) {
    DiagnosticList diagnostics;
    const std::string text =
        "DEFAULT_PRESS_DELAY=25\n<SCRIPTLIST>\n_NULL\nGearUp dx_1 DX_1\nGearDown dx_2 DX_2\n"
        "Strafe MOUSELEFT_10 hat_up LOADMODE_Landing\n<AXIS_CHAINS>\n[Flaps]\n"
        "(-20000 : 20000 ; 10) ( + GearUp  - GearDown )\n{Flaps}\n<PROGRAM_MODES>\n"
        "[DEFAULT]\nZAxis = Flaps\nFireAPress = Strafe\n{DEFAULT}\n[Landing]\n{Landing}\n";
    const auto bytes = ProfileTranslator("/tmp/air.vtp", text, diagnostics).deviceBytes();
    ASSERT_TRUE(bytes.has_value());

    const std::string account = describeDeviceProfile(checkDeviceProfile(*bytes));
    for (const char* line :
         {"Profile: version 4, Length ", "  script 0: no events\n", "  script 1: 2 events\n",
          "    DirectX button 1 press, delay 25 ms\n", "    mouse left 10\n", "    hat up\n",
          "    load configuration 2\n", "  configuration 0 (base mode): 4 entries\n",
          "  configuration 2: 0 entries\n", "    ZAxis -> chain 0\n",
          "    FireAPress -> script 3\n", "    breakpoint group 50 decrease -> script 2\n",
          "    breakpoint group 50 increase -> script 1\n", "  chain 0: 10 breakpoints\n",
          "    at -20000 (group 50)\n", "    at 19996 (group 50)\n"})
        EXPECT_NE(account.find(line), std::string::npos) << line << "\n" << account;
    EXPECT_TRUE(account.ends_with("\nProfile accepted.\n")) << account;
}

TEST(DeviceProfileAccount, EndsWithTheWarningsErrorsAndVerdict) {
    // A load of a configuration the profile lacks is taken with a warning.
    DeviceProfileBytes doubtful = DeviceProfileBytes::header(1);
    doubtful.u16(0).u16(2).event(2, 0, 10).event(5, 9, 0).u16(1).u16(0).u16(0).u16(0);
    const std::string taken = describeDeviceProfile(checkDeviceProfile(doubtful.finish()));
    EXPECT_NE(taken.find("    load configuration 9\n"), std::string::npos) << taken;
    EXPECT_NE(taken.find("\nWarning: script 0 event 1 loads"), std::string::npos) << taken;
    EXPECT_TRUE(taken.ends_with("\nProfile accepted.\n")) << taken;

    // A refused profile names its reasons and the reply byte the device answers with.
    DeviceProfileBytes opcode = DeviceProfileBytes::header(1);
    opcode.u16(0).u16(1).event(6, 3, 0).u16(0).u16(0);
    const std::string refused = describeDeviceProfile(checkDeviceProfile(opcode.finish()));
    EXPECT_NE(refused.find("    unknown opcode 6, data 3\n"), std::string::npos) << refused;
    EXPECT_NE(refused.find("\nError: "), std::string::npos) << refused;
    EXPECT_TRUE(refused.ends_with("\nProfile refused (reply 6).\n")) << refused;

    std::vector<std::uint8_t> version = test::emptyDefaultProfile();
    version[0] = 5;
    EXPECT_TRUE(describeDeviceProfile(checkDeviceProfile(version))
                    .ends_with("Profile refused (reply 2).\n"));
}

} // namespace
} // namespace vantrel::simdriver

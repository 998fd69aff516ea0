#pragma once

// A generated profile text of a given number of lines: six tenths script lines (a device
// profile holds at most 65535 scripts), the rest programming modes of 30 assignments and axis
// chains of 5 groups, in proportion. Shared by the benchmarks that read profile texts.
#include "profile/SlotTable.h"

#include <string>

// GCC 12 at -O3 warns falsely on '"literal" + std::to_string(...)' in the generator below.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

namespace vantrel::bench {

// The axis chains and programming modes of a generated profile of this many lines, whose
// script section holds scriptLines scripts named Script1 onwards; a mode per 100 lines unless
// the number of modes is given.
inline void appendChainsAndModes(std::string& text, int lines, int scriptLines, int modes = 0) {
    text += "\r\n\r\n# Axis Chains and Breakpoints:\r\n<AXIS_CHAINS>\r\n";
    const int chains = lines / 1000 + 1;
    for (int c = 0; c < chains; ++c) {
        const std::string name = "Chain" + std::to_string(c);
        text += "\r\n[" + name + "]\r\n";
        for (int g = 0; g < 5; ++g)
            text += "(" + std::to_string(-30000 + g * 12000) + " : " +
                    std::to_string(-20000 + g * 12000) + " ; 10) ( + Script" +
                    std::to_string(g + 1) + "  - Script" + std::to_string(g + 2) + " )\r\n";
        text += "{" + name + "}\r\n";
    }
    text += "\r\n\r\n# Programmed Modes and Assignments:\r\n<PROGRAM_MODES>\r\n";
    const auto& slots = vantrel::SlotTable::instance().allSlots();
    if (modes <= 0)
        modes = lines / 100 + 1;
    for (int m = 0; m < modes; ++m) {
        const std::string name = m == 0 ? "DEFAULT" : "Mode" + std::to_string(m);
        text += "\r\n[" + name + "]\r\n";
        for (int k = 0; k < 30; ++k) {
            const auto& slot = slots[(m * 30 + k) % slots.size()];
            const bool axis = slot.group == vantrel::SlotGroup::Axis;
            text += slot.name + " = " +
                    (axis ? "Chain" + std::to_string(k % chains)
                          : "Script" + std::to_string((m * 37 + k) % scriptLines)) +
                    "\r\n";
        }
        text += "{" + name + "}\r\n";
    }
}

inline std::string generatedProfile(int lines) {
    const int scriptLines = lines * 6 / 10;
    std::string text = "# Vantrel: generated.vtp\r\n\r\n<HEADER>\r\nDEFAULT_PRESS_DELAY=15\r\n"
                       "DEFAULT_RELEASE_DELAY=25\r\n\r\n<SCRIPTLIST>\r\n_NULL\r\n";
    const char* tokens[] = {"a^40 A",
                            "dx_12 DX_12",
                            "MOUSEUP_5^20 MOUSEDOWN_5",
                            "hat_up",
                            "shift f1 F1 SHIFT",
                            "LOADMODE_Mode7",
                            "kp_enter^3 KP_ENTER"};
    for (int i = 1; i < scriptLines; ++i)
        text +=
            "Script" + std::to_string(i) + " " + tokens[i % 7] + " " + tokens[(i + 3) % 7] + "\r\n";
    appendChainsAndModes(text, lines, scriptLines);
    return text;
}

// A profile of this many scripts of 2 to 14 tokens each (8 on average), a mode of 30
// assignments per 100 scripts and a chain of 5 groups per 1000: the large file that the
// whole-process benchmark translates (60 000 scripts make about 4.9 MB). The number of modes
// may be given instead.
inline std::string generatedLongScriptProfile(int scripts, int modes = 0) {
    static const char* const tokens[] = {
        "a^40",  "A",      "dx_12",    "DX_12",    "MOUSEUP_5^20",   "MOUSEDOWN_5", "hat_up",
        "shift", "f10^20", "F10",      "SHIFT",    "LOADMODE_Mode7", "kp_enter^3",  "KP_ENTER",
        "space", "SPACE",  "lcontrol", "LCONTROL", "mouse1",         "MOUSE1",
    };
    constexpr int kinds = static_cast<int>(sizeof tokens / sizeof tokens[0]);
    std::string text = "# Vantrel: generated.vtp\r\n\r\n<HEADER>\r\nDEFAULT_PRESS_DELAY=15\r\n"
                       "DEFAULT_RELEASE_DELAY=25\r\n\r\n<SCRIPTLIST>\r\n_NULL\r\n";
    for (int i = 1; i < scripts; ++i) {
        text += "Script" + std::to_string(i);
        const int count = 2 + (i * 7) % 13;
        for (int t = 0; t < count; ++t) {
            text += ' ';
            text += tokens[(i * 5 + t * 3) % kinds];
        }
        text += "\r\n";
    }
    appendChainsAndModes(text, scripts, scripts, modes);
    return text;
}

// The three sizes the whole-process and editor benchmarks measure: a typical pilot's
// profile, the largest whose device file the stick can hold (65535 bytes), and the stress
// file of growth that no stick could take.
enum class ProfileSize { Typical, DeviceLargest, Stress };

// The device-largest size is found by translating: with this many scripts (and the modes
// and chains in proportion) the device file comes to 65518 bytes; one more makes it too long.
inline constexpr int kDeviceLargestScripts = 1052;

inline std::string generatedProfileOf(ProfileSize size) {
    switch (size) {
    case ProfileSize::Typical:
        return generatedLongScriptProfile(100, 5);
    case ProfileSize::DeviceLargest:
        return generatedLongScriptProfile(kDeviceLargestScripts);
    case ProfileSize::Stress:
        break;
    }
    return generatedLongScriptProfile(60000);
}

inline const char* nameOf(ProfileSize size) {
    switch (size) {
    case ProfileSize::Typical:
        return "typical";
    case ProfileSize::DeviceLargest:
        return "device_largest";
    case ProfileSize::Stress:
        break;
    }
    return "stress";
}

} // namespace vantrel::bench

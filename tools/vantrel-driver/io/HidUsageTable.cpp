#include "io/HidUsageTable.h"

#include <linux/input-event-codes.h>

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

#include <algorithm>

namespace vantrel::driver {
namespace {

// The Linux codes are the ones the kernel's HID layer gives these usages on the
// Keyboard/Keypad page; the KeySyms are those the keys carry on a US layout.
constexpr HidKey kHidKeys[] = {
    {4, KEY_A, XK_a},
    {5, KEY_B, XK_b},
    {6, KEY_C, XK_c},
    {7, KEY_D, XK_d},
    {8, KEY_E, XK_e},
    {9, KEY_F, XK_f},
    {10, KEY_G, XK_g},
    {11, KEY_H, XK_h},
    {12, KEY_I, XK_i},
    {13, KEY_J, XK_j},
    {14, KEY_K, XK_k},
    {15, KEY_L, XK_l},
    {16, KEY_M, XK_m},
    {17, KEY_N, XK_n},
    {18, KEY_O, XK_o},
    {19, KEY_P, XK_p},
    {20, KEY_Q, XK_q},
    {21, KEY_R, XK_r},
    {22, KEY_S, XK_s},
    {23, KEY_T, XK_t},
    {24, KEY_U, XK_u},
    {25, KEY_V, XK_v},
    {26, KEY_W, XK_w},
    {27, KEY_X, XK_x},
    {28, KEY_Y, XK_y},
    {29, KEY_Z, XK_z},
    {30, KEY_1, XK_1},
    {31, KEY_2, XK_2},
    {32, KEY_3, XK_3},
    {33, KEY_4, XK_4},
    {34, KEY_5, XK_5},
    {35, KEY_6, XK_6},
    {36, KEY_7, XK_7},
    {37, KEY_8, XK_8},
    {38, KEY_9, XK_9},
    {39, KEY_0, XK_0},
    {40, KEY_ENTER, XK_Return},
    {41, KEY_ESC, XK_Escape},
    {42, KEY_BACKSPACE, XK_BackSpace},
    {43, KEY_TAB, XK_Tab},
    {44, KEY_SPACE, XK_space},
    {45, KEY_MINUS, XK_minus},
    {46, KEY_EQUAL, XK_equal},
    {47, KEY_LEFTBRACE, XK_bracketleft},
    {48, KEY_RIGHTBRACE, XK_bracketright},
    {49, KEY_BACKSLASH, XK_backslash},
    {50, KEY_BACKSLASH, XK_backslash}, // the non-US '#' key shares the backslash code
    {51, KEY_SEMICOLON, XK_semicolon},
    {52, KEY_APOSTROPHE, XK_apostrophe},
    {53, KEY_GRAVE, XK_grave},
    {54, KEY_COMMA, XK_comma},
    {55, KEY_DOT, XK_period},
    {56, KEY_SLASH, XK_slash},
    {57, KEY_CAPSLOCK, XK_Caps_Lock},
    {58, KEY_F1, XK_F1},
    {59, KEY_F2, XK_F2},
    {60, KEY_F3, XK_F3},
    {61, KEY_F4, XK_F4},
    {62, KEY_F5, XK_F5},
    {63, KEY_F6, XK_F6},
    {64, KEY_F7, XK_F7},
    {65, KEY_F8, XK_F8},
    {66, KEY_F9, XK_F9},
    {67, KEY_F10, XK_F10},
    {68, KEY_F11, XK_F11},
    {69, KEY_F12, XK_F12},
    {70, KEY_SYSRQ, XK_Print},
    {71, KEY_SCROLLLOCK, XK_Scroll_Lock},
    {72, KEY_PAUSE, XK_Pause},
    {73, KEY_INSERT, XK_Insert},
    {74, KEY_HOME, XK_Home},
    {75, KEY_PAGEUP, XK_Prior},
    {76, KEY_DELETE, XK_Delete},
    {77, KEY_END, XK_End},
    {78, KEY_PAGEDOWN, XK_Next},
    {79, KEY_RIGHT, XK_Right},
    {80, KEY_LEFT, XK_Left},
    {81, KEY_DOWN, XK_Down},
    {82, KEY_UP, XK_Up},
    {83, KEY_NUMLOCK, XK_Num_Lock},
    {84, KEY_KPSLASH, XK_KP_Divide},
    {85, KEY_KPASTERISK, XK_KP_Multiply},
    {86, KEY_KPMINUS, XK_KP_Subtract},
    {87, KEY_KPPLUS, XK_KP_Add},
    {88, KEY_KPENTER, XK_KP_Enter},
    {89, KEY_KP1, XK_KP_1},
    {90, KEY_KP2, XK_KP_2},
    {91, KEY_KP3, XK_KP_3},
    {92, KEY_KP4, XK_KP_4},
    {93, KEY_KP5, XK_KP_5},
    {94, KEY_KP6, XK_KP_6},
    {95, KEY_KP7, XK_KP_7},
    {96, KEY_KP8, XK_KP_8},
    {97, KEY_KP9, XK_KP_9},
    {98, KEY_KP0, XK_KP_0},
    {99, KEY_KPDOT, XK_KP_Decimal},
    {224, KEY_LEFTCTRL, XK_Control_L},
    {225, KEY_LEFTSHIFT, XK_Shift_L},
    {226, KEY_LEFTALT, XK_Alt_L},
    {227, KEY_LEFTMETA, XK_Super_L},
    {228, KEY_RIGHTCTRL, XK_Control_R},
    {229, KEY_RIGHTSHIFT, XK_Shift_R},
    {230, KEY_RIGHTALT, XK_Alt_R},
    {231, KEY_RIGHTMETA, XK_Super_R},
};

} // namespace

std::span<const HidKey> hidKeys() {
    return kHidKeys;
}

const HidKey* findHidKey(int usage) {
    const auto found = std::lower_bound(std::begin(kHidKeys), std::end(kHidKeys), usage,
                                        [](const HidKey& key, int u) { return key.usage < u; });
    if (found == std::end(kHidKeys) || found->usage != usage)
        return nullptr;
    return found;
}

} // namespace vantrel::driver

#include "io/ActionText.h"
#include "io/DriverIo.h"
#include "io/HidUsageTable.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <set>
#include <utility>

namespace vantrel::driver {
namespace {

using Action = player::OutputAction;

// X numbers the middle button 2 and the right button 3; actions number right 2, middle 3.
constexpr unsigned kXButtonOfMouseButton[] = {0, 1, 3, 2};

class XTestBackend : public OutputBackend {
public:
    XTestBackend(Display* display, std::string name, NoticeHandler notices)
        : display_(display), name_(std::move(name)), notices_(std::move(notices)) {}
    ~XTestBackend() override { XCloseDisplay(display_); }
    XTestBackend(const XTestBackend&) = delete;
    XTestBackend& operator=(const XTestBackend&) = delete;

    std::string describe() const override {
        return "XTest on X display " + name_ + ": keys and mouse, no virtual joystick";
    }
    bool offersJoystick() const override { return false; }

    void emit(const Action& action, player::Time) override {
        switch (action.kind) {
        case Action::Kind::KeyDown:
        case Action::Kind::KeyUp:
            key(action);
            break;
        case Action::Kind::MouseButtonDown:
        case Action::Kind::MouseButtonUp:
            if (action.code < 1 || action.code > 3) {
                unperformable(action);
                return;
            }
            XTestFakeButtonEvent(display_, kXButtonOfMouseButton[action.code],
                                 action.kind == Action::Kind::MouseButtonDown, CurrentTime);
            break;
        case Action::Kind::MouseMoveX:
            XTestFakeRelativeMotionEvent(display_, action.value, 0, CurrentTime);
            break;
        case Action::Kind::MouseMoveY:
            XTestFakeRelativeMotionEvent(display_, 0, action.value, CurrentTime);
            break;
        case Action::Kind::JoyButtonDown:
        case Action::Kind::JoyButtonUp:
        case Action::Kind::JoyHat:
        case Action::Kind::JoyAxis:
            if (!joystickNoticeGiven_ && notices_)
                notices_("the X server offers no virtual joystick: DirectX buttons, hats and "
                         "axes are not sent");
            joystickNoticeGiven_ = true;
            return;
        }
        XFlush(display_);
    }

    void note(std::string_view line) override {
        if (notices_)
            notices_(line);
    }

private:
    void key(const Action& action) {
        const HidKey* hid = findHidKey(action.code);
        const KeyCode keycode = hid ? XKeysymToKeycode(display_, hid->keySym) : 0;
        if (keycode == 0) {
            unperformable(action);
            return;
        }
        XTestFakeKeyEvent(display_, keycode, action.kind == Action::Kind::KeyDown, CurrentTime);
    }

    void unperformable(const Action& action) {
        if (unperformable_.insert({static_cast<int>(action.kind), action.code}).second && notices_)
            notices_("the X server has nothing for " + actionText(action));
    }

    Display* display_;
    std::string name_;
    NoticeHandler notices_;
    bool joystickNoticeGiven_ = false;
    std::set<std::pair<int, int>> unperformable_;
};

} // namespace

std::unique_ptr<OutputBackend> openXTestBackend(const std::string& display, std::string& error,
                                                NoticeHandler notices) {
    Display* connection = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    const std::string name = XDisplayName(display.empty() ? nullptr : display.c_str());
    if (!connection) {
        error = "cannot open X display \"" + name + "\"";
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(connection, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(connection);
        error = "the X server on \"" + name + "\" has no XTest extension";
        return nullptr;
    }
    return std::make_unique<XTestBackend>(connection, name, std::move(notices));
}

} // namespace vantrel::driver

#include "io/DriverIo.h"
#include "support/posix/XvfbServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// After GoogleTest, whose names Xlib's macros (None, Bool) would otherwise replace.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vantrel::driver {
namespace {

using ::testing::ElementsAre;
using Action = player::OutputAction;
using namespace std::chrono_literals;

using test::XvfbServer;

// A focused window that records what the X server delivers to it.
class XTestOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        std::string problem;
        if (!server_.start(problem))
            GTEST_SKIP() << problem;
        client_ = XOpenDisplay(server_.display().c_str());
        ASSERT_NE(client_, nullptr);
        window_ = XCreateSimpleWindow(client_, DefaultRootWindow(client_), 0, 0, 300, 300, 0, 0, 0);
        XSelectInput(client_, window_,
                     KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                         PointerMotionMask | StructureNotifyMask);
        XMapRaised(client_, window_);
        waitFor([](const XEvent& event) { return event.type == MapNotify; });
        XSetInputFocus(client_, window_, RevertToParent, CurrentTime);
        XWarpPointer(client_, None, window_, 0, 0, 0, 0, 100, 100);
        XSync(client_, False);
        std::string error;
        backend_ = openXTestBackend(server_.display(), error,
                                    [this](std::string_view line) { notices_.emplace_back(line); });
        ASSERT_TRUE(backend_) << error;
    }
    void TearDown() override {
        backend_.reset();
        if (client_)
            XCloseDisplay(client_);
    }

    // The first event that matches, waiting up to five seconds.
    std::optional<XEvent> waitFor(const std::function<bool(const XEvent&)>& matches) {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (std::chrono::steady_clock::now() < deadline) {
            while (XPending(client_) > 0) {
                XEvent event;
                XNextEvent(client_, &event);
                if (matches(event))
                    return event;
            }
            pollfd readable{ConnectionNumber(client_), POLLIN, 0};
            ::poll(&readable, 1, 100);
        }
        return std::nullopt;
    }
    bool keyEvent(int type, KeySym sym) {
        const KeyCode code = XKeysymToKeycode(client_, sym);
        return waitFor([&](const XEvent& event) {
                   return event.type == type && event.xkey.keycode == code &&
                          event.xkey.window == window_;
               })
            .has_value();
    }
    bool buttonEvent(int type, unsigned button) {
        return waitFor([&](const XEvent& event) {
                   return event.type == type && event.xbutton.button == button;
               })
            .has_value();
    }
    void emit(Action::Kind kind, int code, int value = 0) {
        backend_->emit({kind, code, value}, player::Time{0});
    }

    XvfbServer server_;
    Display* client_ = nullptr;
    Window window_ = 0;
    std::unique_ptr<OutputBackend> backend_;
    std::vector<std::string> notices_;
};

TEST_F(XTestOnXvfb, KeysReachTheFocusedWindow) {
    emit(Action::Kind::KeyDown, 4);
    EXPECT_TRUE(keyEvent(KeyPress, XK_a));
    emit(Action::Kind::KeyUp, 4);
    EXPECT_TRUE(keyEvent(KeyRelease, XK_a));
    emit(Action::Kind::KeyDown, 225);
    emit(Action::Kind::KeyUp, 225);
    EXPECT_TRUE(keyEvent(KeyRelease, XK_Shift_L));
    emit(Action::Kind::KeyDown, 300);
    emit(Action::Kind::KeyDown, 300);
    EXPECT_THAT(notices_, ElementsAre("the X server has nothing for key down, usage 300"));
}

TEST_F(XTestOnXvfb, MouseButtonsAndMovesReachThePointer) {
    emit(Action::Kind::MouseButtonDown, 2);
    EXPECT_TRUE(buttonEvent(ButtonPress, Button3)) << "right is X's button 3";
    emit(Action::Kind::MouseButtonUp, 2);
    EXPECT_TRUE(buttonEvent(ButtonRelease, Button3));
    emit(Action::Kind::MouseButtonDown, 3);
    EXPECT_TRUE(buttonEvent(ButtonPress, Button2)) << "middle is X's button 2";
    emit(Action::Kind::MouseButtonUp, 3);
    emit(Action::Kind::MouseButtonDown, 1);
    EXPECT_TRUE(buttonEvent(ButtonPress, Button1));
    emit(Action::Kind::MouseButtonUp, 1);

    emit(Action::Kind::MouseMoveX, 0, 25);
    emit(Action::Kind::MouseMoveY, 0, -10);
    EXPECT_TRUE(waitFor([](const XEvent& event) {
        return event.type == MotionNotify && event.xmotion.x == 125 && event.xmotion.y == 90;
    }));
}

TEST_F(XTestOnXvfb, JoystickActionsAreDroppedWithOneNotice) {
    EXPECT_FALSE(backend_->offersJoystick());
    emit(Action::Kind::JoyButtonDown, 1);
    emit(Action::Kind::JoyAxis, 0, 100);
    emit(Action::Kind::JoyHat, 0, 1);
    EXPECT_THAT(notices_, ElementsAre("the X server offers no virtual joystick: DirectX buttons, "
                                      "hats and axes are not sent"));
}

TEST(XTestBackend, AMissingDisplayIsReported) {
    std::string error;
    EXPECT_FALSE(openXTestBackend(":4242", error));
    EXPECT_EQ(error, "cannot open X display \":4242\"");
}

} // namespace
} // namespace vantrel::driver

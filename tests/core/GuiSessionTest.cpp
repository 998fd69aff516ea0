// The windows asked for only at the first message: loaded once, the display opened once and
// closed at the end, and every message kept on stderr where they cannot be had.
#include "app/GuiSession.h"
#include "app/LoadingMessagePresenter.h"
#include "app/ProgramStart.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace vantrel {
namespace {

using platform::Message;
using platform::MessageAnswer;
using platform::MessageButtons;
using ::testing::HasSubstr;

class FakeWindows : public GuiModule {
public:
    bool displayReachable = true;
    int opened = 0, closed = 0;
    std::vector<std::string> shown;

    bool openDisplay(const std::string&) override {
        ++opened;
        return displayReachable;
    }
    MessageAnswer present(const Message& message) override {
        shown.push_back(message.text);
        return MessageAnswer::Yes;
    }
    int runEditor(const std::string&) override { return 0; }
    void closeDisplay() override { ++closed; }
};

class FakeSource : public GuiModuleSource {
public:
    FakeWindows* windows = nullptr; // nullptr: the module cannot be loaded
    int loads = 0;
    GuiModule* load(std::string& whyNot) override {
        ++loads;
        if (!windows)
            whyNot = "libvantrel-gui.so: cannot open shared object file";
        return windows;
    }
};

// Captures std::cerr for the lifetime of a scope.
class CapturedErrors {
public:
    CapturedErrors() : previous_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~CapturedErrors() { std::cerr.rdbuf(previous_); }
    std::string text() const { return text_.str(); }

private:
    std::ostringstream text_;
    std::streambuf* previous_;
};

TEST(GuiSession, LoadsAtTheFirstMessageOnlyAndClosesAtTheEnd) {
    FakeWindows windows;
    FakeSource source;
    source.windows = &windows;
    {
        GuiSession session(source, "vantrel");
        LoadingMessagePresenter presenter(session);
        EXPECT_EQ(source.loads, 0) << "nothing shown yet, nothing loaded";
        EXPECT_EQ(presenter.present({"first", "Title"}), MessageAnswer::Yes);
        EXPECT_EQ(presenter.present({"second", "Title"}), MessageAnswer::Yes);
        EXPECT_EQ(source.loads, 1);
        EXPECT_EQ(windows.opened, 1);
        EXPECT_EQ(windows.closed, 0);
    }
    EXPECT_EQ(windows.shown, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(windows.closed, 1);
}

TEST(GuiSession, NothingShownNothingLoaded) {
    FakeSource source;
    { GuiSession session(source, "vantrel"); }
    EXPECT_EQ(source.loads, 0);
}

TEST(GuiSession, UnreachableDisplayKeepsMessagesOnStderrWithoutAWord) {
    FakeWindows windows;
    windows.displayReachable = false;
    FakeSource source;
    source.windows = &windows;
    CapturedErrors errors;
    {
        GuiSession session(source, "vantrel");
        LoadingMessagePresenter presenter(session);
        EXPECT_EQ(presenter.present({"Profile load complete.\n", "Device Query"}),
                  MessageAnswer::Ok);
        const Message question{"Save?", "Vantrel", MessageButtons::YesNoCancel};
        EXPECT_EQ(presenter.present(question), MessageAnswer::Cancel);
        EXPECT_EQ(session.windows(), nullptr);
        EXPECT_FALSE(session.moduleMissing());
    }
    EXPECT_EQ(errors.text(), "Device Query: Profile load complete.\nVantrel: Save?\n");
    EXPECT_TRUE(windows.shown.empty());
    EXPECT_EQ(windows.opened, 1);
    EXPECT_EQ(windows.closed, 1) << "Qt was started, so it is ended";
}

TEST(GuiSession, MissingModuleIsSaidOnceAndLosesNoMessage) {
    FakeSource source;
    CapturedErrors errors;
    GuiSession session(source, "vantrel");
    LoadingMessagePresenter presenter(session);
    presenter.present({"The axis chain Gear has no closing line.", "Profile error."});
    presenter.present({"Error opening file.", "fire.vtp"});
    EXPECT_TRUE(session.moduleMissing());
    EXPECT_EQ(source.loads, 1);
    EXPECT_EQ(errors.text(),
              "vantrel: no window can be shown: libvantrel-gui.so: cannot open shared object "
              "file\nProfile error.: The axis chain Gear has no closing line.\n"
              "fire.vtp: Error opening file.\n");
}

// Qt is always handed a list that ends in a windowless platform, so that a display nobody
// serves makes it fall back instead of aborting the process.
TEST(PlatformFallback, EndsEveryListInAWindowlessPlatform) {
    EXPECT_EQ(platformsWithFallback(""), "xcb;wayland;offscreen");
    EXPECT_EQ(platformsWithFallback("xcb"), "xcb;offscreen");
    EXPECT_EQ(platformsWithFallback("xcb;wayland"), "xcb;wayland;offscreen");
    EXPECT_EQ(platformsWithFallback("xcb;minimal"), "xcb;minimal");
    EXPECT_EQ(platformsWithFallback("offscreen"), "offscreen");
    EXPECT_TRUE(isWindowlessPlatform("offscreen"));
    EXPECT_TRUE(isWindowlessPlatform("minimal:enable_fonts"));
    EXPECT_FALSE(isWindowlessPlatform("xcb"));
}

} // namespace
} // namespace vantrel

// vantrel maps no Qt library for a run on the command line, and hands a run with a display over
// to the editor program, which shows the boxes and the window: the processes are watched
// through /proc while the driver holds the exchange open, and the boxes on a real X server.
#include "StartProcess.h"

#include <gtest/gtest.h>

// After GoogleTest, whose names Xlib's macros (None, Bool) would otherwise replace.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace vantrel::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The top-level windows of an X display, found by title and closed as a window manager does.
class XWindows {
public:
    explicit XWindows(const std::string& display) : display_(XOpenDisplay(display.c_str())) {}
    ~XWindows() {
        if (display_)
            XCloseDisplay(display_);
    }
    bool connected() const { return display_ != nullptr; }

    // A shown window with this title, or 0.
    Window shown(const std::string& title) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        Window found = 0;
        if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
            return 0;
        for (unsigned int i = 0; i < count && !found; ++i)
            if (isShown(children[i]) && titleOf(children[i]) == title)
                found = children[i];
        if (children)
            XFree(children);
        return found;
    }

    // Asks the window to close, as the close button of its frame does.
    void close(Window window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &event);
        XFlush(display_);
    }

private:
    bool isShown(Window window) {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display_, window, &attributes) &&
               attributes.map_state == IsViewable;
    }
    std::string titleOf(Window window) {
        XTextProperty property{};
        if (!XGetWMName(display_, window, &property) || !property.value)
            return {};
        std::string title(reinterpret_cast<const char*>(property.value), property.nitems);
        XFree(property.value);
        return title;
    }

    Display* display_;
};

class QtOnDemand : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vantrel-qt-demand-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        work_ = pattern;
        fs::create_directories(work_ / "run");
    }
    void TearDown() override { fs::remove_all(work_); }

    // The environment of a user's shell: with the display given, or none at all.
    std::vector<std::string> environment(const std::string& display = {}) const {
        std::vector<std::string> env{"PATH=/usr/bin:/bin", "HOME=" + work_.string(),
                                     "XDG_RUNTIME_DIR=" + (work_ / "run").string(),
                                     "ASAN_OPTIONS=detect_leaks=0"};
        if (!display.empty())
            env.push_back("DISPLAY=" + display);
        return env;
    }

    void startDisplay() {
        std::string problem;
        if (!xvfb_.start(problem))
            GTEST_SKIP() << problem;
        windows_ = std::make_unique<XWindows>(xvfb_.display());
        ASSERT_TRUE(windows_->connected());
    }

    // The simulated driver, listening but stopped, so that an exchange with it stays open
    // until it is continued.
    std::unique_ptr<Process> stoppedDriver() {
        auto driver =
            std::make_unique<Process>(std::vector<std::string>{VANTREL_SIMDRIVER, "--once"},
                                      environment(), makeFolder("driver"));
        EXPECT_TRUE(waitUntil([&] {
            return driver->output().find("listening on") != std::string::npos;
        })) << driver->errors();
        ::kill(driver->pid(), SIGSTOP);
        return driver;
    }

    fs::path makeFolder(const std::string& name) const {
        fs::create_directories(work_ / name);
        return work_ / name;
    }

    fs::path copyOfData(const std::string& name) const {
        fs::copy_file(fs::path(VANTREL_TEST_DATA) / "translate" / name, work_ / name);
        return work_ / name;
    }

    // Waits for a shown window of this title; notes whether Qt is mapped by then, closes it.
    bool closeWindow(const Process& program, const std::string& title, bool& qtMapped) {
        Window window = 0;
        if (!waitUntil([&] { return (window = windows_->shown(title)) != 0; }, 60s))
            return false;
        qtMapped = mapsQt(program.pid());
        windows_->close(window);
        return true;
    }

    fs::path work_;
    XvfbServer xvfb_;
    std::unique_ptr<XWindows> windows_;
};

// With no display, the device branch never loads Qt: not while it waits on the driver.
TEST_F(QtOnDemand, DeviceBranchWithoutDisplayRunsWithoutQt) {
    const auto driver = stoppedDriver();
    const fs::path profile = copyOfData("fire.bpf");
    Process vantrel({VANTREL_EXE, profile.string()}, environment(), makeFolder("vantrel"));
    ASSERT_TRUE(waitUntil([&] { return waitsOnSocket(vantrel.pid()); })) << vantrel.errors();
    const std::vector<std::string> files = mappedFiles(vantrel.pid());
    ASSERT_FALSE(files.empty()) << "no maps to read";
    for (const std::string& file : files)
        EXPECT_EQ(file.find("libQt6"), std::string::npos) << file;

    ::kill(driver->pid(), SIGCONT);
    EXPECT_EQ(vantrel.wait(60s), 0) << vantrel.errors();
    EXPECT_NE(vantrel.errors().find("Profile load complete."), std::string::npos)
        << vantrel.errors();
    EXPECT_EQ(driver->wait(10s), 0);
}

// With a display, the exchange runs in the editor program, and its "Device Query" box shows
// the log there, not on stderr.
TEST_F(QtOnDemand, DeviceBranchWithDisplayShowsItsBox) {
    startDisplay();
    const auto driver = stoppedDriver();
    const fs::path profile = copyOfData("fire.bpf");
    Process vantrel({VANTREL_EXE, profile.string()}, environment(xvfb_.display()),
                    makeFolder("vantrel"));
    ASSERT_TRUE(waitUntil([&] { return waitsOnSocket(vantrel.pid()); })) << vantrel.errors();

    ::kill(driver->pid(), SIGCONT);
    bool qtMapped = false;
    ASSERT_TRUE(closeWindow(vantrel, "Device Query", qtMapped)) << vantrel.errors();
    EXPECT_TRUE(qtMapped);
    EXPECT_EQ(vantrel.wait(60s), 0) << vantrel.errors();
    EXPECT_EQ(vantrel.errors().find("Profile load complete."), std::string::npos)
        << vantrel.errors();
    EXPECT_EQ(driver->wait(10s), 0);
}

// A translation error with a display is shown in its box, which loads Qt; the exit status
// and the absent device file are as without a display.
TEST_F(QtOnDemand, TranslationErrorShowsItsBox) {
    startDisplay();
    const fs::path profile = copyOfData("broken-no-closing-line.vtp");
    Process vantrel({VANTREL_EXE, profile.string()}, environment(xvfb_.display()),
                    makeFolder("vantrel"));
    bool qtMapped = false;
    ASSERT_TRUE(closeWindow(vantrel, "Profile error.", qtMapped)) << vantrel.errors();
    EXPECT_TRUE(qtMapped);
    EXPECT_EQ(vantrel.wait(60s), 1);
    EXPECT_EQ(vantrel.errors().find("no closing line"), std::string::npos) << vantrel.errors();
    EXPECT_FALSE(fs::exists(work_ / "broken-no-closing-line.bpf"));
}

// A translation with nothing to report shows nothing, so even with a display it is done
// without the editor program: a copy of vantrel with none beside it writes the device file
// and says nothing.
TEST_F(QtOnDemand, CleanTranslationWithDisplayNeedsNoEditorProgram) {
    startDisplay();
    const fs::path program = makeFolder("bin") / "vantrel";
    fs::copy_file(VANTREL_EXE, program);
    const fs::path profile = copyOfData("fire.vtp");
    Process translate({program.string(), profile.string()}, environment(xvfb_.display()),
                      makeFolder("translate"));
    EXPECT_EQ(translate.wait(60s), 0) << translate.errors();
    EXPECT_EQ(translate.errors(), "");
    std::ifstream written(work_ / "fire.bpf", std::ios::binary);
    std::ifstream expected(fs::path(VANTREL_TEST_DATA) / "translate" / "fire.bpf",
                           std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}),
              std::string(std::istreambuf_iterator<char>(expected), {}));
}

// The editor branch with a display opens its window and ends when it closes.
TEST_F(QtOnDemand, EditorOpensWithDisplay) {
    startDisplay();
    Process vantrel({VANTREL_EXE}, environment(xvfb_.display()), makeFolder("vantrel"));
    bool qtMapped = false;
    ASSERT_TRUE(closeWindow(vantrel, "Vantrel Generator", qtMapped)) << vantrel.errors();
    EXPECT_TRUE(qtMapped);
    EXPECT_EQ(vantrel.wait(60s), 0) << vantrel.errors();
}

// A program whose editor program is missing says so in one line and keeps every message on
// stderr, with the exit status of the branch; the editor branch fails with the same line.
TEST_F(QtOnDemand, MissingEditorProgramKeepsTheMessagesOnStderr) {
    startDisplay();
    const fs::path program = makeFolder("bin") / "vantrel";
    fs::copy_file(VANTREL_EXE, program);
    const fs::path profile = copyOfData("broken-no-closing-line.vtp");

    Process translate({program.string(), profile.string()}, environment(xvfb_.display()),
                      makeFolder("translate"));
    EXPECT_EQ(translate.wait(60s), 1);
    const std::string errors = translate.errors();
    EXPECT_NE(errors.find("vantrel: no window can be shown: vantrel-editor is neither in "),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("Profile error.: Line 5: The axis chain Gear has no closing line.\n"),
              std::string::npos)
        << errors;

    Process editor({program.string()}, environment(xvfb_.display()), makeFolder("editor"));
    EXPECT_EQ(editor.wait(60s), 1);
    EXPECT_NE(editor.errors().find("vantrel: no window can be shown: "), std::string::npos)
        << editor.errors();
}

// An editor program that is there but cannot be started (a damaged file) is named with the
// system's reason, and the messages still reach stderr.
TEST_F(QtOnDemand, DamagedEditorProgramKeepsTheMessagesOnStderr) {
    startDisplay();
    const fs::path program = makeFolder("bin") / "vantrel";
    fs::copy_file(VANTREL_EXE, program);
    const fs::path editor = program.parent_path() / "vantrel-editor";
    std::ofstream(editor) << "not a program\n";
    fs::permissions(editor, fs::perms::owner_all);
    const fs::path profile = copyOfData("broken-no-closing-line.vtp");

    Process translate({program.string(), profile.string()}, environment(xvfb_.display()),
                      makeFolder("translate"));
    EXPECT_EQ(translate.wait(60s), 1);
    const std::string errors = translate.errors();
    EXPECT_NE(errors.find("vantrel: no window can be shown: " + editor.string() +
                          ": Exec format error\n"),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("Profile error.: Line 5: The axis chain Gear has no closing line.\n"),
              std::string::npos)
        << errors;
}

} // namespace
} // namespace vantrel::test

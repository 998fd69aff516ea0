#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/ConsoleStart.h"
#include "app/StartOptions.h"
#include "editor/EditorWindow.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtMessagePresenter.h"

#include <QApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>

namespace vantrel {
namespace {

bool isWindowlessPlatform(std::string_view name) {
    return name.starts_with("offscreen") || name.starts_with("minimal");
}

#ifndef _WIN32
// Whether any entry of a ';'-separated platform list is windowless.
bool listsWindowlessPlatform(std::string_view list) {
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(';'), list.size());
        if (isWindowlessPlatform(list.substr(0, end)))
            return true;
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return false;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
#endif

} // namespace

bool displayAvailable() {
#ifdef _WIN32
    return true;
#else
    const std::string platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty())
        return !isWindowlessPlatform(platform);
    return !environment("DISPLAY").empty() || !environment("WAYLAND_DISPLAY").empty();
#endif
}

int runBranch(const std::string& raw, bool withWindows) {
    if (!withWindows)
        return runWithoutWindows(raw);
    if (const std::optional<int> status = runWindowlessBranch(pathFromCommandLine(raw)))
        return *status;
    EditorWindow window;
    window.exec();
    return 0;
}

int runApplication(int argc, char** argv) {
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    // Options run before Qt is touched: they need no window, nor a display.
    if (const std::optional<int> status = runStartOption(arguments))
        return *status;
    const std::string raw = processCommandLine(arguments);

    if (!displayAvailable())
        return runBranch(raw, false);

#ifndef _WIN32
    // A display that cannot be reached (a stale DISPLAY, or a platform asked for by name on
    // a machine without one) must not abort the program: Qt tries a ';' list in order, so
    // a windowless platform at its end is taken when nothing else starts, and that is then
    // treated as having no display.
    const std::string platforms = environment("QT_QPA_PLATFORM");
    if (platforms.empty())
        setenv("QT_QPA_PLATFORM", "xcb;wayland;offscreen", 1);
    else if (!listsWindowlessPlatform(platforms))
        setenv("QT_QPA_PLATFORM", (platforms + ";offscreen").c_str(), 1);
#endif
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication application(qtArgc, qtArgv);
    QApplication::setApplicationName("Vantrel");
    if (isWindowlessPlatform(QGuiApplication::platformName().toStdString()))
        return runBranch(raw, false);

    platform::QtMessagePresenter presenter;
    platform::ScopedMessagePresenter scoped(presenter);
    return runBranch(raw, true);
}

} // namespace vantrel

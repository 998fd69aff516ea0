#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/ConsoleStart.h"
#include "editor/EditorWindow.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtMessagePresenter.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdlib>

namespace vantrel {
namespace {

bool isWindowlessPlatform(std::string_view name) {
    return name.starts_with("offscreen") || name.starts_with("minimal");
}

#ifndef _WIN32
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
    const std::string raw = processCommandLine(arguments);

    if (!displayAvailable())
        return runBranch(raw, false);

#ifndef _WIN32
    // A stale DISPLAY must not abort the program: fall back to a windowless platform and
    // treat that as having no display.
    if (environment("QT_QPA_PLATFORM").empty())
        setenv("QT_QPA_PLATFORM", "xcb;wayland;offscreen", 1);
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

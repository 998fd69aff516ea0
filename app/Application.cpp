#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/ConsoleStart.h"
#include "editor/EditorProfileDocument.h"
#include "editor/EditorWindow.h"
#include "files/ProfileTextReader.h"
#include "platform/DiagnosticPresenter.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtMessagePresenter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <iostream>

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

void loadProfileIntoEditor(EditorWindow& window, const std::string& path) {
    // Made whole, so the profile is saved back to this file; the name's bytes kept as given.
    const QFileInfo file(QFile::decodeName(path.c_str()));
    window.setProfileSaved(true);
    window.setProfilePath(
        QFile::encodeName(QDir::toNativeSeparators(file.absoluteFilePath())).toStdString());
    EditorProfileDocument document(window);
    platform::PresentingDiagnosticSink diagnostics;
    readProfileText(document, diagnostics);
}

int runBranch(const StartPlan& plan, bool withWindows) {
    if (plan.branch != StartBranch::Editor)
        return runWindowlessBranch(plan.path).value_or(0);
    if (!withWindows)
        return explainWhyNoWindowOpens();
    EditorWindow window;
    if (!plan.path.empty())
        loadProfileIntoEditor(window, plan.path);
    window.exec();
    return 0;
}

int runApplication(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const StartPlan plan = planProcessStart(arguments);
    // Options run before Qt is touched: they need no window, nor a display.
    if (const std::optional<int> status = runPrintingOption(plan))
        return *status;

    if (!displayAvailable())
        return runBranch(plan, false);

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
        return runBranch(plan, false);

    platform::QtMessagePresenter presenter;
    platform::ScopedMessagePresenter scoped(presenter);
    return runBranch(plan, true);
}

} // namespace vantrel

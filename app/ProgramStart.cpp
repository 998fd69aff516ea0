#include "app/ProgramStart.h"

#include "app/CommandLine.h"
#include "app/ConsoleStart.h"
#include "app/GuiSession.h"
#include "app/LoadingMessagePresenter.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace vantrel {
namespace {

#ifndef _WIN32
std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
#endif

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

} // namespace

bool isWindowlessPlatform(std::string_view name) {
    return name.starts_with("offscreen") || name.starts_with("minimal");
}

std::string platformsWithFallback(std::string_view requested) {
    if (requested.empty())
        return "xcb;wayland;offscreen";
    if (listsWindowlessPlatform(requested))
        return std::string(requested);
    return std::string(requested) + ";offscreen";
}

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

int runApplication(int argc, char** argv, GuiModuleSource& windows) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const StartPlan plan = planProcessStart(arguments);
    if (const std::optional<int> status = runPrintingOption(plan))
        return *status;
    if (!displayAvailable()) {
        if (plan.branch != StartBranch::Editor)
            return runWindowlessBranch(plan.path).value_or(0);
        return explainWhyNoWindowOpens(plan.option);
    }

    // The translation and the driver exchange run before Qt is loaded; their first message
    // box loads it.
    GuiSession session(windows, argc > 0 ? argv[0] : "vantrel");
    LoadingMessagePresenter presenter(session);
    platform::ScopedMessagePresenter scoped(presenter);
    if (plan.branch != StartBranch::Editor)
        return runWindowlessBranch(plan.path).value_or(0);
    GuiModule* gui = session.windows();
    if (!gui)
        return session.moduleMissing() ? 1 : explainWhyNoWindowOpens(plan.option);
    return gui->runEditor(plan.path);
}

} // namespace vantrel

#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/ConsoleStart.h"
#include "app/ProgramStart.h"
#include "editor/EditorWindow.h"
#include "platform/DiagnosticPresenter.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtMessagePresenter.h"
#include "widgets/ProgramStyle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace vantrel {
namespace {

// Qt on the display, started at the first message box or window, once, and ended with the
// run. Every message goes to a box once Qt is there, or to stderr where the display cannot
// be reached.
class DisplayOnDemand final : public platform::MessagePresenter {
public:
    explicit DisplayOnDemand(std::string programPath) : programPath_(std::move(programPath)) {}

    // Starts Qt the first time; false when the display cannot be reached.
    bool open() {
        if (!application_) {
#ifndef _WIN32
            // A display that cannot be reached (a stale DISPLAY, or a platform asked for by
            // name on a machine without one) must not abort the program: Qt then takes the
            // windowless platform at the end of the list, which counts as no display.
            const char* requested = std::getenv("QT_QPA_PLATFORM");
            setenv("QT_QPA_PLATFORM", platformsWithFallback(requested ? requested : "").c_str(), 1);
#endif
            argv_[0] = programPath_.data();
            application_ = std::make_unique<QApplication>(argc_, argv_);
            QApplication::setApplicationName("Vantrel");
            useProgramStyle();
            reachable_ = !isWindowlessPlatform(QGuiApplication::platformName().toStdString());
        }
        return reachable_;
    }

    platform::MessageAnswer present(const platform::Message& message) override {
        if (open())
            return boxes_.present(message);
        return console_.present(message);
    }

private:
    std::string programPath_;
    int argc_ = 1;
    char* argv_[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> application_;
    bool reachable_ = false;
    platform::QtMessagePresenter boxes_;
    platform::ConsoleMessagePresenter console_;
};

} // namespace

void loadProfileIntoEditor(EditorWindow& window, const std::string& path) {
    // Made whole, so the profile is saved back to this file; the name's bytes kept as given.
    const QFileInfo file(QFile::decodeName(path.c_str()));
    platform::PresentingDiagnosticSink diagnostics;
    window.openProfile(
        QFile::encodeName(QDir::toNativeSeparators(file.absoluteFilePath())).toStdString(),
        diagnostics);
}

int runApplication(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const StartPlan plan = planProcessStart(arguments);
    if (const std::optional<int> status = runPrintingOption(plan))
        return *status;
    if (!displayAvailable())
        return runWithoutWindows(plan);

    // The translation and the driver exchange run before Qt starts; their first message box
    // starts it.
    DisplayOnDemand display(argc > 0 ? argv[0] : "vantrel");
    platform::ScopedMessagePresenter scoped(display);
    if (plan.branch != StartBranch::Editor)
        return runWithoutWindows(plan);
    if (!display.open())
        return explainWhyNoWindowOpens(plan.option);
    EditorWindow window;
    if (!plan.path.empty())
        loadProfileIntoEditor(window, plan.path);
    window.exec();
    return 0;
}

} // namespace vantrel

#include "app/Application.h"

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

namespace vantrel {
namespace {

class QtGuiModule final : public GuiModule {
public:
    bool openDisplay(const std::string& programPath) override {
        if (!application_) {
#ifndef _WIN32
            // A display that cannot be reached (a stale DISPLAY, or a platform asked for by
            // name on a machine without one) must not abort the program: Qt then takes the
            // windowless platform at the end of the list, which counts as no display.
            const char* requested = std::getenv("QT_QPA_PLATFORM");
            setenv("QT_QPA_PLATFORM", platformsWithFallback(requested ? requested : "").c_str(), 1);
#endif
            programPath_ = programPath;
            argv_[0] = programPath_.data();
            application_ = std::make_unique<QApplication>(argc_, argv_);
            QApplication::setApplicationName("Vantrel");
            useProgramStyle();
        }
        return !isWindowlessPlatform(QGuiApplication::platformName().toStdString());
    }

    platform::MessageAnswer present(const platform::Message& message) override {
        return presenter_.present(message);
    }

    int runEditor(const std::string& profilePath) override {
        // The editor's own boxes go through this copy of the presenter seam.
        platform::ScopedMessagePresenter scoped(presenter_);
        EditorWindow window;
        if (!profilePath.empty())
            loadProfileIntoEditor(window, profilePath);
        window.exec();
        return 0;
    }

    void closeDisplay() override {
        application_.reset();
    }

private:
    std::string programPath_;
    int argc_ = 1;
    char* argv_[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> application_;
    platform::QtMessagePresenter presenter_;
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

GuiModule& qtGuiModule() {
    static QtGuiModule module;
    return module;
}

} // namespace vantrel

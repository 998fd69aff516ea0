#pragma once

#include "platform/qt/Desktop.h"

#include <deque>
#include <functional>
#include <vector>

namespace vantrel::platform {

// For tests: answers from queues and records what was asked. A queued modal answer is a
// function that works the dialog's real widgets (types a name, clicks OK) and returns the
// result; with none queued the dialog is rejected, as if the user pressed Escape.
class ScriptedDesktop : public Desktop {
public:
    using ModalScript = std::function<int(QDialog&)>;

    QString openFileName(QWidget* owner, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* owner, const FileDialogRequest& request) override;
    bool openUrl(const QUrl& url) override;
    int runModal(QDialog& dialog) override;

    void queueFileName(const QString& path) { fileNames_.push_back(path); }
    void queueModal(ModalScript script) { modalScripts_.push_back(std::move(script)); }

    const std::vector<FileDialogRequest>& fileRequests() const { return fileRequests_; }
    const std::vector<QUrl>& openedUrls() const { return openedUrls_; }
    const std::vector<QString>& modalTitles() const { return modalTitles_; }

private:
    QString nextFileName(const FileDialogRequest& request);

    std::deque<QString> fileNames_;
    std::deque<ModalScript> modalScripts_;
    std::vector<FileDialogRequest> fileRequests_;
    std::vector<QUrl> openedUrls_;
    std::vector<QString> modalTitles_;
};

} // namespace vantrel::platform

#include "support/ScriptedDesktop.h"

#include <QWidget>

namespace vantrel::platform {

QString ScriptedDesktop::nextFileName(const FileDialogRequest& request) {
    fileRequests_.push_back(request);
    if (fileNames_.empty())
        return {};
    QString path = fileNames_.front();
    fileNames_.pop_front();
    return path;
}

QString ScriptedDesktop::openFileName(QWidget*, const FileDialogRequest& request) {
    return nextFileName(request);
}

QString ScriptedDesktop::saveFileName(QWidget*, const FileDialogRequest& request) {
    return nextFileName(request);
}

bool ScriptedDesktop::openUrl(const QUrl& url) {
    openedUrls_.push_back(url);
    return true;
}

int ScriptedDesktop::runModal(QDialog& dialog) {
    modalTitles_.push_back(dialog.windowTitle());
    if (modalScripts_.empty())
        return QDialog::Rejected;
    ModalScript script = std::move(modalScripts_.front());
    modalScripts_.pop_front();
    // Shown (not exec'd) so that focus, typing and clicks reach the real widgets.
    dialog.show();
    const int result = script(dialog);
    dialog.hide();
    return result;
}

} // namespace vantrel::platform

#include "platform/qt/Desktop.h"

#include <QDesktopServices>
#include <QFileDialog>

namespace vantrel::platform {
namespace {

Desktop* installed = nullptr;

QString runFileDialog(QWidget* owner, const FileDialogRequest& request, bool saving) {
    QFileDialog dialog(owner, request.title);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

Desktop& desktop() {
    static QtDesktop real;
    return installed ? *installed : real;
}

void installDesktop(Desktop* desktop) {
    installed = desktop;
}

QString QtDesktop::openFileName(QWidget* owner, const FileDialogRequest& request) {
    return runFileDialog(owner, request, false);
}

QString QtDesktop::saveFileName(QWidget* owner, const FileDialogRequest& request) {
    return runFileDialog(owner, request, true);
}

bool QtDesktop::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

int QtDesktop::runModal(QDialog& dialog) {
    return dialog.exec();
}

} // namespace vantrel::platform

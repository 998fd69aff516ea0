#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace vantrel::platform {

// What a file dialog is asked to show.
struct FileDialogRequest {
    QString title;
    QStringList filters;   // "Vantrel Files (*.vtp)", "All Files (*.*)"
    QString defaultSuffix; // "vtp", or empty
    bool confirmOverwrite = false;

    bool operator==(const FileDialogRequest&) const = default;
};

// Everything else the user or the desktop answers: file dialogs, opening a file or web page
// with the shell, and running a dialog modally. Tests install a scripted stand-in
// (tests/support/ScriptedDesktop.h).
class Desktop {
public:
    virtual ~Desktop() = default;
    // The chosen full path, or an empty text when the dialog was cancelled.
    virtual QString openFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual QString saveFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    // Opens a file or address with the desktop's handler; false when that failed.
    virtual bool openUrl(const QUrl& url) = 0;
    // Runs the dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int runModal(QDialog& dialog) = 0;
};

Desktop& desktop();
// Installs a desktop (not owned); nullptr goes back to the real one.
void installDesktop(Desktop* desktop);

class QtDesktop : public Desktop {
public:
    QString openFileName(QWidget* owner, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* owner, const FileDialogRequest& request) override;
    bool openUrl(const QUrl& url) override;
    int runModal(QDialog& dialog) override;
};

} // namespace vantrel::platform

#include "platform/qt/QtMessagePresenter.h"

#include <QMessageBox>
#include <QWidget>

namespace vantrel::platform {

MessageAnswer QtMessagePresenter::present(const Message& message) {
    auto* owner = static_cast<QWidget*>(const_cast<void*>(message.owner));
    QMessageBox box(owner);
    box.setTextFormat(Qt::PlainText);
    // Texts hold paths and names as UTF-8, as the program keeps them; the local 8-bit code
    // page of Windows would show their other letters wrongly.
    box.setWindowTitle(QString::fromUtf8(message.title));
    box.setText(QString::fromUtf8(message.text));
    switch (message.buttons) {
    case MessageButtons::Ok:
        box.setIcon(message.icon == MessageIcon::Information ? QMessageBox::Information
                                                             : QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        break;
    }
    return message.buttons == MessageButtons::Ok      ? MessageAnswer::Ok
           : message.buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                      : MessageAnswer::Cancel;
}

} // namespace vantrel::platform

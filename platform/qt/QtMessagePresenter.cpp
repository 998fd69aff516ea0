#include "platform/qt/QtMessagePresenter.h"

#include <QMessageBox>
#include <QWidget>

namespace vantrel::platform {

MessageAnswer QtMessagePresenter::present(const Message& message) {
    auto* owner = static_cast<QWidget*>(const_cast<void*>(message.owner));
    QMessageBox box(owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowTitle(QString::fromLocal8Bit(message.title));
    box.setText(QString::fromLocal8Bit(message.text));
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

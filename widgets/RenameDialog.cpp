#include "widgets/RenameDialog.h"

#include "platform/qt/ByteText.h"
#include "platform/qt/Desktop.h"
#include "platform/qt/ScreenPlacement.h"
#include "profile/Script.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

RenameDialog::RenameDialog(QWidget* parent)
    : QDialog(parent), nameBox_(new platform::ByteLineEdit), okButton_(new QPushButton(tr("OK"))),
      cancelButton_(new QPushButton(tr("Cancel"))) {
    setWindowTitle(tr("Rename"));
    setObjectName("renameDialog");

    nameBox_->setObjectName("renameNameBox");
    nameBox_->setAccessibleName(tr("New name"));
    nameBox_->installEventFilter(this);
    okButton_->setObjectName("renameOkButton");
    okButton_->setAccessibleName(tr("OK"));
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    cancelButton_->setObjectName("renameCancelButton");
    cancelButton_->setAccessibleName(tr("Cancel"));
    cancelButton_->setAutoDefault(false);

    auto* frame = new QGroupBox(tr("RENAME"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(nameBox_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    nameBox_->setMinimumWidth(fontMetrics().averageCharWidth() * 32);

    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, nameBox_);

    connect(okButton_, &QPushButton::clicked, this, &RenameDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &RenameDialog::reject);
    platform::keepOnScreenWhenShown(*this);
}

void RenameDialog::setName(const QString& name) {
    setNameBytes(name.toStdString());
}

QString RenameDialog::name() const {
    return platform::displayText(name_);
}

void RenameDialog::setNameBytes(std::string name) {
    name_ = std::move(name);
    nameBox_->setBytes(name_);
}

void RenameDialog::cutNameBox() {
    const std::string typed = nameBox_->bytes();
    const std::string cut = cutAndTrim(typed, kRenameCutSet);
    if (cut != typed)
        nameBox_->setBytes(cut);
}

void RenameDialog::accept() {
    // Enter accepts straight from the box, before it has lost the focus: cut here as well.
    cutNameBox();
    name_ = nameBox_->bytes();
    QDialog::accept();
}

bool RenameDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameBox_ && event->type() == QEvent::FocusOut)
        cutNameBox();
    return QDialog::eventFilter(watched, event);
}

void RenameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Enter right away accepts the name unchanged.
    okButton_->setFocus(Qt::OtherFocusReason);
}

void askForNewName(QWidget* parent, const std::string& current,
                   const std::function<bool(const std::string&)>& tryName) {
    for (;;) {
        RenameDialog dialog(parent);
        dialog.setNameBytes(current);
        if (platform::desktop().runModal(dialog) != QDialog::Accepted ||
            tryName(dialog.nameBytes()))
            return;
    }
}

} // namespace vantrel

#include "editor/AboutBox.h"

#include "platform/qt/ScreenPlacement.h"
#include "widgets/DialogUnits.h"
#include "widgets/PictureLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("About Vantrel"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    useDialogFont(*this);

    auto* logo = makePictureLabel(this, QStringLiteral(":/logo.svg"), QSize(198, 55));
    logo->setObjectName(QStringLiteral("aboutLogo"));
    logo->setAccessibleName(QStringLiteral("Vantrel logo"));
    auto* version = new QLabel(QStringLiteral("version 1.01"), this);
    version->setObjectName(QStringLiteral("aboutVersionLabel"));
    version->setAlignment(Qt::AlignCenter);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOkButton"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    layout->addWidget(version);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
    platform::keepOnScreenWhenShown(*this);
}

} // namespace vantrel

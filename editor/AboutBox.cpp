#include "editor/AboutBox.h"

#include "platform/qt/Desktop.h"
#include "platform/qt/ScreenPlacement.h"
#include "widgets/DialogUnits.h"
#include "widgets/PictureLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vantrel {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("About Vantrel"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    useDialogFont(*this);

    auto* logo = makePictureLabel(this, QStringLiteral(":/pictures/logo.png"));
    logo->setObjectName(QStringLiteral("aboutLogo"));
    logo->setAccessibleName(QStringLiteral("Vantrel logo"));
    auto* version = new QLabel(QStringLiteral("version 1.01"), this);
    version->setObjectName(QStringLiteral("aboutVersionLabel"));
    version->setAlignment(Qt::AlignCenter);
    auto* licence = new QLabel(QStringLiteral("Copyright (C) 2026 The Vantrel developers\n"
                                              "Licensed under the GNU General Public License,\n"
                                              "version 3 or later. There is NO WARRANTY."),
                               this);
    licence->setObjectName(QStringLiteral("aboutLicenceLabel"));
    licence->setAlignment(Qt::AlignCenter);
    const QString address = QStringLiteral(VANTREL_HOMEPAGE);
    auto* homePage =
        new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()), this);
    homePage->setObjectName(QStringLiteral("aboutHomePageLink"));
    homePage->setAccessibleName(QStringLiteral("Home page"));
    homePage->setAlignment(Qt::AlignCenter);
    homePage->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(homePage, &QLabel::linkActivated, this,
            [](const QString& link) { platform::desktop().openUrl(QUrl(link)); });
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
    layout->addWidget(licence);
    layout->addWidget(homePage);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
    platform::keepOnScreenWhenShown(*this);
}

} // namespace vantrel

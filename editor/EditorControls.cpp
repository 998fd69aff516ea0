#include "editor/EditorControls.h"

#include "platform/qt/ByteText.h"
#include "widgets/PictureLabel.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {
namespace {

QPushButton* makeButton(QWidget* parent, const char* label, const char* objectName,
                        const char* accessibleName, bool enabled) {
    auto* button = new QPushButton(QString::fromUtf8(label), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAccessibleName(QString::fromUtf8(accessibleName));
    button->setEnabled(enabled);
    return button;
}

} // namespace

EditorControls EditorControls::build(QDialog& window) {
    // The editor is laid out in a 9-point fixed-pitch font.
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    courier.setPointSize(9);
    if (!QFontInfo(courier).fixedPitch()) {
        courier = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        courier.setPointSize(9);
    }
    window.setFont(courier);

    EditorControls c;
    QDialog* const self = &window;
    // The menu bar stays in the window, whose fixed height counts it, on desktops with a
    // global menu as well; nor does it ask the session bus for one while the window is built.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    c.menuBar = new QMenuBar(self);
    c.menuBar->setObjectName("menuBar");
    c.menuBar->setAccessibleName("Menu bar");

    auto* scriptLabel = new QLabel("SCRIPT:", self);
    c.scriptBox = new platform::ByteLineEdit(self);
    c.scriptBox->setObjectName("scriptBox");
    c.scriptBox->setAccessibleName("Script");
    scriptLabel->setBuddy(c.scriptBox);
    c.scriptUpdateButton =
        makeButton(self, "&Update", "scriptUpdateButton", "Update script", false);
    c.scriptAddButton = makeButton(self, "&Add", "scriptAddButton", "Add script", false);

    auto* scriptGroup = new QGroupBox("SCRIPT LIST:", self);
    c.scriptList = new QListView(scriptGroup);
    c.scriptList->setObjectName("scriptList");
    c.scriptList->setAccessibleName("Script list");
    c.scriptList->setUniformItemSizes(true);
    c.scriptList->setSelectionMode(QAbstractItemView::SingleSelection);
    c.scriptList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.scriptList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    c.scriptDuplicateButton =
        makeButton(scriptGroup, "D&uplicate", "scriptDuplicateButton", "Duplicate script", false);
    c.scriptClearAllButton =
        makeButton(scriptGroup, "&Clear All", "scriptClearAllButton", "Clear all scripts", true);
    c.scriptDeleteButton =
        makeButton(scriptGroup, "&Delete", "scriptDeleteButton", "Delete script", false);

    auto* modeGroup = new QGroupBox("PROGRAMMING MODES", self);
    c.modeNameBox = new platform::ByteLineEdit(modeGroup);
    c.modeNameBox->setObjectName("modeNameBox");
    c.modeNameBox->setAccessibleName("Mode name");
    c.modeList = new QListView(modeGroup);
    c.modeList->setObjectName("modeList");
    c.modeList->setAccessibleName("Mode list");
    c.modeList->setSelectionMode(QAbstractItemView::SingleSelection);
    c.modeList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.modeList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c.modeCreateButton =
        makeButton(modeGroup, "C&reate Mode", "modeCreateButton", "Create mode", true);
    c.modeRenameButton = makeButton(modeGroup, "&Rename", "modeRenameButton", "Rename mode", false);
    c.modeDuplicateButton =
        makeButton(modeGroup, "Du&plicate", "modeDuplicateButton", "Duplicate mode", false);
    c.modeSetDefaultButton = makeButton(modeGroup, "S&et as Default", "modeSetDefaultButton",
                                        "Set mode as default", false);
    c.modeDeleteButton = makeButton(modeGroup, "D&elete", "modeDeleteButton", "Delete mode", false);

    auto* panelGroup = new QGroupBox("ASSIGNMENT PANELS", self);
    c.joystickButton =
        makeButton(panelGroup, "Joystick", "joystickButton", "Show stick panel", false);
    c.throttleButton =
        makeButton(panelGroup, "Throttle", "throttleButton", "Show throttle panel", false);
    c.axisButton = makeButton(panelGroup, "Axis", "axisButton", "Show axis panel", false);

    QLabel* logo = makePictureLabel(self, QStringLiteral(":/pictures/logo.png"));
    logo->setObjectName("logoPicture");
    logo->setAccessibleName("Vantrel logo");

    auto* statusGroup = new QGroupBox("STATUS MESSAGE:", self);
    c.statusBox = new platform::ByteLineEdit(statusGroup);
    c.statusBox->setObjectName("statusBox");
    c.statusBox->setAccessibleName("Status message");
    c.statusBox->setReadOnly(true);

    // SCRIPT box across the top, Update and Add under its right end.
    auto* scriptRow = new QHBoxLayout;
    scriptRow->addWidget(scriptLabel);
    scriptRow->addWidget(c.scriptBox, 1);
    auto* scriptButtons = new QHBoxLayout;
    scriptButtons->addStretch(1);
    scriptButtons->addWidget(c.scriptUpdateButton);
    scriptButtons->addWidget(c.scriptAddButton);

    auto* scriptListLayout = new QGridLayout(scriptGroup);
    scriptListLayout->addWidget(c.scriptList, 0, 0, 1, 2);
    scriptListLayout->addWidget(c.scriptDuplicateButton, 1, 0);
    scriptListLayout->addWidget(c.scriptClearAllButton, 1, 1);
    scriptListLayout->addWidget(c.scriptDeleteButton, 2, 0);

    auto* modeLeft = new QVBoxLayout;
    modeLeft->addWidget(c.modeNameBox);
    modeLeft->addWidget(c.modeList, 1);
    auto* modeButtons = new QVBoxLayout;
    for (QPushButton* button : {c.modeCreateButton, c.modeRenameButton, c.modeDuplicateButton,
                                c.modeSetDefaultButton, c.modeDeleteButton})
        modeButtons->addWidget(button);
    modeButtons->addStretch(1);
    auto* modeLayout = new QHBoxLayout(modeGroup);
    modeLayout->addLayout(modeLeft, 1);
    modeLayout->addLayout(modeButtons);

    auto* panelLayout = new QHBoxLayout(panelGroup);
    panelLayout->addWidget(c.joystickButton);
    panelLayout->addWidget(c.throttleButton);
    panelLayout->addWidget(c.axisButton);

    auto* right = new QVBoxLayout;
    right->addWidget(modeGroup, 1);
    right->addWidget(panelGroup);
    right->addWidget(logo, 0, Qt::AlignHCenter);

    auto* middle = new QHBoxLayout;
    middle->addWidget(scriptGroup, 1);
    middle->addLayout(right, 1);

    auto* statusLayout = new QVBoxLayout(statusGroup);
    statusLayout->addWidget(c.statusBox);

    auto* layout = new QVBoxLayout(self);
    layout->setMenuBar(c.menuBar);
    layout->addLayout(scriptRow);
    layout->addLayout(scriptButtons);
    layout->addLayout(middle, 1);
    layout->addWidget(statusGroup);
    return c;
}

} // namespace vantrel

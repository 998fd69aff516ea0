#include "panels/AxisPanelControls.h"

#include "panels/NumberSpinBox.h"
#include "platform/qt/ByteText.h"
#include "profile/AxisChain.h"
#include "profile/SlotTable.h"
#include "widgets/DialogUnits.h"
#include "widgets/PictureLabel.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QVBoxLayout>

#include <chrono>
#include <vector>

namespace vantrel {
namespace {

// Button texts of the six axes, in the order of the axis slots.
constexpr std::array<const char*, 6> kAxisButtonTexts{
    "X >>", "Y >>", "Z (Throttle) >>", "R (Rudder) >>", "Rotary 1 >>", "Rotary 2 >>"};

// "XAxis" -> "xAxis", "R1Axis" -> "r1Axis".
QString lowerFirst(std::string_view name) {
    QString text = QString::fromLatin1(name.data(), static_cast<int>(name.size()));
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

QPushButton* makeButton(const QString& text, const QString& objectName) {
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    QString accessible = text;
    accessible.remove('&');
    button->setAccessibleName(accessible);
    return button;
}

template <typename Box = QLineEdit>
Box* makeBox(const QString& objectName, const QString& accessibleName) {
    auto* box = new Box;
    box->setObjectName(objectName);
    box->setAccessibleName(accessibleName);
    return box;
}

// A number box with its spin arrows; the spin box takes the focus for its box.
NumberSpinBox* makeNumberSpin(const QString& name, const QString& accessibleName) {
    auto* spin = makeBox<NumberSpinBox>(name + "Spin", accessibleName);
    spin->box()->setObjectName(name + "Box");
    spin->box()->setAccessibleName(accessibleName);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

// The width that leaves the box of a spin box this wide for its text, beside the arrows.
int spinWidthFor(const QAbstractSpinBox& spin, int boxWidth) {
    QStyleOptionSpinBox option;
    option.initFrom(&spin);
    option.rect = QRect(0, 0, 4 * boxWidth, spin.sizeHint().height());
    option.subControls = QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp;
    const QRect field =
        spin.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField);
    return boxWidth + option.rect.width() - field.width();
}

} // namespace

AxisPanelControls AxisPanelControls::build(QDialog& panel, QObject* boxFilter) {
    AxisPanelControls c;
    c.modeBox =
        makeBox<platform::ByteLineEdit>("activeModeBox", QObject::tr("Active Programming Mode"));
    c.modeBox->setReadOnly(true);
    c.closeButton = makeButton(QObject::tr("&Close"), "panelCloseButton");

    c.picture = makePictureLabel(&panel, QStringLiteral(":/pictures/axes.png"));
    c.picture->setObjectName("axesPicture");
    c.picture->setAccessibleName(QObject::tr("The device's axes"));

    auto* modeLabel = new QLabel(QObject::tr("Active Programming Mode:"));
    modeLabel->setBuddy(c.modeBox);
    auto* top = new QGridLayout;
    top->addWidget(modeLabel, 0, 0, 1, 2);
    top->addWidget(c.modeBox, 1, 0);
    top->addWidget(c.closeButton, 1, 1);
    c.modeBox->setMinimumWidth(dialogUnitsToPixels(panel, 110, 0).width());

    top->setVerticalSpacing(1);
    top->setColumnStretch(2, 1);

    // The label stays on its box and the picture under them; room to spare goes between the
    // picture and the axis group at the foot.
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(c.picture, 0, Qt::AlignHCenter);
    left->addStretch(1);
    left->addWidget(c.buildAxisGroup(boxFilter));

    auto* layout = new QHBoxLayout(&panel);
    layout->addLayout(left);
    layout->addWidget(c.buildChainGroup(panel, boxFilter), 1);
    return c;
}

QWidget* AxisPanelControls::buildChainGroup(QDialog& panel, QObject* boxFilter) {
    AxisPanelControls& c = *this;
    auto* group = new QGroupBox(QObject::tr("CHAIN CONSTRUCTION"));
    const int boxWidth = dialogUnitsToPixels(panel, 40, 0).width();

    c.nameBox = makeBox<platform::ByteLineEdit>("chainNameBox", QObject::tr("Chain name"));
    c.chainList = new QListWidget;
    c.chainList->setObjectName("chainList");
    c.chainList->setAccessibleName(QObject::tr("Axis chains"));
    c.chainList->setSelectionMode(QAbstractItemView::SingleSelection);
    c.addChainButton = makeButton(QObject::tr("&Add"), "chainAddButton");
    c.renameButton = makeButton(QObject::tr("&Rename"), "chainRenameButton");
    c.duplicateButton = makeButton(QObject::tr("&Duplicate"), "chainDuplicateButton");
    c.deleteButton = makeButton(QObject::tr("D&elete"), "chainDeleteButton");

    c.groupList = new QListWidget;
    c.groupList->setObjectName("breakpointList");
    c.groupList->setAccessibleName(QObject::tr("Breakpoints"));
    c.groupList->setSelectionMode(QAbstractItemView::SingleSelection);
    c.clearButton = makeButton(QObject::tr("&Clear"), "breakpointClearButton");
    c.removeButton = makeButton(QObject::tr("Re&move"), "breakpointRemoveButton");

    c.countSpin = makeNumberSpin("count", QObject::tr("Count"));
    c.countBox = c.countSpin->box();
    c.addGroupButton = makeButton(QObject::tr("A&dd"), "breakpointAddButton");
    c.startSpin = makeNumberSpin("start", QObject::tr("Start"));
    c.startBox = c.startSpin->box();
    c.increaseButton = makeButton(QObject::tr("Increase >>"), "increaseButton");
    c.increaseBox = makeBox<platform::ByteLineEdit>("increaseBox", QObject::tr("Increase script"));
    c.endSpin = makeNumberSpin("end", QObject::tr("End"));
    c.endBox = c.endSpin->box();
    c.decreaseButton = makeButton(QObject::tr("Decrease >>"), "decreaseButton");
    c.decreaseBox = makeBox<platform::ByteLineEdit>("decreaseBox", QObject::tr("Decrease script"));

    c.countSpin->setRange(0, kChainCapacity);
    const std::vector<NumberSpinBox::Acceleration> axisSteps{{std::chrono::seconds(0), 50},
                                                             {std::chrono::seconds(3), 1000}};
    for (NumberSpinBox* spin : {c.startSpin, c.endSpin}) {
        spin->setRange(kAxisMin, kAxisMax);
        spin->setAcceleration(axisSteps);
    }
    for (NumberSpinBox* spin : {c.countSpin, c.startSpin, c.endSpin}) {
        spin->setFixedWidth(spinWidthFor(*spin, boxWidth));
        spin->installEventFilter(boxFilter);
    }

    auto* layout = new QGridLayout(group);
    auto* chainButtons = new QVBoxLayout;
    for (QPushButton* button :
         {c.addChainButton, c.renameButton, c.duplicateButton, c.deleteButton})
        chainButtons->addWidget(button);
    chainButtons->addStretch();
    layout->addWidget(c.nameBox, 0, 0, 1, 5);
    layout->addWidget(c.chainList, 1, 0, 1, 5);
    layout->addLayout(chainButtons, 0, 5, 2, 2);

    auto* breakpointLabel = new QLabel(QObject::tr("BREAKPOINTS"));
    breakpointLabel->setBuddy(c.groupList);
    layout->addWidget(breakpointLabel, 2, 0, 1, 7);
    layout->addWidget(c.groupList, 3, 0, 1, 7);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(c.clearButton);
    listButtons->addWidget(c.removeButton);
    layout->addLayout(listButtons, 4, 0, 1, 7);

    const std::array<std::pair<QString, NumberSpinBox*>, 3> numberRows{
        std::pair{QObject::tr("Count"), c.countSpin}, std::pair{QObject::tr("Start:"), c.startSpin},
        std::pair{QObject::tr("End:"), c.endSpin}};
    for (int row = 0; row < 3; ++row) {
        auto [text, spin] = numberRows[row];
        auto* label = new QLabel(text);
        label->setBuddy(spin);
        layout->addWidget(label, 5 + row, 0);
        layout->addWidget(spin, 5 + row, 1, 1, 2);
    }
    layout->addWidget(c.addGroupButton, 5, 3);
    layout->addWidget(c.increaseButton, 6, 3);
    layout->addWidget(c.increaseBox, 6, 4, 1, 3);
    layout->addWidget(c.decreaseButton, 7, 3);
    layout->addWidget(c.decreaseBox, 7, 4, 1, 3);
    layout->setColumnStretch(4, 1);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(3, 1);
    return group;
}

QWidget* AxisPanelControls::buildAxisGroup(QObject* boxFilter) {
    AxisPanelControls& c = *this;
    auto* group = new QGroupBox(QObject::tr("AXIS ASSIGNMENTS"));
    auto* layout = new QGridLayout(group);
    const auto axisSlots = SlotTable::instance().group(SlotGroup::Axis);
    for (int i = 0; i < kAxisSlotCount; ++i) {
        const QString name = lowerFirst(axisSlots[i].name);
        const QString text = QObject::tr(kAxisButtonTexts[i]);
        c.axisButtons[i] = makeButton(text, name + "Button");
        c.axisBoxes[i] = makeBox<platform::ByteLineEdit>(name + "Box", text.chopped(3));
        c.axisBoxes[i]->installEventFilter(boxFilter);
        // X, Y and Z in the left column, R and the rotaries in the right.
        const int row = i % 3;
        const int column = (i / 3) * 2;
        layout->addWidget(c.axisButtons[i], row, column);
        layout->addWidget(c.axisBoxes[i], row, column + 1);
    }
    return group;
}

void AxisPanelControls::arrange(QDialog& panel) {
    // Dialog units of the window's own font, grown only where the controls cannot be fitted
    // in (the lists' preferred sizes would make it much taller than designed).
    const QSize designed = dialogUnitsToPixels(panel, 482, 302);
    panel.resize(designed.expandedTo(panel.minimumSizeHint()));
    QPoint origin = dialogPointToPixels(panel, 220, 40);
    if (panel.parentWidget())
        origin += panel.parentWidget()->window()->geometry().topLeft();
    panel.move(origin);
}

} // namespace vantrel

#include "panels/ButtonPanel.h"

#include "platform/qt/ByteText.h"
#include "platform/qt/ScreenPlacement.h"
#include "profile/SlotTable.h"
#include "widgets/DialogUnits.h"
#include "widgets/PictureLabel.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

namespace {

QString lowerFirst(QString name) {
    if (!name.isEmpty())
        name[0] = name[0].toLower();
    return name;
}

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

// Entering a box by the user's own doing empties it; getting the focus back because the
// window was re-activated, a popup closed or the program moved it does not.
bool userEnteredBox(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

// The box's place in the values, kept on the box for its focus handler.
const char* const kSlotIndex = "slotIndex";

} // namespace

ButtonPanel::ButtonPanel(const Look& look, EditedProfile& document, QWidget* parent)
    : QDialog(parent), look_(look),
      firstPosition_(SlotTable::instance().group(look.group).front().position), document_(document),
      boxes_(SlotTable::instance().group(look.group).size(), nullptr) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (look.minimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    setModal(false);
    setWindowTitle(look.title);
    setWindowIcon(programIcon());
    useDialogFont(*this);

    auto* modeLabel = new QLabel(QStringLiteral("Active Programming Mode:"), this);
    modeBox_ = new platform::ByteLineEdit(this);
    modeBox_->setObjectName(QStringLiteral("activeModeBox"));
    modeBox_->setAccessibleName(QStringLiteral("Active Programming Mode"));
    modeBox_->setReadOnly(true);
    modeBox_->setFixedWidth(dialogUnitsToPixels(*this, 90, 0).width());
    modeLabel->setBuddy(modeBox_);
    auto* closeButton = new QPushButton(QStringLiteral("&Close"), this);
    closeButton->setObjectName(QStringLiteral("panelCloseButton"));
    closeButton->setAccessibleName(QStringLiteral("Close"));
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(modeLabel);
    top->addWidget(modeBox_);
    top->addSpacing(dialogUnitsToPixels(*this, 8, 0).width());
    top->addWidget(closeButton);
    top->addStretch();

    auto* picture = makePictureLabel(this, look.picture);
    picture->setObjectName(lowerFirst(look.title.section(' ', 0, 0)) + QStringLiteral("Picture"));
    picture->setAccessibleName(look.title.section(' ', 0, 0) + QStringLiteral(" picture"));

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(picture, 0, Qt::AlignHCenter);
    left->addWidget(buildButtonGroup());
    left->addStretch();

    auto* right = new QVBoxLayout;
    for (const Control& control : controlsInDisplayOrder())
        if (control.group == look.group && control.isHat)
            right->addWidget(buildHatGroup(control));
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    const int margin = dialogUnitsToPixels(*this, 4, 0).width();
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(left);
    layout->addLayout(right);
    resize(dialogUnitsToPixels(*this, look.dialogSize.width(), look.dialogSize.height())
               .expandedTo(minimumSizeHint()));
    refresh(activeGroupValues(document_, look_.group));
}

QGroupBox* ButtonPanel::buildButtonGroup() {
    auto* group = new QGroupBox(QStringLiteral("BUTTON GROUP"), this);
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(1);
    grid->addWidget(new QLabel(QStringLiteral("(press)"), group), 0, 2, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("(release)"), group), 0, 3, Qt::AlignHCenter);
    int row = 1;
    for (const Control& control : controlsInDisplayOrder())
        if (control.group == look_.group && !control.isHat)
            addRow(*grid, row++, text(control.rowLabel), text(control.name));
    return group;
}

QGroupBox* ButtonPanel::buildHatGroup(const Control& hat) {
    auto* group = new QGroupBox(text(hat.rowLabel), this);
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(1);
    grid->addWidget(new QLabel(QStringLiteral("(press)"), group), 0, 2, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("(release)"), group), 0, 3, Qt::AlignHCenter);
    int row = 1;
    for (const HatDirection& direction : hatDirections())
        addRow(*grid, row++, text(direction.rowLabel), text(hat.name) + text(direction.name));
    return group;
}

void ButtonPanel::addRow(QGridLayout& grid, int row, const QString& label, const QString& control) {
    QWidget* owner = grid.parentWidget();
    const QSize buttonSize = dialogUnitsToPixels(*this, 24, 11);
    const QSize boxSize = dialogUnitsToPixels(*this, 62, 11);
    const QString where = static_cast<QGroupBox*>(owner)->title() + QLatin1Char(' ') + label;

    auto* rowLabel = new QLabel(label, owner);
    grid.addWidget(rowLabel, row, 0);

    auto makeButton = [&](const QString& caption, const QString& slot, int column) {
        auto* button = new QPushButton(caption, owner);
        button->setObjectName(lowerFirst(slot) + QStringLiteral("Button"));
        button->setAccessibleName(where + (slot.endsWith(QStringLiteral("Press"))
                                               ? QStringLiteral(" assign press")
                                               : QStringLiteral(" assign release")));
        button->setAutoDefault(false);
        button->setFixedSize(buttonSize);
        grid.addWidget(button, row, column);
        const int index = slotIndex(slot);
        connect(button, &QPushButton::clicked, this,
                [this, index] { assign(index, selectedScript_); });
    };
    auto makeBox = [&](const QString& slot, int column) {
        auto* box = new platform::ByteLineEdit(owner);
        box->setObjectName(lowerFirst(slot) + QStringLiteral("Box"));
        box->setAccessibleName(where + (slot.endsWith(QStringLiteral("Press"))
                                            ? QStringLiteral(" press")
                                            : QStringLiteral(" release")));
        box->setFixedSize(boxSize);
        const int index = slotIndex(slot);
        box->setProperty(kSlotIndex, index);
        box->installEventFilter(this);
        boxes_.at(static_cast<std::size_t>(index)) = box;
        grid.addWidget(box, row, column);
    };

    const QString press = control + QStringLiteral("Press");
    const QString release = control + QStringLiteral("Release");
    makeButton(QStringLiteral("P >>"), press, 1);
    makeBox(press, 2);
    makeBox(release, 3);
    makeButton(QStringLiteral("<< R"), release, 4);
}

int ButtonPanel::slotIndex(const QString& slotName) const {
    const auto position = SlotTable::instance().positionOf(slotName.toStdString());
    if (!position)
        qFatal("slot %s is not in the slot table", qPrintable(slotName));
    return *position - firstPosition_;
}

void ButtonPanel::showActiveMode() {
    // Whatever the boxes hold is dropped: the active mode's values replace it all.
    refresh(activeGroupValues(document_, look_.group));
}

std::vector<Assignment> ButtonPanel::collectAssignments() const {
    return activeGroupValues(document_, look_.group);
}

void ButtonPanel::accept() {
    storeGroupValues(document_, look_.group, reread(), -1);
    QDialog::accept();
}

void ButtonPanel::setVisible(bool visible) {
    // Showing the window hands the focus back to the box that had it; that is no entering.
    showing_ = visible;
    QDialog::setVisible(visible);
    showing_ = false;
}

void ButtonPanel::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

bool ButtonPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && !showing_ &&
        userEnteredBox(static_cast<QFocusEvent*>(event)->reason())) {
        const QVariant index = watched->property(kSlotIndex);
        if (index.isValid())
            assign(index.toInt(), std::string());
    }
    return QDialog::eventFilter(watched, event);
}

void ButtonPanel::showEvent(QShowEvent* event) {
    // One move to the final place: the designed spot beside the owner the first time, where
    // the user left it afterwards, either way kept on the screen.
    QPoint wanted = pos();
    if (!placed_) {
        placed_ = true;
        QPoint origin;
        if (QWidget* owner = parentWidget())
            origin = owner->window()->geometry().topLeft();
        wanted =
            origin + dialogPointToPixels(*this, look_.dialogPosition.x(), look_.dialogPosition.y());
    }
    const QPoint placed = platform::onScreenPosition(*this, wanted);
    if (placed != pos())
        move(placed);
    QDialog::showEvent(event);
}

std::vector<Assignment> ButtonPanel::reread() const {
    std::vector<Assignment> values;
    values.reserve(boxes_.size());
    for (const platform::ByteLineEdit* box : boxes_)
        values.push_back(box->bytes());
    return values;
}

void ButtonPanel::refresh(const std::vector<Assignment>& values) {
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i]->setBytes(values[i]);
    const ProgrammingMode* mode = document_.activeModeValues();
    modeBox_->setBytes(mode ? mode->name() : std::string());
}

void ButtonPanel::assign(int index, const std::string& value) {
    std::vector<Assignment> values = reread();
    values.at(static_cast<std::size_t>(index)) = value;
    storeGroupValues(document_, look_.group, values, index);
    // With no mode active nothing is stored, and the boxes show what the command made.
    refresh(values);
}

} // namespace vantrel

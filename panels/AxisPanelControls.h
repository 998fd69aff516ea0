#pragma once

#include <array>

class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QObject;
class QPushButton;
class QWidget;

namespace vantrel {

class NumberSpinBox;
namespace platform {
class ByteLineEdit;
}

// The controls of "Axis Programming", created and laid out in the panel by build(); the
// panel binds them to its commands. The number spins and the axis boxes report their focus
// to boxFilter; each number box is its spin's own line edit.
struct AxisPanelControls {
    static AxisPanelControls build(QDialog& panel, QObject* boxFilter);
    // Sizes the panel from its dialog units and places it by its parent window.
    static void arrange(QDialog& panel);

    platform::ByteLineEdit* modeBox = nullptr;
    QPushButton* closeButton = nullptr;
    QLabel* picture = nullptr;
    platform::ByteLineEdit* nameBox = nullptr;
    QListWidget* chainList = nullptr;
    QPushButton* addChainButton = nullptr;
    QPushButton* renameButton = nullptr;
    QPushButton* duplicateButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QListWidget* groupList = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* removeButton = nullptr;
    QLineEdit* countBox = nullptr;
    NumberSpinBox* countSpin = nullptr;
    QPushButton* addGroupButton = nullptr;
    QLineEdit* startBox = nullptr;
    NumberSpinBox* startSpin = nullptr;
    QPushButton* increaseButton = nullptr;
    platform::ByteLineEdit* increaseBox = nullptr;
    QLineEdit* endBox = nullptr;
    NumberSpinBox* endSpin = nullptr;
    QPushButton* decreaseButton = nullptr;
    platform::ByteLineEdit* decreaseBox = nullptr;
    std::array<QPushButton*, 6> axisButtons{};
    std::array<platform::ByteLineEdit*, 6> axisBoxes{};

private:
    QWidget* buildChainGroup(QDialog& panel, QObject* boxFilter);
    QWidget* buildAxisGroup(QObject* boxFilter);
};

} // namespace vantrel

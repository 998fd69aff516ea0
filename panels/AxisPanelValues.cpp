#include "panels/AxisPanelValues.h"

#include "panels/NumberSpinBox.h"
#include "platform/qt/ByteText.h"
#include "profile/SlotTable.h"

#include <QLineEdit>

namespace vantrel {

bool readAxisBoxes(AxisPanelValues& values, const AxisPanelControls& ui) {
    auto& [modeName, chainName, limits, increase, decrease, axes] = values;
    modeName = ui.modeBox->bytes();
    chainName = ui.nameBox->bytes();
    increase = ui.increaseBox->bytes();
    decrease = ui.decreaseBox->bytes();
    for (int i = 0; i < kAxisSlotCount; ++i)
        axes[i] = ui.axisBoxes[i]->bytes();

    bool refused = false;
    for (auto [box, value] :
         {std::pair{ui.countBox, &limits.count}, std::pair{ui.startBox, &limits.start},
          std::pair{ui.endBox, &limits.end}}) {
        if (const auto number = parseBoxInteger(box->text())) {
            *value = *number;
        } else {
            // The box shows its kept value again at once, so that whatever handler runs
            // next (the box losing the focus to the message, the command that follows a
            // click) finds nothing more to refuse: one refusal, one message.
            box->setText(QString::number(*value));
            refused = true;
        }
    }
    return !refused;
}

void writeAxisBoxes(const AxisPanelValues& values, const AxisPanelControls& ui) {
    const auto& [modeName, chainName, limits, increase, decrease, axes] = values;
    ui.modeBox->setBytes(modeName);
    ui.nameBox->setBytes(chainName);
    ui.countBox->setText(QString::number(limits.count));
    ui.startBox->setText(QString::number(limits.start));
    ui.endBox->setText(QString::number(limits.end));
    ui.countSpin->setPosition(limits.count);
    ui.startSpin->setPosition(limits.start);
    ui.endSpin->setPosition(limits.end);
    ui.increaseBox->setBytes(increase);
    ui.decreaseBox->setBytes(decrease);
    for (int i = 0; i < kAxisSlotCount; ++i)
        ui.axisBoxes[i]->setBytes(axes[i]);
}

} // namespace vantrel

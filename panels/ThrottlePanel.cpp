#include "panels/ThrottlePanel.h"

#include "profile/SlotTable.h"

namespace vantrel {

ThrottlePanel::ThrottlePanel(ButtonPanelState& state, QWidget* parent)
    : ButtonPanel({SlotGroup::Throttle, QStringLiteral("Throttle Programming"),
                   QStringLiteral(":/pictures/throttle.png"), QSize(528, 321), QPoint(200, 20),
                   true},
                  state, parent) {
    setObjectName(QStringLiteral("throttlePanel"));
}

} // namespace vantrel

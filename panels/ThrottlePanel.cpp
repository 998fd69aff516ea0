#include "panels/ThrottlePanel.h"

#include "profile/SlotTable.h"

namespace vantrel {

ThrottlePanel::ThrottlePanel(EditedProfile& document, QWidget* parent)
    : ButtonPanel({SlotGroup::Throttle, QStringLiteral("Throttle Programming"),
                   QStringLiteral(":/pictures/throttle.png"), QSize(528, 321), QPoint(200, 20),
                   true},
                  document, parent) {
    setObjectName(QStringLiteral("throttlePanel"));
}

} // namespace vantrel

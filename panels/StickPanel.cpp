#include "panels/StickPanel.h"

#include "profile/SlotTable.h"

namespace vantrel {

StickPanel::StickPanel(EditedProfile& document, QWidget* parent)
    : ButtonPanel({SlotGroup::Stick, QStringLiteral("Stick Programming"),
                   QStringLiteral(":/pictures/stick.png"), QSize(529, 321), QPoint(180, 0), false},
                  document, parent) {
    setObjectName(QStringLiteral("stickPanel"));
}

} // namespace vantrel

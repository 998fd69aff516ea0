#pragma once

#include "panels/ButtonPanel.h"

namespace vantrel {

// "Throttle Programming": the throttle's buttons and hats of the active programming mode.
class ThrottlePanel : public ButtonPanel {
    Q_OBJECT

public:
    // Shows and edits the throttle's values of the document's active mode.
    ThrottlePanel(EditedProfile& document, QWidget* parent = nullptr);
};

} // namespace vantrel

#pragma once

#include "panels/ButtonPanel.h"

namespace vantrel {

// "Throttle Programming": the throttle's buttons and hats of the active programming mode.
class ThrottlePanel : public ButtonPanel {
    Q_OBJECT

public:
    // Shows and edits the throttle's values held in the state.
    ThrottlePanel(ButtonPanelState& state, QWidget* parent = nullptr);
};

} // namespace vantrel

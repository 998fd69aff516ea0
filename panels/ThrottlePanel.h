#pragma once

#include "panels/ButtonPanel.h"

namespace vantrel {

// "Throttle Programming": the throttle's buttons and hats of the active programming mode.
class ThrottlePanel : public ButtonPanel {
    Q_OBJECT

public:
    explicit ThrottlePanel(QWidget* parent = nullptr);
};

} // namespace vantrel

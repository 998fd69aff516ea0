#pragma once

#include "panels/ButtonPanel.h"

namespace vantrel {

// "Stick Programming": the stick's buttons and hats of the active programming mode.
class StickPanel : public ButtonPanel {
    Q_OBJECT

public:
    // Shows and edits the stick's values of the document's active mode.
    StickPanel(EditedProfile& document, QWidget* parent = nullptr);
};

} // namespace vantrel

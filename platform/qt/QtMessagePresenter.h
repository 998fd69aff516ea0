#pragma once

#include "platform/MessageBox.h"

namespace vantrel::platform {

// Message boxes as QMessageBox, in plain text so that file names and tokens shown in a box
// are never taken for markup.
class QtMessagePresenter : public MessagePresenter {
public:
    MessageAnswer present(const Message& message) override;
};

} // namespace vantrel::platform

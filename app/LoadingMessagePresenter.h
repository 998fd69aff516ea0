#pragma once

#include "app/GuiSession.h"
#include "platform/MessageBox.h"

namespace vantrel {

// Shows each message in a box once the session's windows are there, asking for them at the
// first message; where they cannot be had every message goes to stderr, as with no display.
class LoadingMessagePresenter : public platform::MessagePresenter {
public:
    explicit LoadingMessagePresenter(GuiSession& session) : session_(session) {}
    platform::MessageAnswer present(const platform::Message& message) override;

private:
    GuiSession& session_;
    platform::ConsoleMessagePresenter console_;
};

} // namespace vantrel

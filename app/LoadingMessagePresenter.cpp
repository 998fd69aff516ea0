#include "app/LoadingMessagePresenter.h"

namespace vantrel {

platform::MessageAnswer LoadingMessagePresenter::present(const platform::Message& message) {
    if (GuiModule* windows = session_.windows())
        return windows->present(message);
    return console_.present(message);
}

} // namespace vantrel

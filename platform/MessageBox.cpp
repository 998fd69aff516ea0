#include "platform/MessageBox.h"

#include <iostream>

namespace vantrel::platform {
namespace {

ConsoleMessagePresenter& consolePresenter() {
    static ConsoleMessagePresenter presenter;
    return presenter;
}

MessagePresenter* installed = nullptr;

MessageAnswer safeAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        break;
    }
    return MessageAnswer::Cancel;
}

} // namespace

MessagePresenter& messagePresenter() {
    return installed ? *installed : consolePresenter();
}

MessageAnswer showMessage(std::string text, std::string title, MessageButtons buttons,
                          WindowHandle owner, MessageIcon icon) {
    return messagePresenter().present({std::move(text), std::move(title), buttons, owner, icon});
}

MessageAnswer ConsoleMessagePresenter::present(const Message& message) {
    std::string text = message.text;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    std::cerr << message.title << ": " << text << std::endl;
    return safeAnswer(message.buttons);
}

ScopedMessagePresenter::ScopedMessagePresenter(MessagePresenter& presenter)
    : previous_(installed) {
    installed = &presenter;
}

ScopedMessagePresenter::~ScopedMessagePresenter() {
    installed = previous_;
}

} // namespace vantrel::platform

#pragma once

#include "profile/Diagnostic.h"

#include <string>
#include <vector>

namespace vantrel::platform {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };
// The box's icon. Standard is the warning sign for a notice and the question mark for a
// question; Information marks a notice that reports a full success.
enum class MessageIcon { Standard, Information };

// The window a message box belongs to; nullptr for a box with no owner window.
// On the Qt side it is the owning QWidget.
using WindowHandle = MessageOwner;

struct Message {
    std::string text;
    std::string title;
    MessageButtons buttons = MessageButtons::Ok;
    WindowHandle owner = nullptr;
    MessageIcon icon = MessageIcon::Standard;

    bool operator==(const Message&) const = default;
};

// Shows a message box or asks a question and returns the user's answer. Every box of the
// program goes through the presenter installed here, so tests can answer them.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual MessageAnswer present(const Message& message) = 0;
};

// The presenter in use; a console presenter until a ScopedMessagePresenter installs another.
MessagePresenter& messagePresenter();

MessageAnswer showMessage(std::string text, std::string title,
                          MessageButtons buttons = MessageButtons::Ok, WindowHandle owner = nullptr,
                          MessageIcon icon = MessageIcon::Standard);

// For a program with no display: each box becomes one line "TITLE: TEXT" on stderr.
// Questions get the answer that changes nothing (No, or Cancel where offered).
class ConsoleMessagePresenter : public MessagePresenter {
public:
    MessageAnswer present(const Message& message) override;
};

// Installs a presenter for the lifetime of a scope, restoring the previous one afterwards.
class ScopedMessagePresenter {
public:
    explicit ScopedMessagePresenter(MessagePresenter& presenter);
    ~ScopedMessagePresenter();
    ScopedMessagePresenter(const ScopedMessagePresenter&) = delete;
    ScopedMessagePresenter& operator=(const ScopedMessagePresenter&) = delete;

private:
    MessagePresenter* previous_;
};

} // namespace vantrel::platform

#pragma once

#include "platform/DiagnosticPresenter.h"
#include "platform/MessageBox.h"

#include <deque>
#include <vector>

namespace vantrel::testsupport {

// Records every box and answers from a queue. A box with only OK is answered Ok; a question
// with no queued answer is recorded as unanswered and gets the answer that changes nothing
// (No, or Cancel where offered).
class RecordingMessagePresenter : public platform::MessagePresenter {
public:
    platform::MessageAnswer present(const platform::Message& message) override {
        shown_.push_back(message);
        if (!answers_.empty()) {
            const platform::MessageAnswer answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        switch (message.buttons) {
        case platform::MessageButtons::Ok:
            return platform::MessageAnswer::Ok;
        case platform::MessageButtons::YesNo:
            ++unanswered_;
            return platform::MessageAnswer::No;
        case platform::MessageButtons::YesNoCancel:
            break;
        }
        ++unanswered_;
        return platform::MessageAnswer::Cancel;
    }

    void queueAnswer(platform::MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<platform::Message>& shown() const { return shown_; }
    int unansweredQuestions() const { return unanswered_; }
    void clear() {
        shown_.clear();
        answers_.clear();
        unanswered_ = 0;
    }

private:
    std::vector<platform::Message> shown_;
    std::deque<platform::MessageAnswer> answers_;
    int unanswered_ = 0;
};

// The boxes a list of diagnostics stands for, in order, as an edge would show them.
inline std::vector<platform::Message> boxesOf(const std::vector<Diagnostic>& diagnostics) {
    std::vector<platform::Message> boxes;
    for (const Diagnostic& diagnostic : diagnostics)
        boxes.push_back(platform::messageFor(diagnostic));
    return boxes;
}

inline std::vector<platform::Message> boxesOf(const DiagnosticList& diagnostics) {
    return boxesOf(diagnostics.items());
}

} // namespace vantrel::testsupport

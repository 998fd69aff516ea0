#include "io/ControlLearner.h"

#include "io/ControlCatch.h"
#include "io/InputEventStreams.h"

#include <poll.h>

#include <algorithm>
#include <deque>
#include <istream>
#include <ostream>
#include <string>

namespace vantrel::driver {
namespace {

using Clock = std::chrono::steady_clock;

// How long one poll waits at most, so a buffered answer stream is looked at now and then.
constexpr int kPollSliceMilliseconds = 50;

class ControlLearner {
public:
    ControlLearner(std::span<const LearnSource> sources, std::istream& answers,
                   std::ostream& prompts, const ControlMap& start, const LearnOptions& options)
        : sources_(sources), answers_(answers), prompts_(prompts), options_(options), map_(start),
          memory_(options.rawAxisThreshold), ended_(sources.size(), false) {
        for (std::size_t s = 0; s < sources_.size(); ++s)
            memory_.noteSource(s, *sources_[s].stream);
    }

    bool run(ControlMap& out) {
        prompts_ << "Work each control when it is named. Enter skips it, and so does waiting "
                 << options_.timeout.count() / 1000.0 << " seconds.\n";
        const std::vector<ControlRef> controls =
            options_.only ? std::vector<ControlRef>{*options_.only} : allControls();
        for (const ControlRef& control : controls)
            learn(control);
        prompts_ << "Learnt " << learnt_ << " of " << controls.size() << " controls.\n";
        prompts_.flush();
        if (learnt_ == 0)
            return false;
        out = map_;
        return true;
    }

private:
    // Asks for the control, and for each further direction of a hat of buttons, until it is
    // caught or skipped.
    void learn(ControlRef control) {
        ControlCatch caught(control, memory_);
        bool firstPart = true;
        for (;;) {
            ask(caught.prompt());
            const std::optional<ControlCatch::Step> step = waitFor(caught);
            if (!step) {
                caught.abandon();
                if (!firstPart)
                    prompts_ << controlName(control) << " keeps its binding.\n";
                return;
            }
            prompts_ << caught.caughtCodes() << "\n";
            if (*step == ControlCatch::Step::Caught)
                break;
            firstPart = false;
        }
        ++learnt_;
        for (const ControlRef& other : caught.bindInto(map_, sources_[caught.source()].device))
            prompts_ << "(" << controlName(other) << " had that code and is now unbound)\n";
    }

    void ask(const std::string& prompt) {
        prompts_ << prompt << " ... ";
        prompts_.flush();
    }

    bool allEnded() const {
        return std::all_of(ended_.begin(), ended_.end(), [](bool ended) { return ended; });
    }

    // The step of the first waiting or arriving event the catch takes, or nothing when the
    // control is skipped.
    std::optional<ControlCatch::Step> waitFor(ControlCatch& caught) {
        const Clock::time_point deadline = Clock::now() + options_.timeout;
        for (;;) {
            while (!waiting_.empty()) {
                const SourcedEvent sourced = waiting_.front();
                waiting_.pop_front();
                if (const ControlCatch::Step step = caught.offer(sourced);
                    step != ControlCatch::Step::Waiting)
                    return step;
            }
            if (pull())
                continue;
            if (answerWaiting()) {
                std::string line;
                std::getline(answers_, line);
                return skipped("skipped");
            }
            const auto remaining =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (remaining.count() <= 0)
                return skipped("skipped (no answer in time)");
            if (allEnded() && (options_.answersFd < 0 || !answers_))
                return skipped("skipped (the event stream has ended)");
            sleepUntilInput(std::min<long long>(remaining.count(), kPollSliceMilliseconds));
        }
    }

    std::nullopt_t skipped(const char* why) {
        prompts_ << why << "\n";
        return std::nullopt;
    }

    // Reads what the event streams have; true if events arrived.
    bool pull() {
        bool arrived = false;
        for (std::size_t s = 0; s < sources_.size(); ++s) {
            if (ended_[s])
                continue;
            std::vector<input_event> events;
            InputEventStream& stream = *sources_[s].stream;
            if (!stream.read(events)) {
                ended_[s] = true;
                prompts_ << "(" << stream.error() << ") ";
            }
            for (const input_event& event : events)
                waiting_.push_back({s, event});
            arrived = arrived || !events.empty();
        }
        return arrived;
    }

    bool answerWaiting() {
        if (!answers_)
            return false;
        if (answers_.rdbuf()->in_avail() > 0)
            return true;
        if (options_.answersFd < 0)
            return false;
        pollfd answer{options_.answersFd, POLLIN, 0};
        return ::poll(&answer, 1, 0) > 0;
    }

    void sleepUntilInput(long long milliseconds) {
        std::vector<pollfd> fds;
        for (std::size_t s = 0; s < sources_.size(); ++s)
            fds.push_back({ended_[s] ? -1 : sources_[s].stream->fd(), POLLIN, 0});
        fds.push_back({options_.answersFd, POLLIN, 0});
        ::poll(fds.data(), fds.size(), static_cast<int>(milliseconds));
    }

    std::span<const LearnSource> sources_;
    std::istream& answers_;
    std::ostream& prompts_;
    const LearnOptions& options_;
    ControlMap map_;
    CatchMemory memory_;
    std::vector<bool> ended_;
    std::deque<SourcedEvent> waiting_;
    int learnt_ = 0;
};

} // namespace

bool learnControls(std::span<const LearnSource> sources, std::istream& answers,
                   std::ostream& prompts, ControlMap& map, const LearnOptions& options) {
    return ControlLearner(sources, answers, prompts, map, options).run(map);
}

bool learnControlMap(int eventFd, std::istream& answers, std::ostream& prompts, ControlMap& map,
                     const LearnOptions& options) {
    std::string error;
    const std::unique_ptr<InputEventStream> stream = inputEventStreamForFd(eventFd, error);
    if (!stream) {
        prompts << error << "\n";
        return false;
    }
    const LearnSource source{stream.get(), std::nullopt};
    return learnControls({&source, 1}, answers, prompts, map, options);
}

} // namespace vantrel::driver

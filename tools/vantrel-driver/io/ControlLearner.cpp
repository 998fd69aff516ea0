#include "io/ControlLearner.h"

#include "io/EvdevNames.h"
#include "io/InputEventStreams.h"
#include "io/X36Controls.h"

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <istream>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <utility>

namespace vantrel::driver {
namespace {

using Clock = std::chrono::steady_clock;
using Matcher = std::function<bool(const input_event&)>;

// How long one poll waits at most, so a buffered answer stream is looked at now and then.
constexpr int kPollSliceMilliseconds = 50;
constexpr const char* kHatDirectionNames[] = {"up", "right", "down", "left"};

class ControlLearner {
public:
    ControlLearner(InputEventStream& stream, std::istream& answers, std::ostream& prompts,
                   const LearnOptions& options)
        : stream_(stream), answers_(answers), prompts_(prompts), options_(options) {
        // libevdev's values move with the events read, so the values at rest are taken first.
        for (int code = 0; code <= ABS_MAX; ++code) {
            if (const std::optional<int> value = stream_.absValue(code))
                valuesAtStart_[code] = *value;
        }
    }

    bool run(ControlMap& out) {
        prompts_ << "Work each control when it is named. Enter skips it, and so does waiting "
                 << options_.timeout.count() / 1000.0 << " seconds.\n";
        for (int b = 0; b < player::kButtonCount; ++b)
            learnButton(b);
        for (int h = 0; h < player::kHatCount; ++h)
            learnHat(h);
        for (int a = 0; a < player::kAxisCount; ++a)
            learnAxis(a);
        prompts_ << "Learnt " << learnt_ << " of "
                 << player::kButtonCount + player::kHatCount + player::kAxisCount << " controls.\n";
        prompts_.flush();
        if (learnt_ == 0)
            return false;
        out = map_;
        return true;
    }

private:
    void learnButton(int b) {
        ask(buttonNames()[static_cast<std::size_t>(b)] + ": press the button");
        if (const std::optional<input_event> press = waitFor(keyPress())) {
            map_.buttons[static_cast<std::size_t>(b)] = press->code;
            usedKeys_.insert(press->code);
            learnt(EV_KEY, press->code);
        }
    }

    void learnHat(int h) {
        const std::string& name = hatNames()[static_cast<std::size_t>(h)];
        ask(name + ": push the hat up");
        const std::optional<input_event> first = waitFor([this](const input_event& event) {
            return keyPress()(event) || (event.type == EV_ABS && isHatAxisCode(event.code) &&
                                         event.value != 0 && !usedAbs_.contains(event.code));
        });
        if (!first)
            return;
        HatBinding hat;
        if (first->type == EV_ABS) {
            hat.kind = HatBinding::Kind::AxisPair;
            hat.xCode = ABS_HAT0X + (first->code - ABS_HAT0X) / 2 * 2;
            hat.yCode = hat.xCode + 1;
            usedAbs_.insert({hat.xCode, hat.yCode});
            prompts_ << evdevCodeName(EV_ABS, hat.xCode) << " " << evdevCodeName(EV_ABS, hat.yCode)
                     << "\n";
        } else {
            hat.kind = HatBinding::Kind::Buttons;
            hat.buttons[HatBinding::Up] = first->code;
            usedKeys_.insert(first->code);
            prompts_ << evdevCodeName(EV_KEY, first->code) << "\n";
            for (int part = HatBinding::Right; part <= HatBinding::Left; ++part) {
                ask(name + ": push the hat " + kHatDirectionNames[part]);
                const std::optional<input_event> press = waitFor(keyPress());
                if (!press) {
                    for (int key : hat.buttons)
                        usedKeys_.erase(key);
                    prompts_ << name << " stays unbound.\n";
                    return;
                }
                hat.buttons[static_cast<std::size_t>(part)] = press->code;
                usedKeys_.insert(press->code);
                prompts_ << evdevCodeName(EV_KEY, press->code) << "\n";
            }
        }
        map_.hats[static_cast<std::size_t>(h)] = hat;
        ++learnt_;
    }

    void learnAxis(int a) {
        ask(axisNames()[static_cast<std::size_t>(a)] + ": move the axis from end to end");
        std::map<int, int> baselines; // per code: the value before this prompt's first move
        const std::optional<input_event> move = waitFor([&](const input_event& event) {
            if (event.type != EV_ABS || isHatAxisCode(event.code) || usedAbs_.contains(event.code))
                return false;
            const int baseline = baselines.try_emplace(event.code, lastValue(event)).first->second;
            return std::abs(static_cast<long long>(event.value) - baseline) >=
                   axisThreshold(event.code);
        });
        if (!move)
            return;
        map_.axes[static_cast<std::size_t>(a)].code = move->code;
        usedAbs_.insert(move->code);
        learnt(EV_ABS, move->code);
    }

    Matcher keyPress() const {
        return [this](const input_event& event) {
            return event.type == EV_KEY && event.value == 1 && !usedKeys_.contains(event.code);
        };
    }

    long long axisThreshold(int code) const {
        if (const std::optional<AxisRange> range = stream_.absRange(code))
            return std::max(1LL, (static_cast<long long>(range->maximum) - range->minimum) / 4);
        return std::max(1, options_.rawAxisThreshold);
    }

    // The value an axis had before this event: the last one seen, else the device's present
    // one (the axis at rest when the learning began), else the event's own.
    int lastValue(const input_event& event) const {
        if (const auto found = lastValues_.find(event.code); found != lastValues_.end())
            return found->second;
        if (!valuesAtStart_.contains(event.code))
            return event.value;
        return valuesAtStart_.at(event.code);
    }

    void ask(const std::string& prompt) {
        prompts_ << prompt << " ... ";
        prompts_.flush();
    }

    void learnt(int type, int code) {
        prompts_ << evdevCodeName(type, code) << "\n";
        ++learnt_;
    }

    // The first waiting or arriving event that matches, or nothing when the control is skipped.
    std::optional<input_event> waitFor(const Matcher& matches) {
        const Clock::time_point deadline = Clock::now() + options_.timeout;
        for (;;) {
            while (!waiting_.empty()) {
                const input_event event = waiting_.front();
                waiting_.pop_front();
                const bool found = matches(event);
                if (event.type == EV_ABS)
                    lastValues_[event.code] = event.value;
                if (found)
                    return event;
            }
            if (!ended_ && pull())
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
            if (ended_ && (options_.answersFd < 0 || !answers_))
                return skipped("skipped (the event stream has ended)");
            sleepUntilInput(std::min<long long>(remaining.count(), kPollSliceMilliseconds));
        }
    }

    std::optional<input_event> skipped(const char* why) {
        prompts_ << why << "\n";
        return std::nullopt;
    }

    // Reads what the event stream has; true if events arrived.
    bool pull() {
        std::vector<input_event> events;
        if (!stream_.read(events)) {
            ended_ = true;
            prompts_ << "(" << stream_.error() << ") ";
        }
        waiting_.insert(waiting_.end(), events.begin(), events.end());
        return !events.empty();
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
        pollfd fds[2] = {{ended_ ? -1 : stream_.fd(), POLLIN, 0}, {options_.answersFd, POLLIN, 0}};
        ::poll(fds, 2, static_cast<int>(milliseconds));
    }

    InputEventStream& stream_;
    std::istream& answers_;
    std::ostream& prompts_;
    const LearnOptions& options_;
    ControlMap map_;
    std::deque<input_event> waiting_;
    std::set<int> usedKeys_;
    std::set<int> usedAbs_;
    std::map<int, int> lastValues_;
    std::map<int, int> valuesAtStart_;
    bool ended_ = false;
    int learnt_ = 0;
};

} // namespace

bool learnControlMap(int eventFd, std::istream& answers, std::ostream& prompts, ControlMap& out,
                     const LearnOptions& options) {
    std::string error;
    const std::unique_ptr<InputEventStream> stream = inputEventStreamForFd(eventFd, error);
    if (!stream) {
        prompts << error << "\n";
        return false;
    }
    return ControlLearner(*stream, answers, prompts, options).run(out);
}

} // namespace vantrel::driver

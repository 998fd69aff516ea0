#include "io/ControlLearner.h"

#include "io/EvdevNames.h"
#include "io/InputEventStreams.h"
#include "profile/ControlPlaces.h"

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
#include <tuple>
#include <utility>

namespace vantrel::driver {
namespace {

using Clock = std::chrono::steady_clock;
using Kind = player::ControlInput::Kind;

// An event and the source it came from.
struct SourcedEvent {
    std::size_t source;
    input_event event;
};
using Matcher = std::function<bool(const SourcedEvent&)>;
using Code = std::tuple<std::size_t, int, int>; // source, type, code

// How long one poll waits at most, so a buffered answer stream is looked at now and then.
constexpr int kPollSliceMilliseconds = 50;
constexpr const char* kHatDirectionNames[] = {"up", "right", "down", "left"};

std::string& deviceOf(ControlMap& map, ControlRef control) {
    const auto i = static_cast<std::size_t>(control.index);
    switch (control.kind) {
    case Kind::Button:
        return map.buttonDevices[i];
    case Kind::Hat:
        return map.hatDevices[i];
    case Kind::Axis:
        break;
    }
    return map.axisDevices[i];
}

// The (type, code) pairs a control's binding uses.
std::vector<std::pair<int, int>> codesOf(const ControlMap& map, ControlRef control) {
    const auto i = static_cast<std::size_t>(control.index);
    std::vector<std::pair<int, int>> codes;
    if (control.kind == Kind::Button && map.buttons[i] != kUnbound)
        codes.emplace_back(EV_KEY, map.buttons[i]);
    if (control.kind == Kind::Axis && map.axes[i].code != kUnbound)
        codes.emplace_back(EV_ABS, map.axes[i].code);
    if (control.kind == Kind::Hat && map.hats[i].kind == HatBinding::Kind::AxisPair) {
        codes.emplace_back(EV_ABS, map.hats[i].xCode);
        codes.emplace_back(EV_ABS, map.hats[i].yCode);
    }
    if (control.kind == Kind::Hat && map.hats[i].kind == HatBinding::Kind::Buttons) {
        for (int key : map.hats[i].buttons)
            codes.emplace_back(EV_KEY, key);
    }
    return codes;
}

void unbind(ControlMap& map, ControlRef control) {
    const auto i = static_cast<std::size_t>(control.index);
    if (control.kind == Kind::Button)
        map.buttons[i] = kUnbound;
    else if (control.kind == Kind::Hat)
        map.hats[i] = HatBinding{};
    else
        map.axes[i] = AxisBinding{};
    deviceOf(map, control).clear();
}

std::vector<ControlRef> allControls() {
    std::vector<ControlRef> controls;
    for (int b = 0; b < player::kButtonCount; ++b)
        controls.push_back({Kind::Button, b});
    for (int h = 0; h < player::kHatCount; ++h)
        controls.push_back({Kind::Hat, h});
    for (int a = 0; a < player::kAxisCount; ++a)
        controls.push_back({Kind::Axis, a});
    return controls;
}

// What the prompt asks: the place's instruction, where the table has the control.
std::string instruction(ControlRef control) {
    const ControlPlace* place = findControlPlace(controlName(control));
    if (place)
        return std::string(place->instruction);
    return control.kind == Kind::Button ? "press the button"
           : control.kind == Kind::Hat  ? "push the hat"
                                        : "move the axis";
}

class ControlLearner {
public:
    ControlLearner(std::span<const LearnSource> sources, std::istream& answers,
                   std::ostream& prompts, const ControlMap& start, const LearnOptions& options)
        : sources_(sources), answers_(answers), prompts_(prompts), options_(options), map_(start),
          ended_(sources.size(), false) {
        // libevdev's values move with the events read, so the values at rest are taken first.
        for (std::size_t s = 0; s < sources_.size(); ++s) {
            for (int code = 0; code <= ABS_MAX; ++code) {
                if (const std::optional<int> value = sources_[s].stream->absValue(code))
                    valuesAtStart_[{s, code}] = *value;
            }
        }
    }

    bool run(ControlMap& out) {
        prompts_ << "Work each control when it is named. Enter skips it, and so does waiting "
                 << options_.timeout.count() / 1000.0 << " seconds.\n";
        const std::vector<ControlRef> controls =
            options_.only ? std::vector<ControlRef>{*options_.only} : allControls();
        for (const ControlRef& control : controls) {
            if (control.kind == Kind::Button)
                learnButton(control);
            else if (control.kind == Kind::Hat)
                learnHat(control);
            else
                learnAxis(control);
        }
        prompts_ << "Learnt " << learnt_ << " of " << controls.size() << " controls.\n";
        prompts_.flush();
        if (learnt_ == 0)
            return false;
        out = map_;
        return true;
    }

private:
    void learnButton(ControlRef control) {
        ask(controlName(control) + ": " + instruction(control));
        if (const std::optional<SourcedEvent> press = waitFor(keyPress())) {
            map_.buttons[static_cast<std::size_t>(control.index)] = press->event.code;
            used_.insert({press->source, EV_KEY, press->event.code});
            prompts_ << evdevCodeName(EV_KEY, press->event.code) << "\n";
            bind(control, press->source);
        }
    }

    void learnHat(ControlRef control) {
        const std::string& name = controlName(control);
        ask(name + ": " + instruction(control) + " up");
        const std::optional<SourcedEvent> first = waitFor([this](const SourcedEvent& sourced) {
            const input_event& event = sourced.event;
            return keyPress()(sourced) ||
                   (event.type == EV_ABS && isHatAxisCode(event.code) && event.value != 0 &&
                    !used_.contains({sourced.source, EV_ABS, event.code}));
        });
        if (!first)
            return;
        const std::size_t source = first->source;
        HatBinding hat;
        if (first->event.type == EV_ABS) {
            hat.kind = HatBinding::Kind::AxisPair;
            hat.xCode = ABS_HAT0X + (first->event.code - ABS_HAT0X) / 2 * 2;
            hat.yCode = hat.xCode + 1;
            used_.insert({{source, EV_ABS, hat.xCode}, {source, EV_ABS, hat.yCode}});
            prompts_ << evdevCodeName(EV_ABS, hat.xCode) << " " << evdevCodeName(EV_ABS, hat.yCode)
                     << "\n";
        } else {
            hat.kind = HatBinding::Kind::Buttons;
            hat.buttons[HatBinding::Up] = first->event.code;
            used_.insert({source, EV_KEY, first->event.code});
            prompts_ << evdevCodeName(EV_KEY, first->event.code) << "\n";
            for (int part = HatBinding::Right; part <= HatBinding::Left; ++part) {
                ask(name + ": " + instruction(control) + " " + kHatDirectionNames[part]);
                // The other directions are buttons of the same device.
                const Matcher sameDevice = [this, source](const SourcedEvent& sourced) {
                    return sourced.source == source && keyPress()(sourced);
                };
                const std::optional<SourcedEvent> press = waitFor(sameDevice);
                if (!press) {
                    for (int key : hat.buttons)
                        used_.erase({source, EV_KEY, key});
                    prompts_ << name << " keeps its binding.\n";
                    return;
                }
                hat.buttons[static_cast<std::size_t>(part)] = press->event.code;
                used_.insert({source, EV_KEY, press->event.code});
                prompts_ << evdevCodeName(EV_KEY, press->event.code) << "\n";
            }
        }
        map_.hats[static_cast<std::size_t>(control.index)] = hat;
        bind(control, source);
    }

    void learnAxis(ControlRef control) {
        ask(controlName(control) + ": " + instruction(control) + " from end to end");
        std::map<std::pair<std::size_t, int>, int> baselines; // before this prompt's first move
        const std::optional<SourcedEvent> move = waitFor([&](const SourcedEvent& sourced) {
            const input_event& event = sourced.event;
            if (event.type != EV_ABS || isHatAxisCode(event.code) ||
                used_.contains({sourced.source, EV_ABS, event.code}))
                return false;
            const int baseline =
                baselines.try_emplace({sourced.source, event.code}, lastValue(sourced))
                    .first->second;
            return std::abs(static_cast<long long>(event.value) - baseline) >=
                   axisThreshold(sourced);
        });
        if (!move)
            return;
        AxisBinding& axis = map_.axes[static_cast<std::size_t>(control.index)];
        axis = AxisBinding{};
        axis.code = move->event.code;
        used_.insert({move->source, EV_ABS, move->event.code});
        prompts_ << evdevCodeName(EV_ABS, move->event.code) << "\n";
        bind(control, move->source);
    }

    // The control now comes from the source's device: the map names that device, and any
    // other control of the device that had one of its codes loses them.
    void bind(ControlRef control, std::size_t source) {
        ++learnt_;
        const std::optional<DeviceMatch>& device = sources_[source].device;
        const std::string label = device ? device->label : std::string();
        if (device && std::none_of(map_.devices.begin(), map_.devices.end(),
                                   [&label](const DeviceMatch& d) { return d.label == label; }))
            map_.devices.push_back(*device);
        deviceOf(map_, control) = label;
        const std::vector<std::pair<int, int>> codes = codesOf(map_, control);
        for (const ControlRef& other : allControls()) {
            if (other == control || deviceOf(map_, other) != label)
                continue;
            const std::vector<std::pair<int, int>> theirs = codesOf(map_, other);
            const bool shared = std::any_of(theirs.begin(), theirs.end(), [&codes](auto code) {
                return std::find(codes.begin(), codes.end(), code) != codes.end();
            });
            if (shared) {
                unbind(map_, other);
                prompts_ << "(" << controlName(other) << " had that code and is now unbound)\n";
            }
        }
    }

    Matcher keyPress() const {
        return [this](const SourcedEvent& sourced) {
            return sourced.event.type == EV_KEY && sourced.event.value == 1 &&
                   !used_.contains({sourced.source, EV_KEY, sourced.event.code});
        };
    }

    long long axisThreshold(const SourcedEvent& sourced) const {
        if (const std::optional<AxisRange> range =
                sources_[sourced.source].stream->absRange(sourced.event.code))
            return std::max(1LL, (static_cast<long long>(range->maximum) - range->minimum) / 4);
        return std::max(1, options_.rawAxisThreshold);
    }

    // The value an axis had before this event: the last one seen, else the device's present
    // one (the axis at rest when the learning began), else the event's own.
    int lastValue(const SourcedEvent& sourced) const {
        const std::pair<std::size_t, int> key{sourced.source, sourced.event.code};
        if (const auto found = lastValues_.find(key); found != lastValues_.end())
            return found->second;
        if (const auto found = valuesAtStart_.find(key); found != valuesAtStart_.end())
            return found->second;
        return sourced.event.value;
    }

    void ask(const std::string& prompt) {
        prompts_ << prompt << " ... ";
        prompts_.flush();
    }

    bool allEnded() const {
        return std::all_of(ended_.begin(), ended_.end(), [](bool ended) { return ended; });
    }

    // The first waiting or arriving event that matches, or nothing when the control is skipped.
    std::optional<SourcedEvent> waitFor(const Matcher& matches) {
        const Clock::time_point deadline = Clock::now() + options_.timeout;
        for (;;) {
            while (!waiting_.empty()) {
                const SourcedEvent sourced = waiting_.front();
                waiting_.pop_front();
                const bool found = matches(sourced);
                if (sourced.event.type == EV_ABS)
                    lastValues_[{sourced.source, sourced.event.code}] = sourced.event.value;
                if (found)
                    return sourced;
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

    std::optional<SourcedEvent> skipped(const char* why) {
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
    std::vector<bool> ended_;
    std::deque<SourcedEvent> waiting_;
    std::set<Code> used_;
    std::map<std::pair<std::size_t, int>, int> lastValues_;
    std::map<std::pair<std::size_t, int>, int> valuesAtStart_;
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

#include "device/player/ProfilePlayer.h"

#include "device/player/AxisCrossings.h"
#include "device/player/HeldOutputs.h"
#include "device/player/ProfileIndex.h"
#include "device/player/RunQueue.h"

#include <algorithm>
#include <array>
#include <string>

namespace vantrel::player {
namespace {

Time delayOf(const DeviceEvent& event) {
    return std::chrono::milliseconds(std::max<std::int32_t>(event.delay, 0));
}

std::string where(const ScriptRun& run) {
    return "script " + std::to_string(run.script) + " event " + std::to_string(run.next);
}

} // namespace

// Everything the player keeps between calls. Button and hat state is the physical
// controls' own and survives load() and clear(); the index, the runs and the axis bindings
// belong to one profile.
class ProfilePlayer::Engine {
public:
    Engine(OutputSink& sink, PlayerOptions options)
        : sink_(sink), hysteresis_(std::max(options.axisHysteresis, 0)) {}

    void load(const DeviceProfileImage& profile, Time now) {
        releaseAll(now);
        unbindAxes();
        index_.emplace(profile);
        active_ = 0;
        table_ = index_->configuration(active_);
    }

    void clear(Time now) {
        releaseAll(now);
        unbindAxes();
        index_.reset();
        active_ = 0;
        table_ = nullptr;
    }

    bool hasProfile() const { return index_.has_value(); }
    int activeConfiguration() const { return active_; }

    void input(const ControlInput& control, Time now) {
        playDue(now);
        switch (control.kind) {
        case ControlInput::Kind::Button:
            button(control.index, control.value != 0, now);
            break;
        case ControlInput::Kind::Hat:
            hat(control.index, control.value, now);
            break;
        case ControlInput::Kind::Axis:
            axis(control.index, control.value, now);
            break;
        }
        playDue(now);
    }

    void playDue(Time now) {
        while (const std::optional<ScriptRun> run = runs_.popDue(now)) {
            const std::span<const DeviceEvent> events = index_->script(run->script);
            if (run->next >= events.size())
                continue;
            const DeviceEvent& event = events[run->next];
            play(event, *run, run->due);
            if (run->next + 1 < events.size())
                runs_.push({run->script, run->next + 1, run->due + delayOf(event)});
        }
    }

    std::optional<Time> nextDue() const { return runs_.nextDue(); }

    void releaseAll(Time now) {
        runs_.clear();
        for (const OutputAction& action : held_.releases())
            emit(action, now);
    }

    bool holdsAnything() const { return !held_.empty(); }

private:
    void button(int index, bool down, Time now) {
        if (index < 0 || index >= kButtonCount) {
            sink_.note("input from unknown button " + std::to_string(index) + " ignored");
            return;
        }
        bool& state = buttons_[static_cast<std::size_t>(index)];
        if (state == down)
            return;
        state = down;
        if (!index_) {
            const auto kind =
                down ? OutputAction::Kind::JoyButtonDown : OutputAction::Kind::JoyButtonUp;
            emit({kind, index + 1, 0}, now);
            return;
        }
        const int script = slotScript(buttonCode(index, down));
        if (down && script == kNoScript)
            sink_.unassignedPress({ControlInput::Kind::Button, index, 1}, active_, now);
        start(script, now);
    }

    void hat(int index, int direction, Time now) {
        if (index < 0 || index >= kHatCount || direction < 0 || direction >= kHatDirectionCount) {
            sink_.note("input from hat " + std::to_string(index) + " with direction " +
                       std::to_string(direction) + " ignored");
            return;
        }
        int& state = hats_[static_cast<std::size_t>(index)];
        if (state == direction)
            return;
        const int previous = state;
        state = direction;
        if (!index_) {
            emit({OutputAction::Kind::JoyHat, index, direction}, now);
            return;
        }
        start(slotScript(hatCode(index, previous, false)), now);
        const int script = slotScript(hatCode(index, direction, true));
        if (direction != 0 && script == kNoScript)
            sink_.unassignedPress({ControlInput::Kind::Hat, index, direction}, active_, now);
        start(script, now);
    }

    void axis(int index, int value, Time now) {
        if (index < 0 || index >= kAxisCount) {
            sink_.note("input from unknown axis " + std::to_string(index) + " ignored");
            return;
        }
        value = std::clamp(value, kAxisMinimum, kAxisMaximum);
        emit({OutputAction::Kind::JoyAxis, index, value}, now);
        AxisCrossings& tracker = axes_[static_cast<std::size_t>(index)];
        const int chain = table_ ? table_->axes[static_cast<std::size_t>(index)] : kNoChain;
        if (chain != tracker.boundChain())
            tracker.bind(chain, index_ ? index_->chain(chain) : std::span<const ChainBreakpoint>{});
        crossings_.clear();
        tracker.move(value - kAxisMinimum, hysteresis_, crossings_);
        for (const Crossing& crossing : crossings_)
            start(crossing.script, now);
    }

    int slotScript(int code) const {
        return table_ ? table_->slots[static_cast<std::size_t>(code)] : kNoScript;
    }

    void start(int script, Time now) {
        if (!index_ || index_->script(script).empty())
            return;
        runs_.push({script, 0, now});
        sink_.scriptStarted(script, active_, now);
    }

    void play(const DeviceEvent& event, const ScriptRun& run, Time at) {
        using Kind = OutputAction::Kind;
        const int data = event.data;
        auto inRange = [&](int low, int high, const char* what) {
            if (data >= low && data <= high)
                return true;
            sink_.note(where(run) + ": " + what + " " + std::to_string(data) +
                       " is out of range; skipped");
            return false;
        };
        switch (event.opcode) {
        case EventOpcode::KeyPress:
        case EventOpcode::KeyRelease:
            if (inRange(1, 255, "key usage"))
                emit({event.opcode == EventOpcode::KeyPress ? Kind::KeyDown : Kind::KeyUp, data, 0},
                     at);
            break;
        case EventOpcode::DirectXPress:
        case EventOpcode::DirectXRelease:
            if (inRange(1, 64, "DirectX button"))
                emit({event.opcode == EventOpcode::DirectXPress ? Kind::JoyButtonDown
                                                                : Kind::JoyButtonUp,
                      data, 0},
                     at);
            break;
        case EventOpcode::HatDirection:
            if (inRange(0, kHatDirectionCount - 1, "hat direction"))
                emit({Kind::JoyHat, 0, data}, at);
            break;
        case EventOpcode::LoadMode:
            loadMode(data, at);
            break;
        case EventOpcode::MousePress:
        case EventOpcode::MouseRelease:
            if (inRange(1, 3, "mouse button"))
                emit({event.opcode == EventOpcode::MousePress ? Kind::MouseButtonDown
                                                              : Kind::MouseButtonUp,
                      data, 0},
                     at);
            break;
        case EventOpcode::MouseMoveHorizontal:
            emit({Kind::MouseMoveX, 0, data}, at);
            break;
        case EventOpcode::MouseMoveVertical:
            emit({Kind::MouseMoveY, 0, data}, at);
            break;
        default:
            sink_.note(where(run) + ": unknown opcode " +
                       std::to_string(static_cast<int>(event.opcode)) + "; skipped");
        }
    }

    void loadMode(int id, Time at) {
        const ConfigurationTable* table = index_->configuration(id);
        if (!table) {
            sink_.note("load mode " + std::to_string(id) +
                       ": the profile holds no such configuration; staying in configuration " +
                       std::to_string(active_));
            return;
        }
        if (id == active_)
            return; // already active: nothing changes, so nothing is told
        sink_.note("configuration " + std::to_string(id) + " active (was " +
                   std::to_string(active_) + ")");
        sink_.modeSwitched(active_, id, at);
        active_ = id;
        table_ = table;
    }

    void emit(const OutputAction& action, Time at) {
        held_.record(action);
        sink_.emit(action, at);
    }

    void unbindAxes() {
        for (AxisCrossings& tracker : axes_)
            tracker.unbind();
    }

    OutputSink& sink_;
    int hysteresis_;
    std::optional<ProfileIndex> index_;
    int active_ = 0;
    const ConfigurationTable* table_ = nullptr;
    RunQueue runs_;
    HeldOutputs held_;
    std::array<bool, kButtonCount> buttons_{};
    std::array<int, kHatCount> hats_{};
    std::array<AxisCrossings, kAxisCount> axes_;
    std::vector<Crossing> crossings_;
};

ProfilePlayer::ProfilePlayer(OutputSink& sink, PlayerOptions options)
    : engine_(std::make_unique<Engine>(sink, options)) {}

ProfilePlayer::~ProfilePlayer() = default;

void ProfilePlayer::load(const DeviceProfileImage& profile, Time now) {
    engine_->load(profile, now);
}

void ProfilePlayer::clear(Time now) {
    engine_->clear(now);
}

bool ProfilePlayer::hasProfile() const {
    return engine_->hasProfile();
}

int ProfilePlayer::activeConfiguration() const {
    return engine_->activeConfiguration();
}

void ProfilePlayer::input(const ControlInput& control, Time now) {
    engine_->input(control, now);
}

void ProfilePlayer::advance(Time now) {
    engine_->playDue(now);
}

std::optional<Time> ProfilePlayer::nextDue() const {
    return engine_->nextDue();
}

void ProfilePlayer::releaseAll(Time now) {
    engine_->releaseAll(now);
}

bool ProfilePlayer::holdsAnything() const {
    return engine_->holdsAnything();
}

} // namespace vantrel::player

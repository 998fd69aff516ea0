// Any device file the check accepts and any stream of control events play without a crash;
// every action the player emits is in its documented range and no earlier than the one
// before; and after releaseAll nothing is held down: the sink's own account of what went
// down and came up must be empty.
//
// Input: two bytes (little-endian) giving the device file's length, the device file, then
// records of four bytes: operation, then three bytes of arguments.
#include "device/DeviceProfileCheck.h"
#include "device/player/ProfilePlayer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <span>
#include <utility>

namespace {

using vantrel::player::OutputAction;
using vantrel::player::Time;

void require(bool condition) {
    if (!condition)
        std::abort();
}

class CheckingSink : public vantrel::player::OutputSink {
public:
    void emit(const OutputAction& action, Time at) override {
        require(at >= last_);
        last_ = at;
        using Kind = OutputAction::Kind;
        const auto key = std::make_pair(static_cast<int>(action.kind) / 2, action.code);
        switch (action.kind) {
        case Kind::KeyDown:
        case Kind::JoyButtonDown:
        case Kind::MouseButtonDown:
            require(action.code >= 1 && action.code <= limit(action.kind));
            held_.insert(key);
            break;
        case Kind::KeyUp:
        case Kind::JoyButtonUp:
        case Kind::MouseButtonUp:
            require(action.code >= 1 && action.code <= limit(action.kind));
            held_.erase(key);
            break;
        case Kind::JoyHat:
            require(action.code >= 0 && action.code < 4 && action.value >= 0 && action.value <= 8);
            hats_[static_cast<std::size_t>(action.code)] = action.value;
            break;
        case Kind::JoyAxis:
            require(action.code >= 0 && action.code < 6 && action.value >= -32767 &&
                    action.value <= 32767);
            break;
        case Kind::MouseMoveX:
        case Kind::MouseMoveY:
            break;
        }
    }

    bool holdsAnything() const {
        for (int direction : hats_)
            if (direction != 0)
                return true;
        return !held_.empty();
    }
    Time last() const { return last_; }

private:
    static int limit(OutputAction::Kind kind) {
        switch (kind) {
        case OutputAction::Kind::KeyDown:
        case OutputAction::Kind::KeyUp:
            return 255;
        case OutputAction::Kind::JoyButtonDown:
        case OutputAction::Kind::JoyButtonUp:
            return 64;
        default:
            return 3;
        }
    }

    std::set<std::pair<int, int>> held_;
    std::array<int, 4> hats_{};
    Time last_{0};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t declared = data[0] | (static_cast<std::size_t>(data[1]) << 8);
    const std::size_t fileSize = std::min(declared, size - 2);
    const std::span<const std::uint8_t> file(data + 2, fileSize);
    const std::span<const std::uint8_t> events(data + 2 + fileSize, size - 2 - fileSize);

    const vantrel::ProfileCheck check = vantrel::checkDeviceProfile(file);
    CheckingSink sink;
    vantrel::player::ProfilePlayer player(sink, {.axisHysteresis = data[0] % 4 * 100});
    Time now{0};
    if (check.accepted())
        player.load(check.image, now);

    using Kind = vantrel::player::ControlInput::Kind;
    for (std::size_t at = 0; at + 4 <= events.size(); at += 4) {
        const std::uint8_t op = events[at];
        const std::uint8_t a = events[at + 1];
        const std::uint8_t b = events[at + 2];
        const std::uint8_t c = events[at + 3];
        now += std::chrono::milliseconds(op >> 3);
        switch (op & 7) {
        case 0:
            player.input({Kind::Button, a % 16, b & 1}, now);
            break;
        case 1:
            player.input({Kind::Hat, a % 5, b % 10}, now);
            break;
        case 2:
            player.input({Kind::Axis, a % 7, static_cast<std::int16_t>(b | (c << 8))}, now);
            break;
        case 3:
            now += std::chrono::milliseconds(b | (c << 8));
            player.advance(now);
            break;
        case 4:
            player.releaseAll(now);
            require(!sink.holdsAnything() && !player.holdsAnything());
            break;
        case 5:
            if (check.accepted()) {
                player.load(check.image, now);
                require(!sink.holdsAnything());
            }
            break;
        case 6:
            player.clear(now);
            require(!sink.holdsAnything());
            break;
        case 7:
            if (const auto due = player.nextDue()) {
                now = std::max(now, *due);
                player.advance(now);
            }
            break;
        }
        require(player.holdsAnything() == sink.holdsAnything());
    }
    player.releaseAll(now);
    require(!sink.holdsAnything() && !player.holdsAnything() && !player.nextDue());
    return 0;
}

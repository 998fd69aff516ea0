#pragma once

#include "device/DeviceProfileCheck.h"
#include "device/player/ProfilePlayer.h"
#include "device/player/TimelineSink.h"
#include "files/ProfileTranslator.h"
#include "profile/Diagnostic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel::player::test {

using namespace std::chrono_literals;

// Translates profile text with the editor's translator and checks the result as the device
// would; the test fails when either step complains.
inline DeviceProfileImage translated(const std::string& text) {
    DiagnosticList diagnostics;
    const std::string header = "DEFAULT_PRESS_DELAY=10\nDEFAULT_RELEASE_DELAY=10\n";
    const auto bytes =
        ProfileTranslator("/tmp/player-test.vtp", header + text, diagnostics).deviceBytes();
    EXPECT_TRUE(bytes.has_value());
    EXPECT_TRUE(diagnostics.empty())
        << diagnostics.items().front().title << ": " << diagnostics.items().front().text;
    if (!bytes)
        return {};
    ProfileCheck check = checkDeviceProfile(*bytes);
    EXPECT_TRUE(check.accepted()) << (check.errors.empty() ? "" : check.errors.front());
    return std::move(check.image);
}

// Records what the player sends as "TIME action" lines (time in whole milliseconds, the
// action as the timeline words it), its notes, and what it tells of scripts and modes.
class RecordingSink : public OutputSink {
public:
    void emit(const OutputAction& action, Time at) override {
        actions.push_back(action);
        lines.push_back(std::to_string(at.count() / 1000) + " " + TimelineSink::describe(action));
    }
    void note(std::string_view line) override { notes.emplace_back(line); }
    void scriptStarted(int script, int configuration, Time at) override {
        told.push_back(std::to_string(at.count() / 1000) + " script " + std::to_string(script) +
                       " in " + std::to_string(configuration));
    }
    void unassignedPress(const ControlInput& control, int configuration, Time at) override {
        told.push_back(std::to_string(at.count() / 1000) + " unassigned " +
                       TimelineSink::describeInput(control) + " in " +
                       std::to_string(configuration));
    }
    void modeSwitched(int from, int to, Time at) override {
        told.push_back(std::to_string(at.count() / 1000) + " mode " + std::to_string(from) +
                       " to " + std::to_string(to));
    }
    std::vector<std::string> take() { return std::exchange(lines, {}); }

    std::vector<OutputAction> actions;
    std::vector<std::string> lines;
    std::vector<std::string> notes;
    std::vector<std::string> told; // scripts started, presses unassigned, mode switches
};

// A player on a virtual clock.
struct PlayerRig {
    explicit PlayerRig(PlayerOptions options = {}) : player(sink, options) {}

    void press(int button, Time at) { player.input({ControlInput::Kind::Button, button, 1}, at); }
    void release(int button, Time at) { player.input({ControlInput::Kind::Button, button, 0}, at); }
    void hat(int hat, int direction, Time at) {
        player.input({ControlInput::Kind::Hat, hat, direction}, at);
    }
    void axis(int axis, int value, Time at) {
        player.input({ControlInput::Kind::Axis, axis, value}, at);
    }
    // Plays every due event, one due time after the other, up to the given time.
    void runUntil(Time end) {
        while (const auto due = player.nextDue()) {
            if (*due > end)
                return;
            player.advance(*due);
        }
    }
    void runToEnd() { runUntil(Time::max()); }

    RecordingSink sink;
    ProfilePlayer player;
};

// Button indexes in the device's order.
inline constexpr int kTrigger = 0;
inline constexpr int kFireA = 1;
inline constexpr int kFireB = 2;
inline constexpr int kStickHat1 = 0;

} // namespace vantrel::player::test

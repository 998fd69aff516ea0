#include "device/player/ProfilePlayer.h"

namespace vantrel::player {

class ProfilePlayer::Engine {
public:
    Engine(OutputSink& sink, PlayerOptions options) : sink_(sink), options_(options) {}

    OutputSink& sink_;
    PlayerOptions options_;
};

ProfilePlayer::ProfilePlayer(OutputSink& sink, PlayerOptions options)
    : engine_(std::make_unique<Engine>(sink, options)) {}

ProfilePlayer::~ProfilePlayer() = default;

void ProfilePlayer::load(const DeviceProfileImage&, Time) {}
void ProfilePlayer::clear(Time) {}
bool ProfilePlayer::hasProfile() const {
    return false;
}
int ProfilePlayer::activeConfiguration() const {
    return 0;
}
void ProfilePlayer::input(const ControlInput&, Time) {}
void ProfilePlayer::advance(Time) {}
std::optional<Time> ProfilePlayer::nextDue() const {
    return std::nullopt;
}
void ProfilePlayer::releaseAll(Time) {}
bool ProfilePlayer::holdsAnything() const {
    return false;
}

} // namespace vantrel::player

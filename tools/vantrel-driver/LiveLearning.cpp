#include "LiveLearning.h"

#include "MonitorRecord.h"

#include "device/MonitorLine.h"
#include "io/ControlMapText.h"
#include "io/InputEventStreams.h"

#include <algorithm>

namespace vantrel::driver {
namespace {

using Kind = player::ControlInput::Kind;

} // namespace

LiveLearning::LiveLearning(std::filesystem::path mapPath, InputWatch& input, DriverMonitor& monitor,
                           std::ostream& log)
    : mapPath_(std::move(mapPath)), input_(input), monitor_(monitor), log_(log) {}

LiveLearning::~LiveLearning() = default;

void LiveLearning::request(int client, std::string_view line) {
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    const std::optional<MonitorLine> record = readMonitorLine(line);
    if (!record || record->kind != "learn") {
        monitor_.publish(MonitorRecord("request", "unknown").field("line", line));
        return;
    }
    if (record->word == "cancel") {
        if (active()) {
            monitor_.publish(MonitorRecord("learn", "cancelled")
                                 .field("control", controlName(catch_->control())));
            stop();
        }
        return;
    }
    const std::optional<std::string> name = record->field("control");
    if (!record->word.empty() || !name) {
        fail("", "a learning request is 'learn control=NAME' or 'learn cancel'");
        return;
    }
    start(client, *name);
}

void LiveLearning::start(int client, std::string_view name) {
    const std::optional<ControlRef> control = findControl(name);
    if (!control) {
        fail(name, "not a control of the X36");
        return;
    }
    const std::vector<InputWatch::HeldStream> streams = input_.streams();
    if (streams.empty()) {
        fail(name, "the driver holds no input device; plug the joystick in");
        return;
    }
    if (active())
        monitor_.publish(
            MonitorRecord("learn", "cancelled").field("control", controlName(catch_->control())));
    memory_ = std::make_unique<CatchMemory>();
    for (const InputWatch::HeldStream& held : streams)
        memory_->noteSource(held.device, *held.stream);
    catch_ = std::make_unique<ControlCatch>(*control, *memory_);
    client_ = client;
    input_.tap(true);
    tellWaiting();
}

void LiveLearning::tellWaiting() {
    MonitorRecord record("learn", "waiting");
    record.field("control", controlName(catch_->control()));
    if (catch_->control().kind == Kind::Hat)
        record.field("direction", catch_->direction());
    monitor_.publish(record);
}

void LiveLearning::stop() {
    catch_.reset();
    memory_.reset();
    client_ = -1;
    input_.tap(false);
}

void LiveLearning::fail(std::string_view control, const std::string& reason) {
    MonitorRecord record("learn", "failed");
    if (!control.empty())
        record.field("control", control);
    monitor_.publish(record.field("reason", reason));
}

void LiveLearning::clientLeft(int client) {
    if (active() && client == client_)
        stop();
}

void LiveLearning::take(const std::vector<SourcedEvent>& events,
                        std::vector<player::ControlInput>& changes,
                        std::vector<ControlOrigin>& origins) {
    for (const SourcedEvent& sourced : events) {
        if (!active())
            return;
        switch (catch_->offer(sourced)) {
        case ControlCatch::Step::Waiting:
            break;
        case ControlCatch::Step::NextDirection:
            tellWaiting();
            break;
        case ControlCatch::Step::Caught:
            bindCaught(changes, origins);
            stop();
            return;
        }
    }
}

void LiveLearning::bindCaught(std::vector<player::ControlInput>& changes,
                              std::vector<ControlOrigin>& origins) {
    const std::string& name = controlName(catch_->control());
    const std::vector<InputWatch::HeldStream> streams = input_.streams();
    const auto held = std::find_if(streams.begin(), streams.end(), [this](const auto& stream) {
        return stream.device == catch_->source();
    });
    if (held == streams.end()) {
        fail(name, "the device was lost before its control could be bound");
        return;
    }
    ControlMap map = input_.map();
    std::vector<std::string> labels;
    for (const DeviceMatch& device : map.devices)
        labels.push_back(device.label);
    const DeviceIdentity identity = held->stream->identity();
    const std::optional<DeviceMatch> device = learningDeviceFor(map, identity, labels);
    const std::vector<ControlRef> unbound = catch_->bindInto(map, device);
    std::error_code ignored;
    std::filesystem::create_directories(mapPath_.parent_path(), ignored);
    std::string error;
    if (!saveControlMap(mapPath_, map, error)) {
        log_ << "vantrel-driver: " << name << " not learnt: " << error << std::endl;
        fail(name, error);
        return;
    }
    input_.remap(map, changes, origins);
    std::string others;
    for (const ControlRef& other : unbound)
        others += (others.empty() ? "" : " ") + controlName(other);
    const std::string codes = catch_->boundCodes();
    log_ << "vantrel-driver: learnt " << name << " = " << codes << " from "
         << held->stream->describe() << "; control map saved to " << mapPath_.string() << std::endl;
    MonitorRecord record("learn", "bound");
    record.field("control", name)
        .field("device", device ? device->label : identity.path)
        .field("code", codes);
    if (!others.empty())
        record.field("unbound", others);
    monitor_.publish(record.field("map", mapPath_.string()));
}

} // namespace vantrel::driver

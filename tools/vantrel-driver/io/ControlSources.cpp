#include "io/ControlMapper.h"
#include "io/DriverIo.h"
#include "io/InputEventStreams.h"

namespace vantrel::driver {
namespace {

class MappedControlSource : public ControlSource {
public:
    MappedControlSource(std::unique_ptr<InputEventStream> stream, const ControlMap& map,
                        NoticeHandler notices, std::string device)
        : stream_(std::move(stream)), mapper_(map, notices, device), notices_(std::move(notices)) {
        remap(map, std::move(device));
    }

    void remap(const ControlMap& map, std::string device) override {
        mapper_ = ControlMapper(map, notices_, std::move(device));
        for (int a = 0; a < player::kAxisCount; ++a) {
            const int code = map.axes[static_cast<std::size_t>(a)].code;
            if (code == kUnbound)
                continue;
            if (const std::optional<AxisRange> range = stream_->absRange(code))
                mapper_.setDeviceRange(a, *range);
        }
    }

    std::span<const input_event> lastEvents() const override { return events_; }
    const InputEventStream& stream() const override { return *stream_; }

    int fd() const override { return stream_->fd(); }

    bool readControls(std::vector<player::ControlInput>& changes,
                      std::vector<ControlOrigin>& origins) override {
        events_.clear();
        const bool alive = stream_->read(events_);
        for (const input_event& event : events_)
            mapper_.process(event, changes, origins);
        if (!alive && notices_)
            notices_(stream_->error());
        return alive;
    }

    std::string describe() const override { return stream_->describe(); }

private:
    std::unique_ptr<InputEventStream> stream_;
    ControlMapper mapper_;
    NoticeHandler notices_;
    std::vector<input_event> events_;
};

} // namespace

std::unique_ptr<ControlSource> controlSourceForStream(std::unique_ptr<InputEventStream> stream,
                                                      const ControlMap& map, NoticeHandler notices,
                                                      std::string device) {
    std::string name = device.empty() ? stream->identity().path : std::move(device);
    return std::make_unique<MappedControlSource>(std::move(stream), map, std::move(notices),
                                                 std::move(name));
}

} // namespace vantrel::driver

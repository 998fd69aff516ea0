#pragma once

#include "devicefile/DeviceBytes.h"
#include "devicefile/DeviceRecords.h"
#include "files/DeviceProfile.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vantrel {

// The bytes of a device profile file as the translation makes them. The script records,
// which are nearly all of a large file, are written in their final form as the scripts are
// compiled, seven bytes an event, into room reserved for exactly the scripts and events the
// text holds; the configurations and chains, known only at the end of the text, follow in a
// second, small buffer. The file is the two buffers one after the other.
class DeviceFileImage {
public:
    DeviceFileImage();

    // Makes room for this many more scripts and events, so that adding them never moves the
    // bytes already written.
    void reserve(std::size_t scripts, std::size_t events);

    // Starts a script record; the events added after it are its events.
    void beginScript(std::uint16_t id);
    // Appends an event to the script begun last and returns its place, for setEventData.
    // The caller keeps a script within 65535 events.
    std::size_t addEvent(const DeviceEvent& event);
    void setEventData(std::size_t place, std::int16_t data);
    std::size_t scriptCount() const { return scripts_; }
    // Calls visit(place) for every event of this opcode, in the order of the file.
    template <typename Visit> void forEachEventOf(EventOpcode opcode, Visit visit) const {
        std::size_t at = kDeviceHeaderSize;
        for (std::size_t script = 0; script < scripts_; ++script) {
            const std::size_t events = readScriptHead(&head_[at]).count;
            at += kDeviceScriptHeaderSize;
            for (std::size_t event = 0; event < events; ++event, at += kDeviceEventSize) {
                if (head_[at] == static_cast<std::uint8_t>(opcode))
                    visit(at);
            }
        }
    }

    // The length of the whole file with these configurations and chains after the scripts.
    std::uint64_t lengthWith(const DeviceProfile& rest) const;
    // Encodes the configurations and chains, the end byte and the header. The caller keeps
    // every count within its field and the length within 32 bits.
    void finish(const DeviceProfile& rest);

    // The file as written: the header and scripts, then the rest (empty before finish).
    std::array<std::span<const std::uint8_t>, 2> pieces() const { return {head_, rest_}; }
    std::vector<std::uint8_t> bytes() const;

private:
    std::vector<std::uint8_t> head_; // the header, then the script records
    std::vector<std::uint8_t> rest_; // configurations, chains and the end byte
    std::size_t scripts_ = 0;
    std::size_t lastHeader_ = 0; // place of the last script record's header
    std::size_t lastEvents_ = 0;
};

} // namespace vantrel

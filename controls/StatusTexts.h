#pragma once

#include "controls/DriverState.h"

#include <QString>

namespace vantrel {

class OpenTranslation;

// What the Controls window says of the driver and the open profile, in the words its labels
// and list show. connected: whether the monitor stream is open now.
struct StatusTexts {
    bool connected = false;
    const DriverState& state;
    const OpenTranslation* open = nullptr; // the open profile; none before the first look

    // monitorPath empty: the system has no monitor stream. programPath: the driver's socket.
    QString driver(const QString& monitorPath, const QString& programPath) const;
    QString heldProfile() const;
    QString match() const;
    QString activeMode() const;
    QString trySource() const;
    // A line of the controls list: a button, a hat direction (value) or an axis; lit when the
    // button is down or the hat is pushed that way.
    QString controlLine(const player::ControlInput& row, bool& lit) const;
};

} // namespace vantrel

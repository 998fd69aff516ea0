#pragma once

#include "controls/ControlSpots.h"

#include <QPixmap>
#include <QWidget>

#include <functional>

namespace vantrel {

// The stick or throttle picture with its controls lit where they are down: a pressed button
// is ringed, a hat shows the direction it is pushed. A click on a control asks to try it.
class ControlPicture : public QWidget {
    Q_OBJECT
public:
    // lit: whether a button is down, or the direction a hat is pushed (0 Center).
    using LitState = std::function<int(const player::ControlInput& control)>;

    ControlPicture(ControlSpot::Picture picture, LitState lit, QWidget* parent = nullptr);

    QSize sizeHint() const override { return pixmap_.size(); }

signals:
    void controlClicked(const vantrel::player::ControlInput& control);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    ControlSpot::Picture picture_;
    LitState lit_;
    QPixmap pixmap_;
};

} // namespace vantrel

#include "controls/ControlPicture.h"

#include "widgets/PictureLabel.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantrel {

ControlPicture::ControlPicture(ControlSpot::Picture picture, LitState lit, QWidget* parent)
    : QWidget(parent), picture_(picture), lit_(std::move(lit)),
      pixmap_(picturePixmap(picture == ControlSpot::Picture::Stick
                                ? QStringLiteral(":/pictures/stick.png")
                                : QStringLiteral(":/pictures/throttle.png"))) {
    setFixedSize(pixmap_.size());
    setCursor(Qt::PointingHandCursor);
}

void ControlPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap_);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor light(0, 200, 255);
    for (const ControlSpot& spot : controlSpots()) {
        if (spot.picture != picture_)
            continue;
        const int state = lit_ ? lit_(spot.control) : 0;
        if (state == 0)
            continue;
        if (spot.control.kind == player::ControlInput::Kind::Button) {
            painter.setPen(QPen(light, 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPoint(spot.x, spot.y), spot.radius + 3, spot.radius + 3);
            continue;
        }
        int x = 0, y = 0;
        hatDirectionPoint(spot, state, x, y);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(light);
        painter.drawEllipse(QPoint(x, y), 4, 4);
    }
}

void ControlPicture::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (const std::optional<player::ControlInput> control = controlAt(picture_, at.x(), at.y()))
        Q_EMIT controlClicked(*control);
    QWidget::mousePressEvent(event);
}

} // namespace vantrel

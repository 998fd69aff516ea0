#include "widgets/PictureLabel.h"

#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

// The drawings live in the GUI library's resources, which a static library must register.
static void registerDrawings() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
}

namespace vantrel {

QPixmap renderPicture(const QString& resource, QSize size) {
    registerDrawings();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return QPixmap::fromImage(image);
}

QLabel* makePictureLabel(QWidget* parent, const QString& resource, QSize size) {
    auto* label = new QLabel(parent);
    label->setPixmap(renderPicture(resource, size));
    label->setFixedSize(size);
    return label;
}

QIcon programIcon() {
    registerDrawings();
    return QIcon(QStringLiteral(":/vantrel-icon.svg"));
}

} // namespace vantrel

#include "widgets/PictureLabel.h"

#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace vantrel {

// The pictures are PNG files in the resources. Told the format and not to detect one, the
// reader goes straight to Qt's own PNG decoder; detecting would load every image plug-in to
// ask it first (and Qt SVG with one).
QPixmap picturePixmap(const QString& resource) {
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QLabel* makePictureLabel(QWidget* parent, const QString& resource) {
    const QPixmap picture = picturePixmap(resource);
    auto* label = new QLabel(parent);
    label->setPixmap(picture);
    label->setFixedSize(picture.size());
    return label;
}

QIcon programIcon() {
    QIcon icon;
    const QString folder = QStringLiteral(":/icon");
    for (const QString& file : QDir(folder).entryList(QDir::Files))
        icon.addPixmap(picturePixmap(folder + QLatin1Char('/') + file));
    return icon;
}

} // namespace vantrel

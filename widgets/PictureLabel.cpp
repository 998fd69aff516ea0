#include "widgets/PictureLabel.h"

#include "widgets/PictureBits.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QResource>

namespace vantrel {
namespace {

// The pictures are stored as plain pixels: a QImageReader, even one told the format, would
// look through every image plug-in first, loading them all (and Qt SVG with one).
QPixmap loadPicture(const QString& resource) {
    return QPixmap::fromImage(picture_bits::decode(QResource(resource).uncompressedData()));
}

} // namespace

QPixmap picturePixmap(const QString& resource) {
    return loadPicture(resource);
}

QLabel* makePictureLabel(QWidget* parent, const QString& resource) {
    const QPixmap picture = loadPicture(resource);
    auto* label = new QLabel(parent);
    label->setPixmap(picture);
    label->setFixedSize(picture.size());
    return label;
}

QIcon programIcon() {
    QIcon icon;
    const QString folder = QStringLiteral(":/icon");
    for (const QString& file : QDir(folder).entryList(QDir::Files))
        icon.addPixmap(loadPicture(folder + QLatin1Char('/') + file));
    return icon;
}

} // namespace vantrel

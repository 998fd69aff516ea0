// Renders one of the program's drawings at an exact size at build time, so that the program
// shows its pictures without parsing SVG or shaping the logo's lettering at start-up. OUTPUT is
// a PNG (for the icon theme) or, named .rgba, the plain pixels the program reads:
// render-picture SOURCE.svg WIDTHxHEIGHT white|transparent OUTPUT.png|OUTPUT.rgba
#include "widgets/PictureBits.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstring>

namespace {

bool readSize(const char* text, QSize& size) {
    int width = 0;
    int height = 0;
    char end = 0;
    if (std::sscanf(text, "%dx%d%c", &width, &height, &end) != 2)
        return false;
    if (width < 1 || height < 1 || width > 1024 || height > 1024)
        return false;
    size = QSize(width, height);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: render-picture SOURCE.svg WIDTHxHEIGHT white|transparent OUTPUT\n");
        return 2;
    }
    QSize size;
    const bool opaque = std::strcmp(argv[3], "white") == 0;
    if (!readSize(argv[2], size) || (!opaque && std::strcmp(argv[3], "transparent") != 0)) {
        std::fprintf(stderr, "render-picture: cannot read the size %s or the ground %s\n", argv[2],
                     argv[3]);
        return 2;
    }
    // The lettering of a drawing is laid out with the system's fonts, which need the GUI
    // application; the off-screen platform is enough (the build sets it).
    QGuiApplication application(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render-picture: cannot render %s\n", argv[1]);
        return 1;
    }
    QImage image(size, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    const QString output = QString::fromLocal8Bit(argv[4]);
    bool written = false;
    if (output.endsWith(QLatin1String(".rgba"))) {
        QFile file(output);
        const QByteArray bytes = vantrel::picture_bits::encode(image);
        written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    } else {
        written = image.save(output, "PNG");
    }
    if (!written) {
        std::fprintf(stderr, "render-picture: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}

// The pictures the build renders into the resources, and the plain-pixel form they are kept in.
#include "widgets/PictureBits.h"
#include "widgets/PictureLabel.h"

#include <QDir>
#include <QLabel>
#include <QResource>
#include <QtTest>

using namespace vantrel;

namespace {

bool isBlank(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return false;
    return true;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void keepsEveryPixelThroughItsForm() {
        QImage image(3, 2, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        image.setPixelColor(0, 0, QColor(255, 0, 0));
        image.setPixelColor(2, 1, QColor(0, 0, 255, 255));
        const QImage back = picture_bits::decode(picture_bits::encode(image));
        QCOMPARE(back.size(), QSize(3, 2));
        QCOMPARE(back.convertToFormat(image.format()), image);
    }

    void refusesBytesThatAreNotExactlyOnePicture() {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QByteArray whole = picture_bits::encode(image);
        QVERIFY(!picture_bits::decode(whole).isNull());
        QVERIFY(picture_bits::decode(QByteArray()).isNull());
        QVERIFY(picture_bits::decode(whole.left(7)).isNull());
        QVERIFY(picture_bits::decode(whole.chopped(1)).isNull());
        QVERIFY(picture_bits::decode(whole + 'x').isNull());
        // A header claiming a side beyond any picture of the program is not believed.
        QByteArray huge = whole;
        huge[3] = char(0x7F);
        QVERIFY(picture_bits::decode(huge).isNull());
    }

    // Every picture the build put into the resources is whole and not blank; the labels and the
    // icon take their sizes from them.
    void theResourcesHoldEveryPictureWhole() {
        const QStringList pictures = QDir(":/pictures").entryList(QDir::Files);
        QCOMPARE(pictures, QStringList({"axes.rgba", "logo.rgba", "stick.rgba", "throttle.rgba"}));
        for (const QString& name : pictures) {
            const QImage image =
                picture_bits::decode(QResource(":/pictures/" + name).uncompressedData());
            QVERIFY2(!image.isNull(), qPrintable(name));
            QVERIFY2(!isBlank(image), qPrintable(name + " is blank"));
        }
        QLabel* logo = makePictureLabel(nullptr, ":/pictures/logo.rgba");
        QCOMPARE(logo->size(), QSize(198, 55));
        delete logo;
        QList<QSize> sizes = programIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    }
};

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"

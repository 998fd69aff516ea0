// The pictures in the resources, at the sizes the windows are laid out for.
#include "widgets/PictureLabel.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

#include <memory>

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
    // Every picture decodes whole, in plain colour, not blank and at the size its window is
    // laid out for; the labels and the icon take their sizes from them.
    void theResourcesHoldEveryPictureWhole() {
        const std::vector<std::pair<QString, QSize>> pictures{{"axes.png", {336, 293}},
                                                              {"logo.png", {198, 55}},
                                                              {"stick.png", {337, 276}},
                                                              {"throttle.png", {343, 206}}};
        QStringList names;
        for (const auto& [name, size] : pictures)
            names << name;
        QCOMPARE(QDir(":/pictures").entryList(QDir::Files), names);
        for (const auto& [name, size] : pictures) {
            const QImage image = picturePixmap(":/pictures/" + name).toImage();
            QCOMPARE(image.size(), size);
            QVERIFY2(!isBlank(image), qPrintable(name + " is blank"));
            QVERIFY2(!image.hasAlphaChannel(), qPrintable(name + " is not plain colour"));
        }
        const std::unique_ptr<QLabel> logo(makePictureLabel(nullptr, ":/pictures/logo.png"));
        QCOMPARE(logo->size(), QSize(198, 55));
        QList<QSize> sizes = programIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    }
};

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"

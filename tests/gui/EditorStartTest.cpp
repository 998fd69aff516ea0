#include "app/Application.h"
#include "editor/EditorWindow.h"
#include "support/GuiTestSupport.h"
#include "widgets/ProgramStyle.h"

#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QtTest>

using namespace vantrel;

namespace {

// The shared libraries and plug-ins this process has mapped whose path contains one of these.
QStringList mappedMatching(const QStringList& parts) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(no /proc/self/maps)")};
    QStringList found;
    for (const QByteArray& line : maps.readAll().split('\n'))
        for (const QString& part : parts)
            if (line.contains(part.toUtf8()) && !found.contains(QString::fromUtf8(line)))
                found << QString::fromUtf8(line);
    return found;
}

} // namespace

class EditorStartTest : public QObject {
    Q_OBJECT
private slots:
    // First, while nothing else in this process has read an image: building the window reads
    // its pictures and icon without Qt SVG, an icon engine or any image plug-in.
    void buildingTheWindowLoadsNoImagePlugin() {
        useProgramStyle();
        EditorWindow window;
        const QStringList loaded = mappedMatching({"libQt6Svg", "/iconengines/", "/imageformats/"});
        QVERIFY2(loaded.isEmpty(), qPrintable(loaded.join('\n')));
        QCOMPARE(window.windowIcon().availableSizes().size(), 4);
        QCOMPARE(window.findChild<QLabel*>("logoPicture")->size(), QSize(198, 55));
        QVERIFY(!window.findChild<QMenuBar*>("menuBar")->isNativeMenuBar());
    }

    // The menu bar's overflow arrow, put off until it is drawn, is still the style's own.
    void theDeferredOverflowArrowIsTheStylesOwn() {
        const QIcon deferred =
            QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        ProgramStyle reference;
        const QIcon real =
            reference.baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QCOMPARE(deferred.pixmap(16).toImage(), real.pixmap(16).toImage());
    }

    void windowHasItsTitle() {
        EditorWindow window;
        QCOMPARE(test::shownTitle(window), QString("Vantrel Generator"));
    }
};

QTEST_MAIN(EditorStartTest)
#include "EditorStartTest.moc"

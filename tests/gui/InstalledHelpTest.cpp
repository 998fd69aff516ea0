// The help an installed program gives: Help > Readme finds the guide where the install layout
// puts it, and the About box shows the licence and opens the configured home page.
#include "editor/AboutBox.h"
#include "editor/EditorWindow.h"
#include "support/GuiTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantrel;

class InstalledHelpTest : public QObject {
    Q_OBJECT
private slots:
    void readmeFallsBackToTheInstalledGuide() {
        // Laid out as installed: the guide in the documentation folder beside bin/.
        const QString guide = QDir::cleanPath(
            QDir(QCoreApplication::applicationDirPath()).filePath(VANTREL_README_FROM_EDITOR));
        QVERIFY(QDir().mkpath(QFileInfo(guide).path()));
        QFile file(guide);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
        file.close();
        QTemporaryDir elsewhere; // a current folder without docs/readme.html
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere.path()));

        test::GuiSeams seams;
        EditorWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        test::chooseMenuEntry(window, window.menuBar(), "helpMenu", "Readme...");
        QDir::setCurrent(previous);
        QFile::remove(guide);

        QCOMPARE(seams.desktop.openedUrls().size(), std::size_t(1));
        QCOMPARE(QDir::cleanPath(seams.desktop.openedUrls()[0].toLocalFile()), guide);
    }

    void aboutBoxShowsTheLicenceAndOpensTheHomePage() {
        test::GuiSeams seams;
        AboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QString licence = test::child<QLabel>(&box, "aboutLicenceLabel")->text();
        QVERIFY(licence.contains("Copyright (C) 2026 The Vantrel developers"));
        QVERIFY(licence.contains("GNU General Public License"));
        QVERIFY(licence.contains("version 3 or later"));

        auto* link = test::child<QLabel>(&box, "aboutHomePageLink");
        QVERIFY(link->text().contains(VANTREL_HOMEPAGE));
        QVERIFY(!link->accessibleName().isEmpty());
        Q_EMIT link->linkActivated(QStringLiteral(VANTREL_HOMEPAGE));
        QCOMPARE(seams.desktop.openedUrls(), std::vector<QUrl>{QUrl(VANTREL_HOMEPAGE)});
    }
};

QTEST_MAIN(InstalledHelpTest)
#include "InstalledHelpTest.moc"

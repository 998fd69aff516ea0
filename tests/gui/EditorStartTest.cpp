#include "app/Application.h"
#include "editor/EditorWindow.h"
#include "support/GuiTestSupport.h"

#include <QtTest>

using namespace vantrel;

class EditorStartTest : public QObject {
    Q_OBJECT
private slots:
    void windowHasItsTitle() {
        EditorWindow window;
        QCOMPARE(window.windowTitle(), QString("Vantrel Generator"));
    }
};

QTEST_MAIN(EditorStartTest)
#include "EditorStartTest.moc"

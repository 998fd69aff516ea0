#include "support/GuiTestSupport.h"

#include <QDir>
#include <QMenu>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

namespace vantrel::test {

GuiSeams::GuiSeams() : scopedMessages_(messages) {
    platform::installDesktop(&desktop);
}

GuiSeams::~GuiSeams() {
    platform::installDesktop(nullptr);
}

QString plainText(const QAction* action) {
    return QString(action->text()).remove('&');
}

QString shownTitle(QWidget& window) {
    window.winId(); // the native window the title goes to
    return window.windowHandle()->title();
}

bool clickButton(const QObject* parent, const char* objectName) {
    auto* button = parent->findChild<QAbstractButton*>(QString::fromLatin1(objectName));
    if (!button || !button->isEnabled())
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

void chooseMenuEntry(const QWidget& window, QMenuBar* bar, const char* menuName,
                     const QString& entry) {
    QMenu* menu = child<QMenu>(&window, menuName);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QVERIFY(QTest::qWaitFor([&] { return menu->isVisible(); }));
    QAction* action = nullptr;
    for (QAction* candidate : menu->actions())
        if (plainText(candidate) == entry)
            action = candidate;
    QVERIFY2(action && action->isEnabled(), qPrintable(entry));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    QVERIFY(QTest::qWaitFor([&] { return !menu->isVisible(); }));
}

QString saveScreenshot(QWidget* widget, const QString& fileName) {
#ifdef VANTREL_SCREENSHOT_DIR
    const QString folder = QStringLiteral(VANTREL_SCREENSHOT_DIR);
#else
    const QString folder = QDir::currentPath() + "/screenshots";
#endif
    QDir().mkpath(folder);
    const QString path = folder + "/" + fileName;
    widget->grab().save(path);
    return path;
}

} // namespace vantrel::test

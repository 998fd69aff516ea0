#include "support/GuiTestSupport.h"

#include <QDir>
#include <QPixmap>

namespace vantrel::test {

GuiSeams::GuiSeams() : scopedMessages_(messages) { platform::installDesktop(&desktop); }

GuiSeams::~GuiSeams() { platform::installDesktop(nullptr); }

bool clickButton(const QObject* parent, const char* objectName) {
    auto* button = parent->findChild<QAbstractButton*>(QString::fromLatin1(objectName));
    if (!button || !button->isEnabled())
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
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

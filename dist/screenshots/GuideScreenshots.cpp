#include "GuideScreenshots.h"

#include "app/Application.h"
#include "editor/EditorWindow.h"
#include "files/ProfileTextReader.h"
#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QImage>
#include <QListView>
#include <QSet>
#include <QTest>

namespace vantrel {
namespace {

// Refuses every box: a picture taken behind a message box would show a broken profile.
class MessageCounter : public platform::MessagePresenter {
public:
    platform::MessageAnswer present(const platform::Message& message) override {
        shown << QString::fromStdString(message.title + ": " + message.text);
        return message.buttons == platform::MessageButtons::Ok ? platform::MessageAnswer::Ok
                                                               : platform::MessageAnswer::Cancel;
    }
    QStringList shown;
};

// A drawn window holds many colours; a blank or failed grab holds one or two.
bool showsSomething(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
    return colours.size() > 8;
}

void shoot(QWidget& window, const QString& folder, const QString& fileName,
           GuideScreenshots& result) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        result.problems << fileName + ": the window was never shown";
        return;
    }
    const QString path = QDir(folder).filePath(fileName);
    if (!window.grab().save(path, "PNG")) {
        result.problems << fileName + ": cannot write " + path;
        return;
    }
    const QImage written(path);
    const QSize expected = window.size() * window.devicePixelRatio();
    if (written.isNull() || written.size() != expected || !showsSomething(written)) {
        result.problems << QStringLiteral("%1: %2x%3 pixels written, %4x%5 expected, or blank")
                               .arg(fileName)
                               .arg(written.width())
                               .arg(written.height())
                               .arg(expected.width())
                               .arg(expected.height());
        return;
    }
    result.taken.push_back({fileName, expected});
}

} // namespace

GuideScreenshots takeGuideScreenshots(const QString& profilePath, const QString& folder) {
    GuideScreenshots result;
    if (!QDir().mkpath(folder)) {
        result.problems << "cannot create " + folder;
        return result;
    }
    MessageCounter messages;
    platform::ScopedMessagePresenter scopedMessages(messages);
    EditorWindow window;
    loadProfileIntoEditor(window, QFile::encodeName(profilePath).toStdString());
    if (window.statusText() != kProfileLoadedText) {
        result.problems << profilePath + " was not loaded";
        return result;
    }
    // A script selected, as while assigning, so the panels show it where they name it.
    auto* scripts = window.findChild<QListView*>("scriptList");
    if (scripts && scripts->model()->rowCount() > 1)
        scripts->setCurrentIndex(scripts->model()->index(1, 0));

    shoot(window, folder, "editor-window.png", result);
    shoot(window.stickPanel(), folder, "stick-panel.png", result);
    shoot(window.throttlePanel(), folder, "throttle-panel.png", result);
    shoot(window.axisPanel(), folder, "axis-panel.png", result);
    for (const QString& box : messages.shown)
        result.problems << "message box: " + box;
    return result;
}

} // namespace vantrel

#include "editor/WindowTitle.h"

#include "platform/qt/ByteText.h"

namespace vantrel {

QString editorWindowTitle(const std::string& profileFileName, bool profileSaved) {
    QString title = QStringLiteral("Vantrel Generator");
    if (!profileFileName.empty())
        title += QStringLiteral(" - ") + platform::displayText(profileFileName);
    if (!profileSaved)
        title += QLatin1Char('*');
    return title;
}

} // namespace vantrel

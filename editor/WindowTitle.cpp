#include "editor/WindowTitle.h"

#include "platform/qt/ByteText.h"

namespace vantrel {

QString editorWindowTitle(const std::string& profileFileName) {
    QString title = QStringLiteral("Vantrel Generator");
    if (!profileFileName.empty())
        // A "[*]" of the name's own is doubled, which the window shows as it is.
        title +=
            QStringLiteral(" - ") + platform::displayText(profileFileName).replace("[*]", "[*][*]");
    return title + QStringLiteral("[*]");
}

} // namespace vantrel

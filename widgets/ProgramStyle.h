#pragma once

#include <QProxyStyle>

namespace vantrel {

// The platform's own style, told to fetch the menu bar's overflow arrow only if it is ever
// drawn. Qt reads that arrow from a file in every QMenuBar's constructor, and reading it has
// every image plug-in loaded (Qt SVG among them) just to recognise a PNG; the editor's menu
// bar never overflows, so the window opens without them.
class ProgramStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

// Gives the application this style; called once the application exists, before any window.
void useProgramStyle();

} // namespace vantrel

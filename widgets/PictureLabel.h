#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

namespace vantrel {

// A label of the picture's own size showing one of the program's pictures, named
// as in the resources (":/pictures/stick.png").
QLabel* makePictureLabel(QWidget* parent, const QString& resource);
// The picture itself, for a widget that draws on it.
QPixmap picturePixmap(const QString& resource);
// The program's icon in every size the resources hold, for the editor window and the panels.
QIcon programIcon();

} // namespace vantrel

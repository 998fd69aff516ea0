#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

namespace vantrel {

// Renders a drawing resource at an exact pixel size onto an opaque white ground.
QPixmap renderPicture(const QString& resource, QSize size);
// A label of fixed size showing the rendered drawing.
QLabel* makePictureLabel(QWidget* parent, const QString& resource, QSize size);
// The program's icon, for the editor window and the panels.
QIcon programIcon();

} // namespace vantrel

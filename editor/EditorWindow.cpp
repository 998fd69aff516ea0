#include "editor/EditorWindow.h"

namespace vantrel {

EditorWindow::EditorWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("editorWindow");
    setWindowTitle("Vantrel Generator");
}

} // namespace vantrel

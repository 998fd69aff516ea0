#pragma once

#include <QDialog>

namespace vantrel {

// The program's main window, "Vantrel Generator".
class EditorWindow : public QDialog {
    Q_OBJECT
public:
    explicit EditorWindow(QWidget* parent = nullptr);
};

} // namespace vantrel

#pragma once

#include <QDialog>

namespace vantrel {

// The program's logo, version, copyright, licence and home page, and an OK button. Shown
// modally.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace vantrel

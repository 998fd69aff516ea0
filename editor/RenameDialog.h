#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;
class QPushButton;

namespace vantrel {

// Asks for a new name. The name handed back is always cut before the first character that
// the profile text file cannot hold in a name and trimmed, whether the box lost the focus
// before OK or not.
class RenameDialog : public QDialog {
    Q_OBJECT
public:
    explicit RenameDialog(QWidget* parent = nullptr);

    void setName(const QString& name);
    QString name() const { return name_; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void cutNameBox();

    QString name_;
    QLineEdit* nameBox_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

// Runs the Rename dialog with the current name; the new name on OK, nothing on Cancel.
std::optional<QString> askForName(QWidget* parent, const QString& current);

} // namespace vantrel

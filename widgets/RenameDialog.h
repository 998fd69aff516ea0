#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

class QPushButton;

namespace vantrel::platform {
class ByteLineEdit;
}

namespace vantrel {

// Asks for a new name. The name handed back is always cut before the first character that
// the profile text file cannot hold in a name and trimmed, whether the box lost the focus
// before OK or not.
class RenameDialog : public QDialog {
    Q_OBJECT
public:
    explicit RenameDialog(QWidget* parent = nullptr);

    void setName(const QString& name);
    QString name() const;
    // The name as bytes: a name handed in and accepted unchanged comes back byte for byte.
    void setNameBytes(std::string name);
    const std::string& nameBytes() const { return name_; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void cutNameBox();

    std::string name_;
    platform::ByteLineEdit* nameBox_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

// Runs the Rename dialog on the current name until the user cancels or tryName, handed the
// name given on OK, takes it (returns true); a refused name opens the dialog again.
void askForNewName(QWidget* parent, const std::string& current,
                   const std::function<bool(const std::string&)>& tryName);

} // namespace vantrel

#pragma once

#include "files/ProfileCheck.h"

#include <QDialog>

#include <vector>

class QListWidget;

namespace vantrel {

class EditorWindow;

// "Check Profile": the problems the check found in the profile as it would be saved, one row
// each. Choosing a row selects the script, mode or chain the problem belongs to in the window.
class CheckReportDialog : public QDialog {
    Q_OBJECT
public:
    CheckReportDialog(EditorWindow& window, std::vector<CheckFinding> findings);

    QListWidget& list() const { return *list_; }

private:
    void showSubject(int row);

    EditorWindow& window_;
    std::vector<CheckFinding> findings_;
    QListWidget* list_ = nullptr;
};

} // namespace vantrel

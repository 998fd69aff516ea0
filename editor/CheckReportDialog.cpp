#include "editor/CheckReportDialog.h"

#include "editor/EditorWindow.h"
#include "panels/AxisPanel.h"
#include "profile/Script.h"

#include <QAbstractItemModel>
#include <QDialogButtonBox>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {
namespace {

QString rowText(const CheckFinding& finding) {
    const Diagnostic& d = finding.diagnostic;
    QString text = d.severity == Severity::Error ? "Error" : "Warning";
    if (d.line > 0)
        text += QString(" (line %1, column %2)").arg(d.line).arg(d.column);
    return text + ": " + QString::fromStdString(d.text);
}

// Selects the row of a list view whose text (or, for scripts, whose text's first word) is
// the name; the view's own selection handlers then run as for a click.
void selectByName(QListView* view, const std::string& name, bool firstWord) {
    if (!view || !view->model())
        return;
    QAbstractItemModel& model = *view->model();
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        const std::string text = index.data().toString().toStdString();
        if ((firstWord ? std::string(scriptName(text)) : text) == name) {
            view->setCurrentIndex(index);
            view->scrollTo(index);
            return;
        }
    }
}

} // namespace

CheckReportDialog::CheckReportDialog(EditorWindow& window, std::vector<CheckFinding> findings)
    : QDialog(&window), window_(window), findings_(std::move(findings)) {
    setObjectName("checkReportDialog");
    setAccessibleName("Check Profile");
    setWindowTitle("Check Profile");
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName("checkReportList");
    list_->setAccessibleName("Problems found in the profile");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const CheckFinding& finding : findings_)
        list_->addItem(rowText(finding));
    if (findings_.empty())
        list_->addItem("No problems found.");
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("checkReportButtons");
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName("checkReportCloseButton");
    close->setAccessibleName("Close");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, this, &CheckReportDialog::showSubject);
    resize(640, 320);
}

void CheckReportDialog::showSubject(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= findings_.size())
        return;
    const CheckFinding& finding = findings_[static_cast<std::size_t>(row)];
    switch (finding.subject) {
    case CheckSubject::Script:
        selectByName(window_.findChild<QListView*>("scriptList"), finding.subjectName, true);
        break;
    case CheckSubject::Mode:
        selectByName(window_.findChild<QListView*>("modeList"), finding.subjectName, false);
        break;
    case CheckSubject::Chain: {
        auto* chains = window_.axisPanel().findChild<QListWidget*>("chainList");
        const auto items = chains ? chains->findItems(QString::fromStdString(finding.subjectName),
                                                      Qt::MatchExactly)
                                  : QList<QListWidgetItem*>();
        if (!items.isEmpty())
            chains->setCurrentItem(items.front());
        break;
    }
    case CheckSubject::None:
        break;
    }
}

} // namespace vantrel

#pragma once

#include "profile/SortedNameList.h"

#include <QAbstractListModel>

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The rows of the editor's sorted script list: one script name per row, in the list's
// case-insensitive order.
class ScriptListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Adds the name at its sorted row and returns the row.
    int addName(std::string name);
    void removeRow(int row);
    void clearNames();
    // The first row whose name equals this one when letter case is ignored.
    std::optional<int> findRow(std::string_view name) const;
    const std::string& nameAt(int row) const;
    const SortedNameList& names() const { return names_; }

private:
    SortedNameList names_;
};

} // namespace vantrel

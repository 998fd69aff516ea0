#include "editor/ScriptListModel.h"

#include "platform/qt/ByteText.h"

#include <algorithm>

namespace vantrel {

int ScriptListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant ScriptListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return platform::displayText(names_.at(static_cast<std::size_t>(index.row())));
    return {};
}

int ScriptListModel::addName(std::string name) {
    const auto row = static_cast<int>(names_.insertionPoint(name));
    beginInsertRows(QModelIndex(), row, row);
    names_.insert(std::move(name));
    endInsertRows();
    return row;
}

void ScriptListModel::removeRow(int row) {
    beginRemoveRows(QModelIndex(), row, row);
    names_.erase(static_cast<std::size_t>(row));
    endRemoveRows();
}

void ScriptListModel::clearNames() {
    beginResetModel();
    names_.clear();
    endResetModel();
}

std::optional<int> ScriptListModel::findRow(std::string_view name) const {
    const auto found = names_.findIgnoringCase(name);
    if (!found)
        return std::nullopt;
    return static_cast<int>(*found);
}

const std::string& ScriptListModel::nameAt(int row) const {
    return names_.at(static_cast<std::size_t>(row));
}

} // namespace vantrel

#include "editor/NameListModel.h"

#include "platform/qt/ByteText.h"

namespace vantrel {

NameListModel::NameListModel(CountFunction count, NameFunction name, QObject* parent)
    : QAbstractListModel(parent), count_(std::move(count)), name_(std::move(name)) {}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(count_());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const std::string& name = name_(static_cast<std::size_t>(index.row()));
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return platform::displayText(name);
    if (role == platform::kBytesRole)
        return QByteArray(name.data(), static_cast<qsizetype>(name.size()));
    return {};
}

void NameListModel::beforeInsert(std::size_t row) {
    const int at = static_cast<int>(row);
    beginInsertRows(QModelIndex(), at, at);
}

void NameListModel::beforeRemove(std::size_t row) {
    const int at = static_cast<int>(row);
    beginRemoveRows(QModelIndex(), at, at);
}

void NameListModel::renamed(std::size_t row) {
    const QModelIndex changed = index(static_cast<int>(row));
    Q_EMIT dataChanged(changed, changed);
}

} // namespace vantrel

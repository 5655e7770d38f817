#include "widgets/ReportListModel.h"

namespace {

bool hasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

}  // namespace

ReportListModel::ReportListModel(QStringList titles, QObject* parent)
    : QAbstractTableModel(parent),
      titles_(std::move(titles)),
      alignments_(titles_.size(), Qt::AlignLeft | Qt::AlignVCenter) {}

void ReportListModel::setAlignment(int column, Qt::Alignment alignment) {
    if (column >= 0 && column < alignments_.size()) alignments_[column] = alignment | Qt::AlignVCenter;
}

void ReportListModel::clear() {
    setRows({});
}

void ReportListModel::setRows(QVector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void ReportListModel::appendRow(qint64 id, QStringList cells) {
    const int at = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), at, at);
    rows_.append(Row{id, std::move(cells)});
    endInsertRows();
}

void ReportListModel::removeRowAt(int row) {
    if (row < 0 || row >= rows_.size()) return;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.removeAt(row);
    endRemoveRows();
}

void ReportListModel::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rows_.size() || column < 0 || column >= titles_.size()) return;
    QStringList& cells = rows_[row].cells;
    while (cells.size() <= column) cells.append(QString());
    cells[column] = text;
    emit dataChanged(index(row, column), index(row, column));
}

qint64 ReportListModel::rowId(int row) const {
    return row >= 0 && row < rows_.size() ? rows_[row].id : 0;
}

QString ReportListModel::cell(int row, int column) const {
    if (row < 0 || row >= rows_.size()) return QString();
    return rows_[row].cells.value(column);
}

int ReportListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ReportListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size()) return {};
    switch (role) {
        case Qt::DisplayRole: {
            // One line a row: a note's line breaks would make every row of the list that tall.
            QString text = rows_[index.row()].cells.value(index.column());
            if (hasLineBreak(text))
                text.replace(QLatin1String("\r\n"), QLatin1String(" "))
                    .replace(QLatin1Char('\n'), QLatin1Char(' '))
                    .replace(QLatin1Char('\r'), QLatin1Char(' '));
            return text;
        }
        case Qt::ToolTipRole: {
            const QString text = rows_[index.row()].cells.value(index.column());
            return hasLineBreak(text) ? QVariant(text) : QVariant();
        }
        case Qt::UserRole:
            return rows_[index.row()].id;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignments_.value(index.column()));
        default:
            return {};
    }
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return titles_.value(section);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignments_.value(section));
    return {};
}

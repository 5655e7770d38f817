#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The rows of a report-style list: text cells, and the record's ID as each row's item value
// (Qt::UserRole of every cell). Built for hundreds of thousands of rows.
class ReportListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        qint64 id = 0;
        QStringList cells;
    };

    explicit ReportListModel(QStringList titles, QObject* parent = nullptr);

    void setAlignment(int column, Qt::Alignment alignment);
    void clear();
    void setRows(QVector<Row> rows);
    void appendRow(qint64 id, QStringList cells);
    void removeRowAt(int row);
    void setCell(int row, int column, const QString& text);

    qint64 rowId(int row) const;
    QString cell(int row, int column) const;
    const QVector<Row>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList titles_;
    QVector<Qt::Alignment> alignments_;
    QVector<Row> rows_;
};

// Moved in memory as a block when a long list grows.
Q_DECLARE_TYPEINFO(ReportListModel::Row, Q_RELOCATABLE_TYPE);

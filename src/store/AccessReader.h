#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

// Reads the tables of a Jet 4 file through mdbtools, read-only. Values come back as:
// whole numbers qint64, texts QString (the empty text for NULL too: mdbtools does not tell
// them apart), date-times the raw double, OLE Objects the raw bytes, NULL an invalid QVariant.
class AccessReader {
public:
    enum class Kind { Integer, Text, DateTime, Binary, Other };
    struct Column {
        QString name;
        Kind kind = Kind::Other;
    };
    struct Row {
        QVariantList values;
        // Columns whose text filled the whole bind buffer and so may have been cut.
        QStringList cutColumns;
    };
    struct TableInfo {
        QList<Column> columns;
        qint64 declaredRows = 0;
        // The last AutoNumber handed out, from the table-definition page.
        qint64 lastAutoNumber = 0;
    };
    using RowSink = std::function<bool(const Row&)>;

    // Memo columns can hold tens of thousands of characters; a smaller buffer cuts them.
    static constexpr size_t bindSize = 256 * 1024;

    explicit AccessReader(const QString& path);
    ~AccessReader();
    AccessReader(const AccessReader&) = delete;
    AccessReader& operator=(const AccessReader&) = delete;

    bool isOpen() const;
    // The user tables in catalog order.
    QStringList tableNames() const;
    // Reads the table's definition, then hands every row to sink (which may stop by returning
    // false). False when the table cannot be read whole: unreadable definition, or fewer rows
    // found than the definition counts (pages lost from a truncated or damaged file).
    bool readTable(const QString& name, TableInfo& info, const RowSink& sink);

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    qint64 pageCount_ = 0;
};

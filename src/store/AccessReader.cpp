#include "store/AccessReader.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <vector>

extern "C" {
#include <glib.h>
#include <mdbtools.h>
}

#include "store/JetFile.h"

struct AccessReader::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle() {
        if (mdb) mdb_close(mdb);
    }
};

namespace {

// mdbtools takes its output code page from MDBICONV when mdb_open runs; we need UTF-8.
class Utf8Output {
public:
    Utf8Output() : saved_(qgetenv("MDBICONV")), wasSet_(qEnvironmentVariableIsSet("MDBICONV")) {
        if (wasSet_) qunsetenv("MDBICONV");
    }
    ~Utf8Output() {
        if (wasSet_) qputenv("MDBICONV", saved_);
    }
    Utf8Output(const Utf8Output&) = delete;
    Utf8Output& operator=(const Utf8Output&) = delete;

private:
    QByteArray saved_;
    bool wasSet_;
};

struct TableDef {
    MdbTableDef* table = nullptr;
    explicit TableDef(MdbTableDef* t) : table(t) {}
    ~TableDef() {
        if (table) mdb_free_tabledef(table);
    }
    TableDef(const TableDef&) = delete;
    TableDef& operator=(const TableDef&) = delete;
};

AccessReader::Kind kindOf(int type) {
    switch (type) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return AccessReader::Kind::Integer;
    case MDB_TEXT:
    case MDB_MEMO: return AccessReader::Kind::Text;
    case MDB_DATETIME: return AccessReader::Kind::DateTime;
    case MDB_OLE: return AccessReader::Kind::Binary;
    default: return AccessReader::Kind::Other;
    }
}

MdbColumn* columnAt(MdbTableDef* table, unsigned i) { return static_cast<MdbColumn*>(table->columns->pdata[i]); }

}  // namespace

AccessReader::AccessReader(const QString& path) : handle_(std::make_unique<Handle>()) {
    pageCount_ = QFileInfo(path).size() / jet4PageSize;
    {
        Utf8Output utf8;
        handle_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    }
    if (!handle_->mdb) return;
    mdb_set_bind_size(handle_->mdb, bindSize);
    if (handle_->mdb->f->jet_version != MDB_VER_JET4 || !mdb_read_catalog(handle_->mdb, MDB_TABLE)) {
        mdb_close(handle_->mdb);
        handle_->mdb = nullptr;
    }
}

AccessReader::~AccessReader() = default;

bool AccessReader::isOpen() const { return handle_->mdb != nullptr; }

QStringList AccessReader::tableNames() const {
    QStringList names;
    if (!isOpen()) return names;
    MdbHandle* mdb = handle_->mdb;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(mdb->catalog->pdata[i]);
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

bool AccessReader::readTable(const QString& name, TableInfo& info, const RowSink& sink) {
    info = TableInfo();
    if (!isOpen()) return false;
    MdbHandle* mdb = handle_->mdb;
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog && !entry; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(mdb->catalog->pdata[i]);
        if (e->object_type == MDB_TABLE && QString::fromUtf8(e->object_name) == name) entry = e;
    }
    if (!entry || static_cast<qint64>(entry->table_pg) >= pageCount_) return false;

    // Offset 20 of a Jet 4 table-definition page: the last AutoNumber value handed out.
    if (mdb_read_alt_pg(mdb, entry->table_pg) != mdb->fmt->pg_size || mdb->alt_pg_buf[0] != MDB_PAGE_TABLE)
        return false;
    info.lastAutoNumber = static_cast<qint32>(mdb_get_int32(mdb->alt_pg_buf, 20));

    TableDef def(mdb_read_table(entry));
    MdbTableDef* table = def.table;
    if (!table || !mdb_read_columns(table) || table->num_cols == 0) return false;
    info.declaredRows = table->num_rows;

    // Texts and OLE Objects are bound; numbers and date-times are read raw from the row's page,
    // which also keeps mdbtools' own date formatting out of the way.
    std::vector<std::vector<char>> buffers(table->num_cols);
    std::vector<int> lengths(table->num_cols, 0);
    for (unsigned i = 0; i < table->num_cols; ++i) {
        MdbColumn* col = columnAt(table, i);
        info.columns.append({QString::fromUtf8(col->name), kindOf(col->col_type)});
        if (col->col_type == MDB_DATETIME || kindOf(col->col_type) == Kind::Integer) continue;
        buffers[i].assign(bindSize, '\0');
        if (mdb_bind_column(table, static_cast<int>(i) + 1, buffers[i].data(), &lengths[i]) < 0) return false;
    }

    mdb_rewind_table(table);
    qint64 found = 0;
    std::vector<char> header(MDB_MEMO_OVERHEAD);
    while (mdb_fetch_row(table)) {
        ++found;
        Row row;
        for (unsigned i = 0; i < table->num_cols; ++i) {
            MdbColumn* col = columnAt(table, i);
            const int start = col->cur_value_start;
            const int len = col->cur_value_len;
            const bool inPage = len > 0 && start >= 0 && start + len <= mdb->fmt->pg_size;
            QVariant value;
            switch (col->col_type) {
            case MDB_BYTE:
                if (inPage && len >= 1) value = qint64(mdb_get_byte(mdb->pg_buf, start));
                break;
            case MDB_INT:
                if (inPage && len >= 2) value = qint64(static_cast<qint16>(mdb_get_int16(mdb->pg_buf, start)));
                break;
            case MDB_LONGINT:
                if (inPage && len >= 4) value = qint64(static_cast<qint32>(mdb_get_int32(mdb->pg_buf, start)));
                break;
            case MDB_DATETIME:
                if (inPage && len >= 8) value = mdb_get_double(mdb->pg_buf, start);
                break;
            case MDB_OLE: {
                if (!inPage || len < MDB_MEMO_OVERHEAD) break;
                // Copied first: every chunk read overwrites the bound buffer.
                std::copy_n(buffers[i].data(), MDB_MEMO_OVERHEAD, header.data());
                QByteArray bytes;
                size_t chunk = mdb_ole_read(mdb, col, header.data(), bindSize);
                // A damaged chain of pages could loop; no value has more pages than the file.
                for (qint64 pages = 0; chunk > 0 && chunk <= bindSize && pages <= pageCount_; ++pages) {
                    bytes.append(buffers[i].data(), static_cast<qsizetype>(chunk));
                    chunk = mdb_ole_read_next(mdb, col, header.data());
                }
                value = bytes;
                break;
            }
            default: {
                const int n = std::clamp(lengths[i], 0, static_cast<int>(bindSize) - 1);
                value = QString::fromUtf8(buffers[i].data(), n);
                if (static_cast<size_t>(n) >= bindSize - 1) row.cutColumns << info.columns[static_cast<int>(i)].name;
                break;
            }
            }
            row.values.append(value);
        }
        if (!sink(row)) return true;
    }
    return found >= info.declaredRows;
}

// gsf pulls in GLib headers that must come before Qt's keyword macros.
#include <gsf/gsf-libxml.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-utils.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>

#include "records/SpreadsheetWriter.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <QVector>

#include "store/BlankDatabase.h"

namespace {

constexpr int maxRecordData = 8224;

void put16(QByteArray& b, int v) {
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>((v >> 8) & 0xFF));
}

void put32(QByteArray& b, qint64 v) {
    put16(b, static_cast<int>(v & 0xFFFF));
    put16(b, static_cast<int>((v >> 16) & 0xFFFF));
}

void record(QByteArray& out, int id, const QByteArray& data) {
    put16(out, id);
    put16(out, static_cast<int>(data.size()));
    out.append(data);
}

QByteArray utf16(const QString& s) {
    QByteArray b;
    b.reserve(s.size() * 2);
    for (const QChar c : s) put16(b, c.unicode());
    return b;
}

QByteArray bof(int type) {
    QByteArray d;
    put16(d, 0x0600);
    put16(d, type);
    put16(d, 0x0DBB);
    put16(d, 0x07CC);
    put32(d, 0);
    put32(d, 6);
    return d;
}

QByteArray font() {
    QByteArray d;
    put16(d, 200);     // 10 pt
    put16(d, 0);
    put16(d, 0x7FFF);  // automatic colour
    put16(d, 400);
    put16(d, 0);
    d.append(4, '\0');  // underline, family, charset, reserved
    const QString name = QStringLiteral("宋体");
    d.append(static_cast<char>(name.size()));
    d.append('\x01');
    d.append(utf16(name));
    return d;
}

QByteArray xf(bool style) {
    QByteArray d;
    put16(d, 0);  // font
    put16(d, 0);  // format: General
    put16(d, style ? 0xFFF5 : 0x0001);
    d.append('\x20');  // bottom aligned
    d.append('\0');
    d.append('\0');
    d.append(style ? '\0' : '\xF8');
    put32(d, 0);
    put32(d, 0);
    put16(d, 0x20C0);
    return d;
}

QByteArray boundSheet(qint64 position, const QString& name) {
    QByteArray d;
    put32(d, position);
    d.append('\0');
    d.append('\0');
    d.append(static_cast<char>(name.size()));
    d.append('\0');
    d.append(name.toLatin1());
    return d;
}

// The shared strings, split into SST and CONTINUE records; a string cut across records
// carries its option byte again at the start of the continuation.
void sharedStrings(QByteArray& out, const QStringList& strings, qint64 references) {
    QByteArray current;
    put32(current, references);
    put32(current, strings.size());
    bool first = true;
    const auto flush = [&] {
        record(out, first ? 0x00FC : 0x003C, current);
        first = false;
        current.clear();
    };
    for (const QString& s : strings) {
        if (current.size() + 3 + 2 > maxRecordData) flush();
        put16(current, static_cast<int>(s.size()));
        current.append('\x01');
        int at = 0;
        while (at < s.size()) {
            int room = static_cast<int>((maxRecordData - current.size()) / 2);
            if (room <= 0) {
                flush();
                current.append('\x01');
                continue;
            }
            int take = std::min(room, static_cast<int>(s.size()) - at);
            // A surrogate pair stays in one record.
            if (take < s.size() - at && s[at + take - 1].isHighSurrogate() && take > 1) --take;
            current.append(utf16(s.mid(at, take)));
            at += take;
        }
    }
    flush();
}

QString cutCell(const QString& text, bool* cut) {
    if (text.size() <= SpreadsheetWriter::maxCellLength) return text;
    *cut = true;
    int length = SpreadsheetWriter::maxCellLength;
    if (text[length - 1].isHighSurrogate()) --length;
    return text.left(length);
}

bool writeCompoundFile(const QString& path, const QByteArray& workbook, QString* error) {
    static const bool initialised = [] {
        gsf_init();
        return true;
    }();
    Q_UNUSED(initialised);
    GError* gerror = nullptr;
    GsfOutput* file = gsf_output_stdio_new(QFile::encodeName(path).constData(), &gerror);
    if (!file) {
        *error = gerror ? QString::fromUtf8(gerror->message) : QString();
        if (gerror) g_error_free(gerror);
        return false;
    }
    GsfOutfile* ole = gsf_outfile_msole_new(file);
    GsfOutput* stream = gsf_outfile_new_child(ole, "Workbook", FALSE);
    bool ok = gsf_output_write(stream, static_cast<size_t>(workbook.size()),
                               reinterpret_cast<const guint8*>(workbook.constData()));
    ok = gsf_output_close(stream) && ok;
    g_object_unref(stream);
    ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
    g_object_unref(ole);
    // Closing the compound file closes the file beneath it.
    if (!gsf_output_is_closed(file)) ok = gsf_output_close(file) && ok;
    g_object_unref(file);
    if (!ok) *error = QStringLiteral("write failed");
    return ok;
}

}  // namespace

bool SpreadsheetWriter::write(const QString& path, const QStringList& titles, int rowCount, const RowSource& rowAt) {
    lastError_.clear();
    cutCells_ = false;

    // Strings first: every cell refers to the shared table by index.
    QStringList strings;
    QHash<QString, int> index;
    qint64 references = 0;
    const auto stringIndex = [&](const QString& text) {
        ++references;
        const QString cell = cutCell(text, &cutCells_);
        auto it = index.constFind(cell);
        if (it != index.constEnd()) return it.value();
        index.insert(cell, static_cast<int>(strings.size()));
        strings.append(cell);
        return static_cast<int>(strings.size()) - 1;
    };

    const int dataRowsPerSheet = rowsPerSheet - 1;
    const int sheetCount = std::max(1, (rowCount + dataRowsPerSheet - 1) / dataRowsPerSheet);
    const int columns = static_cast<int>(titles.size());
    QVector<QByteArray> sheets(sheetCount);
    QVector<int> titleIndex;
    for (const QString& t : titles) titleIndex << stringIndex(t);

    for (int sheet = 0; sheet < sheetCount; ++sheet) {
        const int firstRow = sheet * dataRowsPerSheet;
        const int rowsHere = std::min(dataRowsPerSheet, rowCount - firstRow);
        QByteArray& s = sheets[sheet];
        record(s, 0x0809, bof(0x0010));
        QByteArray dimensions;
        put32(dimensions, 0);
        put32(dimensions, rowsHere + 1);
        put16(dimensions, 0);
        put16(dimensions, columns);
        put16(dimensions, 0);
        record(s, 0x0200, dimensions);
        QByteArray window;
        put16(window, sheet == 0 ? 0x06B6 : 0x00B6);
        put16(window, 0);
        put16(window, 0);
        put32(window, 0x40);
        put16(window, 0);
        put16(window, 0);
        put32(window, 0);
        record(s, 0x023E, window);
        const auto cell = [&s](int row, int column, int sst) {
            QByteArray d;
            put16(d, row);
            put16(d, column);
            put16(d, 15);  // the cell format after the 15 style formats
            put32(d, sst);
            record(s, 0x00FD, d);
        };
        for (int c = 0; c < columns; ++c) cell(0, c, titleIndex[c]);
        for (int r = 0; r < rowsHere; ++r) {
            const QStringList cells = rowAt(firstRow + r);
            for (int c = 0; c < columns; ++c) cell(r + 1, c, stringIndex(cells.value(c)));
        }
        record(s, 0x000A, QByteArray());
    }

    // The globals, with each sheet's position once their size is known.
    const auto globals = [&](const QVector<qint64>& positions) {
        QByteArray g;
        record(g, 0x0809, bof(0x0005));
        QByteArray codepage;
        put16(codepage, 1200);
        record(g, 0x0042, codepage);
        QByteArray window1;
        for (int v : {0, 0, 0x4000, 0x2000, 0x0038, 0, 0, 1, 0x0258}) put16(window1, v);
        record(g, 0x003D, window1);
        QByteArray dateMode;
        put16(dateMode, 0);
        record(g, 0x0022, dateMode);
        for (int i = 0; i < 5; ++i) record(g, 0x0031, font());
        for (int i = 0; i < 15; ++i) record(g, 0x00E0, xf(true));
        record(g, 0x00E0, xf(false));
        for (int i = 0; i < sheetCount; ++i)
            record(g, 0x0085, boundSheet(positions.value(i), QStringLiteral("Sheet%1").arg(i + 1)));
        sharedStrings(g, strings, references);
        record(g, 0x000A, QByteArray());
        return g;
    };
    const qint64 globalsSize = globals(QVector<qint64>(sheetCount, 0)).size();
    QVector<qint64> positions;
    qint64 at = globalsSize;
    for (const QByteArray& s : sheets) {
        positions << at;
        at += s.size();
    }
    QByteArray workbook = globals(positions);
    for (const QByteArray& s : sheets) workbook.append(s);

    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open()) {
        lastError_ = temp.errorString();
        return false;
    }
    temp.close();
    if (!writeCompoundFile(temp.fileName(), workbook, &lastError_)) return false;
    QFile::setPermissions(temp.fileName(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!replaceFile(temp.fileName(), target.absoluteFilePath())) {
        lastError_ = QStringLiteral("rename failed");
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

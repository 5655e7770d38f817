#include "records/SalesRecordsWindowRows.h"

#include "store/NumberRules.h"
#include "store/RecordSet.h"
#include "store/TextRules.h"

namespace {

bool digitsAt(QStringView text, qsizetype from, qsizetype count) {
    for (qsizetype i = from; i < from + count; ++i)
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')) return false;
    return true;
}

int twoDigits(QStringView text, qsizetype at) {
    return (text[at].unicode() - '0') * 10 + (text[at + 1].unicode() - '0');
}

void appendNumber(QString& out, int value) {
    if (value >= 10) out += QLatin1Char(static_cast<char>('0' + value / 10));
    out += QLatin1Char(static_cast<char>('0' + value % 10));
}

// The display text of stored date-times. Rows come grouped by day, so the date part is made once
// per day; the store's own rule makes it and handles every text not in the plain stored form.
class TimeDisplay {
public:
    QString text(const QString& stored) {
        const QStringView s(stored);
        if (s.size() != 19 || !digitsAt(s, 0, 4) || s[4] != QLatin1Char('-') || !digitsAt(s, 5, 2) ||
            s[7] != QLatin1Char('-') || !digitsAt(s, 8, 2) || s[10] != QLatin1Char(' ') ||
            !digitsAt(s, 11, 2) || s[13] != QLatin1Char(':') || !digitsAt(s, 14, 2) ||
            s[16] != QLatin1Char(':') || !digitsAt(s, 17, 2))
            return storedDateTimeDisplayText(stored);
        const int hour = twoDigits(s, 11);
        const int minute = twoDigits(s, 14);
        const int second = twoDigits(s, 17);
        if (hour > 23 || minute > 59 || second > 59) return QString();
        if (s.left(10) != QStringView(day_)) {
            day_ = stored.left(10);
            dayText_ = storedDateTimeDisplayText(day_ + QStringLiteral(" 00:00:00"));
        }
        if (dayText_.isEmpty() || (hour == 0 && minute == 0 && second == 0)) return dayText_;
        QString out;
        out.reserve(dayText_.size() + 9);
        out += dayText_;
        appendNumber(out, hour);
        out += QChar(0x65F6);  // 时
        if (minute == 0 && second == 0) return out;
        appendNumber(out, minute);
        out += QChar(0x5206);  // 分
        if (second == 0) return out;
        appendNumber(out, second);
        out += QChar(0x79D2);  // 秒
        return out;
    }

private:
    QString day_;
    QString dayText_;
};

// Plain decimals of up to 15 digits are exact in a double, and one division by an exact power of
// ten rounds as the full conversion does; every other text takes the full rule.
double quickNumberOf(const QString& text) {
    qint64 digits = 0;
    int count = 0;
    int decimals = -1;
    for (const QChar c : text) {
        if (c == QLatin1Char('.') && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || ++count > 15) return numberOf(text);
        digits = digits * 10 + (c.unicode() - '0');
        if (decimals >= 0) ++decimals;
    }
    if (count == 0 || decimals == 0) return numberOf(text);
    static const double powers[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    return static_cast<double>(digits) / powers[decimals < 0 ? 0 : decimals];
}

}  // namespace

QVector<ReportListModel::Row> salesRecordRows(RecordSet& records) {
    const int id = records.columnIndex(QStringLiteral("ID"));
    const int number = records.columnIndex(QStringLiteral("销售票号"));
    const int time = records.columnIndex(QStringLiteral("销售时间"));
    const int quantity = records.columnIndex(QStringLiteral("数量"));
    const int amount = records.columnIndex(QStringLiteral("金额"));
    const int cashier = records.columnIndex(QStringLiteral("收银员"));
    const int notes = records.columnIndex(QStringLiteral("备注"));
    TimeDisplay display;
    QVector<ReportListModel::Row> rows;
    for (; !records.isPastLast(); records.next()) {
        QStringList cells;
        cells.reserve(7);
        cells.append(QString::number(rows.size() + 1));
        cells.append(records.text(number));
        cells.append(display.text(records.text(time)));
        for (int column : {quantity, amount, cashier, notes}) cells.append(records.text(column));
        rows.append({records.text(id).toLongLong(), std::move(cells)});
    }
    return rows;
}

double columnSum(const QVector<ReportListModel::Row>& rows, int column) {
    double sum = 0;
    for (const ReportListModel::Row& row : rows) sum += quickNumberOf(row.cells.value(column));
    return sum;
}

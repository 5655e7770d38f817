#include "counter/ReceiptNumbering.h"

#include <QLineEdit>

#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "store/Database.h"
#include "store/NumberRules.h"

namespace {

constexpr int counterDigits = 7;

const QString queryFailed = QStringLiteral("查询失败！");

// Only the last seven characters of a number are its counter; the prefix may be anything.
qint64 counterOf(const QString& number) {
    return wholeNumberOf(number.right(counterDigits));
}

}  // namespace

ReceiptNumbering::ReceiptNumbering(Database& db, Prompter& prompter, Clock& clock, QLineEdit& box,
                                   QObject* parent)
    : QObject(parent), db_(db), prompter_(prompter), clock_(clock), box_(box) {}

void ReceiptNumbering::readNumberFormatMode() {
    RecordSet rows = db_.query(QStringLiteral("SELECT 全局单号格式 FROM 配置文件 ORDER BY ID LIMIT 1"));
    if (!rows.ok()) {
        prompter_.tell(box_.window(), queryFailed);
        return;
    }
    mode_ = static_cast<int>(wholeNumberOf(rows.text(QStringLiteral("全局单号格式"))));
}

QString ReceiptNumbering::customPrefix() {
    RecordSet rows = db_.query(QStringLiteral("SELECT 单号格式 FROM 配置文件 WHERE ID = 1"));
    if (!rows.ok()) {
        prompter_.tell(box_.window(), queryFailed);
        return QString();
    }
    return rows.text(QStringLiteral("单号格式"));
}

QString ReceiptNumbering::datePrefix(const QDateTime& moment) {
    return moment.date().toString(QStringLiteral("yyMMdd"));
}

QString ReceiptNumbering::lastSaleId() {
    RecordSet rows = db_.query(QStringLiteral("SELECT ID FROM 销售记录 ORDER BY ID DESC LIMIT 1"));
    if (!rows.ok()) {
        prompter_.tell(box_.window(), queryFailed);
        return QString();
    }
    return rows.text(QStringLiteral("ID"));
}

QString ReceiptNumbering::lastReceiptNumber() {
    const QString id = lastSaleId();
    if (id.isEmpty()) return QString();
    RecordSet rows =
        db_.query(QStringLiteral("SELECT 销售票号 FROM 销售记录 WHERE ID = ?"), {id.toLongLong()});
    if (!rows.ok()) {
        prompter_.tell(box_.window(), queryFailed);
        return QString();
    }
    return rows.text(QStringLiteral("销售票号"));
}

QString ReceiptNumbering::counterText(qint64 counter) {
    QString text = numberText(static_cast<double>(counter));
    if (text.size() < counterDigits) text.prepend(QString(counterDigits - text.size(), QLatin1Char('0')));
    return text;
}

// Every mode but the custom prefix shows the date, so a damaged setting still numbers onwards.
QString ReceiptNumbering::currentPrefix() {
    return mode_ == CustomPrefixMode ? customPrefix() : datePrefix(clock_.now());
}

void ReceiptNumbering::show(const QString& prefix, const QString& counter) {
    formedPrefix_ = prefix;
    formed_ = prefix + counter;
    box_.setText(formed_);
}

void ReceiptNumbering::initialReceiptNumber() {
    const QString prefix = currentPrefix();
    show(prefix, counterText(counterOf(lastReceiptNumber()) + 1));
}

QString ReceiptNumbering::numberForThisSale() {
    const QString number = box_.text();
    if (number != formed_ || mode_ == CustomPrefixMode) return number;
    const QString today = datePrefix(clock_.now());
    if (formedPrefix_ != today) show(today, number.mid(formedPrefix_.size()));
    return box_.text();
}

void ReceiptNumbering::advanceReceiptNumber(const QString& used) {
    const QString prefix = currentPrefix();
    show(prefix, counterText(counterOf(used) + 1));
}

void ReceiptNumbering::restart(const QString& prefix) {
    show(prefix, counterText(1));
}

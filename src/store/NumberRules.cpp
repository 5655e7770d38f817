#include "store/NumberRules.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

double numberOf(const QString& text) {
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
    const int start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
    bool digits = false;
    while (i < n && isDigit(text[i])) { ++i; digits = true; }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(text[i])) { ++i; digits = true; }
    }
    if (!digits) return 0.0;
    const double value = text.mid(start, i - start).toDouble();
    return std::isfinite(value) ? value : 0.0;
}

qint64 wholeNumberOf(const QString& text) {
    const double value = std::trunc(numberOf(text));
    constexpr double limit = 9.0e18;
    if (value > limit) return static_cast<qint64>(limit);
    if (value < -limit) return static_cast<qint64>(-limit);
    return static_cast<qint64>(value);
}

QString numberText(double value) {
    if (!std::isfinite(value) || value == 0.0) return QStringLiteral("0");
    // 13 significant digits in scientific form, then written out positionally.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.12e", value);
    const std::string s(buf);
    const bool negative = s[0] == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t ePos = s.find('e');
    std::string digits;
    for (std::size_t i = mantissaStart; i < ePos; ++i)
        if (s[i] != '.') digits += s[i];
    const int exponent = std::stoi(s.substr(ePos + 1));

    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
        const std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (wholeDigits >= digits.size()) {
            whole = digits + std::string(wholeDigits - digits.size(), '0');
        } else {
            whole = digits.substr(0, wholeDigits);
            fraction = digits.substr(wholeDigits);
        }
    } else {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    std::string out = whole;
    if (!fraction.empty()) out += "." + fraction;
    if (out == "0") return QStringLiteral("0");
    if (negative) out.insert(out.begin(), '-');
    return QString::fromLatin1(out.c_str());
}

double round2(double value) {
    const double scaled = std::fabs(value) * 100.0 + 0.000000000001;
    double whole = std::floor(scaled);
    if (scaled - whole >= 0.5) whole += 1.0;
    const double result = whole / 100.0;
    return value < 0 ? -result : result;
}

QString formatMoneyText(const QString& text) {
    const int point = text.indexOf(QLatin1Char('.'));
    if (point < 0) return text + QStringLiteral(".00");
    const QString after = text.mid(point + 1, 2);
    QString out = text.left(point + 1) + after;
    if (after.size() == 1) out += QLatin1Char('0');
    return out;
}

QString moneyText(double value) { return formatMoneyText(numberText(round2(value))); }

#include "store/AccessDate.h"

#include <QDate>
#include <cmath>

QString accessDateText(double days) {
    // About ±3.3 million days covers years 0..9999 with room to spare; the check keeps the
    // conversion to an integer defined.
    if (!std::isfinite(days) || std::fabs(days) > 4.0e6) return QString();
    const double whole = std::trunc(days);
    qint64 dayNumber = static_cast<qint64>(whole);
    qint64 seconds = std::llround(std::fabs(days - whole) * 86400.0);
    if (seconds >= 86400) {  // 23:59:59.6 and later round up to the next midnight
        seconds -= 86400;
        ++dayNumber;
    }
    const QDate date = QDate(1899, 12, 30).addDays(dayNumber);
    if (!date.isValid() || date.year() < 0 || date.year() > 9999) return QString();
    return QString::asprintf("%04d-%02d-%02d %02lld:%02lld:%02lld", date.year(), date.month(), date.day(),
                             seconds / 3600, seconds / 60 % 60, seconds % 60);
}

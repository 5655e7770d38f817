#include "store/DiscountRates.h"

#include "store/NumberRules.h"

QStringList discountRates() {
    QStringList rates{QStringLiteral("10")};
    for (int tenths = 99; tenths >= 10; --tenths) {
        if (tenths == 88 || tenths == 70) continue;
        rates << QString::number(tenths / 10) + QLatin1Char('.') + QString::number(tenths % 10);
    }
    return rates;
}

double discountFactorOf(const QString& rate) { return numberOf(rate) * 0.1; }

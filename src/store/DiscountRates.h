#pragma once

#include <QStringList>

// The discount rates a sale can take, in tenths: "10", then "9.9" down to "1.0", without 8.8 and 7.0.
QStringList discountRates();
// "9.5" → 0.95, "10" → 1.
double discountFactorOf(const QString& rate);

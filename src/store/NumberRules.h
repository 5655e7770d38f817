#pragma once

#include <QString>

// The shop's number rules: how texts become numbers and numbers become texts.

// The leading decimal number of a text ("12.5kg" → 12.5), 0 when it has none.
double numberOf(const QString& text);
// The leading number truncated toward zero ("12.50" → 12, "-2.5" → -2).
qint64 wholeNumberOf(const QString& text);
// At most 13 significant digits, no trailing zeros, never an exponent, never "-0".
QString numberText(double value);
// Two decimals, halves away from zero.
double round2(double value);
// Two decimals by cutting, never rounding: "12" → "12.00", "12.345" → "12.34".
QString formatMoneyText(const QString& numberTextValue);
// Round2, then money text: the form every stored amount takes.
QString moneyText(double value);

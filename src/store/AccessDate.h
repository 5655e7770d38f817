#pragma once

#include <QString>

// An Access date-time (days since 1899-12-30; for days before it the fraction still counts
// forward from that day's midnight) as the stored text "YYYY-MM-DD HH:MM:SS", rounded to the
// second. A null text when it has no such form (not a number, before year 0 or after 9999).
QString accessDateText(double days);

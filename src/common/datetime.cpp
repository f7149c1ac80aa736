// datetime.cpp — conversions between the system's day numbers and Qt's dates.
#include "common/datetime.h"

#include <cmath>

namespace qx {

namespace {
const QDate kEpoch(1899, 12, 30);
}

TDateTime DateFromQt(const QDate& d) { return d.isValid() ? static_cast<double>(kEpoch.daysTo(d)) : 0.0; }

TDateTime DateTimeFromQt(const QDateTime& dt) {
    if (!dt.isValid()) return 0.0;
    double days = DateFromQt(dt.date());
    double frac = dt.time().msecsSinceStartOfDay() / 86400000.0;
    // negative days keep the time as a positive fraction away from the day (system rule)
    return days >= 0 ? days + frac : days - frac;
}

QDate DateToQt(TDateTime value) { return kEpoch.addDays(static_cast<qint64>(std::trunc(value))); }

QDateTime DateTimeToQt(TDateTime value) {
    QDate d = DateToQt(value);
    double frac = std::fabs(value - std::trunc(value));
    int ms = static_cast<int>(std::llround(frac * 86400000.0));
    if (ms >= 86400000) ms = 86400000 - 1;
    return QDateTime(d, QTime::fromMSecsSinceStartOfDay(ms));
}

TDateTime Now() { return DateTimeFromQt(QDateTime::currentDateTime()); }
TDateTime Today() { return DateFromQt(QDate::currentDate()); }

QString FormatShortDate(TDateTime value) { return DateToQt(value).toString(QStringLiteral("dd.MM.yyyy")); }

bool ParseShortDate(const QString& text, TDateTime& value) {
    QDate d = QDate::fromString(text.trimmed(), QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid()) return false;
    value = DateFromQt(d);
    return true;
}

}  // namespace qx

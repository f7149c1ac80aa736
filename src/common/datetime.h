// datetime.h — date and time as days since 30.12.1899, the fraction being the time of day.
#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

namespace qx {

using TDateTime = double;

TDateTime DateTimeFromQt(const QDateTime& dt);
TDateTime DateFromQt(const QDate& d);
QDateTime DateTimeToQt(TDateTime value);
QDate DateToQt(TDateTime value);
TDateTime Now();
TDateTime Today();
// "dd.mm.yyyy" (the run's short date format).
QString FormatShortDate(TDateTime value);
// Parses "dd.mm.yyyy"; false when the text is not such a date.
bool ParseShortDate(const QString& text, TDateTime& value);

}  // namespace qx

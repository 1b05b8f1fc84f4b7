#pragma once
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

namespace datetime {

// The desktop's short date, with a four-digit year as the Windows short date has it.
QString shortDate(const QDate& date, const QLocale& locale = QLocale());
// The long time without a time zone name ("14:05:09").
QString longTime(const QTime& time, const QLocale& locale = QLocale());

// A moment in the questions about files: "09.12.2026, 08:51 Uhr".
QString dateAndTime(qint64 secondsSince1970, const QLocale& locale = QLocale());
// A moment as the earlier versions of a list are named: "Donnerstag, 10. Dezember 2026,
// 14:05 Uhr", German whatever the desktop's language, like every other text of the program.
QString longDateAndTime(qint64 secondsSince1970);

} // namespace datetime

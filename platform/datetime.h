#pragma once
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace datetime {

// The desktop's short date, with a four-digit year as the Windows short date has it.
QString shortDate(const QDate& date, const QLocale& locale = QLocale());
// The long time without a time zone name ("14:05:09").
QString longTime(const QTime& time, const QLocale& locale = QLocale());

} // namespace datetime

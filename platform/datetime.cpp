#include "platform/datetime.h"

#include <QRegularExpression>

namespace datetime {

QString shortDate(const QDate& date, const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

QString longTime(const QTime& time, const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.remove(zone);
    return locale.toString(time, format.trimmed());
}

QString dateAndTime(qint64 secondsSince1970, const QLocale& locale) {
    const QDateTime t = QDateTime::fromSecsSinceEpoch(secondsSince1970);
    return QStringLiteral("%1, %2 Uhr")
        .arg(shortDate(t.date(), locale), t.time().toString(QStringLiteral("HH:mm")));
}

QString longDateAndTime(qint64 secondsSince1970) {
    return QLocale(QLocale::German)
        .toString(QDateTime::fromSecsSinceEpoch(secondsSince1970),
                  QStringLiteral("dddd, d. MMMM yyyy, HH:mm 'Uhr'"));
}

} // namespace datetime

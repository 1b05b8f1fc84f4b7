#include "tabelle/zahl.h"

#include <QDate>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace tabelle::intern {

namespace {

// The built-in formats as a German Excel shows them.
QString eingebaut(int id) {
    switch (id) {
    case 1:
        return QStringLiteral("0");
    case 2:
        return QStringLiteral("0.00");
    case 3:
    case 37:
    case 38:
        return QStringLiteral("#,##0");
    case 4:
    case 39:
    case 40:
        return QStringLiteral("#,##0.00");
    case 9:
        return QStringLiteral("0%");
    case 10:
        return QStringLiteral("0.00%");
    case 15:
        return QStringLiteral("dd. mmm yy");
    case 16:
        return QStringLiteral("dd. mmm");
    case 17:
        return QStringLiteral("mmm yy");
    case 18:
    case 20:
        return QStringLiteral("hh:mm");
    case 19:
    case 21:
        return QStringLiteral("hh:mm:ss");
    case 22:
        return QStringLiteral("dd.mm.yyyy hh:mm");
    case 45:
        return QStringLiteral("mm:ss");
    case 46:
        return QStringLiteral("[h]:mm:ss");
    case 47:
        return QStringLiteral("mm:ss.0");
    default:
        // 14 and the dates of East Asian versions
        if (id == 14 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
            return QStringLiteral("dd.mm.yyyy");
        return QStringLiteral("General");
    }
}

bool istDatumsbuchstabe(QChar c) {
    return QStringView(u"dmyhse").contains(c.toLower());
}

} // namespace

Zahlformat::Zahlformat(int id, const QString& gegeben) {
    const QString code = gegeben.isEmpty() ? eingebaut(id) : gegeben;
    // No spreadsheet takes a longer format; a longer one would only make every cell long.
    if (code.size() > 255)
        return;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u';')
            break; // the sections for negative numbers, zero and text are not needed
        if (c == u'"') {
            for (++i; i < code.size() && code[i] != u'"'; ++i)
                muster_ += QStringLiteral("\\") + code[i];
        } else if ((c == u'\\' || c == u'_') && i + 1 < code.size()) {
            muster_ += QStringLiteral("\\") + (c == u'_' ? u' ' : code[++i]);
        } else if (c == u'*') {
            ++i; // a fill character
        } else if (c == u'[') {
            const qsizetype ende = code.indexOf(u']', i);
            const QString innen = code.mid(i + 1, ende < 0 ? -1 : ende - i - 1).toLower();
            if (!innen.isEmpty() && innen.count(innen[0]) == innen.size() &&
                QStringView(u"hms").contains(innen[0]))
                muster_ += innen; // elapsed time; colours, locales and conditions go
            i = ende < 0 ? code.size() : ende;
        } else if (QStringView(code).mid(i, 5).compare(u"AM/PM", Qt::CaseInsensitive) == 0) {
            i += 4; // German times count 24 hours
        } else {
            muster_ += c;
        }
    }
    QString roh; // the format's own characters, without the literals
    for (qsizetype i = 0; i < muster_.size(); ++i)
        if (muster_[i] == u'\\')
            ++i;
        else
            roh += muster_[i];
    const bool platzhalter = roh.contains(u'0') || roh.contains(u'#') || roh.contains(u'?');
    if (roh.compare(u"General", Qt::CaseInsensitive) == 0 || roh == u"@" ||
        roh.contains(QStringLiteral("E+"), Qt::CaseInsensitive) ||
        roh.contains(QStringLiteral("E-"), Qt::CaseInsensitive)) {
        art_ = Art::Standard;
    } else if (platzhalter) {
        art_ = Art::Zahl;
        const qsizetype punkt = roh.indexOf(u'.');
        const QStringView ganz = QStringView(roh).left(punkt < 0 ? roh.size() : punkt);
        const QStringView nachkomma = punkt < 0 ? QStringView() : QStringView(roh).mid(punkt);
        stellen_ = std::max<qsizetype>(1, std::min<qsizetype>(ganz.count(u'0'), 30));
        gruppiert_ = ganz.contains(u',');
        nachkommaMin_ = int(std::min<qsizetype>(nachkomma.count(u'0'), 15));
        nachkommaMax_ = int(std::min<qsizetype>(
            nachkomma.count(u'0') + nachkomma.count(u'#') + nachkomma.count(u'?'), 15));
        prozent_ = roh.contains(u'%');
    } else if (std::any_of(roh.begin(), roh.end(), istDatumsbuchstabe)) {
        art_ = Art::Datum;
    }
}

QString Zahlformat::standard(double wert) {
    if (!std::isfinite(wert))
        return QString::number(wert);
    if (wert == std::floor(wert) && std::abs(wert) < 1e15)
        return QString::number(qint64(wert));
    // 15 digits, as many as a spreadsheet keeps: 0.1 + 0.2 shows as 0,3.
    return QString::number(wert, 'g', 15).replace(u'.', u',').replace(u'e', u'E');
}

QString Zahlformat::text(double wert, bool datum1904) const {
    if (art_ == Art::Zahl && std::isfinite(wert) && std::abs(wert) < 1e100)
        return zahl(wert);
    // Dates from 1 January 1900 (or 1904) to 31 December 9999.
    if (art_ == Art::Datum && wert >= 0 && wert < 2958466)
        return datum(wert, datum1904);
    return standard(wert);
}

QString Zahlformat::zahl(double wert) const {
    if (prozent_)
        wert *= 100;
    QString s = QString::number(std::abs(wert), 'f', nachkommaMax_);
    qsizetype punkt = s.indexOf(u'.');
    if (punkt >= 0) {
        while (s.size() - punkt - 1 > nachkommaMin_ && s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    punkt = s.indexOf(u'.');
    QString ganz = punkt < 0 ? s : s.left(punkt);
    const QString rest = punkt < 0 ? QString() : u',' + s.mid(punkt + 1);
    if (ganz.size() < stellen_)
        ganz.prepend(QString(stellen_ - ganz.size(), u'0'));
    if (gruppiert_)
        for (qsizetype i = ganz.size() - 3; i > 0; i -= 3)
            ganz.insert(i, u'.');
    const bool negativ =
        wert < 0 && std::any_of(s.begin(), s.end(), [](QChar c) { return c > u'0' && c <= u'9'; });
    return (negativ ? QStringLiteral("-") : QString()) + ganz + rest +
           (prozent_ ? QStringLiteral("%") : QString());
}

QString Zahlformat::datum(double wert, bool datum1904) const {
    qint64 tage = qint64(std::floor(wert));
    qint64 sekunden = std::llround((wert - double(tage)) * 86400);
    if (sekunden >= 86400) {
        sekunden -= 86400;
        ++tage;
    }
    // Day 60 is the 29 February 1900 that never was; before it, days count from 31 December.
    const QDate tag = datum1904   ? QDate(1904, 1, 1).addDays(tage)
                      : tage < 61 ? QDate(1899, 12, 31).addDays(tage)
                                  : QDate(1899, 12, 30).addDays(tage);
    const QLocale deutsch(QLocale::German, QLocale::Germany);
    const auto zweistellig = [](qint64 n) {
        return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
    };
    QString text;
    QChar letzte; // the last letter shown, to tell minutes from months
    for (qsizetype i = 0; i < muster_.size();) {
        const QChar c = muster_[i].toLower();
        if (muster_[i] == u'\\' && i + 1 < muster_.size()) {
            text += muster_[i + 1];
            i += 2;
            continue;
        }
        if (!istDatumsbuchstabe(c)) {
            text += c == u'/' ? u'.' : muster_[i];
            ++i;
            continue;
        }
        qsizetype n = 1;
        while (i + n < muster_.size() && muster_[i + n].toLower() == c)
            ++n;
        qsizetype weiter = i + n;
        while (weiter < muster_.size() && !istDatumsbuchstabe(muster_[weiter]))
            weiter += muster_[weiter] == u'\\' ? 2 : 1;
        const bool minuten =
            c == u'm' &&
            (letzte == u'h' || (weiter < muster_.size() && muster_[weiter].toLower() == u's'));
        if (c == u'd') {
            text += n == 1   ? QString::number(tag.day())
                    : n == 2 ? zweistellig(tag.day())
                             : deutsch.dayName(tag.dayOfWeek(),
                                               n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
        } else if (c == u'm' && !minuten) {
            text += n == 1   ? QString::number(tag.month())
                    : n == 2 ? zweistellig(tag.month())
                             : deutsch.monthName(tag.month(), n == 3 ? QLocale::ShortFormat
                                                                     : QLocale::LongFormat);
        } else if (c == u'y' || c == u'e') {
            text += n <= 2 ? zweistellig(tag.year() % 100) : QString::number(tag.year());
        } else {
            const qint64 zahl = c == u'h'   ? sekunden / 3600
                                : c == u'm' ? sekunden / 60 % 60
                                            : sekunden % 60;
            text += n == 1 ? QString::number(zahl) : zweistellig(zahl);
        }
        letzte = c;
        i += n;
    }
    return text.trimmed(); // the blank that stood before AM/PM
}

} // namespace tabelle::intern

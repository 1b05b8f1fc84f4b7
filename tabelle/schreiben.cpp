// The table as the three formats write it, checked against what the readers take, and the
// file written through the safe-write module.

#include "tabelle/schreiben.h"

#include "platform/cp1252.h"
#include "safewrite/safewrite.h"
#include "tabelle/intern.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace tabelle {

namespace intern {

bool alsZahl(QStringView zelle) {
    const QStringView ziffern = zelle.startsWith(u'-') ? zelle.mid(1) : zelle;
    if (ziffern.isEmpty() || zelle.size() > 11 || (ziffern[0] == u'0' && zelle.size() > 1))
        return false;
    return std::all_of(ziffern.begin(), ziffern.end(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString xmlText(QStringView zelle) {
    QString text;
    text.reserve(zelle.size());
    for (qsizetype i = 0; i < zelle.size(); ++i) {
        const QChar c = zelle[i];
        if (c == u'\r' && i + 1 < zelle.size() && zelle[i + 1] == u'\n')
            continue;
        if (c == u'\r')
            text += u'\n';
        else if (c >= u' ' || c == u'\t' || c == u'\n')
            text += c;
    }
    return text;
}

std::vector<int> spaltenbreiten(const Blatt& blatt) {
    std::vector<int> breiten(size_t(blatt.zeilen.empty() ? 0 : blatt.zeilen[0].size()), 0);
    for (const QStringList& zeile : blatt.zeilen)
        for (size_t s = 0; s < breiten.size() && qsizetype(s) < zeile.size(); ++s)
            breiten[s] = std::max(breiten[s], int(zeile[qsizetype(s)].size()));
    for (int& b : breiten)
        b = std::clamp(b + 2, 6, 60); // room for the bold heading, and not wider than a screen
    return breiten;
}

qsizetype umfang(const Blatt& blatt, qsizetype jeZelle) {
    qsizetype zeichen = 4096;
    for (const QStringList& zeile : blatt.zeilen)
        for (const QString& zelle : zeile)
            zeichen += zelle.size() + jeZelle;
    return zeichen;
}

} // namespace intern

namespace {

using namespace intern;

// What a spreadsheet refuses in a sheet's name becomes '_', also an apostrophe at its ends.
QString blattname(const QString& gewuenscht) {
    QString name = xmlText(gewuenscht).replace(u'\n', u' ').replace(u'\t', u' ').left(31);
    for (qsizetype i = 0; i < name.size(); ++i)
        if (QStringView(u"[]*?:/\\").contains(name[i]) ||
            (name[i] == u'\'' && (i == 0 || i == name.size() - 1)))
            name[i] = u'_';
    return name.trimmed().isEmpty() ? QStringLiteral("Tabelle1") : name;
}

QByteArray csvSchreiben(const Blatt& blatt) {
    QString text;
    for (const QStringList& zeile : blatt.zeilen) {
        for (qsizetype i = 0; i < zeile.size(); ++i) {
            const QString& feld = zeile[i];
            if (i > 0)
                text += u';';
            if (feld.contains(u';') || feld.contains(u'"') || feld.contains(u'\n') ||
                feld.contains(u'\r'))
                text += u'"' + QString(feld).replace(u'"', QStringLiteral("\"\"")) + u'"';
            else
                text += feld;
        }
        text += QStringLiteral("\r\n");
    }
    return "\xEF\xBB\xBF" + text.toUtf8();
}

Format formatAus(Format format, const QString& dateiname) {
    if (format != Format::Erkennen)
        return format;
    const QString endung = QFileInfo(dateiname).suffix().toLower();
    return endung == u"xlsx"                      ? Format::Xlsx
           : endung == u"csv" || endung == u"txt" ? Format::Csv
                                                  : Format::Ods;
}

// The rows as Unicode, the heading first; why they cannot be written, else an empty text.
QString blattBauen(const Ausgabe& ausgabe, Blatt& blatt) {
    // Each row and cell counts against the reader's budget of cells, and so does the sheet.
    const qint64 hoechstens = (kMaxZellen - 1) / (kSchreibspalten + 1) - 1;
    if (qint64(ausgabe.zeilen.size()) > hoechstens)
        return QStringLiteral("sie hätte mehr als %1 Zeilen").arg(hoechstens + 1);
    blatt.name = blattname(ausgabe.blatt);
    blatt.zeilen.reserve(ausgabe.zeilen.size() + 1);
    blatt.zeilen.emplace_back(ausgabe.kopf.begin(), ausgabe.kopf.end());
    for (const Schreibzeile& zeile : ausgabe.zeilen) {
        QStringList zellen;
        for (const std::string& zelle : zeile) // no reader takes a NUL in a text
            zellen.append(cp1252::toQString(zelle).remove(QChar(u'\0')));
        blatt.zeilen.push_back(std::move(zellen));
    }
    for (size_t z = 0; z < blatt.zeilen.size(); ++z)
        for (const QString& zelle : blatt.zeilen[z])
            if (zelle.size() > kMaxZeichen)
                return QStringLiteral("Zeile %1 hat eine Zelle mit mehr als %2 Zeichen")
                    .arg(z + 1)
                    .arg(kMaxZeichen);
    return QString();
}

} // namespace

Tabellendatei schreibenAlsBytes(const Ausgabe& ausgabe, Format format, const QString& dateiname) {
    Tabellendatei datei;
    Blatt blatt;
    datei.fehler = blattBauen(ausgabe, blatt);
    if (!datei.fehler.isEmpty())
        return datei;
    qint64 entpackt = 0;
    switch (formatAus(format, dateiname)) {
    case Format::Xlsx:
        datei.bytes = xlsxSchreiben(blatt, entpackt);
        break;
    case Format::Csv:
        datei.bytes = csvSchreiben(blatt);
        break;
    default:
        datei.bytes = odsSchreiben(blatt, entpackt);
    }
    if (datei.bytes.isEmpty())
        datei.fehler = QStringLiteral("sie ließ sich nicht packen");
    else if (entpackt > kMaxXmlBytes)
        datei.fehler = QStringLiteral("entpackt wäre sie größer als %1 MB").arg(kMaxXmlBytes >> 20);
    else if (datei.bytes.size() > kMaxDateiBytes)
        datei.fehler = QStringLiteral("sie wäre größer als %1 MB").arg(kMaxDateiBytes >> 20);
    if (!datei.fehler.isEmpty())
        datei.bytes.clear();
    return datei;
}

Geschrieben schreiben(const QString& pfad, const Ausgabe& ausgabe, Format format) {
    Geschrieben ergebnis;
    const Tabellendatei datei = schreibenAlsBytes(ausgabe, format, pfad);
    ergebnis.fehler = datei.fehler;
    if (!ergebnis.fehler.isEmpty())
        return ergebnis;
    const std::string name = QFile::encodeName(pfad).toStdString();
    safewrite::recover(name); // an earlier write of it that a crash stopped
    ergebnis.systemfehler = safewrite::write(name, std::string_view(datei.bytes.constData(),
                                                                    size_t(datei.bytes.size())))
                                .error;
    return ergebnis;
}

} // namespace tabelle

// XLSX workbooks: the sheets listed in the workbook, their cells placed by reference ("C5"),
// texts from the shared strings or inline, numbers through the cell's number format.

#include "tabelle/intern.h"
#include "tabelle/xml.h"
#include "tabelle/zahl.h"
#include "tabelle/zip.h"

#include <QDateTime>
#include <QDir>
#include <map>

namespace tabelle::intern {

int maskeBei(QStringView text, qsizetype i) {
    if (i + 6 >= text.size() || text.mid(i, 2) != u"_x" || text[i + 6] != u'_')
        return -1;
    bool ok = false;
    const uint zeichen = text.mid(i + 2, 4).toUInt(&ok, 16);
    return ok ? int(zeichen) : -1;
}

namespace {

const QString kMappe = QStringLiteral("xl/workbook.xml");

// Excel writes characters XML cannot hold as "_xHHHH_" (a line's CR as "_x000D_").
QString entschluesselt(QString text) {
    for (qsizetype i = text.indexOf(u"_x"); i >= 0; i = text.indexOf(u"_x", i + 1))
        if (const int zeichen = maskeBei(text, i); zeichen >= 0)
            text.replace(i, 7, QChar(char16_t(zeichen)));
    return text.contains(u'\r')
               ? text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n')
               : text;
}

// The text of a shared string or inline string, its runs put together, its phonetic guide
// left out; reads to the end of the element.
QString lauftext(Xml& x) {
    QString text;
    for (int tiefe = 1; tiefe > 0 && x.weiter();) {
        if (x.beginnt(u"t"))
            Xml::anhaengen(text, x.r.readElementText(QXmlStreamReader::SkipChildElements));
        else if (x.beginnt(u"rPh") || x.beginnt(u"phoneticPr"))
            x.r.skipCurrentElement();
        else if (x.r.isStartElement())
            ++tiefe;
        else if (x.r.isEndElement())
            --tiefe;
    }
    return entschluesselt(text);
}

struct Mappe {
    struct Eintrag {
        QString name, pfad;
    };
    std::vector<Eintrag> blaetter; // visible ones only
    QString texte, stile;          // parts of the shared strings and the styles
    bool datum1904 = false;
};

// A relationship's target is relative to the workbook's folder, or absolute in the container.
QString teilpfad(const QString& ziel) {
    return ziel.startsWith(u'/') ? QDir::cleanPath(ziel.mid(1))
                                 : QDir::cleanPath(QStringLiteral("xl/") + ziel);
}

Mappe mappeLesen(Zip& zip) {
    Mappe mappe;
    std::map<QString, QString> ziele;
    const QString beziehungen = QStringLiteral("xl/_rels/workbook.xml.rels");
    for (Xml x(zip.lesen(beziehungen), beziehungen); x.weiter();) {
        if (!x.beginnt(u"Relationship"))
            continue;
        const QString pfad = teilpfad(x.attribut(u"Target").toString());
        ziele[x.attribut(u"Id").toString()] = pfad;
        if (x.attribut(u"Type").endsWith(u"/sharedStrings"))
            mappe.texte = pfad;
        else if (x.attribut(u"Type").endsWith(u"/styles"))
            mappe.stile = pfad;
    }
    std::vector<std::pair<QString, QString>> blaetter;
    Xml x(zip.lesen(kMappe), kMappe);
    do {
        if (x.beginnt(u"workbookPr")) {
            mappe.datum1904 = x.attribut(u"date1904") == u"1" || x.attribut(u"date1904") == u"true";
        } else if (x.beginnt(u"sheet") && x.attribut(u"state") != u"hidden" &&
                   x.attribut(u"state") != u"veryHidden") {
            const auto ziel = ziele.find(x.attribut(u"id").toString());
            if (ziel == ziele.end())
                beschaedigt(QStringLiteral("Blatt ohne Inhalt"));
            mappe.blaetter.push_back(
                {x.attribut(u"name").left(kMaxNamenslaenge).toString(), ziel->second});
        }
    } while (x.weiter());
    return mappe;
}

QStringList texteLesen(Zip& zip, const QString& pfad) {
    QStringList texte;
    if (pfad.isEmpty() || !zip.hat(pfad))
        return texte;
    for (Xml x(zip.lesen(pfad), pfad); x.weiter();)
        if (x.beginnt(u"si"))
            texte.append(lauftext(x));
    return texte;
}

// The number format of each cell style ("s" of a cell is an index into cellXfs).
std::vector<Zahlformat> stileLesen(Zip& zip, const QString& pfad) {
    std::vector<Zahlformat> formate;
    if (pfad.isEmpty() || !zip.hat(pfad))
        return formate;
    std::map<int, QString> codes;
    std::vector<int> ids;
    bool zellstile = false; // inside cellXfs, not cellStyleXfs
    for (Xml x(zip.lesen(pfad), pfad); x.weiter();) {
        if (x.beginnt(u"numFmt"))
            codes[x.attribut(u"numFmtId").toInt()] = x.attribut(u"formatCode").toString();
        else if (x.beginnt(u"cellXfs") || x.endet(u"cellXfs"))
            zellstile = x.r.isStartElement();
        else if (zellstile && x.beginnt(u"xf"))
            ids.push_back(x.attribut(u"numFmtId").toInt());
    }
    std::map<int, Zahlformat> nachId;
    for (const int id : ids) {
        auto f = nachId.find(id);
        if (f == nachId.end())
            f = nachId.emplace(id, Zahlformat(id, codes.count(id) ? codes[id] : QString())).first;
        formate.push_back(f->second);
    }
    return formate;
}

struct Kontext {
    QStringList texte;
    std::vector<Zahlformat> formate;
    bool datum1904;
};

// The cell's text as shown; reads to the end of the cell.
QString zelleLesen(Xml& x, const Kontext& k) {
    const QString typ = x.attribut(u"t").toString();
    const qsizetype stil = x.attribut(u"s").toLongLong();
    QString wert, inline_;
    while (x.weiter() && !x.r.isEndElement()) {
        if (x.beginnt(u"v"))
            Xml::anhaengen(wert, x.r.readElementText(QXmlStreamReader::SkipChildElements));
        else if (x.beginnt(u"is"))
            inline_ = lauftext(x);
        else if (x.r.isStartElement())
            x.r.skipCurrentElement(); // the formula and the like
    }
    if (typ == u"s") {
        bool ok = false;
        const qsizetype i = wert.toLongLong(&ok);
        if (!ok || i < 0 || i >= k.texte.size())
            beschaedigt(QStringLiteral("Verweis auf einen fehlenden Text"));
        return k.texte[i];
    }
    if (typ == u"inlineStr")
        return inline_;
    if (typ == u"str" || typ == u"e")
        return entschluesselt(wert);
    if (typ == u"b")
        return wert.isEmpty() ? wert
               : wert == u"1" ? QStringLiteral("WAHR")
                              : QStringLiteral("FALSCH");
    if (typ == u"d") {
        const QDateTime zeit = QDateTime::fromString(wert, Qt::ISODate);
        return zeit.isValid() ? zeit.date().toString(u"dd.MM.yyyy") : wert;
    }
    bool ok = false;
    const double zahl = wert.toDouble(&ok);
    if (!ok)
        return wert;
    const bool mitStil = stil >= 0 && size_t(stil) < k.formate.size();
    return mitStil ? k.formate[size_t(stil)].text(zahl, k.datum1904) : Zahlformat::standard(zahl);
}

// "C5" -> 2 (column C); -1 without letters.
qint64 spalteAus(QStringView verweis) {
    qint64 spalte = 0;
    qsizetype i = 0;
    for (; i < verweis.size() && i < 8 && verweis[i].isLetter() && verweis[i].unicode() < 128; ++i)
        spalte = spalte * 26 + (verweis[i].toUpper().unicode() - u'A' + 1);
    return spalte - 1;
}

Blatt blattLesen(Zip& zip, const QString& name, const QString& pfad, const Kontext& k,
                 qint64& budget) {
    Blattbauer bauer(budget);
    qint64 zeile = -1, spalte = -1;
    for (Xml x(zip.lesen(pfad), pfad); x.weiter();) {
        if (x.beginnt(u"row")) {
            zeile = anzahl(x.attribut(u"r"), zeile + 2) - 1;
            spalte = -1;
        } else if (x.beginnt(u"c")) {
            const qint64 ziel = spalteAus(x.attribut(u"r"));
            spalte = ziel >= 0 ? ziel : spalte + 1;
            bauer.zelle(spalte, zelleLesen(x, k));
        } else if (x.endet(u"row")) {
            bauer.zeileFertig(std::max<qint64>(zeile, 0));
        }
    }
    return bauer.blatt(name);
}

} // namespace

std::vector<Blatt> xlsxLesen(Zip& zip, qint64& budget) {
    const Mappe mappe = mappeLesen(zip);
    const Kontext k{texteLesen(zip, mappe.texte), stileLesen(zip, mappe.stile), mappe.datum1904};
    std::vector<Blatt> blaetter;
    for (const auto& eintrag : mappe.blaetter)
        blaetter.push_back(blattLesen(zip, eintrag.name, eintrag.pfad, k, budget));
    return blaetter;
}

} // namespace tabelle::intern

// ODS spreadsheets: the tables of content.xml, each cell's text as its paragraphs show it (the
// spreadsheet program wrote it there, formatted), repeated rows and columns as many copies.

#include "tabelle/intern.h"
#include "tabelle/xml.h"
#include "tabelle/zahl.h"
#include "tabelle/zip.h"

#include <QDate>

namespace tabelle::intern {

namespace {

constexpr QStringView kTabelle = u"urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr QStringView kText = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0";

bool beginnt(const Xml& x, QStringView ns, QStringView name) {
    return x.r.isStartElement() && x.r.namespaceUri() == ns && x.r.name() == name;
}
bool endet(const Xml& x, QStringView ns, QStringView name) {
    return x.r.isEndElement() && x.r.namespaceUri() == ns && x.r.name() == name;
}

// A cell without paragraphs (written by another program than a spreadsheet) shows its value.
QString wertText(const QString& typ, const QString& wert, const QString& datum, const QString& wahr,
                 const QString& text) {
    if (typ == u"float" || typ == u"percentage" || typ == u"currency") {
        bool ok = false;
        const double zahl = wert.toDouble(&ok);
        return ok ? Zahlformat::standard(zahl) : wert;
    }
    if (typ == u"date") {
        const QDate tag = QDate::fromString(datum.left(10), Qt::ISODate);
        return tag.isValid() ? tag.toString(u"dd.MM.yyyy") : datum;
    }
    if (typ == u"boolean")
        return wahr == u"true" ? QStringLiteral("WAHR") : QStringLiteral("FALSCH");
    return text;
}

// The cell's paragraphs joined by line breaks; reads to the end of the cell. Comments,
// drawings and tables inside the cell are passed over. Repeated blanks are spelt out up to
// `hoechstens`, so that a small file cannot make the reader write gigabytes of them.
QString zelleLesen(Xml& x, qint64 hoechstens) {
    const QString typ = x.attribut(u"value-type").toString();
    const QString wert = x.attribut(u"value").toString();
    const QString datum = x.attribut(u"date-value").toString();
    const QString wahr = x.attribut(u"boolean-value").toString();
    const QString text = x.attribut(u"string-value").toString();
    QString inhalt;
    bool absatz = false;
    int imAbsatz = 0;
    for (int tiefe = 1; tiefe > 0 && x.weiter();) {
        const bool textElement = x.r.isStartElement() && x.r.namespaceUri() == kText;
        if (textElement && (x.r.name() == u"p" || x.r.name() == u"h")) {
            if (absatz)
                Xml::anhaengen(inhalt, u"\n");
            absatz = true;
            ++imAbsatz;
            ++tiefe;
        } else if (textElement && x.r.name() == u"s") {
            const qint64 leer = std::min(anzahl(x.attribut(u"c")), hoechstens);
            Xml::anhaengen(inhalt, QString(std::min<qint64>(leer, kMaxZeichen + 1), u' '));
            x.r.skipCurrentElement();
        } else if (textElement && (x.r.name() == u"tab" || x.r.name() == u"line-break")) {
            Xml::anhaengen(inhalt, x.r.name() == u"tab" ? u"\t" : u"\n");
            x.r.skipCurrentElement();
        } else if (textElement && imAbsatz > 0 && x.r.name() != u"note") {
            ++tiefe; // a span, a link
        } else if (x.r.isStartElement()) {
            x.r.skipCurrentElement();
        } else if (x.r.isEndElement()) {
            --tiefe;
            if (x.r.namespaceUri() == kText && (x.r.name() == u"p" || x.r.name() == u"h"))
                --imAbsatz;
        } else if (x.r.isCharacters() && imAbsatz > 0) {
            Xml::anhaengen(inhalt, x.r.text());
        }
    }
    if (!absatz) // the value's own length is bounded like any text's
        Xml::anhaengen(inhalt, wertText(typ, wert, datum, wahr, text));
    return inhalt;
}

// Reads to the end of the table.
Blatt tabelleLesen(Xml& x, qint64& budget, const QString& name) {
    Blattbauer bauer(budget);
    qint64 zeile = 0, spalte = 0, zeilen = 1;
    while (x.weiter() && !endet(x, kTabelle, u"table")) {
        if (beginnt(x, kTabelle, u"table-row")) {
            spalte = 0;
            zeilen = anzahl(x.attribut(u"number-rows-repeated"));
        } else if (endet(x, kTabelle, u"table-row")) {
            bauer.zeileFertig(zeile, zeilen);
            zeile = std::min(zeile + zeilen, kMaxZeilen + 1);
        } else if (beginnt(x, kTabelle, u"table-cell") ||
                   beginnt(x, kTabelle, u"covered-table-cell")) {
            const qint64 spalten = anzahl(x.attribut(u"number-columns-repeated"));
            bauer.zelle(spalte, zelleLesen(x, bauer.zeichenFrei(zeile, spalte)), spalten);
            spalte = std::min(spalte + spalten, kMaxSpalten + 1);
        }
    }
    return bauer.blatt(name);
}

} // namespace

std::vector<Blatt> odsLesen(Zip& zip, qint64& budget) {
    const QString manifest = QStringLiteral("META-INF/manifest.xml");
    if (zip.hat(manifest) && zip.lesen(manifest).contains("encryption-data"))
        scheitern(QStringLiteral("sie ist mit einem Kennwort verschlüsselt"));
    const QString inhalt = QStringLiteral("content.xml");
    std::vector<Blatt> blaetter;
    QStringList verborgen; // the styles of hidden sheets, which the user does not see either
    QString stil;
    for (Xml x(zip.lesen(inhalt), inhalt); x.weiter();) {
        if (x.beginnt(u"style") && x.attribut(u"family") == u"table") {
            stil = x.attribut(u"name").toString();
        } else if (x.beginnt(u"table-properties") && x.attribut(u"display") == u"false") {
            verborgen.append(stil);
        } else if (beginnt(x, kTabelle, u"table")) {
            if (verborgen.contains(x.attribut(u"style-name"))) {
                x.r.skipCurrentElement();
                continue;
            }
            const QString name = x.attribut(u"name").left(kMaxNamenslaenge).toString();
            blaetter.push_back(tabelleLesen(x, budget, name));
        }
    }
    return blaetter;
}

} // namespace tabelle::intern

// XLSX workbooks of one sheet, its texts shared, as a package of its own.

#include "tabelle/intern.h"
#include "tabelle/xml.h"
#include "tabelle/zip.h"

#include <QHash>

namespace tabelle::intern {

namespace {

// Functions, not constants: a table may be written before this file's constants are made
// (from another file's constants).
QString nsHaupt() {
    return QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
}
QString nsPaket() {
    return QStringLiteral("http://schemas.openxmlformats.org/package/2006/");
}
QString nsBeziehung() {
    return QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
}
QString arten() {
    return QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.");
}

// Styles: 0 as it comes, 1 the heading in bold, 2 text formatted as text ("@"), so that a
// spreadsheet keeps "0100237" when the cell is edited.
constexpr char kStile[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<fonts count="2"><font><sz val="11"/><name val="Calibri"/><family val="2"/></font>)"
    R"(<font><b/><sz val="11"/><name val="Calibri"/><family val="2"/></font></fonts>)"
    R"(<fills count="2"><fill><patternFill patternType="none"/></fill>)"
    R"(<fill><patternFill patternType="gray125"/></fill></fills>)"
    R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
    R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/>)"
    R"(</cellStyleXfs><cellXfs count="3"><xf numFmtId="0" fontId="0" fillId="0" borderId="0")"
    R"( xfId="0"/><xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/>)"
    R"(<xf numFmtId="49" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
    R"(</cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/>)"
    R"(</cellStyles></styleSheet>)";

// "_xHHHH_" in a text would be read as a character: its "_" goes as "_x005F_".
QString maskiert(const QString& text) {
    if (!text.contains(u"_x"))
        return text;
    QString ergebnis;
    for (qsizetype i = 0; i < text.size(); ++i) {
        ergebnis += text[i];
        if (maskeBei(text, i) >= 0)
            ergebnis += QStringLiteral("x005F_");
    }
    return ergebnis;
}

// "C5" for column 2 (C) of row 4 (0-based).
QString ort(qsizetype spalte, size_t zeile) {
    QString buchstaben;
    for (qsizetype s = spalte + 1; s > 0; s = (s - 1) / 26)
        buchstaben.prepend(QChar(char16_t(u'A' + (s - 1) % 26)));
    return buchstaben + QString::number(zeile + 1);
}

struct Texte {
    QHash<QString, int> nummer;
    QStringList liste;
    int anzahl = 0; // cells that refer to them

    int fuer(const QString& text) {
        ++anzahl;
        auto it = nummer.find(text);
        if (it == nummer.end()) {
            it = nummer.insert(text, int(liste.size()));
            liste.append(text);
        }
        return *it;
    }
};

QByteArray blattTeil(const Blatt& blatt, Texte& texte) {
    return xmlTeil(
        [&](QXmlStreamWriter& w) {
            w.writeDefaultNamespace(nsHaupt());
            w.writeStartElement(nsHaupt(), QStringLiteral("worksheet"));
            const std::vector<int> breiten = spaltenbreiten(blatt);
            w.writeEmptyElement(nsHaupt(), QStringLiteral("dimension"));
            w.writeAttribute(QStringLiteral("ref"),
                             QStringLiteral("A1:") +
                                 ort(std::max<qsizetype>(qsizetype(breiten.size()), 1) - 1,
                                     blatt.zeilen.size() - 1));
            w.writeStartElement(nsHaupt(), QStringLiteral("cols"));
            for (size_t s = 0; s < breiten.size(); ++s) {
                w.writeEmptyElement(nsHaupt(), QStringLiteral("col"));
                w.writeAttribute(QStringLiteral("min"), QString::number(s + 1));
                w.writeAttribute(QStringLiteral("max"), QString::number(s + 1));
                w.writeAttribute(QStringLiteral("width"), QString::number(breiten[s]));
                w.writeAttribute(QStringLiteral("customWidth"), QStringLiteral("1"));
            }
            w.writeEndElement();
            w.writeStartElement(nsHaupt(), QStringLiteral("sheetData"));
            for (size_t z = 0; z < blatt.zeilen.size(); ++z) {
                w.writeStartElement(nsHaupt(), QStringLiteral("row"));
                w.writeAttribute(QStringLiteral("r"), QString::number(z + 1));
                for (qsizetype s = 0; s < blatt.zeilen[z].size(); ++s) {
                    const QString text = xmlText(blatt.zeilen[z][s]);
                    if (text.isEmpty())
                        continue;
                    w.writeStartElement(nsHaupt(), QStringLiteral("c"));
                    w.writeAttribute(QStringLiteral("r"), ort(s, z));
                    const bool zahl = z > 0 && alsZahl(text);
                    if (!zahl) {
                        w.writeAttribute(QStringLiteral("s"),
                                         z == 0 ? QStringLiteral("1") : QStringLiteral("2"));
                        w.writeAttribute(QStringLiteral("t"), QStringLiteral("s"));
                    }
                    w.writeTextElement(nsHaupt(), QStringLiteral("v"),
                                       zahl ? text : QString::number(texte.fuer(maskiert(text))));
                    w.writeEndElement();
                }
                w.writeEndElement();
            }
            w.writeEndElement(); // sheetData
            w.writeEndElement();
        },
        umfang(blatt, 48));
}

QByteArray texteTeil(const Texte& texte, qsizetype zeichen) {
    return xmlTeil(
        [&](QXmlStreamWriter& w) {
            w.writeDefaultNamespace(nsHaupt());
            w.writeStartElement(nsHaupt(), QStringLiteral("sst"));
            w.writeAttribute(QStringLiteral("count"), QString::number(texte.anzahl));
            w.writeAttribute(QStringLiteral("uniqueCount"), QString::number(texte.liste.size()));
            for (const QString& text : texte.liste) {
                w.writeStartElement(nsHaupt(), QStringLiteral("si"));
                w.writeStartElement(nsHaupt(), QStringLiteral("t"));
                w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
                w.writeCharacters(text);
                w.writeEndElement();
                w.writeEndElement();
            }
            w.writeEndElement();
        },
        zeichen);
}

QByteArray mappeTeil(const QString& name) {
    return xmlTeil([&](QXmlStreamWriter& w) {
        w.writeDefaultNamespace(nsHaupt());
        w.writeNamespace(nsBeziehung(), QStringLiteral("r"));
        w.writeStartElement(nsHaupt(), QStringLiteral("workbook"));
        w.writeStartElement(nsHaupt(), QStringLiteral("bookViews"));
        w.writeEmptyElement(nsHaupt(), QStringLiteral("workbookView"));
        w.writeEndElement();
        w.writeStartElement(nsHaupt(), QStringLiteral("sheets"));
        w.writeEmptyElement(nsHaupt(), QStringLiteral("sheet"));
        w.writeAttribute(QStringLiteral("name"), name);
        w.writeAttribute(QStringLiteral("sheetId"), QStringLiteral("1"));
        w.writeAttribute(nsBeziehung(), QStringLiteral("id"), QStringLiteral("rId1"));
        w.writeEndElement();
        w.writeEndElement();
    });
}

// Relationships of the given targets, as rId1, rId2, …: pairs of the type's last word (after
// `typen`) and the target.
QByteArray beziehungen(const QString& typen,
                       std::initializer_list<std::pair<const char16_t*, const char16_t*>> ziele) {
    return xmlTeil([&](QXmlStreamWriter& w) {
        const QString ns = nsPaket() + QStringLiteral("relationships");
        w.writeDefaultNamespace(ns);
        w.writeStartElement(ns, QStringLiteral("Relationships"));
        int id = 0;
        for (const auto& [typ, ziel] : ziele) {
            w.writeEmptyElement(ns, QStringLiteral("Relationship"));
            w.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId%1").arg(++id));
            w.writeAttribute(QStringLiteral("Type"), typen + QString::fromUtf16(typ));
            w.writeAttribute(QStringLiteral("Target"), QString::fromUtf16(ziel));
        }
        w.writeEndElement();
    });
}

QByteArray inhaltsarten() {
    return xmlTeil([](QXmlStreamWriter& w) {
        const QString ns = nsPaket() + QStringLiteral("content-types");
        w.writeDefaultNamespace(ns);
        w.writeStartElement(ns, QStringLiteral("Types"));
        for (const auto& [endung, art] :
             {std::pair{u"rels", u"application/vnd.openxmlformats-package.relationships+xml"},
              {u"xml", u"application/xml"}}) {
            w.writeEmptyElement(ns, QStringLiteral("Default"));
            w.writeAttribute(QStringLiteral("Extension"), QString::fromUtf16(endung));
            w.writeAttribute(QStringLiteral("ContentType"), QString::fromUtf16(art));
        }
        for (const auto& [teil, art] : {std::pair{u"/xl/workbook.xml", u"sheet.main+xml"},
                                        {u"/xl/worksheets/sheet1.xml", u"worksheet+xml"},
                                        {u"/xl/sharedStrings.xml", u"sharedStrings+xml"},
                                        {u"/xl/styles.xml", u"styles+xml"}}) {
            w.writeEmptyElement(ns, QStringLiteral("Override"));
            w.writeAttribute(QStringLiteral("PartName"), QString::fromUtf16(teil));
            w.writeAttribute(QStringLiteral("ContentType"), arten() + QString::fromUtf16(art));
        }
        w.writeEndElement();
    });
}

} // namespace

QByteArray xlsxSchreiben(const Blatt& blatt, qint64& entpackt) {
    Texte texte;
    const QByteArray blattXml = blattTeil(blatt, texte);
    const QString typen = nsBeziehung() + u'/';
    Zipschreiber zip;
    zip.teil(QStringLiteral("[Content_Types].xml"), inhaltsarten());
    zip.teil(QStringLiteral("_rels/.rels"),
             beziehungen(typen, {{u"officeDocument", u"xl/workbook.xml"}}));
    zip.teil(QStringLiteral("xl/workbook.xml"), mappeTeil(blatt.name));
    zip.teil(QStringLiteral("xl/_rels/workbook.xml.rels"),
             beziehungen(typen, {{u"worksheet", u"worksheets/sheet1.xml"},
                                 {u"styles", u"styles.xml"},
                                 {u"sharedStrings", u"sharedStrings.xml"}}));
    zip.teil(QStringLiteral("xl/worksheets/sheet1.xml"), blattXml);
    zip.teil(QStringLiteral("xl/styles.xml"), QByteArray(kStile));
    zip.teil(QStringLiteral("xl/sharedStrings.xml"), texteTeil(texte, umfang(blatt, 48)));
    entpackt = zip.entpackt();
    return zip.fertig();
}

} // namespace tabelle::intern

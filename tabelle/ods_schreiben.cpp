// ODS spreadsheets as a package of its own: mimetype, manifest, content and styles.

#include "tabelle/intern.h"
#include "tabelle/xml.h"
#include "tabelle/zip.h"

namespace tabelle::intern {

namespace {

// Functions, not constants: a table may be written before this file's constants are made
// (from another file's constants).
QString nsOffice() {
    return QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
}
QString nsStil() {
    return QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
}
QString nsText() {
    return QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
}
QString nsTabelle() {
    return QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
}
QString nsFo() {
    return QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
}
QString nsZahl() {
    return QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0");
}
QString nsManifest() {
    return QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");
}
QString mime() {
    return QStringLiteral("application/vnd.oasis.opendocument.spreadsheet");
}
QString version() {
    return QStringLiteral("1.2");
}

void dokument(QXmlStreamWriter& w, const QString& wurzel) {
    for (const auto& [ns, praefix] : {std::pair{nsOffice(), u"office"},
                                      {nsStil(), u"style"},
                                      {nsText(), u"text"},
                                      {nsTabelle(), u"table"},
                                      {nsFo(), u"fo"},
                                      {nsZahl(), u"number"}})
        w.writeNamespace(ns, QString::fromUtf16(praefix));
    w.writeStartElement(nsOffice(), wurzel);
    w.writeAttribute(nsOffice(), QStringLiteral("version"), version());
}

void stil(QXmlStreamWriter& w, const QString& name, const QString& familie) {
    w.writeStartElement(nsStil(), QStringLiteral("style"));
    w.writeAttribute(nsStil(), QStringLiteral("name"), name);
    w.writeAttribute(nsStil(), QStringLiteral("family"), familie);
}

// Columns as wide as their text; the heading bold; text cells formatted as text, so that a
// spreadsheet keeps "0100237" when the cell is edited.
void stile(QXmlStreamWriter& w, const std::vector<int>& breiten) {
    w.writeStartElement(nsOffice(), QStringLiteral("automatic-styles"));
    for (size_t s = 0; s < breiten.size(); ++s) {
        stil(w, QStringLiteral("co%1").arg(s + 1), QStringLiteral("table-column"));
        w.writeEmptyElement(nsStil(), QStringLiteral("table-column-properties"));
        w.writeAttribute(nsStil(), QStringLiteral("column-width"),
                         QStringLiteral("%1cm").arg(0.2 * breiten[s] + 0.2, 0, 'f', 2));
        w.writeEndElement();
    }
    w.writeStartElement(nsZahl(), QStringLiteral("text-style"));
    w.writeAttribute(nsStil(), QStringLiteral("name"), QStringLiteral("N100"));
    w.writeEmptyElement(nsZahl(), QStringLiteral("text-content"));
    w.writeEndElement();
    stil(w, QStringLiteral("ce1"), QStringLiteral("table-cell"));
    w.writeEmptyElement(nsStil(), QStringLiteral("text-properties"));
    w.writeAttribute(nsFo(), QStringLiteral("font-weight"), QStringLiteral("bold"));
    w.writeEndElement();
    stil(w, QStringLiteral("ce2"), QStringLiteral("table-cell"));
    w.writeAttribute(nsStil(), QStringLiteral("data-style-name"), QStringLiteral("N100"));
    w.writeEndElement();
    w.writeEndElement();
}

// A spreadsheet folds runs of blanks, and drops blanks at a paragraph's ends: all but a single
// blank between two words go as text:s, TABs as text:tab, line breaks begin a paragraph.
void absaetze(QXmlStreamWriter& w, QStringView text) {
    for (const QStringView absatz : text.split(u'\n')) {
        w.writeStartElement(nsText(), QStringLiteral("p"));
        const qsizetype n = absatz.size();
        const auto wortende = [&](qsizetype j) {
            return j == n || absatz[j] == u'\t' ||
                   (absatz[j] == u' ' &&
                    (j + 1 == n || absatz[j + 1] == u' ' || absatz[j + 1] == u'\t'));
        };
        for (qsizetype i = 0; i < n;) {
            qsizetype j = i + 1;
            if (absatz[i] == u'\t') {
                w.writeEmptyElement(nsText(), QStringLiteral("tab"));
            } else if (absatz[i] != u' ') { // words and the single blanks between them
                while (!wortende(j))
                    ++j;
                w.writeCharacters(absatz.mid(i, j - i).toString());
            } else {
                while (j < n && absatz[j] == u' ')
                    ++j;
                w.writeEmptyElement(nsText(), QStringLiteral("s"));
                if (j - i > 1)
                    w.writeAttribute(nsText(), QStringLiteral("c"), QString::number(j - i));
            }
            i = j;
        }
        w.writeEndElement();
    }
}

void zelle(QXmlStreamWriter& w, const QString& text, bool kopf) {
    w.writeStartElement(nsTabelle(), QStringLiteral("table-cell"));
    if (text.isEmpty()) {
        // an empty cell holds the place of the next
    } else if (!kopf && alsZahl(text)) {
        w.writeAttribute(nsOffice(), QStringLiteral("value-type"), QStringLiteral("float"));
        w.writeAttribute(nsOffice(), QStringLiteral("value"), text);
        absaetze(w, text);
    } else {
        w.writeAttribute(nsTabelle(), QStringLiteral("style-name"),
                         kopf ? QStringLiteral("ce1") : QStringLiteral("ce2"));
        w.writeAttribute(nsOffice(), QStringLiteral("value-type"), QStringLiteral("string"));
        absaetze(w, text);
    }
    w.writeEndElement();
}

QByteArray inhalt(const Blatt& blatt) {
    return xmlTeil(
        [&](QXmlStreamWriter& w) {
            dokument(w, QStringLiteral("document-content"));
            const std::vector<int> breiten = spaltenbreiten(blatt);
            stile(w, breiten);
            w.writeStartElement(nsOffice(), QStringLiteral("body"));
            w.writeStartElement(nsOffice(), QStringLiteral("spreadsheet"));
            w.writeStartElement(nsTabelle(), QStringLiteral("table"));
            w.writeAttribute(nsTabelle(), QStringLiteral("name"), blatt.name);
            for (size_t s = 0; s < breiten.size(); ++s) {
                w.writeEmptyElement(nsTabelle(), QStringLiteral("table-column"));
                w.writeAttribute(nsTabelle(), QStringLiteral("style-name"),
                                 QStringLiteral("co%1").arg(s + 1));
            }
            for (size_t z = 0; z < blatt.zeilen.size(); ++z) {
                QStringList zeile;
                for (const QString& text : blatt.zeilen[z])
                    zeile.append(xmlText(text));
                while (zeile.size() > 1 && zeile.back().isEmpty())
                    zeile.removeLast();
                w.writeStartElement(nsTabelle(), QStringLiteral("table-row"));
                for (qsizetype s = 0; s < std::max<qsizetype>(zeile.size(), 1); ++s)
                    zelle(w, zeile.value(s), z == 0);
                w.writeEndElement();
            }
            w.writeEndElement(); // table
            w.writeEndElement(); // spreadsheet
            w.writeEndElement(); // body
            w.writeEndElement();
        },
        umfang(blatt, 120));
}

QByteArray stildatei() {
    return xmlTeil([](QXmlStreamWriter& w) {
        dokument(w, QStringLiteral("document-styles"));
        w.writeStartElement(nsOffice(), QStringLiteral("styles"));
        w.writeEmptyElement(nsStil(), QStringLiteral("default-style"));
        w.writeAttribute(nsStil(), QStringLiteral("family"), QStringLiteral("table-cell"));
        w.writeEndElement();
        w.writeEndElement();
    });
}

QByteArray manifest() {
    return xmlTeil([](QXmlStreamWriter& w) {
        w.writeNamespace(nsManifest(), QStringLiteral("manifest"));
        w.writeStartElement(nsManifest(), QStringLiteral("manifest"));
        w.writeAttribute(nsManifest(), QStringLiteral("version"), version());
        for (const auto& [pfad, art] : {std::pair{u"/", mime()},
                                        {u"content.xml", QStringLiteral("text/xml")},
                                        {u"styles.xml", QStringLiteral("text/xml")}}) {
            w.writeEmptyElement(nsManifest(), QStringLiteral("file-entry"));
            w.writeAttribute(nsManifest(), QStringLiteral("full-path"), QString::fromUtf16(pfad));
            if (art == mime())
                w.writeAttribute(nsManifest(), QStringLiteral("version"), version());
            w.writeAttribute(nsManifest(), QStringLiteral("media-type"), art);
        }
        w.writeEndElement();
    });
}

} // namespace

QByteArray odsSchreiben(const Blatt& blatt, qint64& entpackt) {
    Zipschreiber zip;
    // First and stored, so that its name and type stand at fixed places for whoever looks.
    zip.teil(QStringLiteral("mimetype"), mime().toLatin1(), false);
    zip.teil(QStringLiteral("META-INF/manifest.xml"), manifest());
    zip.teil(QStringLiteral("styles.xml"), stildatei());
    zip.teil(QStringLiteral("content.xml"), inhalt(blatt));
    entpackt = zip.entpackt();
    return zip.fertig();
}

} // namespace tabelle::intern

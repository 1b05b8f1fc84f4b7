#pragma once
// Zip containers made in memory, for tables the tests, the fuzzer and the benchmark build.

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>
#include <utility>
#include <vector>
#include <zlib.h>

using Teile = std::vector<std::pair<QString, QByteArray>>;

// Stored without compression at stufe 0, which the fuzzer wants for speed.
inline QByteArray zipAus(const Teile& teile, int stufe = Z_DEFAULT_COMPRESSION) {
    QByteArray bytes;
    QBuffer puffer(&bytes);
    QuaZip zip(&puffer);
    zip.open(QuaZip::mdCreate);
    for (const auto& [name, inhalt] : teile) {
        QuaZipFile datei(&zip);
        datei.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0,
                   stufe == 0 ? 0 : Z_DEFLATED, stufe);
        datei.write(inhalt);
        datei.close();
    }
    zip.close();
    return bytes;
}

// A workbook of one sheet; styles and shared strings as given (left out when empty).
inline QByteArray xlsxAus(const QByteArray& blatt, const QByteArray& stile = {},
                          const QByteArray& texte = {}, int stufe = Z_DEFAULT_COMPRESSION) {
    const QByteArray ns = R"( xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    Teile teile{
        {QStringLiteral("xl/workbook.xml"),
         "<workbook" + ns + " xmlns:r=\"" + rel +
             "\"><sheets><sheet name=\"Tabelle1\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
             "</workbook>"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         "<Relationships><Relationship Id=\"rId1\" Type=\"" + rel +
             "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
             rel + "/styles\" Target=\"styles.xml\"/><Relationship Id=\"rId3\" Type=\"" + rel +
             "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
        {QStringLiteral("xl/worksheets/sheet1.xml"), blatt}};
    if (!stile.isEmpty())
        teile.push_back({QStringLiteral("xl/styles.xml"), stile});
    if (!texte.isEmpty())
        teile.push_back({QStringLiteral("xl/sharedStrings.xml"), texte});
    return zipAus(teile, stufe);
}

// A spreadsheet of the tables given as content.xml's body.
inline QByteArray odsAus(const QByteArray& tabellen, int stufe = Z_DEFAULT_COMPRESSION) {
    return zipAus(
        {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
         {QStringLiteral("content.xml"),
          "<office:document-content"
          " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
          " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
          " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\">"
          "<office:body><office:spreadsheet>" +
              tabellen + "</office:spreadsheet></office:body></office:document-content>"}},
        stufe);
}

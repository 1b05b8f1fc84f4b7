// ODS and XLSX reading from bytes. The first byte chooses what the rest is: a whole container
// (0), or one XML part put into a container of known good parts, so that the fuzzer works on
// the XML rather than on checksums: ODS content (1), an XLSX sheet (2), its shared strings (3),
// its styles (4).

#include "pruefung.h"
#include "tests/tabelle/zipbau.h"

#include <cstdint>

namespace {

// Cells that use every shared string and style the other parts may bring.
QByteArray blatt() {
    QByteArray zellen;
    for (int i = 0; i < 6; ++i)
        zellen += "<c t=\"s\"><v>" + QByteArray::number(i) + "</v></c><c s=\"" +
                  QByteArray::number(i) + "\"><v>4" + QByteArray::number(i) + "064.5</v></c>";
    return "<worksheet><sheetData><row>" + zellen + "</row></sheetData></worksheet>";
}

const QByteArray kTexte = "<sst><si><t>a</t></si><si><t>b</t></si><si><t>c</t></si><si><t>d</t>"
                          "</si><si><t>e</t></si><si><t>f</t></si></sst>";
const QByteArray kStile = "<styleSheet><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf "
                          "numFmtId=\"3\"/><xf numFmtId=\"10\"/><xf numFmtId=\"22\"/><xf "
                          "numFmtId=\"49\"/></cellXfs></styleSheet>";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray teil(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QByteArray bytes;
    switch (data[0] % 5) {
    case 0:
        bytes = teil;
        break;
    case 1:
        bytes =
            zipAus({{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
                    {QStringLiteral("content.xml"), teil}},
                   0);
        break;
    case 2:
        bytes = xlsxAus(teil, kStile, kTexte, 0);
        break;
    case 3:
        bytes = xlsxAus(blatt(), kStile, teil, 0);
        break;
    default:
        bytes = xlsxAus(blatt(), teil, kTexte, 0);
        break;
    }
    tabellePruefen(tabelle::lesenAusBytes(bytes));
    return 0;
}

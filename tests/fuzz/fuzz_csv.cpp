// CSV reading: whatever the bytes, rows or a message; and rows written back as CSV with every
// field quoted (and the separator named) read back as the same rows.

#include "pruefung.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const auto kodierung = tabelle::Kodierung(data[0] % 3);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const tabelle::Ergebnis e = tabelle::lesenAusBytes(bytes, tabelle::Format::Csv, kodierung);
    tabellePruefen(e);
    if (!e.fehler.isEmpty())
        return 0;
    QString csv = QStringLiteral("sep=;\r\n"); // the separator is not guessed here
    for (const QStringList& zeile : e.blaetter[0].zeilen) {
        for (qsizetype i = 0; i < zeile.size(); ++i) {
            csv += QLatin1String(i ? ";\"" : "\"");
            csv += QString(zeile[i]).replace(QChar(u'"'), QLatin1String("\"\""));
            csv += u'"';
        }
        csv += QLatin1String("\r\n");
    }
    const tabelle::Ergebnis wieder =
        tabelle::lesenAusBytes(csv.toUtf8(), tabelle::Format::Csv, tabelle::Kodierung::Utf8);
    if (wieder.blaetter.empty() || wieder.blaetter[0].zeilen != e.blaetter[0].zeilen)
        std::abort();
    return 0;
}

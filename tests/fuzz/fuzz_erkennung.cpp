// Pasted text read as entries, with the columns recognised or chosen at will: whatever comes in,
// every row gets its line in the preview and every cell that goes out fits the list.

#include "cells/eintrag.h"
#include "erkennung/erkennung.h"
#include "platform/cp1252.h"
#include "support/texthelpers.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint8_t mode = data[0], wahl = data[1];
    data += 2;
    size -= 2;
    // UTF-8 as a clipboard gives it, or UTF-16 code units to reach lone surrogates too.
    QString text;
    if (mode & 1) {
        std::u16string units(size / 2, u'\0');
        std::memcpy(units.data(), data, units.size() * 2);
        text = QString::fromStdU16String(units);
    } else {
        text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    }
    const Grenze grenze =
        mode & 2 ? Grenze{} : Grenze{1 + mode % 7, 1 + (mode >> 3) % 5, 10 + 7 * qsizetype(wahl)};
    const Textzeilen t = ZeilenAusText(text, grenze);
    check(int(t.zeilen.size()) <= grenze.zeilen);
    size_t breite = 0;
    for (const QStringList& z : t.zeilen) {
        check(z.size() <= grenze.spalten);
        breite = std::max(breite, size_t(z.size()));
    }

    Erkennung e =
        SpaltenErkennen(t.zeilen, mode & 4 ? std::optional<bool>(mode & 8) : std::nullopt);
    check(e.spalten.size() == breite);
    if (mode & 16) // the user's choice in the preview: any meaning for any column
        for (size_t c = 0; c < e.spalten.size(); ++c)
            e.spalten[c] = kBedeutungen[(wahl + c * 3 + size_t(data[c % size])) % 8];

    const std::vector<Vorschauzeile> vorschau = EintraegeBilden(t.zeilen, e);
    check(vorschau.size() == t.zeilen.size());
    for (size_t i = 0; i < vorschau.size(); ++i) {
        const Vorschauzeile& v = vorschau[i];
        check(v.quelle == int(i) && v.eintrag.has_value() == (v.grund == Grund::Keiner));
        for (const Vermerk& m : v.vermerke)
            check(m.spalte >= 0 && m.spalte < t.zeilen[i].size() && m.feld >= -1 &&
                  m.feld < CellTable::kColumns && !m.text.isEmpty());
        if (!v.eintrag)
            continue;
        const Zeile& z = *v.eintrag;
        for (const std::string& zelle : z)
            check(cp1252::isCellText(cp1252::toQString(zelle)));
        check(!Bereinigen(z[kSpalteName], ' ').empty());
        check(z[kSpalteNr].empty() || TextZuZahl(z[kSpalteNr]) != 0);
        check(z[kSpalteMP].empty() || z[kSpalteMP] == "J" || z[kSpalteMP] == "N" ||
              z[kSpalteMP] == "G");
    }
    return 0;
}

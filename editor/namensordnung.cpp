#include "editor/namensordnung.h"

#include "cells/eintrag.h"
#include "platform/cp1252.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <unicode/ucol.h>

namespace {

using Kollator = std::unique_ptr<UCollator, decltype(&ucol_close)>;

// German collation, whatever the process locale. At the first strength umlauts are their base
// letters, ß is ss and capitals are small letters; the identical one adds accents, case and at
// last the code points.
Kollator kollator(UCollationStrength staerke) {
    UErrorCode status = U_ZERO_ERROR;
    Kollator k(ucol_open("de", &status), &ucol_close);
    if (U_SUCCESS(status))
        ucol_setStrength(k.get(), staerke);
    if (U_FAILURE(status) || !k)
        throw std::runtime_error("Die deutsche Sortierordnung ist nicht verf\xFCgbar");
    return k;
}

// Appends the collation key of a text, with its closing zero: keys chained this way compare
// byte by byte as their parts would one after the other, since no key holds a zero inside.
void schluesselAnhaengen(const UCollator* k, std::string_view text, std::string& key) {
    const QString s = cp1252::toQString(text);
    const size_t alt = key.size();
    key.resize(alt + 64 + 4 * size_t(s.size()));
    for (;;) {
        const int32_t platz = int32_t(key.size() - alt);
        const int32_t n =
            ucol_getSortKey(k, reinterpret_cast<const UChar*>(s.utf16()), int32_t(s.size()),
                            reinterpret_cast<uint8_t*>(key.data() + alt), platz);
        if (n <= platz) {
            key.resize(alt + size_t(n));
            return;
        }
        key.resize(alt + size_t(n));
    }
}

} // namespace

std::vector<int> NamensOrdnung(const CellTable& zellen, int anzahl) {
    static const Kollator erste = kollator(UCOL_PRIMARY);
    static const Kollator alle = kollator(UCOL_IDENTICAL);
    anzahl = std::max(anzahl, 0);
    std::vector<std::string> keys(size_t(anzahl) + 1);
    for (int r = 1; r <= anzahl; ++r) {
        const Namensteile t = NamenZerlegen(zellen.cell(kSpalteName, r));
        // Surname, then the rest, without regard to accents and case; only then with them.
        std::string& key = keys[size_t(r)];
        key += t.nachname.empty() ? '\x02' : '\x01'; // blank names last
        schluesselAnhaengen(erste.get(), t.nachname, key);
        schluesselAnhaengen(erste.get(), t.rest, key);
        schluesselAnhaengen(alle.get(), t.nachname, key);
        schluesselAnhaengen(alle.get(), t.rest, key);
    }
    std::vector<int> order(static_cast<size_t>(anzahl));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    return order;
}

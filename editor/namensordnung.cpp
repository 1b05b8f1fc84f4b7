#include "editor/namensordnung.h"

#include "cells/eintrag.h"
#include "platform/cp1252.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <unicode/ucol.h>

namespace {

bool istLeer(char c) {
    return c == ' ' || c == '\t' || c == '\xA0';
}

// Blanks part words, and so does a full stop with a word right after it; "Dipl.-Ing." and
// "H.-P." stay one word.
std::vector<std::string_view> woerter(std::string_view s) {
    std::vector<std::string_view> out;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        const bool ende = i == s.size() || istLeer(s[i]);
        const bool nachPunkt = i > 0 && i < s.size() && s[i - 1] == '.' && !ende && s[i] != '-' &&
                               s[i] != '.' && s[i] != ',';
        if ((ende || nachPunkt) && i > start)
            out.push_back(s.substr(start, i - start));
        if (ende)
            start = i + 1;
        else if (nachPunkt)
            start = i;
    }
    return out;
}

// A word ending in a full stop is a title unless a single letter stands before the stop:
// "Dr.", "Dipl.-Ing." and "jun." are titles, "H." and "H.-P." initials.
bool istTitel(std::string_view w) {
    if (w.size() < 2 || w.back() != '.')
        return false;
    const std::string_view rumpf = w.substr(0, w.size() - 1);
    const size_t teil = rumpf.find_last_of("-.");
    return rumpf.size() - (teil == rumpf.npos ? 0 : teil + 1) > 1;
}

std::string verbinden(const std::vector<std::string_view>& ws) {
    std::string out;
    for (const std::string_view w : ws) {
        if (!out.empty())
            out += ' ';
        out += w;
    }
    return out;
}

// First names in their order, titles after them.
std::string rest(std::vector<std::string_view> ws) {
    std::stable_partition(ws.begin(), ws.end(), [](std::string_view w) { return !istTitel(w); });
    return verbinden(ws);
}

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

Namensteile NamenZerlegen(std::string_view name) {
    const size_t komma = name.find(',');
    if (komma != name.npos) {
        const std::string nachname = verbinden(woerter(name.substr(0, komma)));
        if (!nachname.empty()) {
            std::string danach(name.substr(komma + 1));
            std::replace(danach.begin(), danach.end(), ',', ' ');
            return {nachname, rest(woerter(danach))};
        }
    }
    std::string ohneKomma(name);
    std::replace(ohneKomma.begin(), ohneKomma.end(), ',', ' ');
    std::vector<std::string_view> ws = woerter(ohneKomma);
    if (ws.empty())
        return {};
    const auto letztes =
        std::find_if(ws.rbegin(), ws.rend(), [](std::string_view w) { return w.back() != '.'; });
    const auto nachname = letztes == ws.rend() ? ws.end() - 1 : std::next(letztes).base();
    Namensteile teile{std::string(*nachname), {}};
    ws.erase(nachname);
    teile.rest = rest(std::move(ws));
    return teile;
}

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

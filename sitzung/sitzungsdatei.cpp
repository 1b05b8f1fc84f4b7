#include "sitzung/sitzungsdatei.h"

#include "safewrite/filepath.h"
#include "safewrite/safewrite.h"

#include <cstdio>
#include <cstdlib>

std::string Sitzungsdatei::text(std::string_view key) const {
    const auto it = werte.find(key);
    return it == werte.end() ? std::string() : it->second;
}

int64_t Sitzungsdatei::zahl(std::string_view key) const {
    return std::strtoll(text(key).c_str(), nullptr, 10);
}

uint64_t Sitzungsdatei::natuerlicheZahl(std::string_view key) const {
    return std::strtoull(text(key).c_str(), nullptr, 10);
}

Sitzungsdatei SitzungsdateiLesen(const std::string& pfad, size_t hoechstens) {
    std::string text;
    struct stat st {};
    const int fehler = safewrite::readFile(pfad, hoechstens, text, &st);
    Sitzungsdatei d = fehler ? Sitzungsdatei{} : SitzungstextLesen(std::move(text));
    d.fehler = fehler;
    d.st = st;
    return d;
}

Sitzungsdatei SitzungstextLesen(std::string text) {
    Sitzungsdatei d;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t nl = std::min(text.find('\n', pos), text.size());
        const std::string_view zeile = std::string_view(text).substr(pos, nl - pos);
        pos = nl + 1;
        if (zeile.empty() && nl < text.size()) {
            d.leerzeile = true;
            text.erase(0, pos);
            d.rest = std::move(text); // a list may be large: not copied
            break;
        }
        const size_t eq = zeile.find('=');
        if (eq != std::string_view::npos)
            d.werte.insert_or_assign(std::string(zeile.substr(0, eq)),
                                     std::string(zeile.substr(eq + 1)));
    }
    return d;
}

std::string ListenKennung(const std::string& liste) {
    const std::string pfad = safewrite::realPath(liste);
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(safewrite::checksum(pfad)));
    return safewrite::nameOf(pfad) + "-" + hash;
}

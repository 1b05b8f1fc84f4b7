// What a version is called, and which versions thinning out removes: no file is touched here.

#include "fassungen/fassungen.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <set>

namespace {

// Then the size in decimal digits, and ".TIF".
constexpr std::string_view kMuster = "0000-00-00T000000.000+0000-ffffffffffffffff-";
constexpr std::string_view kEndung = ".TIF";

int64_t abgerundet(int64_t a, int64_t b) {
    return a / b - (a % b < 0);
}

// The Monday-to-Sunday week of the moment, in local time.
int64_t woche(int64_t zeitMs) {
    const time_t sekunden = time_t(abgerundet(zeitMs, 1000));
    tm ortszeit{};
    ::localtime_r(&sekunden, &ortszeit);
    const int64_t tag = abgerundet(int64_t(sekunden) + ortszeit.tm_gmtoff, 86400);
    return abgerundet(tag + 3, 7); // 1 January 1970 was a Thursday
}

} // namespace

std::string Fassungsname::text() const {
    const int64_t sekunden = abgerundet(zeitMs, 1000);
    const time_t t = time_t(sekunden);
    tm o{};
    ::localtime_r(&t, &o);
    const long versatz = o.tm_gmtoff / 60;
    const long betrag = versatz < 0 ? -versatz : versatz;
    char name[128];
    std::snprintf(
        name, sizeof name, "%04d-%02d-%02dT%02d%02d%02d.%03d%c%02ld%02ld-%016llx-%llu.TIF",
        o.tm_year + 1900, o.tm_mon + 1, o.tm_mday, o.tm_hour, o.tm_min, o.tm_sec,
        int(zeitMs - sekunden * 1000), versatz < 0 ? '-' : '+', betrag / 60, betrag % 60,
        static_cast<unsigned long long>(pruefsumme), static_cast<unsigned long long>(groesse));
    return name;
}

std::optional<Fassungsname> FassungsnameLesen(std::string_view name) {
    const size_t ziffern = name.size() - std::min(name.size(), kMuster.size() + kEndung.size());
    if (ziffern < 1 || ziffern > 8 || !name.ends_with(kEndung))
        return std::nullopt;
    for (size_t i = 0; i < name.size() - kEndung.size(); ++i) {
        const char c = name[i], m = i < kMuster.size() ? kMuster[i] : '0';
        const bool passt = m == '0'   ? c >= '0' && c <= '9'
                           : m == 'f' ? (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')
                           : m == '+' ? c == '+' || c == '-'
                                      : c == m;
        if (!passt)
            return std::nullopt;
    }
    auto zahl = [name](size_t von, size_t laenge, int basis = 10) {
        uint64_t z = 0;
        for (const char c : name.substr(von, laenge))
            z = z * uint64_t(basis) + uint64_t(c <= '9' ? c - '0' : c - 'a' + 10);
        return z;
    };
    tm t{};
    t.tm_year = int(zahl(0, 4)) - 1900;
    t.tm_mon = int(zahl(5, 2)) - 1;
    t.tm_mday = int(zahl(8, 2));
    t.tm_hour = int(zahl(11, 2));
    t.tm_min = int(zahl(13, 2));
    t.tm_sec = int(zahl(15, 2));
    const int64_t versatz = int64_t(zahl(22, 2) * 60 + zahl(24, 2)) * (name[21] == '-' ? -1 : 1);
    if (t.tm_mon > 11 || t.tm_mday < 1 || t.tm_mday > 31 || t.tm_hour > 23 || t.tm_min > 59 ||
        t.tm_sec > 60 || zahl(22, 2) > 23 || zahl(24, 2) > 59)
        return std::nullopt;
    Fassungsname f;
    f.zeitMs = (int64_t(::timegm(&t)) - versatz * 60) * 1000 + int64_t(zahl(18, 3));
    f.pruefsumme = zahl(27, 16, 16);
    f.groesse = zahl(kMuster.size(), ziffern);
    return f;
}

Ausduennung Ausduennen(const std::vector<Fassungsdatei>& alle, int64_t jetztMs,
                       uint64_t hoechstens) {
    std::vector<size_t> ordnung(alle.size()); // newest first
    std::iota(ordnung.begin(), ordnung.end(), size_t(0));
    std::stable_sort(ordnung.begin(), ordnung.end(),
                     [&](size_t a, size_t b) { return alle[a].zeitMs > alle[b].zeitMs; });
    std::vector<bool> weg(alle.size());
    std::set<std::pair<int, int64_t>> wochen; // of each list, those whose newest was seen
    uint64_t summe = 0;
    for (const size_t i : ordnung) {
        const Fassungsdatei& f = alle[i];
        const int64_t alter = jetztMs - f.zeitMs;
        const bool neuesteDerWoche = wochen.insert({f.liste, woche(f.zeitMs)}).second;
        weg[i] = !f.neu && alter > kAlleBehaltenMs && (alter > kWoechentlichMs || !neuesteDerWoche);
        summe += weg[i] ? 0 : f.groesse;
    }
    Ausduennung a;
    for (auto i = ordnung.rbegin(); i != ordnung.rend() && summe > hoechstens; ++i) {
        const Fassungsdatei& f = alle[*i];
        if (weg[*i] || f.neu)
            continue;
        weg[*i] = true;
        summe -= f.groesse;
        if (jetztMs - f.zeitMs <= kAlleBehaltenMs && a.jungeEntfernt++ == 0)
            a.aeltesteJunge = f.zeitMs;
    }
    for (size_t i = 0; i < alle.size(); ++i)
        if (weg[i])
            a.entfernen.push_back(i);
    return a;
}

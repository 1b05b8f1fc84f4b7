#include "person/person.h"

#include <algorithm>
#include <array>

namespace {

// Windows-1252 bytes 0x80..0xFF as letters without accents; empty: no letter, the byte stays.
constexpr std::array<const char*, 128> kGrund = [] {
    std::array<const char*, 128> t{};
    auto set = [&t](unsigned char from, unsigned char to, const char* as) {
        for (unsigned c = from; c <= to; ++c)
            t[c - 0x80] = as;
    };
    set(0x8A, 0x8A, "s"); // Š
    set(0x8C, 0x8C, "oe");
    set(0x8E, 0x8E, "z");
    set(0x9A, 0x9A, "s");
    set(0x9C, 0x9C, "oe");
    set(0x9E, 0x9E, "z");
    set(0x9F, 0x9F, "y");
    set(0xC0, 0xC5, "a");
    set(0xC6, 0xC6, "ae");
    set(0xC7, 0xC7, "c");
    set(0xC8, 0xCB, "e");
    set(0xCC, 0xCF, "i");
    set(0xD0, 0xD0, "d");
    set(0xD1, 0xD1, "n");
    set(0xD2, 0xD6, "o");
    set(0xD8, 0xD8, "o");
    set(0xD9, 0xDC, "u");
    set(0xDD, 0xDD, "y");
    set(0xDE, 0xDE, "th");
    set(0xDF, 0xDF, "ss");
    set(0xE0, 0xE5, "a");
    set(0xE6, 0xE6, "ae");
    set(0xE7, 0xE7, "c");
    set(0xE8, 0xEB, "e");
    set(0xEC, 0xEF, "i");
    set(0xF0, 0xF0, "d");
    set(0xF1, 0xF1, "n");
    set(0xF2, 0xF6, "o");
    set(0xF8, 0xF8, "o");
    set(0xF9, 0xFC, "u");
    set(0xFD, 0xFD, "y");
    set(0xFE, 0xFE, "th");
    set(0xFF, 0xFF, "y");
    return t;
}();

const char* ausgeschrieben(unsigned char c) {
    switch (c) {
    case 0xC4:
    case 0xE4:
        return "ae";
    case 0xD6:
    case 0xF6:
        return "oe";
    case 0xDC:
    case 0xFC:
        return "ue";
    }
    return nullptr;
}

bool ascii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool buchstabe(unsigned char c) {
    return ascii(c) || (c >= 0x80 && kGrund[c - 0x80]);
}

bool gross(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A ||
           c == 0x8C || c == 0x8E || c == 0x9F;
}

bool leer(unsigned char c) {
    return c == ' ' || c == '\t' || c == 0xA0;
}

} // namespace

std::string Nummernform(std::string_view nummer) {
    std::string n;
    for (const char c : nummer)
        if (c != ' ' && c != '\t')
            n += c;
    if (!n.empty() && n.find_first_not_of("0123456789") == std::string::npos) {
        // Keeps the last zero of "000".
        n.erase(0, std::min(n.find_first_not_of('0'), n.size() - 1));
    }
    return n;
}

namespace {

bool ziffern(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// Three groups of digits parted by one and the same of ".", "/" or "-": day, month and year,
// or (with "-") year, month and day.
bool datum(std::string_view s) {
    const size_t a = s.find_first_of("./-");
    if (a == std::string_view::npos)
        return false;
    const size_t b = s.find(s[a], a + 1);
    if (b == std::string_view::npos)
        return false;
    const std::string_view t1 = s.substr(0, a), t2 = s.substr(a + 1, b - a - 1),
                           t3 = s.substr(b + 1);
    if (!ziffern(t1) || !ziffern(t2) || !ziffern(t3) || t2.size() > 2)
        return false;
    return s[a] == '-' ? t1.size() == 4 && t3.size() <= 2
                       : t1.size() <= 2 && (t3.size() == 2 || t3.size() == 4);
}

} // namespace

Nummernart MitgliedsnummerArt(std::string_view nummer) {
    while (!nummer.empty() && leer(static_cast<unsigned char>(nummer.front())))
        nummer.remove_prefix(1);
    while (!nummer.empty() && leer(static_cast<unsigned char>(nummer.back())))
        nummer.remove_suffix(1);
    if (nummer.size() > 1 &&
        (nummer[0] == '=' || nummer[0] == '@' ||
         ((nummer[0] == '+' || nummer[0] == '-') && !ziffern(nummer.substr(1)))))
        return Nummernart::Formel;
    if (datum(nummer))
        return Nummernart::Datum;
    if (std::any_of(nummer.begin(), nummer.end(),
                    [](char c) { return buchstabe(static_cast<unsigned char>(c)); }))
        return Nummernart::Buchstaben;
    return Nummernart::Nummer;
}

std::string Falten(std::string_view text, Umlaute umlaute) {
    std::string out;
    out.reserve(text.size() + 4);
    bool blank = false;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (leer(c)) {
            blank = true;
            continue;
        }
        if (blank && !out.empty())
            out += ' ';
        blank = false;
        const char* aus = umlaute == Umlaute::Ausgeschrieben ? ausgeschrieben(c) : nullptr;
        if (c >= 'A' && c <= 'Z')
            out += char(c - 'A' + 'a');
        else if (aus)
            out += aus;
        else if (c >= 0x80 && kGrund[c - 0x80])
            out += kGrund[c - 0x80];
        else
            out += ch;
    }
    return out;
}

bool FragezeichenStattBuchstabe(std::string_view name) {
    for (size_t i = name.find('?'); i != name.npos; i = name.find('?', i + 1)) {
        const bool davor = i > 0 && buchstabe(static_cast<unsigned char>(name[i - 1]));
        const bool danach =
            i + 1 < name.size() && buchstabe(static_cast<unsigned char>(name[i + 1]));
        if (davor || danach)
            return true;
    }
    return false;
}

int Schreibguete(std::string_view name) {
    bool besondere = false, grosse = false, kleine = false;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (!buchstabe(c))
            continue;
        besondere = besondere || !ascii(c);
        (gross(c) ? grosse : kleine) = true;
    }
    return int(besondere) + int(grosse && kleine);
}

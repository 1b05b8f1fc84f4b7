#include "support/texthelpers.h"

#include "platform/numparse.h"

#include <cmath>
#include <cstdio>

std::string FeldAbtrennen(std::string& rest) {
    const size_t p = rest.find(Trennzeichen);
    if (p == std::string::npos) {
        std::string field = std::move(rest);
        rest.clear();
        return field;
    }
    std::string field = rest.substr(0, p);
    rest.erase(0, p + 1);
    return field;
}

int32_t TextZuZahl(std::string_view text) {
    const std::string s = Bereinigen(text, ' ');
    if (s.empty())
        return 0;
    return parseInt32(s, HexPrefix::DollarXOr0x).value_or(0);
}

std::string Grossschrift(std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return s;
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Keeps [first, last) after dropping what the predicates say, never reading beyond the text.
template <typename DropFront, typename DropBack>
std::string trimWith(const std::string& s, DropFront dropFront, DropBack dropBack) {
    size_t first = 0;
    size_t last = s.size();
    while (first + 1 < last && dropFront(s[first]))
        ++first;
    while (last > first && dropBack(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

} // namespace

std::string Bereinigen(std::string_view text, char modus) {
    // Trimmed as a view first: a long text is copied once.
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (modus == ' ' || text.empty())
        return std::string(text);
    const std::string s(text);
    switch (modus) {
    case '.': {
        const size_t dot = s.rfind('.');
        return dot == std::string::npos ? s : s.substr(dot + 1);
    }
    case 'B':
    case 'b': {
        auto notLetter = [](char c) { return !IstBuchstabe(c); };
        return trimWith(s, notLetter, notLetter);
    }
    case 'Z':
    case 'z': {
        // Leading non-number characters and zeros go, interleaved; a number made only of
        // zeros keeps its last one.
        size_t first = 0;
        size_t lastZero = std::string::npos;
        while (first < s.size() && (!IstZahlZeichen(s[first]) || s[first] == '0')) {
            if (s[first] == '0')
                lastZero = first;
            ++first;
        }
        if (first == s.size())
            return lastZero == std::string::npos ? std::string() : std::string("0");
        size_t last = s.size();
        while (last > first && !IstZahlZeichen(s[last - 1]))
            --last;
        return s.substr(first, last - first);
    }
    default: {
        auto isMode = [modus](char c) { return c == modus; };
        return trimWith(s, isMode, isMode);
    }
    }
}

std::string RechtsBuendig(std::string_view text, int breite, char fuellzeichen) {
    if (breite <= 0)
        return {};
    std::string s = fuellzeichen == ' ' ? std::string(text) : Bereinigen(text, ' ');
    const size_t width = size_t(breite);
    if (s.size() >= width)
        return s.substr(0, width);
    return std::string(width - s.size(), fuellzeichen) + s;
}

std::string ZahlZuText(int breite, int dezimalen, double zahl) {
    char buffer[512];
    if (std::isfinite(zahl) && (zahl == std::trunc(zahl) || breite > 0 || dezimalen > 0)) {
        const int decimals = dezimalen < 0 ? 0 : (dezimalen > 60 ? 60 : dezimalen);
        const int width = breite < 0 ? 0 : (breite > 255 ? 255 : breite);
        std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, zahl);
    } else {
        // The Pascal default: a blank or minus, 15 significant digits, four-digit exponent.
        int exponent = 0;
        double mantissa = 0;
        if (zahl != 0 && std::isfinite(zahl)) {
            exponent = int(std::floor(std::log10(std::fabs(zahl))));
            mantissa = zahl / std::pow(10.0, exponent);
            if (std::fabs(mantissa) >= 9.999999999999995) {
                mantissa /= 10;
                ++exponent;
            }
        }
        std::snprintf(buffer, sizeof buffer, "%s%.14fE%c%04d", zahl < 0 ? "-" : " ",
                      std::fabs(mantissa), exponent < 0 ? '-' : '+', std::abs(exponent));
    }
    std::string result(buffer);
    if (result.size() > 255)
        result.resize(255);
    return result;
}

bool IstZahlZeichen(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == ',' || c == '-' || c == '.';
}

bool IstBuchstabe(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_')
        return true;
    switch (u) {
    case 0x81:
    case 0x84:
    case 0x8E:
    case 0x94:
    case 0x99:
    case 0x9A:
    case 0xE1:
        return true;
    default:
        return false;
    }
}

#include "person/person.h"

#include <algorithm>
#include <array>

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

// A word as persons compare it: folded, without dots and hyphens.
std::string form(std::string_view w) {
    std::string f = Falten(w, Umlaute::Ausgeschrieben);
    std::erase_if(f, [](char c) { return c == '.' || c == '-' || c == ' '; });
    return f;
}

// Titles also as typed without their full stop.
bool titel(std::string_view w) {
    static constexpr std::array<std::string_view, 4> kOhnePunkt = {"dr", "prof", "dipl", "ing"};
    return istTitel(w) ||
           std::find(kOhnePunkt.begin(), kOhnePunkt.end(), form(w)) != kOhnePunkt.end();
}

// "von der" in "Anna von der Heide" belongs to the surname.
bool namenszusatz(std::string_view w) {
    static constexpr std::array<std::string_view, 15> kZusaetze = {
        "von", "vom", "zu", "zum", "zur", "van", "de", "der",
        "den", "del", "di", "da",  "du",  "ten", "ter"};
    return std::find(kZusaetze.begin(), kZusaetze.end(), form(w)) != kZusaetze.end();
}

// "ue" and "u" alike, so that "Muller" fits "Müller": an umlaut whose dots were lost.
std::string ohneUmlaut(std::string_view f) {
    std::string out;
    for (size_t i = 0; i < f.size(); ++i) {
        out += f[i];
        if (i + 1 < f.size() && f[i + 1] == 'e' && (f[i] == 'a' || f[i] == 'o' || f[i] == 'u'))
            ++i;
    }
    return out;
}

bool mitPlatzhalter(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return x == y || x == '?' || y == '?';
           });
}

// The same word, but for a lost umlaut or a "?" where a letter stood.
bool passt(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    const std::string ra = ohneUmlaut(a), rb = ohneUmlaut(b);
    if (ra == rb)
        return true;
    const bool platzhalter = a.find('?') != a.npos || b.find('?') != b.npos;
    return platzhalter && (mitPlatzhalter(a, b) || mitPlatzhalter(ra, rb));
}

bool beginntMit(const Vorname& name, const Vorname& initial) {
    return name.form.starts_with(initial.form) ||
           ohneUmlaut(name.form).starts_with(ohneUmlaut(initial.form));
}

bool vornamePasst(const Vorname& a, const Vorname& b) {
    return passt(a.form, b.form) || (a.initial && beginntMit(b, a)) ||
           (b.initial && beginntMit(a, b));
}

std::string zusammen(const std::vector<Vorname>& vornamen) {
    std::string out;
    for (const Vorname& v : vornamen)
        out += v.form;
    return out;
}

// First names fit when one has none, when each fits the one in its place as far as both have
// any ("Hans" fits "Hans Peter"), or when they are the same written together.
bool vornamenPassen(const std::vector<Vorname>& a, const std::vector<Vorname>& b) {
    if (a.empty() || b.empty())
        return true;
    const size_t n = std::min(a.size(), b.size());
    return std::equal(a.begin(), a.begin() + std::ptrdiff_t(n), b.begin(), vornamePasst) ||
           passt(zusammen(a), zusammen(b));
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

std::string Personenname::schluessel() const {
    // A TAB stands in no form: it parts the two unambiguously.
    return nachname + '\t' + zusammen(vornamen);
}

Personenname PersonennameBilden(std::string_view name) {
    const Namensteile teile = NamenZerlegen(name);
    std::vector<std::string_view> ws = woerter(teile.rest);
    std::erase_if(ws, titel);
    std::string nachname;
    while (!ws.empty() && namenszusatz(ws.back())) {
        nachname.insert(0, ws.back());
        ws.pop_back();
    }
    Personenname p{form(nachname + teile.nachname), {}};
    for (const std::string_view w : ws) {
        // "H.-P." and "Hans-Peter" are two first names each.
        size_t start = 0;
        for (size_t i = 0; i <= w.size(); ++i) {
            if (i < w.size() && w[i] != '-' && w[i] != '.')
                continue;
            const std::string_view teil = w.substr(start, i - start);
            start = i + 1;
            if (std::string f = form(teil); !f.empty())
                p.vornamen.push_back({std::move(f), teil.size() == 1});
        }
    }
    return p;
}

Namensvergleich NamenVergleichen(const Personenname& a, const Personenname& b) {
    if (a.nachname == b.nachname && zusammen(a.vornamen) == zusammen(b.vornamen))
        return Namensvergleich::Gleich;
    const bool nachname = passt(a.nachname, b.nachname);
    const bool vornamen = vornamenPassen(a.vornamen, b.vornamen);
    // "Meier Hans" for "Hans Meier": a surname written first without its comma.
    const bool vertauscht = !a.vornamen.empty() && !b.vornamen.empty() &&
                            passt(a.nachname, zusammen(b.vornamen)) &&
                            passt(zusammen(a.vornamen), b.nachname);
    if ((nachname && vornamen) || vertauscht)
        return Namensvergleich::Schreibweise;
    if (nachname)
        return Namensvergleich::AndererVorname;
    return vornamen ? Namensvergleich::AndererNachname : Namensvergleich::AnderePerson;
}

Person PersonBilden(std::string_view name, std::string_view nummer) {
    return {PersonennameBilden(name), Nummernform(nummer), FragezeichenStattBuchstabe(name)};
}

bool GleichNamig(const Person& a, const Person& b) {
    const Namensvergleich v = NamenVergleichen(a.name, b.name);
    return v == Namensvergleich::Gleich ||
           (v == Namensvergleich::Schreibweise && (a.fragezeichen || b.fragezeichen));
}

bool DieselbePerson(const Person& a, const Person& b) {
    if (a.nummer.empty() || b.nummer.empty())
        return GleichNamig(a, b);
    if (a.nummer != b.nummer)
        return false;
    const Namensvergleich v = NamenVergleichen(a.name, b.name);
    return v == Namensvergleich::Gleich || v == Namensvergleich::Schreibweise;
}

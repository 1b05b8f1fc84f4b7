#include "print/drucker.h"

#include <cmath>
#include <stdexcept>

namespace {

constexpr int kRandGesamt = 2 * kRand;

Zeichenflaeche& flaeche() {
    if (!Drucker.Flaeche)
        throw std::runtime_error("Es ist kein Standarddrucker eingerichtet");
    return *Drucker.Flaeche;
}

void bereichMessen() {
    Drucker.Druckbereich = flaeche().clipRect();
    const TRechteck& b = Drucker.Druckbereich;
    Drucker.Seitenmitte[0] = (b.Right - b.Left) / 2;
    Drucker.Seitenmitte[1] = (b.Bottom - b.Top) / 2;
}

void zeilenhoeheBerechnen() {
    Drucker.Zeilenhoehe = int(std::trunc(std::abs(flaeche().fontHeight()) * Drucker.Zeilenfaktor));
}

void stiftMerken() {
    if (Drucker.Flaeche) {
        try {
            Drucker.Stiftposition = Drucker.Flaeche->penPos();
        } catch (...) {
        }
    }
}

template <typename Schritt> bool aufgefangen(Schritt&& schritt) {
    bool ok = true;
    try {
        schritt();
    } catch (...) {
        ok = false;
    }
    stiftMerken();
    return ok;
}

} // namespace

void DruckerInitialisieren(Zeichenflaeche* f) {
    Drucker = TDrucker{};
    Drucker.Flaeche = f;
    if (!f)
        return;
    try {
        bereichMessen();
        Drucker.Stiftposition = f->penPos();
        f->setFontName("Courier New");
        SetzeSchriftgroesse(12);
        SetzeSchriftstil({});
        SetzeSchriftname(Drucker.Schriftname);
    } catch (...) {
        // Without a usable printer the program starts all the same; DruckStart measures again.
    }
    try {
        if (f->printing())
            f->endDoc();
    } catch (...) {
    }
}

void DruckStart() {
    Zeichenflaeche& f = flaeche();
    if (f.printing())
        throw std::runtime_error("Es l\xE4uft bereits ein Druckauftrag");
    f.beginDoc();
    f.moveTo(0, 0);
    Drucker.Stiftposition = f.penPos();
    bereichMessen();
}

int ZeilenProSeite() {
    const TRechteck b = flaeche().clipRect();
    if (Drucker.Zeilenhoehe == 0)
        throw std::runtime_error("Die Zeilenh\xF6he ist 0");
    return (b.Bottom - b.Top - kRandGesamt) / Drucker.Zeilenhoehe;
}

bool SetzeSchriftname(const std::string& name) {
    flaeche().setFontName(name);
    Drucker.Schriftname = name;
    return true;
}

bool SetzeSchriftstil(const TSchriftstil& stil) {
    flaeche().setFontStyle(stil);
    return true;
}

bool SetzeSchriftgroesse(int groesse) {
    Drucker.Schriftgroesse = groesse;
    flaeche().setFontSize(groesse);
    zeilenhoeheBerechnen();
    return true;
}

bool SetzeZeilenabstand(double faktor) {
    const bool ok = faktor > 0 && faktor < 10;
    Drucker.Zeilenfaktor = ok ? faktor : 1.2;
    zeilenhoeheBerechnen();
    return ok;
}

bool NeueZeile() {
    return aufgefangen([] {
        Zeichenflaeche& f = flaeche();
        const int y = f.penPos().Y + Drucker.Zeilenhoehe;
        f.moveTo(kRand, y);
        if (f.penPos().Y > f.clipRect().Bottom - kRand) {
            f.newPage();
            f.moveTo(kRand, kRand);
        }
    });
}

bool DruckZeile(const std::string& text) {
    const bool ok = aufgefangen([&text] {
        Zeichenflaeche& f = flaeche();
        const TPunkt p = f.penPos();
        f.textOut(p.X, p.Y, text);
    });
    if (ok)
        NeueZeile();
    return ok;
}

bool DruckText(int x, int y, const std::string& text) {
    return aufgefangen([&] { flaeche().textOut(x, y, text); });
}

bool NeueSeite() {
    return aufgefangen([] {
        Zeichenflaeche& f = flaeche();
        f.newPage();
        f.moveTo(0, 0);
    });
}

#pragma once
// The page line writer: prints line by line in one font, with a line height derived from the
// font, and turns the page when the next line would run into the bottom margin.

#include "print/zeichenflaeche.h"

#include <string>

struct TDrucker {
    double Zeilenfaktor = 1.2;
    TPunkt Stiftposition;
    TRechteck Druckbereich;
    int Seitenmitte[2] = {0, 0};
    int Zeilenhoehe = 0;
    int Schriftgroesse = 12;
    std::string Schriftname = "Courier New";
    // The printer drawn on; none on a machine without a printer.
    Zeichenflaeche* Flaeche = nullptr;
};

inline TDrucker Drucker;

// The page margin in device units: where a line starts, the first line, the distance from the
// bottom; the top and bottom margin together are twice it.
inline constexpr int kRand = 20;

// Sets the print state up on that surface (or none); never fails and prints nothing.
void DruckerInitialisieren(Zeichenflaeche* flaeche);

// The print state on that surface while the object lives, on no printer after it.
class DruckerAuf {
public:
    explicit DruckerAuf(Zeichenflaeche& flaeche) { DruckerInitialisieren(&flaeche); }
    ~DruckerAuf() { DruckerInitialisieren(nullptr); }
    DruckerAuf(const DruckerAuf&) = delete;
    DruckerAuf& operator=(const DruckerAuf&) = delete;
};

// These pass failures on (no printer, a job already open, no line height).
void DruckStart();
int ZeilenProSeite();
bool SetzeSchriftname(const std::string& name);
bool SetzeSchriftstil(const TSchriftstil& stil);
bool SetzeSchriftgroesse(int groesse);
bool SetzeZeilenabstand(double faktor);

// These absorb failures, return false, and still take the pen position.
bool DruckZeile(const std::string& text);
bool DruckText(int x, int y, const std::string& text);
bool NeueZeile();
bool NeueSeite();

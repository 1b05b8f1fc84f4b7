#pragma once
// The printer module, loaded at the first printout so that the print support costs nothing at
// start-up. Each entry point here tells the user itself when the module cannot be loaded.

#include "print/zeichenflaeche.h"
#include "support/meldungen.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

// Draws the printout on that surface: the number of pages, 0 after a failure.
using Zeichnen = std::function<int(Zeichenflaeche&)>;

// The default printer, from now on the print state's; no printer where there is none or the
// module cannot be loaded.
void StandarddruckerLaden();

// The preview over the default printer: the pages printed from it (0: none) and, in ziel,
// the printer they went to.
int Druckvorschau(QWidget* parent, const Zeichnen& zeichnen, std::string& ziel,
                  Meldungen& meldungen);

// The printer dialog: the printer the user chose, null when cancelled.
std::unique_ptr<Zeichenflaeche> DruckerWaehlen(QWidget* parent, Meldungen& meldungen);

// The printout as a PDF file at pfad (the file system's bytes). It is drawn into a file of its
// own first and then written like every file the program writes, so that a crash or a full
// disk never leaves half a PDF over an older one. The pages written; 0 when nothing was
// written, after a failure that was reported.
int PdfSpeichern(const std::string& pfad, const Zeichnen& zeichnen, Meldungen& meldungen);
// The same with the surface that draws into a PDF file at a path from elsewhere (tests).
using PdfFlaeche = std::function<std::unique_ptr<Zeichenflaeche>(const std::string& pfad)>;
int PdfSpeichern(const std::string& pfad, const Zeichnen& zeichnen, Meldungen& meldungen,
                 const PdfFlaeche& flaeche);

// The module's side, exported by these names (printer/modul.cpp); a printer it returns is
// the caller's.
namespace druckermodul {
using Standarddrucker = Zeichenflaeche*();
using Druckerwahl = Zeichenflaeche*(QWidget* parent);
using PdfDatei = Zeichenflaeche*(const char* pfad);
using Vorschau = int(QWidget* parent, const Zeichnen& zeichnen, std::string* ziel);

namespace testing {
// The build's module for test programs, which do not lie beside it; before the first printout.
void ortSetzen(const std::string& datei);
} // namespace testing
} // namespace druckermodul

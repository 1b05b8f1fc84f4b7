#pragma once
// The printer module, loaded at the first printout so that the print support costs nothing at
// start-up.

#include <functional>
#include <string>

class QWidget;
class Zeichenflaeche;

// What a preview draws each time it needs the pages: the number of pages, 0 after a failure.
using Zeichnen = std::function<int(Zeichenflaeche&)>;
// The module's dialogs, by these names (parent: the window):
// "gesamt_druckerwahl": the printer dialog, a printer to own or null when cancelled;
// "gesamt_vorschau": the preview, the pages printed from it (0: none) and where they went.
using Druckerwahl = Zeichenflaeche* (*)(QWidget* parent);
using Vorschau = int (*)(QWidget* parent, const Zeichnen& zeichnen, std::string* ziel);

// The default printer: sets the print state up on it, or on no printer where there is none or
// the module cannot be loaded.
void StandarddruckerLaden();
// A PDF file instead (its path in the file system's bytes); false without the module.
bool PdfDruckerLaden(const std::string& pfad);
// The print state on this printer, which it now owns (none: no printer).
void DruckerUebernehmen(Zeichenflaeche* flaeche);
// A function of the module by name, for the dialogs it offers the window; null without it.
void* DruckermodulFunktion(const char* name);

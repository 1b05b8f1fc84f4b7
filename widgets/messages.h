#pragma once
// The program's error, note and question boxes. Texts are Windows-1252 bytes.

#include "support/standardfont.h"

#include <QFont>
#include <string>

bool FehlerMeldung(const std::string& text);
bool HinweisMeldung(const std::string& text);
// The question without its question mark; true only for "&Ja".
bool AuswahlFrage(const std::string& text);

QFont toQFont(const TSchrift& schrift);

// Gives the file-error check its box: the desktop's standard error message box.
void installDateiFehlerBox();

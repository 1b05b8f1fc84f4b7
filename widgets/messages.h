#pragma once
// The program's error, note and question boxes. Texts are Windows-1252 bytes.

#include "support/meldungen.h"
#include "support/standardfont.h"

#include <QFont>
#include <string>

bool FehlerMeldung(const std::string& text);
bool HinweisMeldung(const std::string& text);
// The question without its question mark; true only for "&Ja". Enter answers "&Nein", or with
// `jaVorgabe` "&Ja".
bool AuswahlFrage(const std::string& text, bool jaVorgabe = false);

QFont toQFont(const TSchrift& schrift);

// Gives the file-error check its box: the desktop's standard error message box.
void installDateiFehlerBox();

// The program's dialogs as the list logic's way to speak.
class DialogMeldungen : public Meldungen {
public:
    void hinweis(const std::string& text) override { HinweisMeldung(text); }
    void fehler(const std::string& text) override { FehlerMeldung(text); }
    bool frage(const std::string& text) override { return AuswahlFrage(text); }
    bool frageJa(const std::string& text) override { return AuswahlFrage(text, true); }
};

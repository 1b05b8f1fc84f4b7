#pragma once
// A block of names pasted from an e-mail or a spreadsheet column: one entry a line, either
// TAB-separated fields in the grid's order (Nr., Name, MP, Mitgliedsnr.) or a name alone.

#include "editor/verlauf.h"

#include <QString>
#include <vector>

// The entries the text holds, with the typing rules: letters the file cannot hold taken as
// their base letter or left out (`hinweis` says which, in German), MP as the grid offers it,
// blank lines skipped. A name alone is a new member: MP "N".
std::vector<Zeile> EintraegeAusText(const QString& text, QString* hinweis = nullptr);
// More than one line: a block to insert as entries, not text for one cell.
bool IstEintragsblock(const QString& text);

#pragma once
// A block of names pasted from an e-mail or a spreadsheet: one entry a line, its columns
// recognised as erkennung/ does.

#include "editor/verlauf.h"

#include <QString>
#include <vector>

// The entries the text holds, without a preview: `hinweis` gathers, in German, what was changed
// or left out.
std::vector<Zeile> EintraegeAusText(const QString& text, QString* hinweis = nullptr);
// More than one line: a block to insert as entries, not text for one cell.
bool IstEintragsblock(const QString& text);

#pragma once
// The program keeps every text as Windows-1252 bytes; QString appears only at the screen.

#include <QString>
#include <string>
#include <string_view>

namespace cp1252 {

QString toQString(std::string_view bytes);
// Characters the code page cannot hold become '?'; callers that must not lose text check
// canHold() first.
std::string fromQString(const QString& text);
bool canHold(const QString& text);
// What a cell may take: what the code page holds, minus the field and line separators and
// the end-of-file mark.
bool isCellText(const QString& text);
// What typing or pasting `input` gives a cell: a letter the code page lacks becomes its Latin
// base letter where it has one ("Ł" -> "L", "ő" -> "o"); anything else the file cannot hold is
// left out. Line ends and TABs around the text go; inside it they refuse it whole (a null
// string). `hint`, when given, says in German what was taken, left out or refused (empty when
// the text could stay as it was).
QString cellText(const QString& input, QString* hint = nullptr);

} // namespace cp1252

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

} // namespace cp1252

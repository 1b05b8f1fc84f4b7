#pragma once
// The program's own settings, in a file of their own beside the product's in the Windows
// directory, so that the product's file stays as the product writes it: the size a window was
// left at, and the column meanings chosen by hand for a table's headings. A value that cannot
// be read is as if none were kept; one that cannot be written is simply not kept.

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>
#include <vector>

inline constexpr const char* kEigeneEinstellungen = "GESAMT.INI";

struct Fenstergroesse {
    int breite = 0, hoehe = 0;
    bool operator==(const Fenstergroesse&) const = default;
};
std::optional<Fenstergroesse> FenstergroesseLesen(std::string_view fenster);
bool FenstergroesseMerken(std::string_view fenster, Fenstergroesse groesse);

// By the headings as the table has them; the same headings in another case, with other blanks
// or in another table count as the same. A choice for another number of columns is not given.
std::optional<std::vector<int>> SpaltenwahlLesen(const QStringList& ueberschriften);
bool SpaltenwahlMerken(const QStringList& ueberschriften, const std::vector<int>& bedeutungen);

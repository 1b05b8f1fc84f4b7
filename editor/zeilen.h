#pragma once
// The entries' rows in the cells: rows 1 .. anzahl under the title row, or, in an empty list,
// one blank placeholder row so that there is a row to type into. Every command that changes
// the number of entries goes through here.

#include "editor/verlauf.h"

#include <vector>

class Eintragszeilen {
public:
    Eintragszeilen(CellTable& zellen, int& anzahl, bool& leerzeile)
        : zellen_(zellen), anzahl_(anzahl), leerzeile_(leerzeile) {}

    // Puts these entries before row `vor` (anzahl + 1: after the last); the placeholder row of
    // an empty list is taken first.
    void einfuegen(int vor, const std::vector<Zeile>& neu);
    // Removes the entries in these rows (ascending, each once); an emptied list gets its
    // placeholder row.
    void entfernen(const std::vector<int>& rows);

private:
    CellTable& zellen_;
    int& anzahl_;
    bool& leerzeile_;
};

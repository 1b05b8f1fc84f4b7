#pragma once
// What every table read must hold, whatever the bytes: a message or rows, never both missing;
// rows trimmed at their ends; every cell within its bound. Aborts otherwise.

#include "tabelle/tabelle.h"

#include <cstdlib>

inline void tabellePruefen(const tabelle::Ergebnis& e) {
    if (e.fehler.isEmpty() != (e.erstesMitDaten >= 0))
        std::abort();
    if (e.erstesMitDaten >= int(e.blaetter.size()))
        std::abort();
    for (size_t b = 0; b < e.blaetter.size(); ++b) {
        const auto& zeilen = e.blaetter[b].zeilen;
        // Sheets before the first with data hold nothing, that one holds rows.
        if ((e.erstesMitDaten < 0 || int(b) < e.erstesMitDaten)
                ? !zeilen.empty()
                : int(b) == e.erstesMitDaten && zeilen.empty())
            std::abort();
        if (!zeilen.empty() && zeilen.back().isEmpty())
            std::abort();
        for (const QStringList& zeile : zeilen) {
            if (!zeile.isEmpty() && zeile.back().isEmpty())
                std::abort();
            for (const QString& zelle : zeile)
                if (zelle.size() > tabelle::kMaxZeichen)
                    std::abort();
        }
    }
}

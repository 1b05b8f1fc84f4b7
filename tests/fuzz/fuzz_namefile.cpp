// Name file reader and writer: whatever the bytes, reading, saving and reading again gives
// the same entries, read as a file or as the program's own unsaved changes.

#include "cells/cellstore.h"
#include "namefile/namefile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const Lesart lesart : {Lesart::Datei, Lesart::WieGeschrieben}) {
        CellStore first(kMaxEintraege + 1);
        const LadeErgebnis a = NamenTextLesen(text, first, lesart);
        if (a.anzahl < 0 || a.anzahl > kMaxEintraege || first.rowCount() < 2)
            std::abort();
        CellStore second(kMaxEintraege + 1);
        const LadeErgebnis b = NamenTextLesen(NamenDateiText(first), second, lesart);
        if (b.anzahl != a.anzahl || b.mehrAlsMaximum)
            std::abort();
        for (int r = 1; r <= a.anzahl; ++r)
            for (int c = 0; c < CellTable::kColumns; ++c)
                if (first.cell(c, r) != second.cell(c, r))
                    std::abort();
    }
    return 0;
}

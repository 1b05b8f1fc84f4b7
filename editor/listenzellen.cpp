#include "editor/listenzellen.h"

#include <algorithm>

void Listenzellen::setCell(int col, int row, const std::string& text) {
    CellUpdate update(*this);
    store_.setCell(col, row, text);
    laufend_.von = std::min(laufend_.von, row);
    laufend_.bis = std::max(laufend_.bis, row);
}

void Listenzellen::setRowCount(int rows) {
    CellUpdate update(*this);
    store_.setRowCount(rows);
}

void Listenzellen::beginUpdate() {
    if (tiefe_++ > 0)
        return;
    if (aendertSich)
        aendertSich();
    laufend_ = {rowCount(), rowCount(), rowCount(), -1};
}

void Listenzellen::endUpdate() {
    if (--tiefe_ == 0)
        melden();
}

void Listenzellen::zwischendurch() {
    if (tiefe_ == 0)
        return;
    melden();
    laufend_ = {rowCount(), rowCount(), rowCount(), -1};
}

void Listenzellen::melden() {
    Aenderung a = laufend_;
    a.nachher = rowCount();
    // Rows that came or went are said as such, not as written.
    a.bis = std::min(a.bis, std::min(a.vorher, a.nachher) - 1);
    if (geaendert)
        geaendert(a);
}

void Listenzellen::ersetzen(CellStore zellen) {
    store_ = std::move(zellen);
}

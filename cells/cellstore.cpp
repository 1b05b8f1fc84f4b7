#include "cells/cellstore.h"

#include <stdexcept>

namespace {
void check(bool ok) {
    if (!ok)
        throw std::out_of_range("Zellindex au\xDF"
                                "erhalb des Gitters");
}
} // namespace

const std::string& CellStore::cell(int col, int row) const {
    check(col >= 0 && col < kColumns && row >= 0 && row < rows_);
    return cells_[size_t(row)][size_t(col)];
}

void CellStore::setCell(int col, int row, const std::string& text) {
    check(col >= 0 && col < kColumns && row >= 0 && row < rows_);
    cells_[size_t(row)][size_t(col)] = text;
}

void CellStore::setRowCount(int rows) {
    check(rows >= 0);
    if (size_t(rows) > cells_.size())
        cells_.resize(size_t(rows));
    rows_ = rows;
}

void CellStore::swapRows(int a, int b) {
    check(a >= 0 && a < rows_ && b >= 0 && b < rows_);
    cells_[size_t(a)].swap(cells_[size_t(b)]);
}

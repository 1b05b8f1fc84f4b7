#pragma once
#include "cells/celltable.h"

#include <array>
#include <vector>

// The cells themselves, without any view.
class CellStore : public CellTable {
public:
    explicit CellStore(int rows = 2) { setRowCount(rows); }

    const std::string& cell(int col, int row) const override;
    void setCell(int col, int row, const std::string& text) override;
    int rowCount() const override { return rows_; }
    void setRowCount(int rows) override;

    // Moves a whole row (all columns) without copying its strings.
    void swapRows(int a, int b);

private:
    using Row = std::array<std::string, kColumns>;
    std::vector<Row> cells_;
    int rows_ = 0;
};

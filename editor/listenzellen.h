#pragma once
// The cells of a name list as its commands write them. Each change is noted; when the outermost
// change is done (CellUpdate), what it did is said at once, so that a view repaints once.

#include "cells/cellstore.h"

#include <functional>

class Listenzellen : public CellTable {
public:
    // Rows (title row included) before and after; the rows in `von` .. `bis` that were there
    // before and after and were written (none when von > bis).
    struct Aenderung {
        int vorher = 0, nachher = 0;
        int von = 0, bis = -1;
    };
    // Told before every outermost change, and after it, also one that wrote nothing.
    std::function<void()> aendertSich;
    std::function<void(const Aenderung&)> geaendert;

    const std::string& cell(int col, int row) const override { return store_.cell(col, row); }
    void setCell(int col, int row, const std::string& text) override;
    int rowCount() const override { return store_.rowCount(); }
    void setRowCount(int rows) override;
    void beginUpdate() override;
    void endUpdate() override;

    // Says what was changed so far, as if the change ended here; it goes on (before a message
    // shows the window in the middle of a command).
    void zwischendurch();
    // Becomes these cells, without a word: loading says so itself.
    void ersetzen(CellStore zellen);

private:
    void melden();

    CellStore store_;
    int tiefe_ = 0;
    Aenderung laufend_;
};

#pragma once
// The name list as the commands see it: a table of byte-string cells with a title row 0.

#include <array>
#include <string>

class CellTable {
public:
    static constexpr int kColumns = 4;

    virtual ~CellTable() = default;
    virtual const std::string& cell(int col, int row) const = 0;
    virtual void setCell(int col, int row, const std::string& text) = 0;
    // Rows including the title row. Lowering it keeps the cells beyond; they show again when
    // it grows.
    virtual int rowCount() const = 0;
    virtual void setRowCount(int rows) = 0;
    // Around many changes at once, so that a view repaints once.
    virtual void beginUpdate() {}
    virtual void endUpdate() {}
};

// One entry's cells, in column order (Nr., Name, MP, Mitgliedsnr.).
using Zeile = std::array<std::string, CellTable::kColumns>;

// Pairs beginUpdate/endUpdate, also when a command fails half-way.
class CellUpdate {
public:
    explicit CellUpdate(CellTable& t) : t_(t) { t_.beginUpdate(); }
    ~CellUpdate() { t_.endUpdate(); }
    CellUpdate(const CellUpdate&) = delete;
    CellUpdate& operator=(const CellUpdate&) = delete;

private:
    CellTable& t_;
};

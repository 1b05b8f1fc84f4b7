#include "cells/cellstore.h"

#include <gtest/gtest.h>

TEST(CellStore, LoweringTheRowCountKeepsTheCells) {
    CellStore s(4);
    s.setCell(1, 3, "Meier");
    s.setRowCount(3);
    EXPECT_THROW(s.cell(1, 3), std::out_of_range);
    s.setRowCount(5);
    EXPECT_EQ(s.cell(1, 3), "Meier");
    EXPECT_EQ(s.cell(1, 4), "");
}

TEST(CellStore, SwapMovesWholeRows) {
    CellStore s(3);
    for (int c = 0; c < 4; ++c) {
        s.setCell(c, 1, "a" + std::to_string(c));
        s.setCell(c, 2, "b" + std::to_string(c));
    }
    s.swapRows(1, 2);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(s.cell(c, 1), "b" + std::to_string(c));
        EXPECT_EQ(s.cell(c, 2), "a" + std::to_string(c));
    }
    EXPECT_THROW(s.setCell(4, 1, "x"), std::out_of_range);
    EXPECT_THROW(s.setCell(0, -1, "x"), std::out_of_range);
}

#include "editor/namenliste.h"
#include "grid/gesamtspalten.h"
#include "grid/hgeditors.h"
#include "grid/hypergrid.h"
#include "tests/testsupport/modal.h"
#include "tests/testsupport/recorder.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The grid over a list of three blank entries under the title row.
struct Grid : ::testing::Test {
    Recorder said;
    NamenListe liste{said};
    THyperGrid grid{liste};
    void SetUp() override {
        CellStore cells(4);
        cells.setCell(kSpalteName, 0, "GESAMT-DATEI");
        LadeErgebnis drei;
        drei.anzahl = 3;
        liste.laden(std::move(cells), drei);
        grid.setColumns(GesamtSpalten());
        grid.resize(400, 300);
        grid.show();
        grid.activateWindow();
        grid.setFocus();
        QApplication::processEvents();
    }
    QString shown(int col, int row) {
        return grid.model()->index(row - 1, col).data(Qt::DisplayRole).toString();
    }
    const std::string& cell(int col, int row) const { return liste.zellen().cell(col, row); }
    void setCell(int col, int row, const std::string& text) {
        liste.zelleSchreiben(col, row, text);
    }
    int edits() const { return liste.verlauf().count(); }
    // Moves to a cell and returns its open editor.
    QWidget* editorAt(int col, int row) {
        grid.setCurrentCell(col, row);
        QApplication::processEvents();
        return grid.cellEditor();
    }
    HgComboEditor* comboAt(int row) {
        auto* combo = qobject_cast<HgComboEditor*>(editorAt(2, row));
        EXPECT_NE(combo, nullptr);
        return combo;
    }
};

} // namespace

TEST_F(Grid, LayoutOfTitleRowRowsAndColumns) {
    EXPECT_EQ(grid.horizontalHeader()->height(), 26);
    EXPECT_EQ(grid.rowHeight(0), 20);
    EXPECT_EQ(grid.columnWidth(0), 48);
    EXPECT_EQ(grid.columnWidth(3), 100);
    EXPECT_EQ(grid.model()->headerData(3, Qt::Horizontal).toString(),
              QStringLiteral("Mitgliedsnr."));
    EXPECT_EQ(grid.model()->rowCount(), 3); // the title row is the header
}

TEST_F(Grid, NumberColumnShowsSeparatorsButKeepsTheText) {
    setCell(0, 1, "1000");
    setCell(0, 2, "12a");
    setCell(0, 3, " 12");
    EXPECT_EQ(shown(0, 1), QStringLiteral("1.000"));
    EXPECT_EQ(cell(0, 1), "1000");
    EXPECT_EQ(shown(0, 2), QStringLiteral("12a"));
    EXPECT_EQ(shown(0, 3), QStringLiteral("12"));
    EXPECT_EQ(cell(0, 3), " 12");
    setCell(1, 1, "1000");
    EXPECT_EQ(shown(1, 1), QStringLiteral("1000")); // plain text column
}

TEST_F(Grid, TheRowsFollowTheListAndTheTitleRowCellsStayHidden) {
    setCell(1, 3, "Letzte Zeile");
    ASSERT_TRUE(liste.NeueZeileAnfuegen());
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(shown(1, 4), QString());
    liste.Einfuegen({1, 2}); // the rows below move down
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(shown(1, 4), QStringLiteral("Letzte Zeile"));
    liste.verlauf().undo();
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(shown(1, 3), QStringLiteral("Letzte Zeile"));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Name"));
    EXPECT_EQ(cell(1, 0), "GESAMT-DATEI");
}

TEST_F(Grid, FocusedCellAlwaysHasItsEditorAndTypingChangesTheCell) {
    auto* edit = qobject_cast<QLineEdit*>(editorAt(1, 2));
    ASSERT_NE(edit, nullptr);
    typeText(edit, QStringLiteral(u"Jürgen Weiß"));
    QTest::keyClick(edit, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(cell(1, 2), "J\xFCrgen Wei\xDF");
    EXPECT_EQ(grid.currentRow(), 3);
    ASSERT_NE(grid.cellEditor(), nullptr);
    EXPECT_EQ(edits(), 1); // one step of the list, "Eingabe"
}

TEST_F(Grid, UneditedCellKeepsUndefinedBytes) {
    setCell(1, 1,
            "A\x81\x8D"
            "B");
    const int vorher = edits();
    editorAt(1, 1);
    editorAt(1, 2);
    EXPECT_EQ(cell(1, 1), "A\x81\x8D"
                          "B");
    EXPECT_EQ(edits(), vorher);
}

TEST_F(Grid, LettersTheFileCannotHoldAreTakenAsTheirBaseLetterAndTheUserIsTold) {
    auto* edit = qobject_cast<QLineEdit*>(editorAt(1, 1));
    ASSERT_NE(edit, nullptr);
    QStringList hints;
    QObject::connect(&grid, &THyperGrid::textHint, &grid,
                     [&](const QString& h) { hints.append(h); });
    typeText(edit, QStringLiteral(u"ŁukaszX☺"));
    EXPECT_EQ(edit->text(), QStringLiteral("LukaszX"));
    EXPECT_EQ(hints, (QStringList{QStringLiteral(u"„Ł“ wurde als „L“ übernommen"),
                                  QStringLiteral(u"„☺“ wurde weggelassen: die Gesamt-Datei "
                                                 u"kann es nicht speichern")}));
    edit->clear();
    QApplication::clipboard()->setText(QStringLiteral("Hans\tMeier\r\n"));
    edit->paste();
    EXPECT_EQ(edit->text(), QString());
    EXPECT_EQ(hints.size(), 3);
    QApplication::clipboard()->setText(QStringLiteral(u"Hans Müller"));
    edit->paste();
    EXPECT_EQ(edit->text(), QStringLiteral(u"Hans Müller"));
    grid.commitEditor();
    EXPECT_EQ(cell(1, 1), "Hans M\xFCller");
}

TEST_F(Grid, MpCellTakesOneCharacterAndTheSuggestion) {
    HgComboEditor* combo = comboAt(1);
    ASSERT_NE(combo, nullptr);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("nx"));
    EXPECT_EQ(combo->text(), QStringLiteral("n"));
    EXPECT_EQ(combo->suggestion(), QStringLiteral("N"));
    ASSERT_NE(combo->hint(), nullptr);
    EXPECT_TRUE(combo->hint()->isVisible());
    EXPECT_LT(combo->hint()->geometry().bottom(), combo->mapToGlobal(QPoint(0, 0)).y());
    editorAt(2, 2); // leaving the row takes the suggestion
    EXPECT_EQ(cell(2, 1), "N");

    combo = comboAt(2);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("x"));
    EXPECT_TRUE(combo->suggestion().isEmpty());
    editorAt(2, 3);
    EXPECT_EQ(cell(2, 2), "x");
}

TEST_F(Grid, EnterTakesTheSuggestionAndEmptyStaysEmpty) {
    setCell(2, 1, "G");
    HgComboEditor* combo = comboAt(1);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("j"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(cell(2, 1), "J");

    combo = comboAt(1);
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
    EXPECT_TRUE(combo->suggestion().isEmpty());
    editorAt(2, 2);
    EXPECT_EQ(cell(2, 1), "");
}

TEST_F(Grid, DropDownListShowsTwoItemsAndTakesTheChoice) {
    setCell(2, 1, "N");
    HgComboEditor* combo = comboAt(1);
    EXPECT_EQ(combo->dropDownButton()->width(),
              combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->isDroppedDown());
    const int itemHeight = combo->list()->sizeHintForRow(0);
    EXPECT_EQ(combo->popup()->height(), itemHeight * 2 + 4);
    EXPECT_GE(combo->popup()->width(), combo->width() + 16);
    EXPECT_EQ(combo->list()->currentItem()->text(), QStringLiteral("N")); // preselected
    EXPECT_GE(combo->popup()->y(), combo->mapToGlobal(QPoint(0, combo->height())).y());
    QTest::keyClicks(combo->list(), QStringLiteral("g"));
    EXPECT_EQ(combo->searchText(), QStringLiteral("g"));
    EXPECT_EQ(combo->list()->currentItem()->text(), QStringLiteral("G"));
    QTest::keyClick(combo->list(), Qt::Key_Backspace);
    EXPECT_TRUE(combo->searchText().isEmpty());
    QTest::keyClick(combo->list(), Qt::Key_Return);
    EXPECT_FALSE(combo->isDroppedDown());
    EXPECT_EQ(combo->text(), QStringLiteral("G"));
    editorAt(1, 1);
    EXPECT_EQ(cell(2, 1), "G");
}

TEST_F(Grid, EscapeClosesTheListWithoutChange) {
    setCell(2, 1, "N");
    HgComboEditor* combo = comboAt(1);
    combo->dropDown();
    QTest::keyClicks(combo->list(), QStringLiteral("j"));
    QTest::keyClick(combo->list(), Qt::Key_Escape);
    EXPECT_FALSE(combo->isDroppedDown());
    EXPECT_EQ(combo->text(), QStringLiteral("N"));
}

TEST_F(Grid, EscapeRestoresTheCellAndEnterTakesTheTextAndMovesDown) {
    setCell(1, 1, "Alt");
    auto* edit = qobject_cast<QLineEdit*>(editorAt(1, 1));
    ASSERT_NE(edit, nullptr);
    typeText(edit, QStringLiteral("Neu"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(cell(1, 1), "Alt");
    edit = qobject_cast<QLineEdit*>(grid.cellEditor());
    ASSERT_NE(edit, nullptr); // open again, with the cell's text
    EXPECT_EQ(edit->text(), QStringLiteral("Alt"));
    edit->selectAll();
    typeText(edit, QStringLiteral("Neu"));
    QTest::keyClick(edit, Qt::Key_Return);
    // The cell takes the text once the key is through; then the editor opens again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell(1, 1) == "Neu"; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid.cellEditor() != nullptr; }));
    EXPECT_EQ(grid.currentRow(), 2); // and moves down
    edit = qobject_cast<QLineEdit*>(grid.cellEditor());
    typeText(edit, QStringLiteral("Letzte"));
    grid.setCurrentCell(1, 3);
    QApplication::processEvents();
    edit = qobject_cast<QLineEdit*>(grid.cellEditor());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid.cellEditor() != nullptr; }));
    EXPECT_EQ(grid.currentRow(), 3); // the last row stays
}

TEST_F(Grid, PassingOverCellsNeverChangesThem) {
    // Texts a user could not type here: too long for the MP limit or the line editor's default.
    const std::string longName(40000, 'a');
    setCell(2, 1, "JN");
    setCell(2, 2, "Nein");
    setCell(1, 3, longName);
    const int vorher = edits();
    for (int row = 1; row <= 3; ++row)
        for (int col = 0; col < 4; ++col)
            editorAt(col, row);
    editorAt(0, 1);
    grid.commitEditor();
    EXPECT_EQ(cell(2, 1), "JN");
    EXPECT_EQ(cell(2, 2), "Nein");
    EXPECT_EQ(cell(1, 3), longName);
    EXPECT_EQ(edits(), vorher);
    EXPECT_EQ(shown(1, 3).size(), 4096); // drawn: what the widest screen can show

    // The limit still holds for what is typed: the long text may shrink but not grow.
    HgComboEditor* combo = comboAt(2);
    combo->lineEdit()->end(false);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(combo->text(), QStringLiteral("Nein"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(combo->text(), QStringLiteral("Nei"));
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("ab"));
    EXPECT_EQ(combo->text(), QStringLiteral("a"));
}

TEST_F(Grid, ListOpenedWithNothingHighlightedTakesNothingAndItsButtonClosesIt) {
    setCell(2, 1, "x");
    HgComboEditor* combo = comboAt(1);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->isDroppedDown());
    QTest::keyClick(combo->list(), Qt::Key_Return);
    EXPECT_FALSE(combo->isDroppedDown());
    EXPECT_EQ(combo->text(), QStringLiteral("x"));
    editorAt(1, 1);
    EXPECT_EQ(cell(2, 1), "x");

    combo = comboAt(1);
    QToolButton* button = combo->dropDownButton();
    const QPoint center = button->mapTo(grid.window(), button->rect().center());
    QTest::mouseClick(grid.window()->windowHandle(), Qt::LeftButton, {}, center);
    ASSERT_TRUE(QTest::qWaitFor([&] { return combo->isDroppedDown(); }));
    QTest::mouseClick(grid.window()->windowHandle(), Qt::LeftButton, {}, center);
    QApplication::processEvents();
    EXPECT_FALSE(combo->isDroppedDown());
}

TEST_F(Grid, ALargerFontGrowsRowsTitleAndCaptionsAndTheListShowsItUnclipped) {
    QFont large = grid.font();
    large.setPointSize(14);
    grid.setFont(large);
    QApplication::processEvents();
    const QFontMetrics metrics(large);
    EXPECT_GE(grid.rowHeight(0), metrics.height() + 4);
    EXPECT_GE(grid.horizontalHeader()->height(), metrics.height() + 4);
    EXPECT_GE(grid.columnWidth(3), metrics.horizontalAdvance(QStringLiteral("Mitgliedsnr.")));
    HgComboEditor* combo = comboAt(1);
    combo->dropDown();
    EXPECT_EQ(combo->list()->font().pointSize(), 14);
    EXPECT_GE(combo->list()->sizeHintForRow(0), metrics.height());
    EXPECT_GE(combo->popup()->height(), 2 * metrics.height());
    combo->closeUp(false);
}

// Arriving in "MP" selects its letter; Left then leaves the cell as in the other columns, so a
// name typed after two Lefts from "Mitgliedsnr." lands in "Name".
TEST_F(Grid, LeftLeavesTheMpCellOnArrivalAsEveryCell) {
    setCell(2, 1, "J");
    editorAt(3, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid.isAncestorOf(QApplication::focusWidget()); }));
    auto key = [](Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QApplication::processEvents();
    };
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(grid.currentCol(), 1);
    typeText(QApplication::focusWidget(), QStringLiteral("Anna Berg"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(1, 1), "Anna Berg");
    EXPECT_EQ(cell(2, 1), "J");
}

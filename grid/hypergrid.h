#pragma once
// The name grid: a view of a name list's cells under a fixed title row, where the focused cell
// always has its editor open. What is typed goes to the list; the grid keeps only the cursor,
// the selection and the marks.

#include "grid/hgcolumn.h"

#include <QKeySequence>
#include <QList>
#include <QTableView>
#include <vector>

class HyperGridModel;
class HyperGridDelegate;
class NamenListe;
class QFontMetrics;
class QKeyEvent;

// How high a row of text in that font is, in the grid and in lists of its entries elsewhere:
// the usual 20 pixels, more where the font needs it to show accents above capitals.
int Zeilenhoehe(const QFontMetrics& metrics);

class THyperGrid : public QTableView {
    Q_OBJECT
public:
    explicit THyperGrid(NamenListe& liste, QWidget* parent = nullptr);
    ~THyperGrid() override;

    void setColumns(std::vector<ThgColumn> columns);
    const ThgColumn& column(int col) const { return columns_.at(size_t(col)); }
    int columnCount() const { return int(columns_.size()); }

    // Rows as the list counts them: the title row 0, which shows the captions, and the rows
    // below it.
    int rowCount() const;
    int currentRow() const;
    int currentCol() const;
    void setCurrentCell(int col, int row);
    int gridWidth() const { return width(); }
    int clientWidth() const { return viewport()->width(); }

    // Shows these cells (column, row) highlighted, such as the hits of a search; the rest not.
    void setMarkedCells(const std::vector<std::pair<int, int>>& cells);

    // Writes what the open editor holds into its cell; commands call it before they run.
    void commitEditor();
    // The open cell editor, if any (tests type into it).
    QWidget* cellEditor() const;
    // Gives the keyboard to the current cell, with its editor open: after every command,
    // whatever dialog it showed.
    void focusCell();

    // The rows (1-based, ascending) that hold selected cells: Shift+Up/Down and Shift+click
    // select several; one row when nothing else is selected.
    std::vector<int> selectedRows() const;
    // Shift+Up/Down: the current cell moves and the whole rows from where it started are
    // selected.
    void extendRows(int dRow);
    // The selected rows as TAB-separated lines in the clipboard, for a spreadsheet.
    void copyRows() const;

    bool AutoAcceptSuggestion = true;

    // Keys the window's commands own: an open cell editor leaves them to the window's shortcuts
    // (on X11 a line editor would take Ctrl+E as "end of line" for itself).
    void setWindowKeys(QList<QKeySequence> keys) { windowKeys_ = std::move(keys); }
    bool isWindowKey(const QKeyEvent* key) const;

Q_SIGNALS:
    // Down or Enter on the last row: the user wants to go on below the list.
    void pastLastRow();
    // What typing or pasting into a cell could not take as it was (German, for the user).
    void textHint(const QString& text);
    // Ctrl+V of a block (IstEinfuegeblock): entries to insert, not text for the cell.
    void blockPasted(const QString& text);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class HyperGridDelegate;
    void openEditorSoon();
    void fitToFont();
    void moveFromEditor(int dCol, int dRow);
    // The cursor stays where it was, or on the last row when that went; the cell alone is
    // selected then.
    void keepCursor();

    std::vector<ThgColumn> columns_;
    QList<QKeySequence> windowKeys_;
    HyperGridModel* model_;
    HyperGridDelegate* delegate_;
    bool reopenPending_ = false;
    int rowAnchor_ = 0;      // where Shift+Up/Down began, 0: no row selection under way
    bool extending_ = false; // the current cell moves with the selection
};

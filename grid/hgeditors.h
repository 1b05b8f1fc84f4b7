#pragma once
// The in-place cell editors: a line edit, and the combo editor of a combo column with its
// drop-down list and suggestion hint.

#include "grid/hgcolumn.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QLineEdit>
#include <QValidator>

class QLabel;
class QListWidget;
class QToolButton;

// Keeps typed and pasted text to what the cell can hold: letters beyond Windows-1252 become
// their Latin base letter, the rest of what the file cannot hold is left out (TAB, CR, LF
// too), and `hint` tells the user what happened.
// The length limit (0: a table cell's, tabelle::kMaxZeichen) is for typing and pasting: a
// longer text the cell already holds stays whole, may shrink, and may not grow again.
class CellTextValidator : public QValidator {
    Q_OBJECT
public:
    CellTextValidator(int maxLength, QObject* parent);
    State validate(QString& input, int& pos) const override;
    // The editor is about to be given this text; it stays as it is until the user changes it.
    void allowText(const QString& text);
    // What typed or pasted text becomes before it goes in (null: refused), with the hint. It
    // replaces `replaced` of the editor's `length` characters; what goes beyond the limit is
    // cut off before anything else looks at it, so that a clipboard of megabytes is quick.
    QString take(const QString& typed, qsizetype length, qsizetype replaced) const;

Q_SIGNALS:
    void hint(const QString& text) const;

private:
    int maxLength_;
    mutable int ceiling_;
    QString given_;
};

// A cell's line editor. Typed, composed and pasted text is made fit for the cell before it goes
// in: were the validator to rewrite it afterwards, the line editor would forget that the user
// changed anything, and its undo steps with it.
class CellLineEdit : public QLineEdit {
    Q_OBJECT
public:
    CellLineEdit(const ThgColumn& column, QWidget* parent);
    // The user changed the text since it was last given, whichever way.
    bool touched() const { return touched_ || isModified(); }
    // A text the user did not type.
    void give(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    CellTextValidator* validator_;
    bool touched_ = false;
};

// Gives a cell's line editor a text the user did not type.
void setCellEditorText(QLineEdit* edit, const QString& text);
// The user changed the editor's text since it was given.
bool cellEditorTouched(const QLineEdit* edit);

QLineEdit* createCellLineEdit(const ThgColumn& column, QWidget* parent);

// Spreadsheet keys: Left and Right leave the cell at the ends of its text, and at once while the
// whole text is selected, as on arrival: the first key would only collapse the selection, and
// what is typed next would land beside the old text. -1 or 1: the key leaves to that side.
int leavesCellSideways(const QLineEdit* edit, const QKeyEvent* key);

class HgComboEditor : public QFrame {
    Q_OBJECT
public:
    HgComboEditor(const ThgColumn& column, QWidget* parent);
    ~HgComboEditor() override;

    QString text() const;
    void setText(const QString& text);
    // The user typed into the cell or took an item from the list.
    bool isEdited() const { return taken_ || cellEditorTouched(edit_); }
    QLineEdit* lineEdit() const { return edit_; }
    QToolButton* dropDownButton() const { return button_; }
    QListWidget* list() const { return list_; }
    QWidget* popup() const { return popup_; }
    QWidget* hint() const;

    bool isDroppedDown() const;
    void dropDown();
    // Closes the list, writing the selected item into the editor when take is true.
    void closeUp(bool take);
    // The suggestion now shown, or empty.
    QString suggestion() const { return suggestion_; }
    void acceptSuggestion();
    // Typed characters while the list is open.
    QString searchText() const { return search_; }

Q_SIGNALS:
    void itemTaken();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateSuggestion();
    void search(const QString& typed);

    const ThgColumn column_;
    QLineEdit* edit_;
    QToolButton* button_;
    QWidget* popup_;
    QListWidget* list_;
    QLabel* hint_ = nullptr;
    QString suggestion_;
    QString search_;
    QElapsedTimer lastTyped_;
    bool taken_ = false;
};

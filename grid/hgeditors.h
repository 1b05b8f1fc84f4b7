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

// Refuses text the cell cannot keep: characters beyond Windows-1252, TAB, CR and LF.
class CellTextValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

QLineEdit* createCellLineEdit(const ThgColumn& column, QWidget* parent);

class HgComboEditor : public QFrame {
    Q_OBJECT
public:
    HgComboEditor(const ThgColumn& column, QWidget* parent);
    ~HgComboEditor() override;

    QString text() const;
    void setText(const QString& text);
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
};

#include "grid/hgdelegate.h"

#include "grid/einfuegeblock.h"
#include "grid/hgeditors.h"
#include "grid/hypergrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace {

// Lets the window's shortcuts through the line editor that has the focus: an accepted
// ShortcutOverride would keep the key from them.
class WindowKeyFilter : public QObject {
public:
    WindowKeyFilter(THyperGrid* grid) : QObject(grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (grid_->isWindowKey(key)) {
                // Accepted, the key goes to the cell as a key press; ignored, to the window.
                event->setAccepted(cellTakesFirst(object, key));
                return true;
            }
        }
        return QObject::eventFilter(object, event);
    }

    // Typing in a cell is undone in the cell before the list's own steps are.
    static bool cellTakesFirst(const QObject* object, const QKeyEvent* key) {
        const auto* edit = qobject_cast<const QLineEdit*>(object);
        if (!edit)
            return false;
        const QKeyCombination k = key->keyCombination();
        if (k == QKeyCombination(Qt::ControlModifier, Qt::Key_Z))
            return edit->isUndoAvailable();
        if (k == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
            k == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))
            return edit->isRedoAvailable();
        return false;
    }

private:
    THyperGrid* grid_;
};

} // namespace

HyperGridDelegate::HyperGridDelegate(THyperGrid* grid)
    : QStyledItemDelegate(grid), grid_(grid), windowKeys_(new WindowKeyFilter(grid)) {}

QWidget* HyperGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    const ThgColumn& column = grid_->column(index.column());
    QWidget* editor = nullptr;
    if (column.ControlType == hgctlComboBox) {
        auto* combo = new HgComboEditor(column, parent);
        combo->lineEdit()->installEventFilter(windowKeys_);
        editor = combo;
    } else {
        editor = createCellLineEdit(column, parent);
        editor->installEventFilter(windowKeys_);
    }
    connect(editor->findChild<CellTextValidator*>(), &CellTextValidator::hint, grid_,
            &THyperGrid::textHint);
    // Screen readers announce where the typing goes.
    const QString wo = column.Caption + QStringLiteral(", Zeile %1").arg(index.row() + 1);
    editor->setAccessibleName(wo);
    if (auto* combo = qobject_cast<HgComboEditor*>(editor))
        combo->lineEdit()->setAccessibleName(wo);
    return editor;
}

void HyperGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<HgComboEditor*>(editor)) {
        if (combo->text() != text)
            combo->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (edit->text() != text) {
            setCellEditorText(edit, text);
            edit->selectAll();
        }
    }
}

void HyperGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    // An editor the user did not touch is never written back: setting its text may have
    // changed it (a length limit), and passing over a cell must not change the list.
    QString text;
    if (auto* combo = qobject_cast<HgComboEditor*>(editor)) {
        if (!combo->isEdited())
            return;
        if (grid_->AutoAcceptSuggestion)
            combo->acceptSuggestion();
        text = combo->text();
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (!cellEditorTouched(edit))
            return;
        text = edit->text();
    } else {
        return;
    }
    model->setData(index, text, Qt::EditRole);
}

void HyperGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const {
    editor->setGeometry(option.rect.adjusted(0, 0, -1, -1));
}

bool HyperGridDelegate::eventFilter(QObject* object, QEvent* event) {
    // The menu bar borrows the keyboard and hands it back to the editor it took it from;
    // closing the editor meanwhile would leave the keys with nobody when a menu is cancelled.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::MenuBarFocusReason)
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* edit = qobject_cast<QLineEdit*>(object);
        if (!edit) {
            if (auto* combo = qobject_cast<HgComboEditor*>(object))
                edit = combo->lineEdit();
        }
        if (const int side = edit ? leavesCellSideways(edit, key) : 0) {
            grid_->moveFromEditor(side, 0);
            return true;
        }
        // Shift+Up and Shift+Down select whole rows, for commands on several at once.
        if (edit && key->modifiers() == Qt::ShiftModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            grid_->extendRows(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (edit && key->matches(QKeySequence::Paste)) {
            const QString text = QGuiApplication::clipboard()->text();
            if (IstEinfuegeblock(text)) {
                Q_EMIT grid_->blockPasted(text);
                return true;
            }
        }
        if (edit && key->matches(QKeySequence::Copy) && grid_->selectedRows().size() > 1) {
            grid_->copyRows();
            return true;
        }
        // Redo in the cell by both keys the list knows; X11's line editor has only
        // Ctrl+Shift+Z.
        if (edit && key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) &&
            edit->isRedoAvailable()) {
            edit->redo();
            return true;
        }
        // Enter takes the text and moves down, as in a spreadsheet; on the last row it stays.
        if (edit && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            Q_EMIT commitData(qobject_cast<QWidget*>(object));
            grid_->moveFromEditor(0, 1);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

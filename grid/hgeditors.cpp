#include "grid/hgeditors.h"

#include "grid/einfuegeblock.h"
#include "platform/cp1252.h"
#include "tabelle/tabelle.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <limits>

namespace {
constexpr int kMaxSearch = 32;
constexpr int kSearchRestartMs = 2000;

QString zuLang(qsizetype weggelassen, int grenze) {
    return (weggelassen == 1 ? QStringLiteral("1 Zeichen wurde weggelassen")
                             : QStringLiteral("%1 Zeichen wurden weggelassen").arg(weggelassen)) +
           QStringLiteral(": die Zelle kann höchstens %1 Zeichen aufnehmen").arg(grenze);
}

} // namespace

CellTextValidator::CellTextValidator(int maxLength, QObject* parent)
    : QValidator(parent), maxLength_(maxLength > 0 ? maxLength : tabelle::kMaxZeichen),
      ceiling_(maxLength_) {}

QValidator::State CellTextValidator::validate(QString& input, int& pos) const {
    // A drop or a middle-click paste arrives whole: too long, it is refused before its letters
    // are looked at.
    if (input.size() > ceiling_) {
        Q_EMIT hint(QStringLiteral("Der Text wurde nicht übernommen: die Zelle kann höchstens "
                                   "%1 Zeichen aufnehmen")
                        .arg(maxLength_));
        return Invalid;
    }
    // What the cell already holds stays whole, even bytes no one could type.
    if (input != given_) {
        QString said;
        const QString kept = cp1252::cellText(input, &said);
        if (!said.isEmpty())
            Q_EMIT hint(said);
        if (kept.isNull())
            return Invalid;
        if (kept != input) {
            pos = std::min(int(cp1252::cellText(input.left(pos)).size()), int(kept.size()));
            input = kept;
        }
    }
    if (input.size() > ceiling_)
        return Invalid;
    ceiling_ = std::max(maxLength_, int(input.size()));
    return Acceptable;
}

void CellTextValidator::allowText(const QString& text) {
    ceiling_ = std::max(maxLength_, int(text.size()));
    given_ = text;
}

QString CellTextValidator::take(const QString& typed, qsizetype length, qsizetype replaced) const {
    qsizetype room = std::clamp<qsizetype>(ceiling_ - (length - replaced), 0, maxLength_);
    QString cut;
    if (typed.size() > room) {
        if (room > 0 && typed.at(room - 1).isHighSurrogate())
            --room;
        // A line copied with its line end loses it: that is not cut off.
        QStringView rest = QStringView(typed).sliced(room);
        while (!rest.isEmpty() && (rest.back() == u'\n' || rest.back() == u'\r'))
            rest.chop(1);
        if (!rest.isEmpty())
            cut = zuLang(rest.size(), maxLength_);
    }
    QString said;
    const QString kept = cp1252::cellText(cut.isEmpty() ? typed : typed.left(room), &said);
    if (!cut.isEmpty() && !kept.isNull())
        said = said.isEmpty() ? cut : said + QStringLiteral("; ") + cut;
    if (!said.isEmpty())
        Q_EMIT hint(said);
    return kept;
}

CellLineEdit::CellLineEdit(const ThgColumn& column, QWidget* parent)
    : QLineEdit(parent), validator_(new CellTextValidator(column.MaxTextLength, this)) {
    setFrame(false);
    setValidator(validator_);
    // The line editor would cut longer texts it is given (32767 by default); cells keep all.
    setMaxLength(std::numeric_limits<int>::max());
    setReadOnly(column.ReadOnly);
    setAlignment(column.ColumnHAlignment | Qt::AlignVCenter);
    // Also where the validator had to rewrite the text (a middle-click paste, a drop).
    connect(this, &QLineEdit::textEdited, this, [this] { touched_ = true; });
}

void CellLineEdit::give(const QString& text) {
    validator_->allowText(text);
    setText(text);
    touched_ = false;
}

void CellLineEdit::keyPressEvent(QKeyEvent* event) {
    if (!isReadOnly() && event->matches(QKeySequence::Paste)) {
        const QString kept = validator_->take(QGuiApplication::clipboard()->text(), text().size(),
                                              selectedText().size());
        if (!kept.isEmpty())
            insert(kept);
        return;
    }
    const QString typed = event->text();
    if (isReadOnly() || typed.isEmpty() || typed.front().category() == QChar::Other_Control)
        return QLineEdit::keyPressEvent(event);
    const QString kept = validator_->take(typed, text().size(), selectedText().size());
    if (kept == typed)
        return QLineEdit::keyPressEvent(event);
    if (!kept.isEmpty())
        insert(kept);
}

void CellLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString typed = event->commitString();
    const QString kept = typed.isEmpty() || isReadOnly()
                             ? typed
                             : validator_->take(typed, text().size(), selectedText().size());
    if (kept == typed)
        return QLineEdit::inputMethodEvent(event);
    QInputMethodEvent fit(event->preeditString(), event->attributes());
    fit.setCommitString(kept.isNull() ? QString() : kept, event->replacementStart(),
                        event->replacementLength());
    QLineEdit::inputMethodEvent(&fit);
}

void setCellEditorText(QLineEdit* edit, const QString& text) {
    if (auto* cell = qobject_cast<CellLineEdit*>(edit))
        return cell->give(text);
    edit->setText(text);
}

bool cellEditorTouched(const QLineEdit* edit) {
    const auto* cell = qobject_cast<const CellLineEdit*>(edit);
    return cell ? cell->touched() : edit->isModified();
}

QLineEdit* createCellLineEdit(const ThgColumn& column, QWidget* parent) {
    return new CellLineEdit(column, parent);
}

int leavesCellSideways(const QLineEdit* edit, const QKeyEvent* key) {
    if (key->modifiers() != Qt::NoModifier)
        return 0;
    const bool alles =
        edit->hasSelectedText() && edit->selectedText().size() == edit->text().size();
    if (edit->hasSelectedText() && !alles)
        return 0;
    if (key->key() == Qt::Key_Left && (alles || edit->cursorPosition() == 0))
        return -1;
    if (key->key() == Qt::Key_Right && (alles || edit->cursorPosition() == edit->text().size()))
        return 1;
    return 0;
}

HgComboEditor::HgComboEditor(const ThgColumn& column, QWidget* parent)
    : QFrame(parent), column_(column) {
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    edit_ = createCellLineEdit(column, this);
    edit_->setReadOnly(column.ReadOnly || column.DropDownList);
    edit_->installEventFilter(this);
    setFocusProxy(edit_);

    button_ = new QToolButton(this);
    button_->setArrowType(Qt::DownArrow);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setObjectName(QStringLiteral("dropDownButton"));
    connect(button_, &QToolButton::clicked, this, [this] {
        if (isDroppedDown())
            closeUp(true);
        else
            dropDown();
    });

    // The list is its own popup window, sized exactly as the rules say.
    list_ = new QListWidget(this);
    list_->setWindowFlags(Qt::Popup);
    list_->setAttribute(Qt::WA_WindowPropagation); // the cell's font, also when it grows
    list_->setObjectName(QStringLiteral("dropDownList"));
    list_->setFrameShape(QFrame::Box);
    list_->addItems(column.Items);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    popup_ = list_;

    connect(edit_, &QLineEdit::textEdited, this, [this] { updateSuggestion(); });
}

HgComboEditor::~HgComboEditor() {
    delete hint_;
}

QString HgComboEditor::text() const {
    return edit_->text();
}

void HgComboEditor::setText(const QString& text) {
    taken_ = false;
    setCellEditorText(edit_, text);
    edit_->selectAll();
    suggestion_.clear();
    if (hint_)
        hint_->hide();
}

QWidget* HgComboEditor::hint() const {
    return hint_;
}

bool HgComboEditor::isDroppedDown() const {
    return popup_->isVisible();
}

void HgComboEditor::dropDown() {
    if (column_.Items.isEmpty())
        return;
    const int count = int(column_.Items.size());
    const int itemHeight = list_->sizeHintForRow(0);
    const int visible = count < column_.DropDownCount ? count : column_.DropDownCount;
    const int height = itemHeight * visible + 4;
    const bool scrolls = count > column_.DropDownCount;
    int width = this->width();
    if (column_.ComboMaxWidth) {
        int widest = 0;
        for (const QString& item : column_.Items)
            widest = std::max(widest, list_->fontMetrics().horizontalAdvance(item) + 8);
        width = std::max(width, widest);
        if (scrolls)
            width += 16;
        if (width > this->width())
            width += 4;
    }
    list_->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    popup_->resize(width, height);

    // Below the cell, or above it where the screen ends.
    QPoint pos = mapToGlobal(QPoint(0, this->height()));
    const QScreen* screen = this->screen();
    if (screen && pos.y() + height > screen->geometry().bottom())
        pos = mapToGlobal(QPoint(0, -height));
    popup_->move(pos);

    // Nothing is highlighted unless the cell holds an item; Enter then takes nothing.
    list_->clearSelection();
    list_->setCurrentItem(nullptr);
    const QString current = edit_->text().trimmed();
    for (int i = 0; i < count; ++i) {
        if (column_.Items.at(i) == current) {
            list_->setCurrentRow(i);
            break;
        }
    }
    search_.clear();
    popup_->show();
    list_->setFocus();
}

void HgComboEditor::closeUp(bool take) {
    if (!isDroppedDown())
        return;
    popup_->hide();
    search_.clear();
    // The list sets a current item of its own when it gets the focus; only a highlighted one
    // counts.
    QListWidgetItem* item = list_->currentItem();
    if (take && item && item->isSelected() && !column_.ReadOnly) {
        setCellEditorText(edit_, item->text());
        taken_ = true;
        suggestion_.clear();
        if (hint_)
            hint_->hide();
        Q_EMIT itemTaken();
    }
    edit_->setFocus();
}

void HgComboEditor::acceptSuggestion() {
    if (suggestion_.isEmpty())
        return;
    setCellEditorText(edit_, suggestion_);
    taken_ = true;
    suggestion_.clear();
    if (hint_)
        hint_->hide();
}

void HgComboEditor::updateSuggestion() {
    suggestion_.clear();
    const QString typed = edit_->text().trimmed().toUpper();
    // An emptied cell stays empty: every item would "begin with" nothing.
    if (column_.AutoSuggest && !typed.isEmpty()) {
        for (const QString& item : column_.Items) {
            if (item.toUpper().startsWith(typed)) {
                if (item != edit_->text())
                    suggestion_ = item;
                break;
            }
        }
    }
    if (suggestion_.isEmpty()) {
        if (hint_)
            hint_->hide();
        return;
    }
    if (!hint_) {
        hint_ = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        hint_->setObjectName(QStringLiteral("suggestionHint"));
        hint_->setTextFormat(Qt::PlainText); // an item of the list, never markup
        hint_->setForegroundRole(QPalette::ToolTipText);
        hint_->setBackgroundRole(QPalette::ToolTipBase);
        hint_->setAutoFillBackground(true);
        hint_->setFrameShape(QFrame::Box);
        hint_->setMargin(1);
    }
    hint_->setFont(font());
    hint_->setText(suggestion_);
    hint_->adjustSize();
    hint_->move(mapToGlobal(QPoint(0, -hint_->height())));
    hint_->show();
}

void HgComboEditor::search(const QString& typed) {
    if (!lastTyped_.isValid() || lastTyped_.elapsed() > kSearchRestartMs)
        search_.clear();
    lastTyped_.restart();
    if (search_.size() < kMaxSearch)
        search_ += typed;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->text().startsWith(search_, Qt::CaseInsensitive)) {
            list_->setCurrentRow(i);
            return;
        }
    }
}

bool HgComboEditor::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool alt = key->modifiers() & Qt::AltModifier;
        const bool arrow = key->key() == Qt::Key_Down || key->key() == Qt::Key_Up;
        if (object == edit_) {
            if (alt && arrow) {
                dropDown();
                return true;
            }
            // The grid handles these on the editor as a whole, by the rule of every cell; a
            // pasted block too, which is entries, not text for this cell.
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                leavesCellSideways(edit_, key) != 0 ||
                (key->matches(QKeySequence::Paste) &&
                 IstEinfuegeblock(QGuiApplication::clipboard()->text()))) {
                QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
                QApplication::sendEvent(this, &copy);
                return true;
            }
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (enter && !(key->modifiers() & Qt::ControlModifier))
                acceptSuggestion(); // and let the grid take the cell
            return false;
        }
        if (object == list_) {
            if (alt && arrow) {
                closeUp(true);
                return true;
            }
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                closeUp(true);
                return true;
            case Qt::Key_Escape:
                search_.clear();
                closeUp(false);
                return true;
            case Qt::Key_Backspace:
                search_.clear();
                return true;
            default:
                if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
                    search(key->text());
                    return true;
                }
            }
        }
    } else if (event->type() == QEvent::MouseButtonPress && object == list_) {
        // A click outside closes the list (the item view would keep it open). Replayed to the
        // drop-down button, the same click would open it again at once.
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint global = mouse->globalPosition().toPoint();
        if (!list_->rect().contains(list_->mapFromGlobal(global))) {
            list_->setAttribute(Qt::WA_NoMouseReplay,
                                button_->rect().contains(button_->mapFromGlobal(global)));
            closeUp(false);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease && object == list_->viewport()) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QListWidgetItem* item = list_->itemAt(mouse->position().toPoint());
        if (item) {
            list_->setCurrentItem(item);
            closeUp(true);
        } else {
            closeUp(false);
        }
        return true;
    }
    return QFrame::eventFilter(object, event);
}

void HgComboEditor::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const int buttonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    button_->setGeometry(width() - buttonWidth, 0, buttonWidth, height());
    edit_->setGeometry(0, 0, width() - buttonWidth, height());
}

void HgComboEditor::hideEvent(QHideEvent* event) {
    if (hint_)
        hint_->hide();
    popup_->hide();
    QFrame::hideEvent(event);
}

#include "dialogs/spaltenvorschau.h"

#include "cells/eintrag.h"
#include "widgets/klartext.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kWaehlerJeZeile = 4;
// The rows measured for the columns' widths: about a screenful, not every row a table brings.
constexpr int kGemesseneZeilen = 50;

// Marks take the palette's highlight, thinned, so that the text on them keeps its own colour
// in a light palette and in a dark one.
QBrush markierung(const QWidget* w) {
    QColor c = w->palette().color(QPalette::Highlight);
    c.setAlpha(80);
    return c;
}

} // namespace

Spaltenvorschau::Spaltenvorschau(bool mitHaken, QWidget* parent)
    : QWidget(parent), zeilen_(new Vorschaumodell(mitHaken, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    waehlerLayout_ = new QGridLayout;
    layout->addLayout(waehlerLayout_);
    tabelle_ = new QTableView(this);
    tabelle_->setObjectName(QStringLiteral("vorschau"));
    tabelle_->setAccessibleName(QStringLiteral("Zeilenvorschau der Zeilen"));
    tabelle_->setModel(zeilen_);
    tabelle_->verticalHeader()->hide();
    tabelle_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabelle_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelle_->setTabKeyNavigation(false); // Tab goes on to the buttons
    tabelle_->setWordWrap(false);         // one line a row; the whole text is in the tooltip
    tabelle_->horizontalHeader()->setStretchLastSection(true);
    tabelle_->horizontalHeader()->setResizeContentsPrecision(kGemesseneZeilen);
    layout->addWidget(tabelle_, 1);
    tabelle_->installEventFilter(this);
    tabelle_->viewport()->installEventFilter(this);
    connect(zeilen_, &Vorschaumodell::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& rollen) {
                if (rollen.contains(Qt::CheckStateRole))
                    Q_EMIT hakenGeaendert();
            });
}

void Spaltenvorschau::waehlerBauen(const Zeilenvorschau& vorschau) {
    while (QLayoutItem* item = waehlerLayout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    waehler_.clear();
    for (int c = 0; c < vorschau.spalten(); ++c) {
        const QString name = vorschau.spaltenname(c);
        auto* waehler = new QComboBox(this);
        waehler->setObjectName(QStringLiteral("bedeutung%1").arg(c + 1));
        waehler->setAccessibleName(QStringLiteral("Bedeutung von %1").arg(name));
        for (const Bedeutung b : kBedeutungen)
            waehler->addItem(BedeutungText(b), int(b));
        QLabel* label = KlartextLabel(name + u':', this);
        label->setBuddy(waehler);
        waehlerLayout_->addWidget(label, c / kWaehlerJeZeile, 2 * (c % kWaehlerJeZeile));
        waehlerLayout_->addWidget(waehler, c / kWaehlerJeZeile, 2 * (c % kWaehlerJeZeile) + 1);
        connect(waehler, &QComboBox::currentIndexChanged, this, [this, c, waehler] {
            Q_EMIT bedeutungGewaehlt(c, Bedeutung(waehler->currentData().toInt()));
        });
        waehler_.push_back(waehler);
    }
    // Tab reaches them before the rows, in the order of the columns.
    QWidget* vorige = tabelle_->previousInFocusChain();
    for (QComboBox* waehler : waehler_) {
        setTabOrder(vorige, waehler);
        vorige = waehler;
    }
    setTabOrder(vorige, tabelle_);
}

void Spaltenvorschau::waehlerVerbergen() {
    for (int i = 0; i < waehlerLayout_->count(); ++i)
        if (QWidget* w = waehlerLayout_->itemAt(i)->widget())
            w->hide();
}

void Spaltenvorschau::zeigen(const Zeilenvorschau& vorschau, const std::vector<Planzeile>& plan) {
    if (int(waehler_.size()) != vorschau.spalten())
        waehlerBauen(vorschau);
    for (int c = 0; c < vorschau.spalten(); ++c) {
        const QSignalBlocker still(waehler_[size_t(c)]);
        waehler_[size_t(c)]->setCurrentIndex(
            waehler_[size_t(c)]->findData(int(vorschau.erkennung().spalten[size_t(c)])));
    }
    zeilen_->markierungSetzen(markierung(this));
    zeilen_->setzen(vorschau.zeilen(), plan);
    constexpr int name = Vorschaumodell::kErstesFeld + kSpalteName;
    tabelle_->resizeColumnsToContents();
    tabelle_->setColumnWidth(name, std::min(tabelle_->columnWidth(name), 260));
}

// Space ticks or unticks the current row wherever the cursor is in it, not only on the tick.
bool Spaltenvorschau::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabelle_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        zeilen_->hakenUmschalten(tabelle_->currentIndex().row());
        return true;
    }
    // The rows' tooltips hold cells and headings from outside: shown literally, never as markup.
    if (watched == tabelle_->viewport() && event->type() == QEvent::ToolTip) {
        const auto* hilfe = static_cast<QHelpEvent*>(event);
        const QString text = tabelle_->indexAt(hilfe->pos()).data(Qt::ToolTipRole).toString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(hilfe->globalPos(), KlartextTipp(text), tabelle_->viewport());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

std::vector<Planzeile> Spaltenvorschau::plan() const {
    return zeilen_->plan();
}

QPushButton* VorschauKnoepfe(QDialog* dialog, QBoxLayout* layout, const QString& text,
                             const QString& name) {
    auto* knoepfe = new QDialogButtonBox;
    QPushButton* ok = knoepfe->addButton(text, QDialogButtonBox::AcceptRole);
    ok->setObjectName(name);
    ok->setDefault(true);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btnAbbrechen"));
    QObject::connect(knoepfe, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(knoepfe, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(knoepfe);
    return ok;
}

void VorschauGroesse(QDialog* dialog, const Spaltenvorschau* vorschau, QSize mindestens) {
    const QTableView* t = vorschau->tabelle();
    const QMargins rand = dialog->layout() ? dialog->layout()->contentsMargins() : QMargins();
    const int noetig = t->horizontalHeader()->length() + 2 * t->frameWidth() +
                       t->verticalScrollBar()->sizeHint().width() + rand.left() + rand.right();
    int breite = noetig;
    if (const QScreen* s = dialog->screen())
        breite = std::min(breite, s->availableGeometry().width() * 9 / 10);
    dialog->resize(std::max(breite, mindestens.width()), mindestens.height());
}

#include "dialogs/spaltenvorschau.h"

#include "cells/eintrag.h"
#include "platform/cp1252.h"
#include "widgets/klartext.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kWaehlerJeZeile = 4;
enum Spalte { kZeile, kAktion, kErstesFeld, kHinweis = kErstesFeld + CellTable::kColumns };
// The entry's fields in the order of the list's columns.
constexpr int kFelder[] = {kSpalteNr, kSpalteName, kSpalteMP, kSpalteDBVNr};

// Marks take the palette's highlight, thinned, so that the text on them keeps its own colour
// in a light palette and in a dark one.
QBrush markierung(const QWidget* w) {
    QColor c = w->palette().color(QPalette::Highlight);
    c.setAlpha(80);
    return c;
}

QTableWidgetItem* zelle(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// One field of the entry: "alt → neu", in bold, where it changes; tinted, with the notes as
// tooltip, where a value was changed or left out.
QTableWidgetItem* feldZelle(const Planzeile& p, int f, const QBrush& mark) {
    const QString neu = cp1252::toQString(p.eintrag[size_t(f)]);
    const QString alt = cp1252::toQString(p.alt[size_t(f)]);
    const bool geaendert = p.aktion == Aktion::Geaendert && alt != neu;
    QTableWidgetItem* item = zelle(geaendert ? alt + QStringLiteral(u" → ") + neu : neu);
    if (geaendert) {
        QFont fett = item->font();
        fett.setBold(true);
        item->setFont(fett);
        item->setToolTip(KlartextTipp(item->text()));
    }
    QStringList notizen;
    for (const Vermerk& v : p.vermerke)
        if (v.feld == f)
            notizen << v.text;
    if (!notizen.isEmpty()) {
        item->setBackground(mark);
        item->setToolTip(KlartextTipp(notizen.join(u'\n')));
    }
    return item;
}

} // namespace

Spaltenvorschau::Spaltenvorschau(bool mitHaken, QWidget* parent)
    : QWidget(parent), mitHaken_(mitHaken) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    waehlerLayout_ = new QGridLayout;
    layout->addLayout(waehlerLayout_);
    tabelle_ = new QTableWidget(0, kHinweis + 1, this);
    tabelle_->setObjectName(QStringLiteral("vorschau"));
    tabelle_->setAccessibleName(QStringLiteral("Zeilenvorschau der Zeilen"));
    tabelle_->setHorizontalHeaderLabels({QStringLiteral("Zeile"), QStringLiteral("Aktion"),
                                         QStringLiteral("Nr."), QStringLiteral("Name"),
                                         QStringLiteral("MP"), QStringLiteral("Mitgliedsnr."),
                                         QStringLiteral("Hinweis")});
    tabelle_->verticalHeader()->hide();
    tabelle_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabelle_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelle_->setTabKeyNavigation(false); // Tab goes on to the buttons
    tabelle_->setWordWrap(false);         // one line a row; the whole text is in the tooltip
    tabelle_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(tabelle_, 1);
    tabelle_->installEventFilter(this);
    connect(tabelle_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!fuellen_ && item->column() == kAktion)
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

void Spaltenvorschau::zeigen(const Zeilenvorschau& vorschau, const std::vector<Planzeile>& plan) {
    if (int(waehler_.size()) != vorschau.spalten())
        waehlerBauen(vorschau);
    for (int c = 0; c < vorschau.spalten(); ++c) {
        const QSignalBlocker still(waehler_[size_t(c)]);
        waehler_[size_t(c)]->setCurrentIndex(
            waehler_[size_t(c)]->findData(int(vorschau.erkennung().spalten[size_t(c)])));
    }
    plan_ = plan;
    fuellen_ = true;
    tabelle_->setUpdatesEnabled(false);
    tabelle_->clearContents();
    tabelle_->setRowCount(int(plan.size()));
    for (size_t r = 0; r < plan.size(); ++r)
        zeileZeigen(int(r), plan[r], vorschau.zeilen()[size_t(plan[r].quelle)]);
    tabelle_->resizeColumnsToContents();
    tabelle_->setColumnWidth(kErstesFeld + kSpalteName,
                             std::min(tabelle_->columnWidth(kErstesFeld + kSpalteName), 260));
    tabelle_->setUpdatesEnabled(true);
    fuellen_ = false;
}

void Spaltenvorschau::zeileZeigen(int r, const Planzeile& p, const QStringList& quelle) {
    const QBrush mark = markierung(this);
    tabelle_->setItem(r, kZeile, zelle(QString::number(p.quelle + 1)));
    QTableWidgetItem* aktion = zelle(AktionText(p.aktion));
    if (mitHaken_ && (p.aktion == Aktion::Neu || p.aktion == Aktion::Geaendert)) {
        aktion->setFlags(aktion->flags() | Qt::ItemIsUserCheckable);
        aktion->setCheckState(p.haken ? Qt::Checked : Qt::Unchecked);
    }
    tabelle_->setItem(r, kAktion, aktion);
    for (const int f : kFelder)
        tabelle_->setItem(r, kErstesFeld + f, feldZelle(p, f, mark));
    // A row without an entry shows what it held, so that the user sees what is left out.
    if (p.aktion == Aktion::Uebersprungen && p.eintrag == Zeile{}) {
        QTableWidgetItem* name = tabelle_->item(r, kErstesFeld + kSpalteName);
        QStringList werte;
        for (const QString& wert : quelle)
            if (!wert.trimmed().isEmpty())
                werte << wert.simplified();
        name->setText(werte.join(QStringLiteral(" | ")));
        name->setToolTip(KlartextTipp(name->text()));
        QFont schraeg = name->font();
        schraeg.setItalic(true);
        name->setFont(schraeg);
    }
    QStringList hinweise;
    bool wichtig = !p.grund.isEmpty();
    if (wichtig)
        hinweise << p.grund;
    for (const Vermerk& v : p.vermerke) {
        hinweise << v.text;
        wichtig = wichtig || v.feld >= 0;
    }
    QTableWidgetItem* hinweis = zelle(hinweise.join(QStringLiteral("; ")));
    hinweis->setToolTip(KlartextTipp(hinweise.join(u'\n')));
    // Values of a column nobody takes are only listed: they are on every row.
    if (wichtig)
        hinweis->setBackground(mark);
    tabelle_->setItem(r, kHinweis, hinweis);
}

// Space ticks or unticks the current row wherever the cursor is in it, not only on the tick.
bool Spaltenvorschau::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabelle_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        QTableWidgetItem* aktion = tabelle_->item(tabelle_->currentRow(), kAktion);
        if (aktion && (aktion->flags() & Qt::ItemIsUserCheckable))
            aktion->setCheckState(aktion->checkState() == Qt::Checked ? Qt::Unchecked
                                                                      : Qt::Checked);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

std::vector<Planzeile> Spaltenvorschau::plan() const {
    std::vector<Planzeile> out = plan_;
    for (size_t r = 0; r < out.size(); ++r)
        if (const QTableWidgetItem* a = tabelle_->item(int(r), kAktion);
            a && (a->flags() & Qt::ItemIsUserCheckable))
            out[r].haken = a->checkState() == Qt::Checked;
    return out;
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
    const QTableWidget* t = vorschau->tabelle();
    const QMargins rand = dialog->layout() ? dialog->layout()->contentsMargins() : QMargins();
    const int noetig = t->horizontalHeader()->length() + 2 * t->frameWidth() +
                       t->verticalScrollBar()->sizeHint().width() + rand.left() + rand.right();
    int breite = noetig;
    if (const QScreen* s = dialog->screen())
        breite = std::min(breite, s->availableGeometry().width() * 9 / 10);
    dialog->resize(std::max(breite, mindestens.width()), mindestens.height());
}

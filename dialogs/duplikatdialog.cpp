#include "dialogs/duplikatdialog.h"

#include "cells/eintrag.h"
#include "grid/hypergrid.h"
#include "platform/cp1252.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kBefund = 4; // the column that says what an entry is

QString befund(Duplikatart art) {
    switch (art) {
    case Duplikatart::Behalten:
        return QStringLiteral("bleibt");
    case Duplikatart::Gleich:
        return QStringLiteral("doppelt");
    case Duplikatart::Schreibweise:
        return QStringLiteral("andere Schreibweise");
    case Duplikatart::GleicheNummer:
        return QStringLiteral("anderer Name, gleiche Mitgliedsnr.");
    case Duplikatart::GleicherName:
        return QStringLiteral("gleicher Name, ohne Mitgliedsnr.");
    }
    return {};
}

// Rows as high as the grid's, so that the dots of capital umlauts are not cut off.
class Zeilen : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(s.height(), Zeilenhoehe(option.fontMetrics)));
        return s;
    }
};

// Where an entry's item stands: its group and its place in it.
std::pair<int, int> stelle(QTreeWidgetItem* eintrag) {
    QTreeWidgetItem* kopf = eintrag->parent();
    return {kopf->treeWidget()->indexOfTopLevelItem(kopf), kopf->indexOfChild(eintrag)};
}

} // namespace

DuplikatDialog::DuplikatDialog(const CellTable& zellen, std::vector<Duplikatgruppe> gruppen,
                               QWidget* parent)
    : QDialog(parent), zellen_(zellen), gruppen_(std::move(gruppen)) {
    setObjectName(QStringLiteral("dlgDuplikatePruefen"));
    setWindowTitle(QStringLiteral("Duplikate pr\u00fcfen"));
    auto* layout = new QVBoxLayout(this);
    auto* erklaerung = new QLabel(QStringLiteral(
        u"Diese Einträge sind wahrscheinlich dieselbe Person. Die angehakten Einträge werden "
        u"gelöscht; Einträge mit verschiedenen Mitgliedsnummern werden nie vorgeschlagen.\n"
        u"Klick oder Leertaste: dieser Eintrag bleibt. Entf: Haken setzen oder entfernen. "
        u"+ / −: alle anderen der Gruppe löschen / alle behalten."));
    erklaerung->setWordWrap(true);
    layout->addWidget(erklaerung);

    baum_ = new QTreeWidget;
    baum_->setObjectName(QStringLiteral("duplikate"));
    baum_->setAccessibleName(QStringLiteral("Wahrscheinliche Duplikate"));
    baum_->setHeaderLabels({QStringLiteral("Nr."), QStringLiteral("Name"), QStringLiteral("MP"),
                            QStringLiteral("Mitgliedsnr."), QStringLiteral("Befund")});
    baum_->setRootIsDecorated(false);
    baum_->setAllColumnsShowFocus(true);
    baum_->setItemDelegate(new Zeilen(baum_));
    baum_->installEventFilter(this);
    erklaerung->setBuddy(baum_);
    for (size_t g = 0; g < gruppen_.size(); ++g) {
        auto* kopf = new QTreeWidgetItem(baum_, {QStringLiteral("Gruppe %1").arg(g + 1)});
        kopf->setFirstColumnSpanned(true);
        kopf->setFlags(Qt::ItemIsEnabled);
        QFont fett = kopf->font(0);
        fett.setBold(true);
        kopf->setFont(0, fett);
        gruppeZeigen(int(g));
    }
    baum_->expandAll();
    for (int c = 0; c < baum_->columnCount(); ++c)
        baum_->resizeColumnToContents(c);
    layout->addWidget(baum_, 1);
    connect(baum_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* eintrag, int spalte) {
        if (zeigen_ || spalte != 0 || !eintrag->parent())
            return;
        const auto [g, i] = stelle(eintrag);
        gruppen_[size_t(g)][size_t(i)].haken = eintrag->checkState(0) == Qt::Checked;
        umgehakt_ = eintrag;
        zaehlen();
    });
    // A click on an entry keeps it; one on its box only ticks it (the box changes first).
    connect(baum_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* eintrag) {
        if (eintrag->parent() && eintrag != std::exchange(umgehakt_, nullptr))
            behalten(eintrag);
    });

    summe_ = new QLabel;
    summe_->setObjectName(QStringLiteral("summe"));
    layout->addWidget(summe_);
    auto* knoepfe = new QDialogButtonBox;
    loeschen_ = knoepfe->addButton(QStringLiteral(u"Löschen"), QDialogButtonBox::AcceptRole);
    loeschen_->setObjectName(QStringLiteral("btnLoeschen"));
    loeschen_->setDefault(true);
    QPushButton* abbrechen =
        knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    abbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(knoepfe);
    zaehlen();

    // As large as the groups need, up to most of the screen.
    const QRect bildschirm =
        (parent ? parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    int zeilen = 0;
    for (const Duplikatgruppe& g : gruppen_)
        zeilen += 1 + int(g.size());
    const int hoehe = Zeilenhoehe(baum_->fontMetrics());
    const QSize noetig(baum_->header()->length() + 60, zeilen * hoehe + baum_->header()->height() +
                                                           layout->sizeHint().height() -
                                                           baum_->sizeHint().height() + 40);
    resize(std::clamp(noetig.width(), 560, bildschirm.width() * 4 / 5),
           std::clamp(noetig.height(), 380, bildschirm.height() * 4 / 5));
    baum_->setFocus();
    if (!gruppen_.empty())
        baum_->setCurrentItem(baum_->topLevelItem(0)->child(0));
}

void DuplikatDialog::gruppeZeigen(int g) {
    zeigen_ = true;
    QTreeWidgetItem* kopf = baum_->topLevelItem(g);
    const Duplikatgruppe& gruppe = gruppen_[size_t(g)];
    for (size_t i = 0; i < gruppe.size(); ++i) {
        const Duplikat& d = gruppe[i];
        QTreeWidgetItem* eintrag = int(i) < kopf->childCount() ? kopf->child(int(i)) : nullptr;
        if (!eintrag) {
            eintrag = new QTreeWidgetItem(kopf);
            for (int c : {kSpalteNr, kSpalteName, kSpalteMP, kSpalteDBVNr})
                eintrag->setText(c, cp1252::toQString(zellen_.cell(c, d.row)));
            eintrag->setData(0, Qt::UserRole, d.row);
        }
        eintrag->setText(kBefund, befund(d.art));
        QFont schrift = eintrag->font(1);
        schrift.setBold(d.art == Duplikatart::Behalten);
        eintrag->setFont(1, schrift);
        // The kept entry carries no tick: it is what the others are measured against.
        if (d.art == Duplikatart::Behalten) {
            eintrag->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            eintrag->setData(0, Qt::CheckStateRole, QVariant());
        } else {
            eintrag->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            eintrag->setCheckState(0, d.haken ? Qt::Checked : Qt::Unchecked);
        }
    }
    zeigen_ = false;
}

void DuplikatDialog::behalten(QTreeWidgetItem* eintrag) {
    const auto [g, i] = stelle(eintrag);
    Duplikatgruppe& gruppe = gruppen_[size_t(g)];
    if (gruppe[size_t(i)].art == Duplikatart::Behalten)
        return;
    gruppe = GruppeBehalten(zellen_, gruppe, gruppe[size_t(i)].row);
    gruppeZeigen(g);
    zaehlen();
}

void DuplikatDialog::alleHaken(QTreeWidgetItem* eintrag, bool haken) {
    const int g = baum_->indexOfTopLevelItem(eintrag->parent() ? eintrag->parent() : eintrag);
    for (Duplikat& d : gruppen_[size_t(g)])
        d.haken = haken && d.art != Duplikatart::Behalten;
    gruppeZeigen(g);
    zaehlen();
}

// The summary and the button follow the ticks.
void DuplikatDialog::zaehlen() {
    const qsizetype n = qsizetype(angehakt().size());
    summe_->setText(n == 0 ? QStringLiteral(u"Kein Eintrag ist angehakt.")
                           : QStringLiteral(u"%1 gelöscht.")
                                 .arg(n == 1 ? QStringLiteral("1 Eintrag wird")
                                             : QStringLiteral(u"%1 Einträge werden").arg(n)));
    loeschen_->setEnabled(n > 0);
}

bool DuplikatDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != baum_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    QTreeWidgetItem* eintrag = baum_->currentItem();
    if (!eintrag)
        return false;
    const auto* taste = static_cast<QKeyEvent*>(event);
    const bool eintragDa = eintrag->parent() != nullptr;
    switch (taste->key()) {
    case Qt::Key_Space:
        if (eintragDa)
            behalten(eintrag);
        return true; // never the item view's own toggling of the box
    case Qt::Key_Delete:
        if (eintragDa && (eintrag->flags() & Qt::ItemIsUserCheckable))
            eintrag->setCheckState(0, eintrag->checkState(0) == Qt::Checked ? Qt::Unchecked
                                                                            : Qt::Checked);
        umgehakt_ = nullptr; // no click did that
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        alleHaken(eintrag, taste->key() == Qt::Key_Plus);
        return true;
    default:
        return false;
    }
}

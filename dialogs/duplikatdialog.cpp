#include "dialogs/duplikatdialog.h"

#include "cells/eintrag.h"
#include "platform/cp1252.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

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

} // namespace

DuplikatDialog::DuplikatDialog(const CellTable& zellen, const std::vector<Duplikatgruppe>& gruppen,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlgDuplikatePruefen"));
    setWindowTitle(QStringLiteral("Duplikate pr\u00fcfen"));
    auto* layout = new QVBoxLayout(this);
    auto* erklaerung = new QLabel(QStringLiteral(
        u"Diese Einträge sind wahrscheinlich dieselbe Person. Die angehakten Einträge werden "
        u"gelöscht; Einträge mit verschiedenen Mitgliedsnummern werden nie vorgeschlagen."));
    erklaerung->setWordWrap(true);
    layout->addWidget(erklaerung);

    baum_ = new QTreeWidget;
    baum_->setObjectName(QStringLiteral("duplikate"));
    baum_->setAccessibleName(QStringLiteral("Wahrscheinliche Duplikate"));
    baum_->setHeaderLabels({QStringLiteral("Nr."), QStringLiteral("Name"), QStringLiteral("MP"),
                            QStringLiteral("Mitgliedsnr."), QStringLiteral("Befund")});
    baum_->setRootIsDecorated(false);
    baum_->setAllColumnsShowFocus(true);
    erklaerung->setBuddy(baum_);
    int nummer = 0;
    for (const Duplikatgruppe& gruppe : gruppen) {
        auto* kopf = new QTreeWidgetItem(baum_, {QStringLiteral("Gruppe %1").arg(++nummer)});
        kopf->setFirstColumnSpanned(true);
        kopf->setFlags(Qt::ItemIsEnabled);
        QFont fett = kopf->font(0);
        fett.setBold(true);
        kopf->setFont(0, fett);
        for (const Duplikat& d : gruppe) {
            QStringList spalten;
            for (int c : {kSpalteNr, kSpalteName, kSpalteMP, kSpalteDBVNr})
                spalten << cp1252::toQString(zellen.cell(c, d.row));
            spalten << befund(d.art);
            auto* eintrag = new QTreeWidgetItem(kopf, spalten);
            eintrag->setData(0, Qt::UserRole, d.row);
            // The kept entry carries no tick: it is what the others are measured against.
            if (d.art == Duplikatart::Behalten) {
                eintrag->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            } else {
                eintrag->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                                  Qt::ItemIsUserCheckable);
                eintrag->setCheckState(0, d.haken ? Qt::Checked : Qt::Unchecked);
            }
        }
    }
    baum_->expandAll();
    for (int c = 0; c < baum_->columnCount(); ++c)
        baum_->resizeColumnToContents(c);
    layout->addWidget(baum_, 1);

    auto* knoepfe = new QDialogButtonBox;
    QPushButton* loeschen =
        knoepfe->addButton(QStringLiteral(u"Löschen"), QDialogButtonBox::AcceptRole);
    loeschen->setObjectName(QStringLiteral("btnLoeschen"));
    loeschen->setDefault(true);
    QPushButton* abbrechen =
        knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    abbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(knoepfe);
    resize(std::max(560, baum_->header()->length() + 40), 380);
    baum_->setFocus();
}

std::vector<int> DuplikatDialog::angehakt() const {
    std::vector<int> rows;
    for (int g = 0; g < baum_->topLevelItemCount(); ++g) {
        const QTreeWidgetItem* kopf = baum_->topLevelItem(g);
        for (int i = 0; i < kopf->childCount(); ++i) {
            const QTreeWidgetItem* e = kopf->child(i);
            if ((e->flags() & Qt::ItemIsUserCheckable) && e->checkState(0) == Qt::Checked)
                rows.push_back(e->data(0, Qt::UserRole).toInt());
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

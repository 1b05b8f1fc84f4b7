#include "dialogs/einfuegedialog.h"

#include "cells/eintrag.h"
#include "tabelle/tabelle.h"
#include "widgets/klartext.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The text's rows, with what was left out of a very large one. A field takes at most what a
// cell can: a name of a megabyte would keep the list busy for minutes.
std::vector<QStringList> zeilen(const QString& text, QString& weggelassen) {
    Textzeilen t = ZeilenAusText(text);
    weggelassen = WeggelassenText(t);
    int gekuerzt = 0;
    for (QStringList& zeile : t.zeilen) {
        bool lang = false;
        for (QString& feld : zeile)
            if (feld.size() > tabelle::kMaxZeichen) {
                feld.truncate(tabelle::kMaxZeichen -
                              int(feld.at(tabelle::kMaxZeichen - 1).isHighSurrogate()));
                lang = true;
            }
        gekuerzt += lang;
    }
    if (gekuerzt > 0)
        weggelassen += (weggelassen.isEmpty() ? QString() : QStringLiteral(". ")) +
                       QStringLiteral(u"In %1 wurden zu lange Felder nach %2 Zeichen "
                                      u"abgeschnitten")
                           .arg(gekuerzt == 1 ? QStringLiteral("1 Zeile")
                                              : QStringLiteral("%1 Zeilen").arg(gekuerzt))
                           .arg(tabelle::kMaxZeichen);
    return std::move(t.zeilen);
}

} // namespace

EinfuegeDialog::EinfuegeDialog(const QString& text, const CellTable& zellen, int anzahl,
                               QWidget* parent)
    : QDialog(parent), vorschau_(zeilen(text, weggelassen_)), zellen_(zellen), anzahl_(anzahl) {
    setObjectName(QStringLiteral("dlgEinfuegen"));
    setWindowTitle(QStringLiteral(u"Einfügen aus der Zwischenablage"));
    auto* layout = new QVBoxLayout(this);
    info_ = KlartextLabel();
    info_->setObjectName(QStringLiteral("info"));
    info_->setWordWrap(true);
    layout->addWidget(info_);
    tabelle_ = new Spaltenvorschau(true);
    layout->addWidget(tabelle_, 1);
    connect(tabelle_, &Spaltenvorschau::bedeutungGewaehlt, this, [this](int spalte, Bedeutung b) {
        vorschau_.bedeutungSetzen(spalte, b);
        zeigen();
    });
    connect(tabelle_, &Spaltenvorschau::hakenGeaendert, this, &EinfuegeDialog::zaehlen);

    einfuegen_ =
        VorschauKnoepfe(this, layout, QStringLiteral(u"Einfügen"), QStringLiteral("btnEinfuegen"));
    zeigen();
    VorschauGroesse(this, tabelle_, QSize(720, 420));
    tabelle_->tabelle()->setFocus();
}

void EinfuegeDialog::zeigen() {
    tabelle_->zeigen(vorschau_, EinfuegePlan(zellen_, anzahl_, vorschau_.eintraege()));
    zaehlen();
}

// The summary follows the ticks, and more than the list can take is not offered.
void EinfuegeDialog::zaehlen() {
    const std::vector<Planzeile> plan = tabelle_->plan();
    const auto neu = [](const Planzeile& p) { return p.aktion == Aktion::Neu; };
    const qsizetype moeglich = std::count_if(plan.begin(), plan.end(), neu);
    const qsizetype n = qsizetype(NeueEintraege(plan).size());
    const int platz = std::max(kMaxEintraege - anzahl_, 0);
    QStringList info;
    if (moeglich == 0)
        info << QStringLiteral(u"Die Zwischenablage enthält keine Einträge.");
    else if (n == 0)
        info << QStringLiteral(u"Kein Eintrag ist angehakt.");
    else
        info << (n == 1 ? QStringLiteral(u"1 Eintrag wird vor der aktuellen Zeile eingefügt.")
                        : QStringLiteral(u"%1 werden vor der aktuellen Zeile eingefügt.")
                              .arg(EintraegeText(n)));
    if (moeglich > n)
        info << QStringLiteral(u"%1 nicht angehakt.").arg(EintraegeText(moeglich - n));
    if (n > platz)
        info << QStringLiteral(u"Die Liste kann nur noch %1 aufnehmen (höchstens %2).")
                    .arg(EintraegeText(platz))
                    .arg(kMaxEintraege);
    if (!weggelassen_.isEmpty())
        info << weggelassen_;
    info_->setText(info.join(u' '));
    einfuegen_->setEnabled(n > 0 && n <= platz);
}

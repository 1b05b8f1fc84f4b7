#include "dialogs/einfuegedialog.h"

#include "cells/eintrag.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The text's rows, with what was left out of a very large one.
std::vector<QStringList> zeilen(const QString& text, QString& weggelassen) {
    Textzeilen t = ZeilenAusText(text);
    weggelassen = WeggelassenText(t);
    return std::move(t.zeilen);
}

} // namespace

EinfuegeDialog::EinfuegeDialog(const QString& text, int platz, QWidget* parent)
    : QDialog(parent), vorschau_(zeilen(text, weggelassen_)), platz_(std::max(platz, 0)) {
    setObjectName(QStringLiteral("dlgEinfuegen"));
    setWindowTitle(QStringLiteral(u"Einfügen aus der Zwischenablage"));
    auto* layout = new QVBoxLayout(this);
    info_ = new QLabel;
    info_->setObjectName(QStringLiteral("info"));
    info_->setWordWrap(true);
    layout->addWidget(info_);
    tabelle_ = new Spaltenvorschau(false);
    layout->addWidget(tabelle_, 1);
    connect(tabelle_, &Spaltenvorschau::bedeutungGewaehlt, this, [this](int spalte, Bedeutung b) {
        vorschau_.bedeutungSetzen(spalte, b);
        zeigen();
    });

    einfuegen_ =
        VorschauKnoepfe(this, layout, QStringLiteral(u"Einfügen"), QStringLiteral("btnEinfuegen"));
    zeigen();
    VorschauGroesse(this, tabelle_, QSize(720, 420));
    tabelle_->tabelle()->setFocus();
}

void EinfuegeDialog::zeigen() {
    plan_ = EinfuegePlan(vorschau_.eintraege(), platz_);
    tabelle_->zeigen(vorschau_, plan_);
    const qsizetype n = std::count_if(plan_.begin(), plan_.end(),
                                      [](const Planzeile& p) { return p.aktion == Aktion::Neu; });
    const qsizetype moeglich = std::count_if(
        plan_.begin(), plan_.end(), [](const Planzeile& p) { return p.eintrag != Zeile{}; });
    QStringList info;
    info << (n == 0 ? QStringLiteral(u"Die Zwischenablage enthält keine Einträge.")
                    : QStringLiteral(u"%1 werden vor der aktuellen Zeile eingefügt.")
                          .arg(EintraegeText(n)));
    if (moeglich > n)
        info << QStringLiteral(u"Die Liste kann nur noch %1 aufnehmen (höchstens %2); %3 "
                               u"werden nicht eingefügt.")
                    .arg(EintraegeText(platz_))
                    .arg(kMaxEintraege)
                    .arg(moeglich - n);
    if (!weggelassen_.isEmpty())
        info << weggelassen_;
    info_->setText(info.join(u' '));
    einfuegen_->setEnabled(n > 0);
}

#include "dialogs/einlesedialog.h"

#include "widgets/klartext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// "2 neu, 1 geändert, 1 unverändert, 1 nicht angehakt": new and changed rows as far as ticked.
QString zaehlung(const std::vector<Planzeile>& plan) {
    QStringList teile;
    const auto nehmen = [](const Planzeile& p) {
        return p.haken || (p.aktion != Aktion::Neu && p.aktion != Aktion::Geaendert);
    };
    for (const Aktion a :
         {Aktion::Neu, Aktion::Geaendert, Aktion::Unveraendert, Aktion::Uebersprungen}) {
        const auto n = std::count_if(plan.begin(), plan.end(), [a, nehmen](const Planzeile& p) {
            return p.aktion == a && nehmen(p);
        });
        if (n > 0)
            teile << QStringLiteral("%1 %2").arg(n).arg(AktionText(a));
    }
    if (const auto n = std::count_if(plan.begin(), plan.end(), std::not_fn(nehmen)))
        teile << QStringLiteral("%1 nicht angehakt").arg(n);
    return teile.isEmpty() ? QStringLiteral("keine Zeilen") : teile.join(QStringLiteral(", "));
}

} // namespace

EinleseDialog::EinleseDialog(const QString& name, tabelle::Ergebnis gelesen, NeuLesen neuLesen,
                             const CellTable& zellen, int anzahl, QWidget* parent)
    : QDialog(parent), name_(name), gelesen_(std::move(gelesen)), neuLesen_(std::move(neuLesen)),
      zellen_(zellen), anzahl_(anzahl) {
    setObjectName(QStringLiteral("dlgAusTabelleEinlesen"));
    setWindowTitle(QStringLiteral("Aus Tabelle einlesen"));
    auto* layout = new QVBoxLayout(this);
    wahl_ = new QFormLayout;
    layout->addLayout(wahl_);
    if (gelesen_.blaetter.size() > 1) {
        blatt_ = auswahl(QStringLiteral("blatt"), QStringLiteral("Tabellen&blatt:"));
        for (const tabelle::Blatt& b : gelesen_.blaetter)
            blatt_->addItem(b.name);
        blatt_->setCurrentIndex(std::max(gelesen_.erstesMitDaten, 0));
        connect(blatt_, &QComboBox::currentIndexChanged, this, &EinleseDialog::blattZeigen);
    }
    if (gelesen_.csv) {
        kodierung_ = auswahl(QStringLiteral("kodierung"), QStringLiteral("&Zeichenkodierung:"));
        kodierung_->addItem(QStringLiteral("UTF-8"), int(tabelle::Kodierung::Utf8));
        kodierung_->addItem(QStringLiteral("Windows-1252"), int(tabelle::Kodierung::Windows1252));
        kodierung_->setCurrentIndex(kodierung_->findData(int(gelesen_.erkannt)));
        connect(kodierung_, &QComboBox::currentIndexChanged, this,
                &EinleseDialog::kodierungWechseln);
    }
    info_ = KlartextLabel(); // it names the file
    info_->setObjectName(QStringLiteral("info"));
    info_->setWordWrap(true);
    layout->addWidget(info_);
    tabelle_ = new Spaltenvorschau(true);
    layout->addWidget(tabelle_, 1);
    connect(tabelle_, &Spaltenvorschau::bedeutungGewaehlt, this, [this](int spalte, Bedeutung b) {
        vonHand_ = true;
        vorschau_->bedeutungSetzen(spalte, b);
        zeigen();
    });
    connect(tabelle_, &Spaltenvorschau::hakenGeaendert, this, &EinleseDialog::zusammenfassen);

    VorschauKnoepfe(this, layout, QStringLiteral(u"Übernehmen"), QStringLiteral("btnUebernehmen"));
    blattZeigen();
    // Its columns are the list's own; the heading row was made for them, not read.
    if (gelesen_.namensliste) {
        tabelle_->waehlerVerbergen();
        tabelle_->tabelle()->setRowHidden(0, true);
    }
    VorschauGroesse(this, tabelle_, QSize(760, 460));
    tabelle_->tabelle()->setFocus();
}

QComboBox* EinleseDialog::auswahl(const QString& name, const QString& beschriftung) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setAccessibleName(QString(beschriftung).remove(u'&').remove(u':'));
    wahl_->addRow(beschriftung, combo);
    return combo;
}

void EinleseDialog::blattZeigen() {
    const int i = blatt_ ? blatt_->currentIndex() : std::max(gelesen_.erstesMitDaten, 0);
    const tabelle::Blatt blatt =
        size_t(i) < gelesen_.blaetter.size() ? gelesen_.blaetter[size_t(i)] : tabelle::Blatt{};
    vorschau_.emplace(blatt.zeilen);
    weggelassen_ = WeggelassenText(blatt);
    zeigen();
}

void EinleseDialog::bedeutungenSetzen(const std::vector<int>& bedeutungen) {
    for (int c = 0; c < int(bedeutungen.size()) && c < vorschau_->spalten(); ++c)
        if (const int b = bedeutungen[size_t(c)]; b >= 0 && b < int(std::size(kBedeutungen)))
            vorschau_->bedeutungSetzen(c, Bedeutung(b));
    zeigen();
}

std::optional<std::vector<int>> EinleseDialog::vonHandGewaehlt() const {
    if (!vonHand_)
        return std::nullopt;
    std::vector<int> bedeutungen;
    for (const Bedeutung b : vorschau_->erkennung().spalten)
        bedeutungen.push_back(int(b));
    return bedeutungen;
}

void EinleseDialog::kodierungWechseln() {
    // The file may have gone meanwhile: the table read before stays.
    std::optional<tabelle::Ergebnis> neu =
        neuLesen_(tabelle::Kodierung(kodierung_->currentData().toInt()));
    if (!neu)
        return;
    gelesen_ = std::move(*neu);
    blattZeigen();
}

void EinleseDialog::zeigen() {
    const Abgleich abgleich = Abgleichen(zellen_, anzahl_, vorschau_->eintraege());
    tabelle_->zeigen(*vorschau_, abgleich.zeilen);
    nichtInTabelle_ = abgleich.nichtInTabelle;
    zusammenfassen();
}

// The summary follows the ticks.
void EinleseDialog::zusammenfassen() {
    std::vector<Planzeile> plan = tabelle_->plan();
    if (gelesen_.namensliste) // the heading row made for its columns is not the file's
        std::erase_if(plan, [](const Planzeile& p) { return p.quelle == 0; });
    QStringList info;
    info << QStringLiteral("„%1“: %2.").arg(name_, zaehlung(plan));
    info << QStringLiteral(u"Einträge der Liste, die nicht in der Tabelle stehen, bleiben, wie "
                           u"sie sind: %1.")
                .arg(nichtInTabelle_);
    const auto& spalten = vorschau_->erkennung().spalten;
    if (std::find(spalten.begin(), spalten.end(), Bedeutung::Nr) != spalten.end())
        info << QStringLiteral(u"Die Nr. der Tabelle wird nicht übernommen: neue Einträge "
                               u"bekommen eine Nummer, die kein Eintrag hat.");
    if (!weggelassen_.isEmpty())
        info << weggelassen_ + u'.';
    info_->setText(info.join(u' '));
}

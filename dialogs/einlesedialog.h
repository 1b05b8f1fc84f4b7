#pragma once
// "Aus Tabelle einlesen": a member table matched against the list before anything changes.
// Each row shows what will happen to it ("neu", "geändert" with old → new, "unverändert",
// "übersprungen" with the reason) with a tick; the columns' meanings, the sheet and a text
// file's encoding can be changed. "Übernehmen", the default button, takes the ticked rows.

#include "dialogs/spaltenvorschau.h"
#include "editor/abgleich.h"
#include "tabelle/tabelle.h"

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QFormLayout;
class QLabel;

class EinleseDialog : public QDialog {
    Q_OBJECT
public:
    // A text file read anew in that encoding; nothing where it cannot be read any more.
    using NeuLesen = std::function<std::optional<tabelle::Ergebnis>(tabelle::Kodierung)>;

    // `gelesen`: the table as read from the file `name`, without an error; `zellen` rows
    // 1 .. anzahl are the list.
    EinleseDialog(const QString& name, tabelle::Ergebnis gelesen, NeuLesen neuLesen,
                  const CellTable& zellen, int anzahl, QWidget* parent);

    // The plan with the ticks as the user set them.
    std::vector<Planzeile> plan() const { return tabelle_->plan(); }
    Spaltenvorschau* vorschau() const { return tabelle_; }
    // The heading row of the sheet shown (empty without one), the meanings to give its columns
    // (each as Bedeutung; others are left as recognised), and the meanings of every column
    // once the user chose one by hand.
    QStringList ueberschriften() const { return vorschau_->ueberschriften(); }
    void bedeutungenSetzen(const std::vector<int>& bedeutungen);
    std::optional<std::vector<int>> vonHandGewaehlt() const;

private:
    QComboBox* auswahl(const QString& name, const QString& beschriftung);
    void blattZeigen();
    void kodierungWechseln();
    void zeigen();
    void zusammenfassen();

    QString name_;
    tabelle::Ergebnis gelesen_;
    NeuLesen neuLesen_;
    const CellTable& zellen_;
    int anzahl_;
    int nichtInTabelle_ = 0;
    bool vonHand_ = false;
    QString weggelassen_; // what the sheet shown left out
    std::optional<Zeilenvorschau> vorschau_;
    QFormLayout* wahl_;
    QLabel* info_;
    QComboBox* blatt_ = nullptr;
    QComboBox* kodierung_ = nullptr;
    Spaltenvorschau* tabelle_;
};

#pragma once
// "Aus Tabelle einlesen": a member table matched against the list before anything changes.
// Each row shows what will happen to it ("neu", "geändert" with old → new, "unverändert",
// "übersprungen" with the reason) with a tick; the columns' meanings, the sheet and a text
// file's encoding can be changed. "Übernehmen", the default button, takes the ticked rows.

#include "dialogs/spaltenvorschau.h"
#include "editor/abgleich.h"
#include "tabelle/tabelle.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QFormLayout;
class QLabel;

class EinleseDialog : public QDialog {
    Q_OBJECT
public:
    // `gelesen`: the table as read from `pfad`, without an error; `zellen` rows 1 .. anzahl are
    // the list.
    EinleseDialog(const QString& pfad, tabelle::Ergebnis gelesen, const CellTable& zellen,
                  int anzahl, QWidget* parent);

    // The file dialog: in `ordner`, for the tables that can be read. Empty when cancelled.
    static QString dateiWaehlen(QWidget* parent, const QString& ordner);
    // "Aus Tabelle einlesen…" as a whole: the file chosen beside the list `liste` (a native
    // path), read (a file that cannot be read is said in a message), and the preview. The plan
    // to take, or nothing.
    static std::optional<std::vector<Planzeile>> einlesen(QWidget* parent, const std::string& liste,
                                                          const CellTable& zellen, int anzahl);

    // The plan with the ticks as the user set them.
    std::vector<Planzeile> plan() const { return tabelle_->plan(); }
    Spaltenvorschau* vorschau() const { return tabelle_; }

private:
    QComboBox* auswahl(const QString& name, const QString& beschriftung);
    void blattZeigen();
    void kodierungWechseln();
    void zeigen();

    QString pfad_;
    tabelle::Ergebnis gelesen_;
    const CellTable& zellen_;
    int anzahl_;
    std::optional<Zeilenvorschau> vorschau_;
    QFormLayout* wahl_;
    QLabel* info_;
    QComboBox* blatt_ = nullptr;
    QComboBox* kodierung_ = nullptr;
    Spaltenvorschau* tabelle_;
};

// The note after taking over: "1 Eintrag hinzugefügt, 2 Einträge geändert".
QString UebernahmeText(const Uebernahme& u);

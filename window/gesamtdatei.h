#pragma once
// The main window: the name list in a grid, a toolbar, a menu and the count line.

#include "editor/namenliste.h"
#include "editor/suche.h"
#include "grid/gesamtspalten.h"
#include "grid/hypergrid.h"
#include "namefile/namefile.h"
#include "sitzung/sperre.h"
#include "sitzung/wiederherstellung.h"
#include "support/meldungen.h"
#include "window/druckbefehle.h"

#include <QBasicTimer>
#include <QIcon>
#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class GesamtOeffnenDialog;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class TPlacementStore;
class TSuchleiste;

// The program's dialogs as the list logic's way to speak.
class DialogMeldungen : public Meldungen {
public:
    void hinweis(const std::string& text) override;
    void fehler(const std::string& text) override;
    bool frage(const std::string& text) override;
};

class TfrmGesamtdatei : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmGesamtdatei(QWidget* parent = nullptr);
    ~TfrmGesamtdatei() override;

    // Restores the placement, sets the grid up, lets the user choose the file when
    // sGesamtdatei is empty and loads it. False when the user cancelled the choice.
    bool FormCreate();
    // Shows the window modally and returns when it has closed.
    void ausfuehren();
    // Hides the participant command (no participant list).
    void ErweiternVerbergen();

    NamenListe& liste() { return liste_; }
    const std::vector<std::string>* slTeilnehmer = nullptr;

    // Components, named as the rest of the program and the tests know them.
    QWidget* pnlListe;
    THyperGrid* sgGesamt;
    TPlacementStore* stateGesamt;
    QMenu* mptDatei;
    QAction *mptAbbruch, *mptSpeichern, *mptSpeichernundBeenden;
    QMenu* Bearbeiten1;
    QAction *mptRueckgaengig, *mptWiederherstellen;
    QAction *mptEinfuegen, *mptLoeschen, *mptTurnierteilnehmereinfuegen, *mptDuplikateloeschen;
    QAction *mptSuchen, *mptWeitersuchen, *mptRueckwaertssuchen;
    QMenu* mptListe;
    QAction *mptNummerieren, *mptSortieren, *mptDrucken, *mptDruckvorschau, *mptDruckenAuf,
        *mptAlsPdf;
    QMenu* mptHilfe;
    QAction *mptTastenkuerzel, *mptUeber;
    QWidget* pnlButtons;
    QLabel* lblGrenze;
    QLabel* lblHinweis; // a passing note, gone after a few seconds
    TSuchleiste* pnlSuche;
    QToolBar* tbGesamt;
    QToolButton *tbtEinfuegen, *tbtLoeschen, *tbtErweitern, *tbtDuplikate, *tbtSortieren,
        *tbtNummerieren, *tbtDrucken, *tbtBeenden, *tbtAbbruch;
    std::vector<QIcon> imlGesamt;
    GesamtOeffnenDialog* openGesamt = nullptr; // built when the user is to choose the file

    // The list's commands; each commits an open cell editor first.
    void Einfuegen();
    void Loeschen(int row);
    void Sortieren();
    void Erweitern(const std::vector<std::string>& teilnehmer);
    void Drucken();

public Q_SLOTS:
    void mptSuchenClick();
    void mptWeitersuchenClick();
    void mptRueckwaertssuchenClick();
    void mptRueckgaengigClick();
    void mptWiederherstellenClick();
    void mptEinfuegenClick();
    void mptLoeschenClick();
    void mptTurnierteilnehmereinfuegenClick();
    void mptDuplikateloeschenClick();
    void mptNummerierenClick();
    void mptSortierenClick();
    void mptDruckenClick();
    void mptSpeichernundBeendenClick();
    void mptSpeichernClick();
    void mptDruckvorschauClick();
    void mptDruckenAufClick();
    void mptAlsPdfClick();
    void mptAbbruchClick();
    void mptTastenkuerzelClick();
    void mptUeberClick();

Q_SIGNALS:
    void geschlossen();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void FormShow();
    void FormResize();
    void FormClose();
    // False when the user chose not to open a list another session has open.
    bool NamenDateiLaden();
    bool sperreNehmen();
    // Writes the list as "Speichern und Beenden" does, with its questions and note; false when
    // it was not written.
    bool speichern();
    void ungespeichertesPruefen();
    void sitzungBeenden(bool ungespeichertesVerwerfen);
    bool DateiWaehlen();
    void anzahlZeigen();
    void hinweisZeigen(const QString& text);
    void blockEinfuegen(const QString& text);
    Druckauftrag druckauftrag();
    void spaltenEinrichten();
    void schriftAnpassen();
    void menueEinrichten();
    void verlaufZeigen();
    // Searches the list for the bar's text, marks the hits and, unless only the marks are to
    // follow a change of the list, goes to a hit.
    enum class Gehe { Nicht, AbHier, Weiter, Zurueck };
    void suchen(Gehe gehe);
    void weitersuchen(Gehe gehe);
    void sucheSchliessen();
    void sucheBeginnen();
    void werkzeugleisteEinrichten();
    QToolButton* knopf(const char* name, const char* caption, const char* hint, int picture,
                       void (TfrmGesamtdatei::*handler)());
    void schliessen();

    DialogMeldungen meldungen_;
    NamenListe liste_;
    LadeErgebnis geladen_;
    QAction* erweiternAktion_ = nullptr;
    bool schliessenErlaubt_ = false;
    bool gezeigt_ = false;
    std::optional<Sperre> sperre_;                         // the lock this window set
    std::unique_ptr<Wiederherstellung> wiederherstellung_; // unsaved changes, kept on disk
    struct Zelle {
        int col = 0, row = 1;
    } sucheStart_; // where the cursor was when the find bar opened
    static constexpr int kHinweisMs = 8000;
    QBasicTimer hinweisZeit_;
};

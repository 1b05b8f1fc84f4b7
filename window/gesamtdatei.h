#pragma once
// The main window: the name list in a grid, a toolbar, a menu and the count line. It wires the
// list, its editing session, the find bar and printing together; the commands themselves are
// in the list logic, and their menu items, keys and buttons in the command table.

#include "editor/bearbeitung.h"
#include "editor/namenliste.h"
#include "grid/hypergrid.h"
#include "widgets/messages.h"
#include "window/druckbefehle.h"

#include <QIcon>
#include <QMainWindow>
#include <string>
#include <vector>

class GesamtOeffnenDialog;
class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class Suchsteuerung;
class TPlacementStore;
class TSuchleiste;
class TZaehlzeile;

class TfrmGesamtdatei : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmGesamtdatei(QWidget* parent = nullptr);
    ~TfrmGesamtdatei() override;

    // Restores the placement, sets the grid up, lets the user choose the file when
    // sGesamtdatei is empty and opens it. False when the user cancelled the choice or chose
    // not to open a list another session has open.
    bool FormCreate();
    // Shows the window modally and returns when it has closed.
    void ausfuehren();
    // Hides the participant command (no participant list).
    void ErweiternVerbergen();
    // Appends the participants not in the list yet.
    void Erweitern(const std::vector<std::string>& teilnehmer);

    NamenListe& liste() { return liste_; }
    const std::vector<std::string>* slTeilnehmer = nullptr;

    // A command's action, toolbar button or menu by its object name (the command table's).
    QAction* aktion(const char* name) const;
    QToolButton* knopf(const char* name) const;
    QMenu* menue(const char* name) const;

    // Components, named as the rest of the program and the tests know them.
    QWidget* pnlListe;
    THyperGrid* sgGesamt;
    TPlacementStore* stateGesamt;
    TZaehlzeile* pnlButtons; // the count line
    QLabel* lblGrenze;
    QLabel* lblHinweis;              // a passing note, gone after a few seconds
    TSuchleiste* pnlSuche = nullptr; // the find bar, from its first use on
    QToolBar* tbGesamt;
    GesamtOeffnenDialog* openGesamt = nullptr; // built when the user is to choose the file

public Q_SLOTS:
    // The commands; the command table takes the cell's typing first where it should.
    void mptSuchenClick();
    void mptWeitersuchenClick();
    void mptRueckwaertssuchenClick();
    void mptRueckgaengigClick();
    void mptWiederherstellenClick();
    void mptEinfuegenClick();
    void mptLoeschenClick();
    void mptMarkierteLoeschenClick();
    void mptTurnierteilnehmereinfuegenClick();
    void mptDuplikateloeschenClick();
    void mptDuplikatePruefenClick();
    void mptNummerierenClick();
    void mptSortierenClick();
    void mptNachNameSortierenClick();
    void mptAusTabelleEinlesenClick();
    void mptAlsTabelleClick();
    void mptFruehereFassungenClick();
    void dateienAbgelegt(const QStringList& dateien);
    void mptDruckenClick();
    void mptSpeichernundBeendenClick();
    void mptSpeichernClick();
    void mptSpeichernUnterClick();
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

private:
    void aufbauen();
    void werkzeugeAufbauen();
    void verbinden();
    void FormResize();
    bool DateiWaehlen();
    void anzahlZeigen();
    // The cursor's cell, which the list's commands are given, and the cell they say to show.
    Zelle hier() const;
    void zeigen(Zelle zelle);
    Suchsteuerung& suche();
    void hinweisZeigen(const QString& text);
    void blockEinfuegen(const QString& text);
    Druckauftrag druckauftrag();
    void schriftAnpassen();
    void verlaufZeigen();
    void schliessen();

    DialogMeldungen meldungen_;
    NamenListe liste_;
    Bearbeitung bearbeitung_;
    Suchsteuerung* suche_ = nullptr;
    bool schliessenErlaubt_ = false;
    bool gezeigt_ = false;
};

#include "window/gesamtdatei.h"

#include "dialogs/einfuegedialog.h"
#include "dialogs/oeffnendialog.h"
#include "dialogs/tastenkuerzel.h"
#include "dialogs/ueberdialog.h"
#include "grid/gesamtspalten.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "widgets/dateiablage.h"
#include "widgets/glyphbutton.h"
#include "widgets/placementstore.h"
#include "widgets/suchleiste.h"
#include "widgets/zaehlzeile.h"
#include "window/befehle.h"
#include "window/druckbefehle.h"
#include "window/listenbefehle.h"
#include "window/suchsteuerung.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

TfrmGesamtdatei::TfrmGesamtdatei(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
      liste_(meldungen_), bearbeitung_(liste_, meldungen_) {
    setObjectName(QStringLiteral("frmGesamtdatei"));
    setWindowTitle(QStringLiteral("Liste der gespeicherten Namen"));
    setGeometry(373, 157, 527, 430);
    setBackgroundRole(QPalette::Button);
    stateGesamt = new TPlacementStore(this);
    stateGesamt->setObjectName(QStringLiteral("stateGesamt"));
    stateGesamt->setIniFileName("Kelmar.ini");
    stateGesamt->setSection("Fenster - Gesamt");
    stateGesamt->IgnoreState = true;
    aufbauen();
    verbinden();
}

TfrmGesamtdatei::~TfrmGesamtdatei() = default;

void TfrmGesamtdatei::aufbauen() {
    pnlListe = new QWidget;
    pnlListe->setObjectName(QStringLiteral("pnlListe"));
    auto* listLayout = new QVBoxLayout(pnlListe);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    sgGesamt = new THyperGrid(liste_);
    sgGesamt->setObjectName(QStringLiteral("sgGesamt"));
    sgGesamt->setAccessibleName(QStringLiteral("Gesamtdatei"));
    sgGesamt->setColumns(GesamtSpalten());
    listLayout->addWidget(sgGesamt);

    pnlButtons = new TZaehlzeile;
    lblGrenze = pnlButtons->lblGrenze;
    lblHinweis = pnlButtons->lblHinweis;
    listLayout->addWidget(pnlButtons);
    setCentralWidget(pnlListe);

    werkzeugeAufbauen();
}

void TfrmGesamtdatei::werkzeugeAufbauen() {
    setContextMenuPolicy(Qt::NoContextMenu);
    tbGesamt = BefehleEinrichten(*this, *sgGesamt);
    verlaufZeigen();
}

void TfrmGesamtdatei::verbinden() {
    connect(&liste_, &NamenListe::anzahlGeaendert, this, &TfrmGesamtdatei::anzahlZeigen);
    bearbeitung_.gescheitert = [this](const std::string& hinweis) {
        hinweisZeigen(cp1252::toQString(hinweis));
    };
    bearbeitung_.zielWaehlen = [this] {
        return SpeicherzielWaehlen(this, bearbeitung_.pfad(), meldungen_);
    };
    // Undoing and redoing go back to the cell of the step.
    connect(&liste_, &NamenListe::zeigen, this, [this](int col, int row) {
        sgGesamt->setCurrentCell(col, row);
        sgGesamt->setFocus();
    });
    connect(&liste_.verlauf(), &QUndoStack::indexChanged, this, &TfrmGesamtdatei::verlaufZeigen);
    connect(sgGesamt, &THyperGrid::textHint, this, &TfrmGesamtdatei::hinweisZeigen);
    connect(sgGesamt, &THyperGrid::blockPasted, this, &TfrmGesamtdatei::blockEinfuegen);
    // Below the last entry, a row for a new one; left blank, it goes again.
    connect(sgGesamt, &THyperGrid::pastLastRow, this, [this] {
        if (liste_.NeueZeileAnfuegen())
            sgGesamt->setCurrentCell(sgGesamt->currentCol(), sgGesamt->rowCount() - 1);
    });
    connect(sgGesamt->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (liste_.bNeueZeile() && current.row() + 1 != sgGesamt->rowCount() - 1)
                    QTimer::singleShot(0, this, [this] {
                        if (sgGesamt->currentRow() != sgGesamt->rowCount() - 1)
                            liste_.NeueZeileVerwerfen();
                    });
            });
    sgGesamt->viewport()->installEventFilter(this);
    new DateiAblage(this, [this](const QStringList& dateien) { dateienAbgelegt(dateien); });
}

QAction* TfrmGesamtdatei::aktion(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}
QToolButton* TfrmGesamtdatei::knopf(const char* name) const {
    return tbGesamt->findChild<QToolButton*>(QString::fromLatin1(name));
}
QMenu* TfrmGesamtdatei::menue(const char* name) const {
    return menuBar()->findChild<QMenu*>(QString::fromLatin1(name));
}

void TfrmGesamtdatei::verlaufZeigen() {
    const QUndoStack& v = liste_.verlauf();
    auto zeigen = [](QAction* a, const QString& caption, bool can, const QString& step) {
        a->setEnabled(can);
        a->setText(can ? caption + QStringLiteral(": ") + step : caption);
    };
    zeigen(aktion("mptRueckgaengig"), QStringLiteral(u"&Rückgängig"), v.canUndo(), v.undoText());
    zeigen(aktion("mptWiederherstellen"), QStringLiteral("Wieder&herstellen"), v.canRedo(),
           v.redoText());
}

// A larger program font enlarges what holds text: the toolbar buttons, so that their captions
// show whole, and the window's first size in proportion. The usual font keeps the usual sizes.
void TfrmGesamtdatei::schriftAnpassen() {
    KnoepfeAnpassen(*tbGesamt);
    const double faktor =
        double(QFontMetrics(font()).height()) / QFontMetrics(toQFont(TSchrift{})).height();
    if (faktor > 1.05)
        resize(int(527 * faktor), int(430 * faktor));
}

bool TfrmGesamtdatei::FormCreate() {
    stateGesamt->Restore();
    setFont(toQFont(StandardFont));
    schriftAnpassen();
    // The count line grows with a larger program font, like the grid's rows.
    pnlButtons->anSchriftAnpassen();
    sgGesamt->setColumnWidth(kSpalteName, sgGesamt->gridWidth() - sgGesamt->columnWidth(kSpalteNr) -
                                              sgGesamt->columnWidth(kSpalteDBVNr) -
                                              sgGesamt->columnWidth(kSpalteMP) - 2);
    if (sGesamtdatei.empty() && !DateiWaehlen())
        return false;
    return bearbeitung_.oeffnen(sGesamtdatei);
}

bool TfrmGesamtdatei::DateiWaehlen() {
    // Built only when needed: a file dialog is costly to set up, and most launches name a file.
    if (!openGesamt) {
        openGesamt = new GesamtOeffnenDialog(this);
        openGesamt->setObjectName(QStringLiteral("openGesamt"));
    }
    const std::optional<std::string> gewaehlt =
        openGesamt->waehlen(paths::localPath(Setting.Programmverzeichnis));
    if (gewaehlt)
        sGesamtdatei = *gewaehlt;
    return gewaehlt.has_value();
}

void TfrmGesamtdatei::hinweisZeigen(const QString& text) {
    pnlButtons->hinweisZeigen(text);
}

void TfrmGesamtdatei::anzahlZeigen() {
    pnlButtons->anzahlZeigen(cp1252::toQString(liste_.anzahlText()));
}

Zelle TfrmGesamtdatei::hier() const {
    return {sgGesamt->currentCol(), sgGesamt->currentRow()};
}

void TfrmGesamtdatei::zeigen(Zelle zelle) {
    if (zelle != hier())
        sgGesamt->setCurrentCell(zelle.col, zelle.row);
}

void TfrmGesamtdatei::ErweiternVerbergen() {
    BefehlVerbergen(*this, "mptTurnierteilnehmereinfuegen");
}

void TfrmGesamtdatei::Erweitern(const std::vector<std::string>& teilnehmer) {
    zeigen(liste_.Erweitern(teilnehmer, hier()));
}

void TfrmGesamtdatei::ausfuehren() {
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &TfrmGesamtdatei::geschlossen, &loop, &QEventLoop::quit);
    show();
    loop.exec();
}

void TfrmGesamtdatei::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!gezeigt_) {
        gezeigt_ = true;
        // A note shown while the list opened had the keyboard, and its editor may be open
        // already: once the window is mapped, it takes the keyboard and the cell has it.
        sgGesamt->setFocus();
        QTimer::singleShot(0, this, [this] {
            activateWindow();
            sgGesamt->focusCell();
        });
    }
}

void TfrmGesamtdatei::FormResize() {
    const int rest = sgGesamt->clientWidth() - sgGesamt->columnWidth(kSpalteNr) -
                     sgGesamt->columnWidth(kSpalteMP) - sgGesamt->columnWidth(kSpalteDBVNr) - 5;
    sgGesamt->setColumnWidth(kSpalteName, rest);
}

bool TfrmGesamtdatei::eventFilter(QObject* object, QEvent* event) {
    if (object == sgGesamt->viewport() && event->type() == QEvent::Resize)
        FormResize();
    return QMainWindow::eventFilter(object, event);
}

void TfrmGesamtdatei::closeEvent(QCloseEvent* event) {
    // A close from the window manager is a cancel: it asks when the list was changed.
    if (!schliessenErlaubt_) {
        sgGesamt->commitEditor();
        if (!bearbeitung_.verwerfenErlaubt()) {
            event->ignore();
            return;
        }
    }
    stateGesamt->Save();
    bearbeitung_.beenden(true);
    event->accept();
    Q_EMIT geschlossen();
}

void TfrmGesamtdatei::schliessen() {
    schliessenErlaubt_ = true;
    close();
    schliessenErlaubt_ = false;
}

// ---- commands ----

void TfrmGesamtdatei::mptAbbruchClick() {
    if (bearbeitung_.verwerfenErlaubt())
        schliessen();
}
void TfrmGesamtdatei::mptSpeichernundBeendenClick() {
    if (bearbeitung_.speichern(false))
        schliessen();
}
void TfrmGesamtdatei::mptSpeichernClick() {
    bearbeitung_.speichern(true);
    sGesamtdatei = bearbeitung_.pfad(); // saved under another name where it could not be written
}
void TfrmGesamtdatei::mptSpeichernUnterClick() {
    if (bearbeitung_.speichernUnter(true))
        sGesamtdatei = bearbeitung_.pfad();
}
void TfrmGesamtdatei::mptRueckgaengigClick() {
    liste_.verlauf().undo();
}
void TfrmGesamtdatei::mptWiederherstellenClick() {
    liste_.verlauf().redo();
}
void TfrmGesamtdatei::mptEinfuegenClick() {
    zeigen(liste_.Einfuegen(hier()));
}
// Only the current row, whatever is selected, as always: several rows have their own command.
void TfrmGesamtdatei::mptLoeschenClick() {
    zeigen(liste_.Loeschen(hier()));
}
void TfrmGesamtdatei::mptMarkierteLoeschenClick() {
    zeigen(liste_.MarkierteLoeschen(sgGesamt->selectedRows(), hier()));
}
void TfrmGesamtdatei::blockEinfuegen(const QString& text) {
    sgGesamt->commitEditor();
    EinfuegeDialog vorschau(text, liste_.zellen(), liste_.iAnzahl(), this);
    if (vorschau.exec() == QDialog::Accepted)
        zeigen(liste_.BlockEinfuegen(vorschau.eintraege(), hier()));
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptAusTabelleEinlesenClick() {
    if (const auto plan = TabelleAbgleichen(this, bearbeitung_.pfad(), liste_, meldungen_))
        hinweisZeigen(UebernahmeText(liste_.AusTabelleEinlesen(*plan, hier())));
}
// A table or a name list dropped on the window is taken in as from the menu; a name list is
// never opened in place of the one being edited.
void TfrmGesamtdatei::dateienAbgelegt(const QStringList& dateien) {
    if (dateien.size() != 1 || !Einlesbar(dateien.first())) {
        hinweisZeigen(QStringLiteral(u"Abgelegt werden kann eine Tabelle (CSV, ODS, XLSX) oder "
                                     u"eine Namensliste, eine Datei auf einmal."));
        return;
    }
    sgGesamt->commitEditor();
    if (const auto plan = TabelleZeigen(this, dateien.first(), liste_, meldungen_))
        hinweisZeigen(UebernahmeText(liste_.AusTabelleEinlesen(*plan, hier())));
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptFruehereFassungenClick() {
    const std::optional<FassungsWahl> wahl =
        FassungWaehlen(this, bearbeitung_.pfad(), liste_, meldungen_);
    if (!wahl)
        return;
    zeigen(wahl->ganz ? liste_.GanzeFassung(wahl->text, hier())
                      : liste_.FassungWiederherstellen(wahl->unterschiede, hier()));
    hinweisZeigen(QStringLiteral(u"Frühere Fassung wiederhergestellt; gespeichert wird erst mit "
                                 u"„Speichern“"));
}
void TfrmGesamtdatei::mptAlsTabelleClick() {
    if (const auto note = AlsTabelleSpeichern(this, bearbeitung_.pfad(), liste_, meldungen_))
        hinweisZeigen(*note);
}
void TfrmGesamtdatei::mptTurnierteilnehmereinfuegenClick() {
    // Hidden without participants: its shortcut must do nothing then either.
    if (slTeilnehmer && !slTeilnehmer->empty())
        Erweitern(*slTeilnehmer);
}
void TfrmGesamtdatei::mptDuplikateloeschenClick() {
    liste_.DuplikateLoeschen(hier());
}
void TfrmGesamtdatei::mptDuplikatePruefenClick() {
    const std::optional<std::vector<int>> weg = DuplikateZeigen(this, liste_, meldungen_);
    if (!weg)
        return;
    zeigen(liste_.Loeschen(*weg, QStringLiteral(u"Duplikate prüfen"), hier()));
    hinweisZeigen(EintraegeText(qsizetype(weg->size())) +
                  (weg->size() == 1 ? QStringLiteral(u" wurde gelöscht")
                                    : QStringLiteral(u" wurden gelöscht")));
}
void TfrmGesamtdatei::mptNummerierenClick() {
    zeigen(liste_.Nummerieren(hier()));
}
void TfrmGesamtdatei::mptSortierenClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Restored however sorting ends.
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } back;
    zeigen(liste_.Sortieren(hier()));
}
void TfrmGesamtdatei::mptNachNameSortierenClick() {
    const int vorher = liste_.verlauf().index();
    zeigen(liste_.NachNameSortieren(hier()));
    hinweisZeigen(liste_.verlauf().index() != vorher
                      ? QStringLiteral("Die Liste wurde nach Name und Vorname sortiert")
                      : QStringLiteral("Die Liste war schon nach Name und Vorname sortiert"));
}
// The find bar and its controller are made at their first use: most sessions never search.
Suchsteuerung& TfrmGesamtdatei::suche() {
    if (!suche_) {
        pnlSuche = new TSuchleiste;
        pnlSuche->hide();
        pnlListe->layout()->addWidget(pnlSuche);
        suche_ = new Suchsteuerung(*sgGesamt, *pnlSuche, liste_, this);
    }
    return *suche_;
}
void TfrmGesamtdatei::mptSuchenClick() {
    suche().oeffnen();
}
void TfrmGesamtdatei::mptWeitersuchenClick() {
    suche().weiter(false);
}
void TfrmGesamtdatei::mptRueckwaertssuchenClick() {
    suche().weiter(true);
}

// ---- printing and help ----

void TfrmGesamtdatei::mptDruckenClick() {
    AufStandarddrucker(druckauftrag());
}
void TfrmGesamtdatei::mptDruckvorschauClick() {
    InDruckvorschau(druckauftrag());
}
void TfrmGesamtdatei::mptDruckenAufClick() {
    AufGewaehltemDrucker(druckauftrag());
}
void TfrmGesamtdatei::mptAlsPdfClick() {
    AlsPdf(druckauftrag());
}
Druckauftrag TfrmGesamtdatei::druckauftrag() {
    auto hinweis = [this](const QString& text) { hinweisZeigen(text); };
    return {this, liste_.zellen(), liste_.iAnzahl(), meldungen_, bearbeitung_.pfad(), hinweis};
}

// The commands' actions alone: the file dialogs' own, children of the window too, have keys
// the window does not offer.
void TfrmGesamtdatei::mptTastenkuerzelClick() {
    QList<QAction*> aktionen;
    for (const Befehl& b : Befehle())
        aktionen.append(aktion(b.name));
    TastenkuerzelDialog(aktionen, this).exec();
}
void TfrmGesamtdatei::mptUeberClick() {
    UeberDialog(bearbeitung_.pfad(), this).exec();
}

#include "window/gesamtdatei.h"

#include "dialogs/duplikatdialog.h"
#include "dialogs/einfuegedialog.h"
#include "dialogs/einlesedialog.h"
#include "dialogs/oeffnendialog.h"
#include "grid/gesamtspalten.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "platform/paths.h"
#include "print/drucker.h"
#include "print/druckermodul.h"
#include "print/namenliste_druck.h"
#include "safewrite/safewrite.h"
#include "settings/settings.h"
#include "widgets/glyphbutton.h"
#include "widgets/placementstore.h"
#include "widgets/suchleiste.h"
#include "window/befehle.h"
#include "window/suchsteuerung.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

constexpr int kPanelHeight = 22;
const char* const kPictures[] = {"TB0_BEENDEN",   "TB1_ABBRUCH",     "TB2_EINFUEGEN",
                                 "TB3_LOESCHEN",  "TB4_ERWEITERN",   "TB5_DUPLIKATE",
                                 "TB6_SORTIEREN", "TB7_NUMMERIEREN", "TB8_DRUCKEN"};

} // namespace

TfrmGesamtdatei::TfrmGesamtdatei(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
      sgGesamt(new THyperGrid), liste_(*sgGesamt, meldungen_), bearbeitung_(liste_, meldungen_) {
    setObjectName(QStringLiteral("frmGesamtdatei"));
    setWindowTitle(QStringLiteral("Liste der gespeicherten Namen"));
    setGeometry(373, 157, 527, 430);
    setBackgroundRole(QPalette::Button);
    aufbauen();
    verbinden();
}

TfrmGesamtdatei::~TfrmGesamtdatei() {
    // Tearing the widgets down moves the focus, which commits an open cell editor; the list it
    // would go to is gone by then.
    disconnect(sgGesamt, nullptr, this, nullptr);
}

void TfrmGesamtdatei::aufbauen() {
    pnlListe = new QWidget;
    pnlListe->setObjectName(QStringLiteral("pnlListe"));
    auto* listLayout = new QVBoxLayout(pnlListe);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    sgGesamt->setObjectName(QStringLiteral("sgGesamt"));
    sgGesamt->setAccessibleName(QStringLiteral("Gesamtdatei"));
    sgGesamt->setColumns(GesamtSpalten());
    listLayout->addWidget(sgGesamt);

    pnlButtons = new QWidget;
    pnlButtons->setObjectName(QStringLiteral("pnlButtons"));
    pnlButtons->setFixedHeight(kPanelHeight);
    auto* buttonLayout = new QHBoxLayout(pnlButtons);
    buttonLayout->setContentsMargins(4, 0, 4, 0);
    lblGrenze = new QLabel(QStringLiteral("Gesamt"));
    lblGrenze->setObjectName(QStringLiteral("lblGrenze"));
    buttonLayout->addWidget(lblGrenze);
    buttonLayout->addStretch();
    // Notes that need no answer, such as a letter the file cannot hold, without a dialog.
    lblHinweis = new QLabel;
    lblHinweis->setObjectName(QStringLiteral("lblHinweis"));
    lblHinweis->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblHinweis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    buttonLayout->addWidget(lblHinweis, 1);
    listLayout->addWidget(pnlButtons);
    pnlSuche = new TSuchleiste;
    pnlSuche->hide();
    listLayout->addWidget(pnlSuche);
    setCentralWidget(pnlListe);

    stateGesamt = new TPlacementStore(this);
    stateGesamt->setObjectName(QStringLiteral("stateGesamt"));
    stateGesamt->setIniFileName("Kelmar.ini");
    stateGesamt->setSection("Fenster - Gesamt");
    stateGesamt->IgnoreState = true;

    for (const char* name : kPictures)
        imlGesamt.push_back(QIcon(loadPicture(QString::fromLatin1(name))));
    tbGesamt = addToolBar(QStringLiteral("Werkzeuge"));
    tbGesamt->setObjectName(QStringLiteral("tbGesamt"));
    // Shown where the window is too narrow for every button.
    if (auto* mehr = tbGesamt->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        mehr->setAccessibleName(QStringLiteral("Weitere Werkzeuge"));
    tbGesamt->setMovable(false);
    tbGesamt->setFloatable(false);
    tbGesamt->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    QFont font;
    font.setFamily(cp1252::toQString(Setting.Schriftart));
    font.setPixelSize(9);
    tbGesamt->setFont(font);
    BefehleEinrichten(*this, *sgGesamt, *tbGesamt, imlGesamt);
    verlaufZeigen();
    suche_ = new Suchsteuerung(*sgGesamt, *pnlSuche, liste_, this);
}

void TfrmGesamtdatei::verbinden() {
    liste_.anzahlGeaendert = [this] { anzahlZeigen(); };
    liste_.fokus = [this] { sgGesamt->setFocus(); };
    connect(&liste_.verlauf(), &QUndoStack::indexChanged, this, &TfrmGesamtdatei::verlaufZeigen);
    connect(sgGesamt, &THyperGrid::textHint, this, &TfrmGesamtdatei::hinweisZeigen);
    connect(sgGesamt, &THyperGrid::blockPasted, this, &TfrmGesamtdatei::blockEinfuegen);
    connect(sgGesamt, &THyperGrid::cellEdited, this,
            [this](int col, int row) { liste_.zelleBearbeitet(col, row); });
    // Below the last entry, a row for a new one; left blank, it goes again.
    connect(sgGesamt, &THyperGrid::pastLastRow, this, [this] {
        if (liste_.NeueZeileAnfuegen())
            sgGesamt->setCurrentCell(sgGesamt->currentCol(), sgGesamt->rowCount() - 1);
    });
    connect(sgGesamt->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (liste_.bNeueZeile && current.row() + 1 != sgGesamt->rowCount() - 1)
                    QTimer::singleShot(0, this, [this] {
                        if (sgGesamt->currentRow() != sgGesamt->rowCount() - 1)
                            liste_.NeueZeileVerwerfen();
                    });
            });
    sgGesamt->viewport()->installEventFilter(this);
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
    liste_.bLeerzeile = false;
    setFont(toQFont(StandardFont));
    schriftAnpassen();
    // The count line grows with a larger program font, like the grid's rows.
    pnlButtons->setFixedHeight(std::max(kPanelHeight, QFontMetrics(font()).height() + 6));
    sgGesamt->setColumnWidth(kSpalteName, sgGesamt->gridWidth() - sgGesamt->columnWidth(kSpalteNr) -
                                              sgGesamt->columnWidth(kSpalteDBVNr) -
                                              sgGesamt->columnWidth(kSpalteMP) - 2);
    if (sGesamtdatei.empty() && !DateiWaehlen())
        return false;
    return bearbeitung_.oeffnen();
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
    lblHinweis->setText(text);
    lblHinweis->setToolTip(text);
    hinweisZeit_.start(kHinweisMs, this);
}

void TfrmGesamtdatei::timerEvent(QTimerEvent* event) {
    if (event->timerId() != hinweisZeit_.timerId())
        return QMainWindow::timerEvent(event);
    hinweisZeit_.stop();
    lblHinweis->clear();
    lblHinweis->setToolTip({});
}

void TfrmGesamtdatei::anzahlZeigen() {
    lblGrenze->setText(cp1252::toQString(liste_.anzahlText()));
}

void TfrmGesamtdatei::ErweiternVerbergen() {
    BefehlVerbergen(*this, "mptTurnierteilnehmereinfuegen");
}

void TfrmGesamtdatei::Erweitern(const std::vector<std::string>& teilnehmer) {
    liste_.Erweitern(teilnehmer);
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
        sgGesamt->setFocus();
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
}
void TfrmGesamtdatei::mptRueckgaengigClick() {
    liste_.verlauf().undo();
}
void TfrmGesamtdatei::mptWiederherstellenClick() {
    liste_.verlauf().redo();
}
void TfrmGesamtdatei::mptEinfuegenClick() {
    liste_.Einfuegen();
}
// Only the current row, whatever is selected, as always: several rows have their own command.
void TfrmGesamtdatei::mptLoeschenClick() {
    liste_.Loeschen(sgGesamt->currentRow());
}
void TfrmGesamtdatei::mptMarkierteLoeschenClick() {
    std::vector<int> rows;
    for (const int r : sgGesamt->selectedRows())
        if (r <= liste_.iAnzahl)
            rows.push_back(r);
    if (rows.empty())
        return;
    const std::string frage = rows.size() == 1
                                  ? std::string("Soll der markierte Eintrag gel\xF6scht werden")
                                  : "Sollen die " + std::to_string(rows.size()) +
                                        " markierten Eintr\xE4ge gel\xF6scht werden";
    if (AuswahlFrage(frage))
        liste_.Loeschen(rows, QStringLiteral(u"Markierte Einträge löschen"));
}
void TfrmGesamtdatei::blockEinfuegen(const QString& text) {
    sgGesamt->commitEditor();
    EinfuegeDialog vorschau(text, kMaxEintraege - liste_.iAnzahl, this);
    if (vorschau.exec() == QDialog::Accepted)
        liste_.BlockEinfuegen(vorschau.eintraege());
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptTurnierteilnehmereinfuegenClick() {
    // Hidden without participants: its shortcut must do nothing then either.
    if (slTeilnehmer && !slTeilnehmer->empty())
        liste_.Erweitern(*slTeilnehmer);
}
void TfrmGesamtdatei::mptDuplikateloeschenClick() {
    liste_.DuplikateLoeschen();
}
void TfrmGesamtdatei::mptDuplikatePruefenClick() {
    const std::vector<Duplikatgruppe> gruppen = DuplikatePruefen(*sgGesamt, liste_.iAnzahl);
    if (gruppen.empty())
        return (void)HinweisMeldung("Es wurden keine wahrscheinlichen Duplikate gefunden");
    DuplikatDialog dialog(*sgGesamt, gruppen, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::vector<int> weg = dialog.angehakt();
    liste_.Loeschen(weg, QStringLiteral(u"Duplikate prüfen"));
    hinweisZeigen(weg.size() == 1 ? QStringLiteral(u"1 Eintrag wurde gelöscht")
                                  : QStringLiteral(u"%1 Einträge wurden gelöscht").arg(weg.size()));
}
void TfrmGesamtdatei::mptNummerierenClick() {
    liste_.Nummerieren();
}
void TfrmGesamtdatei::mptSortierenClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Restored however sorting ends.
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } back;
    liste_.Sortieren();
}
void TfrmGesamtdatei::mptNachNameSortierenClick() {
    const int vorher = liste_.verlauf().index();
    liste_.NachNameSortieren();
    hinweisZeigen(liste_.verlauf().index() != vorher
                      ? QStringLiteral("Die Liste wurde nach Name und Vorname sortiert")
                      : QStringLiteral("Die Liste war schon nach Name und Vorname sortiert"));
}
void TfrmGesamtdatei::mptAusTabelleEinlesenClick() {
    const QFileInfo liste(QFile::decodeName(QByteArray::fromStdString(sGesamtdatei)));
    const QString pfad = EinleseDialog::dateiWaehlen(this, liste.absolutePath());
    if (pfad.isEmpty())
        return;
    tabelle::Ergebnis gelesen = tabelle::lesen(pfad);
    if (!gelesen.fehler.isEmpty())
        return (void)FehlerMeldung(cp1252::fromQString(gelesen.fehler));
    EinleseDialog vorschau(pfad, std::move(gelesen), *sgGesamt, liste_.iAnzahl, this);
    if (vorschau.exec() == QDialog::Accepted)
        hinweisZeigen(UebernahmeText(liste_.AusTabelleEinlesen(vorschau.plan())));
}
void TfrmGesamtdatei::mptSuchenClick() {
    suche_->oeffnen();
}
void TfrmGesamtdatei::mptWeitersuchenClick() {
    suche_->weiter(false);
}
void TfrmGesamtdatei::mptRueckwaertssuchenClick() {
    suche_->weiter(true);
}

// ---- printing ----

void TfrmGesamtdatei::mptDruckenClick() {
    if (!Drucker.Flaeche)
        StandarddruckerLaden();
    ausdruckMelden(listeDrucken(), Drucker.Flaeche ? Drucker.Flaeche->ziel() : std::string(),
                   false);
}

int TfrmGesamtdatei::listeDrucken() {
    return ::Drucken(*sgGesamt, liste_.iAnzahl,
                     cp1252::fromQString(datetime::shortDate(QDate::currentDate())), meldungen_);
}

// Where the pages went and how many, below the list: no dialog, even for the direct print.
void TfrmGesamtdatei::ausdruckMelden(int seiten, const std::string& ziel, bool pdf) {
    if (seiten <= 0)
        return;
    const QString wieviel =
        seiten == 1 ? QStringLiteral("1 Seite") : QStringLiteral("%1 Seiten").arg(seiten);
    const QString wohin =
        pdf ? QFile::decodeName(QByteArray::fromStdString(ziel)) : cp1252::toQString(ziel);
    hinweisZeigen(pdf ? QStringLiteral("Als PDF gespeichert: %1, %2").arg(wohin, wieviel)
                      : QStringLiteral(u"Gedruckt auf „%1“: %2").arg(wohin, wieviel));
}

bool TfrmGesamtdatei::druckmodulDa(void* funktion) {
    if (!funktion)
        FehlerMeldung("Fehler beim Ausdruck der Gesamtdatei: Die Druckunterst\xFCtzung kann nicht "
                      "geladen werden");
    return funktion != nullptr;
}

void TfrmGesamtdatei::mptDruckvorschauClick() {
    const auto vorschau = reinterpret_cast<Vorschau>(DruckermodulFunktion("gesamt_vorschau"));
    if (druckmodulDa(reinterpret_cast<void*>(vorschau))) {
        std::string ziel;
        const int seiten = vorschau(
            this,
            [this](Zeichenflaeche& flaeche) {
                DruckerInitialisieren(&flaeche);
                const int n = listeDrucken();
                DruckerInitialisieren(nullptr); // Ctrl+D sets the default printer up again
                return n;
            },
            &ziel);
        ausdruckMelden(seiten, ziel, false);
    }
}

void TfrmGesamtdatei::mptDruckenAufClick() {
    const auto wahl = reinterpret_cast<Druckerwahl>(DruckermodulFunktion("gesamt_druckerwahl"));
    if (druckmodulDa(reinterpret_cast<void*>(wahl))) {
        if (Zeichenflaeche* gewaehlt = wahl(this)) {
            DruckerUebernehmen(gewaehlt);
            ausdruckMelden(listeDrucken(), gewaehlt->ziel(), false);
            DruckerUebernehmen(nullptr);
        }
    }
}

void TfrmGesamtdatei::mptAlsPdfClick() {
    const QFileInfo liste(QFile::decodeName(QByteArray::fromStdString(sGesamtdatei)));
    QFileDialog dialog(this, QStringLiteral("Als PDF speichern"));
    dialog.setObjectName(QStringLiteral("pdfDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF-Dateien (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(liste.absolutePath());
    dialog.selectFile(liste.completeBaseName() + QStringLiteral(".pdf"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const std::string pdf = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
        // Drawn into a file of its own first, then written like every file the program
        // writes: a crash or a full disk never leaves half a PDF over an older one.
        const QTemporaryDir entwurf;
        const std::string temp =
            QFile::encodeName(entwurf.filePath(QStringLiteral("liste.pdf"))).toStdString();
        if (!PdfDruckerLaden(temp)) {
            druckmodulDa(nullptr);
        } else if (const int seiten = listeDrucken(); seiten > 0) {
            DruckerUebernehmen(nullptr); // ends the PDF's file
            const int fehler = safewrite::write(pdf, safewrite::readFile(temp)).error;
            if (fehler == 0)
                ausdruckMelden(seiten, pdf, true);
            else
                FehlerMeldung(std::string("Fehler beim Speichern der PDF-Datei: ") +
                              DateiFehlerAusErrno(fehler).what());
        }
        DruckerUebernehmen(nullptr);
    }
}

#include "window/gesamtdatei.h"

#include "dialogs/oeffnendialog.h"
#include "dialogs/tastenkuerzel.h"
#include "dialogs/ueberdialog.h"
#include "editor/einfuegen.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "runlog/runlog.h"
#include "settings/settings.h"
#include "sitzung/sperre.h"
#include "sitzung/wiederherstellung.h"
#include "widgets/glyphbutton.h"
#include "widgets/messages.h"
#include "widgets/placementstore.h"
#include "widgets/suchleiste.h"
#include "window/druckbefehle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
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

void DialogMeldungen::hinweis(const std::string& text) {
    HinweisMeldung(text);
}
void DialogMeldungen::fehler(const std::string& text) {
    FehlerMeldung(text);
}
bool DialogMeldungen::frage(const std::string& text) {
    return AuswahlFrage(text);
}

TfrmGesamtdatei::TfrmGesamtdatei(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
      sgGesamt(new THyperGrid), liste_(*sgGesamt, meldungen_) {
    setObjectName(QStringLiteral("frmGesamtdatei"));
    setWindowTitle(QStringLiteral("Liste der gespeicherten Namen"));
    setGeometry(373, 157, 527, 430);
    setBackgroundRole(QPalette::Button);

    pnlListe = new QWidget;
    pnlListe->setObjectName(QStringLiteral("pnlListe"));
    auto* listLayout = new QVBoxLayout(pnlListe);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    sgGesamt->setObjectName(QStringLiteral("sgGesamt"));
    sgGesamt->setAccessibleName(QStringLiteral("Gesamtdatei"));
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

    menueEinrichten();
    werkzeugleisteEinrichten();
    spaltenEinrichten();

    liste_.anzahlGeaendert = [this] { anzahlZeigen(); };
    liste_.fokus = [this] { sgGesamt->setFocus(); };
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
    connect(pnlSuche, &TSuchleiste::suchtextGeaendert, this, [this] { suchen(Gehe::AbHier); });
    connect(pnlSuche, &TSuchleiste::weiter, this,
            [this](bool rueckwaerts) { suchen(rueckwaerts ? Gehe::Zurueck : Gehe::Weiter); });
    connect(pnlSuche, &TSuchleiste::geschlossen, this, &TfrmGesamtdatei::sucheSchliessen);
    // The marks follow the list while the bar is open.
    connect(&liste_.verlauf(), &QUndoStack::indexChanged, this, [this] {
        if (pnlSuche->isVisible())
            suchen(Gehe::Nicht);
    });
    sgGesamt->viewport()->installEventFilter(this);
}

TfrmGesamtdatei::~TfrmGesamtdatei() {
    // Tearing the widgets down moves the focus, which commits an open cell editor; the list it
    // would go to is gone by then.
    disconnect(sgGesamt, nullptr, this, nullptr);
    sitzungBeenden(false);
}

// The lock goes however the window ends; the unsaved changes only when they are saved or
// given up, never when the window is merely torn down.
void TfrmGesamtdatei::sitzungBeenden(bool ungespeichertesVerwerfen) {
    liste_.sichern(nullptr);
    if (wiederherstellung_ && ungespeichertesVerwerfen) {
        wiederherstellung_->verwerfen();
        wiederherstellung_->warten();
    }
    wiederherstellung_.reset();
    if (sperre_)
        SperreEntfernen(sGesamtdatei, *sperre_);
    sperre_.reset();
}

bool TfrmGesamtdatei::sperreNehmen() {
    if (const std::optional<Sperre> fremd = SperreLesen(sGesamtdatei)) {
        if (SperreLebt(*fremd))
            return AuswahlFrage(SperrFrage(*fremd)); // opened anyway: the lock stays theirs
        SperreEntfernen(sGesamtdatei, *fremd);       // left by a session that crashed
    }
    const Sperre eigene = EigeneSperre();
    if (SperreSetzen(sGesamtdatei, eigene))
        sperre_ = eigene;
    return true;
}

void TfrmGesamtdatei::ungespeichertesPruefen() {
    const std::optional<Wiederherstellungsdaten> daten = WiederherstellungFinden(sGesamtdatei);
    if (!daten)
        return;
    if (daten->text == NamenDateiText(*sgGesamt)) {
        WiederherstellungEntfernen(*daten); // nothing the file does not hold
        return;
    }
    if (AuswahlFrage(WiederherstellungsFrage(*daten, DateiStandLesen(sGesamtdatei)))) {
        liste_.Uebernehmen(daten->text);
        WiederherstellungEntfernen(*daten);
        return;
    }
    const std::string aufbewahrt = WiederherstellungAufbewahren(*daten);
    if (!aufbewahrt.empty())
        HinweisMeldung(
            "Die ungespeicherten \xC4nderungen wurden aufbewahrt in " +
            cp1252::fromQString(QFile::decodeName(QByteArray::fromStdString(aufbewahrt))));
}

void TfrmGesamtdatei::menueEinrichten() {
    menuBar()->setObjectName(QStringLiteral("mnuGesamt"));
    auto action = [this](QMenu* menu, const char* name, const QString& caption,
                         const QKeySequence& shortcut, void (TfrmGesamtdatei::*handler)()) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    mptDatei = menuBar()->addMenu(QStringLiteral("&Datei"));
    mptDatei->setObjectName(QStringLiteral("mptDatei"));
    mptAbbruch = action(mptDatei, "mptAbbruch", QStringLiteral("&Abbruch"), {},
                        &TfrmGesamtdatei::mptAbbruchClick);
    // Saving without closing has no key of its own: Ctrl+S saves and closes, as always.
    mptSpeichern = action(mptDatei, "mptSpeichern", QStringLiteral("S&peichern"), {},
                          &TfrmGesamtdatei::mptSpeichernClick);
    mptSpeichernundBeenden =
        action(mptDatei, "mptSpeichernundBeenden", QStringLiteral("&Speichern und Beenden"),
               QKeySequence(Qt::CTRL | Qt::Key_S), &TfrmGesamtdatei::mptSpeichernundBeendenClick);
    Bearbeiten1 = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    Bearbeiten1->setObjectName(QStringLiteral("Bearbeiten1"));
    mptRueckgaengig =
        action(Bearbeiten1, "mptRueckgaengig", QStringLiteral(u"&Rückgängig"),
               QKeySequence(Qt::CTRL | Qt::Key_Z), &TfrmGesamtdatei::mptRueckgaengigClick);
    mptWiederherstellen =
        action(Bearbeiten1, "mptWiederherstellen", QStringLiteral("Wieder&herstellen"), {},
               &TfrmGesamtdatei::mptWiederherstellenClick);
    mptWiederherstellen->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    Bearbeiten1->addSeparator();
    connect(&liste_.verlauf(), &QUndoStack::indexChanged, this, &TfrmGesamtdatei::verlaufZeigen);
    verlaufZeigen();
    mptEinfuegen = action(Bearbeiten1, "mptEinfuegen", QStringLiteral(u"&Einfügen"),
                          QKeySequence(Qt::CTRL | Qt::Key_E), &TfrmGesamtdatei::mptEinfuegenClick);
    mptLoeschen = action(Bearbeiten1, "mptLoeschen", QStringLiteral(u"&Löschen"),
                         QKeySequence(Qt::CTRL | Qt::Key_L), &TfrmGesamtdatei::mptLoeschenClick);
    mptTurnierteilnehmereinfuegen =
        action(Bearbeiten1, "mptTurnierteilnehmereinfuegen",
               QStringLiteral(u"&Turnierteilnehmer einfügen"), QKeySequence(Qt::CTRL | Qt::Key_T),
               &TfrmGesamtdatei::mptTurnierteilnehmereinfuegenClick);
    mptDuplikateloeschen =
        action(Bearbeiten1, "mptDuplikateloeschen", QStringLiteral(u"&Duplikate löschen"), {},
               &TfrmGesamtdatei::mptDuplikateloeschenClick);
    Bearbeiten1->addSeparator();
    mptSuchen = action(Bearbeiten1, "mptSuchen", QStringLiteral(u"&Suchen…"),
                       QKeySequence(Qt::CTRL | Qt::Key_F), &TfrmGesamtdatei::mptSuchenClick);
    mptWeitersuchen = action(Bearbeiten1, "mptWeitersuchen", QStringLiteral("&Weitersuchen"),
                             QKeySequence(Qt::Key_F3), &TfrmGesamtdatei::mptWeitersuchenClick);
    // Backwards has its key only, like the find bars users know.
    mptRueckwaertssuchen = new QAction(this);
    mptRueckwaertssuchen->setObjectName(QStringLiteral("mptRueckwaertssuchen"));
    mptRueckwaertssuchen->setText(QStringLiteral(u"Rückwärts suchen")); // for "Tastenkürzel"
    mptRueckwaertssuchen->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    mptRueckwaertssuchen->setShortcutContext(Qt::WindowShortcut);
    addAction(mptRueckwaertssuchen);
    connect(mptRueckwaertssuchen, &QAction::triggered, this,
            &TfrmGesamtdatei::mptRueckwaertssuchenClick);
    mptListe = menuBar()->addMenu(QStringLiteral("&Liste"));
    mptListe->setObjectName(QStringLiteral("mptListe"));
    mptNummerieren =
        action(mptListe, "mptNummerieren", QStringLiteral("&Neu nummerieren"),
               QKeySequence(Qt::CTRL | Qt::Key_N), &TfrmGesamtdatei::mptNummerierenClick);
    mptSortieren = action(mptListe, "mptSortieren", QStringLiteral("&Sortieren"),
                          QKeySequence(Qt::CTRL | Qt::Key_O), &TfrmGesamtdatei::mptSortierenClick);
    mptDrucken = action(mptListe, "mptDrucken", QStringLiteral("&Drucken"),
                        QKeySequence(Qt::CTRL | Qt::Key_D), &TfrmGesamtdatei::mptDruckenClick);
    // To see and choose before printing; Ctrl+D still prints at once on the default printer.
    mptDruckvorschau = action(mptListe, "mptDruckvorschau", QStringLiteral(u"Druck&vorschau…"), {},
                              &TfrmGesamtdatei::mptDruckvorschauClick);
    mptDruckenAuf = action(mptListe, "mptDruckenAuf", QStringLiteral(u"Drucken &auf…"), {},
                           &TfrmGesamtdatei::mptDruckenAufClick);
    mptAlsPdf = action(mptListe, "mptAlsPdf", QStringLiteral(u"Als &PDF speichern…"), {},
                       &TfrmGesamtdatei::mptAlsPdfClick);
    mptHilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    mptHilfe->setObjectName(QStringLiteral("mptHilfe"));
    mptTastenkuerzel = action(mptHilfe, "mptTastenkuerzel", QStringLiteral(u"&Tastenkürzel"),
                              QKeySequence(Qt::Key_F1), &TfrmGesamtdatei::mptTastenkuerzelClick);
    mptUeber = action(mptHilfe, "mptUeber", QStringLiteral(u"Ü&ber gesamt"), {},
                      &TfrmGesamtdatei::mptUeberClick);

    QList<QKeySequence> keys;
    for (const QAction* a : findChildren<QAction*>())
        keys.append(a->shortcuts());
    sgGesamt->setWindowKeys(keys);
}

void TfrmGesamtdatei::verlaufZeigen() {
    const QUndoStack& v = liste_.verlauf();
    auto zeigen = [](QAction* a, const QString& caption, bool can, const QString& step) {
        a->setEnabled(can);
        a->setText(can ? caption + QStringLiteral(": ") + step : caption);
    };
    zeigen(mptRueckgaengig, QStringLiteral(u"&Rückgängig"), v.canUndo(), v.undoText());
    zeigen(mptWiederherstellen, QStringLiteral("Wieder&herstellen"), v.canRedo(), v.redoText());
}

QToolButton* TfrmGesamtdatei::knopf(const char* name, const char* caption, const char* hint,
                                    int picture, void (TfrmGesamtdatei::*handler)()) {
    auto* b = new QToolButton;
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromUtf8(caption));
    // Hints are not shown in this window; the text is kept for accessibility.
    b->setAccessibleDescription(QString::fromUtf8(hint));
    b->setIcon(imlGesamt.at(size_t(picture)));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setFixedSize(46, 51);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, handler);
    return b;
}

void TfrmGesamtdatei::werkzeugleisteEinrichten() {
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
    auto separator = [this](const char* name) {
        tbGesamt->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    tbtEinfuegen = knopf("tbtEinfuegen", "Einfügen", "Einfügen eines neuen Namens", 2,
                         &TfrmGesamtdatei::mptEinfuegenClick);
    tbtLoeschen = knopf("tbtLoeschen", "Löschen", "Löschen des markierten Namens", 3,
                        &TfrmGesamtdatei::mptLoeschenClick);
    tbtErweitern = knopf("tbtErweitern", "Erweitern",
                         "Erweitern der Liste durch die Teilnehmer aus dem Turnier", 4,
                         &TfrmGesamtdatei::mptTurnierteilnehmereinfuegenClick);
    tbtDuplikate = knopf("tbtDuplikate", "Duplikate", "Löschen aller doppelten Einträge", 5,
                         &TfrmGesamtdatei::mptDuplikateloeschenClick);
    tbtSortieren = knopf("tbtSortieren", "Sortieren", "Alfabetisches Sortieren der Liste", 6,
                         &TfrmGesamtdatei::mptSortierenClick);
    tbtNummerieren = knopf("tbtNummerieren", "Numm.",
                           "Ersetzen der bestehenden Nummern durch eine neue Nummerierung", 7,
                           &TfrmGesamtdatei::mptNummerierenClick);
    tbtDrucken = knopf("tbtDrucken", "Drucken", "Drucken der Gesamtliste", 8,
                       &TfrmGesamtdatei::mptDruckenClick);
    tbtBeenden = knopf("tbtBeenden", "Beenden", "Beenden und Speichern", 0,
                       &TfrmGesamtdatei::mptSpeichernundBeendenClick);
    tbtAbbruch = knopf("tbtAbbruch", "Abbruch", "Beenden ohne Speichern", 1,
                       &TfrmGesamtdatei::mptAbbruchClick);
    tbGesamt->addWidget(tbtEinfuegen);
    tbGesamt->addWidget(tbtLoeschen);
    erweiternAktion_ = tbGesamt->addWidget(tbtErweitern);
    separator("ToolButton12");
    tbGesamt->addWidget(tbtDuplikate);
    tbGesamt->addWidget(tbtSortieren);
    tbGesamt->addWidget(tbtNummerieren);
    separator("ToolButton11");
    tbGesamt->addWidget(tbtDrucken);
    separator("ToolButton10");
    tbGesamt->addWidget(tbtBeenden);
    tbGesamt->addWidget(tbtAbbruch);
}

// A larger program font enlarges what holds text: the toolbar buttons, so that their captions
// show whole, and the window's first size in proportion. The usual font keeps the usual sizes.
void TfrmGesamtdatei::schriftAnpassen() {
    const QFontMetrics metrics(font()), ueblich(toQFont(TSchrift{}));
    for (QToolButton* b : tbGesamt->findChildren<QToolButton*>()) {
        // As much wider as the caption is than in the usual font, which fits it (the toolbar
        // has a size of its own).
        QFont ueblichHier = b->font();
        ueblichHier.setFamily(QString::fromStdString(TSchrift{}.name));
        const int breite = b->fontMetrics().horizontalAdvance(b->text());
        const int sonst = QFontMetrics(ueblichHier).horizontalAdvance(b->text());
        if (b->objectName().startsWith(QStringLiteral("tbt")))
            b->setFixedSize(
                std::max(46, 46 + breite - sonst),
                std::max(51, 51 + b->fontMetrics().height() - QFontMetrics(ueblichHier).height()));
    }
    const double faktor = double(metrics.height()) / ueblich.height();
    if (faktor > 1.05)
        resize(int(527 * faktor), int(430 * faktor));
}

void TfrmGesamtdatei::spaltenEinrichten() {
    sgGesamt->setColumns(GesamtSpalten());
}

bool TfrmGesamtdatei::FormCreate() {
    stateGesamt->Restore();
    liste_.bLeerzeile = false;
    setFont(toQFont(StandardFont));
    schriftAnpassen();
    // The count line grows with a larger program font, like the grid's rows.
    pnlButtons->setFixedHeight(std::max(kPanelHeight, QFontMetrics(font()).height() + 6));
    sgGesamt->setRowCount(kMaxEintraege + 1);
    sgGesamt->setColumnWidth(kSpalteName, sgGesamt->gridWidth() - sgGesamt->columnWidth(kSpalteNr) -
                                              sgGesamt->columnWidth(kSpalteDBVNr) -
                                              sgGesamt->columnWidth(kSpalteMP) - 2);
    if (sGesamtdatei.empty() && !DateiWaehlen())
        return false;
    return NamenDateiLaden();
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

bool TfrmGesamtdatei::NamenDateiLaden() {
    if (!sperreNehmen())
        return false;
    geladen_ = NamenDateiLesen(sGesamtdatei, *sgGesamt);
    if (geladen_.abgeschlossen)
        HinweisMeldung("Das letzte Speichern der Gesamt-Datei wurde unterbrochen. Es wurde "
                       "jetzt abgeschlossen");
    if (!geladen_.vorhanden)
        HinweisMeldung("Die Gesamt-Datei ist noch nicht vorhanden");
    if (!geladen_.fehler.empty())
        FehlerMeldung("Fehler beim Einlesen der Gesamtdatei: " + geladen_.fehler);
    if (geladen_.mehrAlsMaximum)
        HinweisMeldung("Die Gesamt-Datei enth\xE4lt mehr als 1000 Eintr\xE4ge. Es wurden nur "
                       "die ersten 1000 Eintr\xE4ge eingelesen");
    if (geladen_.datenNachDateiende)
        HinweisMeldung("Die Gesamt-Datei enth\xE4lt Daten nach dem Dateiende-Zeichen. Es wurden "
                       "nur die Eintr\xE4ge davor eingelesen");
    liste_.geladen(geladen_);
    ungespeichertesPruefen();
    wiederherstellung_ = std::make_unique<Wiederherstellung>(sGesamtdatei, geladen_.stand);
    liste_.sichern(wiederherstellung_.get());
    return true;
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
    erweiternAktion_->setVisible(false);
    mptTurnierteilnehmereinfuegen->setVisible(false);
    mptTurnierteilnehmereinfuegen->setEnabled(false);
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
        FormShow();
    }
}

void TfrmGesamtdatei::FormShow() {
    sgGesamt->setFocus();
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
        if (liste_.bGeaendert && !AuswahlFrage("Sollen die \xC4nderungen verworfen werden")) {
            event->ignore();
            return;
        }
    }
    FormClose();
    sitzungBeenden(true);
    event->accept();
    Q_EMIT geschlossen();
}

void TfrmGesamtdatei::FormClose() {
    stateGesamt->Save();
}

void TfrmGesamtdatei::schliessen() {
    schliessenErlaubt_ = true;
    close();
    schliessenErlaubt_ = false;
}

void TfrmGesamtdatei::mptAbbruchClick() {
    sgGesamt->commitEditor();
    if (liste_.bGeaendert && !AuswahlFrage("Sollen die \xC4nderungen verworfen werden"))
        return;
    schliessen();
}

bool TfrmGesamtdatei::speichern() {
    sgGesamt->commitEditor();
    liste_.NeueZeileVerwerfen();
    for (const std::string& frage : FragenVorDemSpeichern(geladen_, DateiStandLesen(sGesamtdatei)))
        if (!AuswahlFrage(frage))
            return false;
    try {
        if (!NamenDateiSchreiben(sGesamtdatei, *sgGesamt))
            LogZeile("Die vorige Fassung der Gesamtdatei wurde nicht gesichert: " +
                     cp1252::fromQString(
                         QFile::decodeName(QByteArray::fromStdString(sGesamtdatei + "~"))));
    } catch (const std::exception& e) {
        FehlerMeldung(std::string("Fehler beim Speichern der Gesamt-Datei: ") + e.what());
        return false;
    }
    HinweisMeldung(std::to_string(sgGesamt->rowCount() - 1) + " Eintr\xE4ge gespeichert");
    return true;
}

void TfrmGesamtdatei::mptSpeichernundBeendenClick() {
    if (speichern())
        schliessen();
}

void TfrmGesamtdatei::mptSpeichernClick() {
    if (speichern()) {
        // The file is now what the window shows: the next save compares with it, Abbruch asks
        // only about later changes, and nothing is unsaved.
        geladen_ = LadeErgebnis{};
        geladen_.stand = DateiStandLesen(sGesamtdatei);
        liste_.verlauf().setClean();
        liste_.bGeaendert = false;
        if (wiederherstellung_)
            wiederherstellung_->gespeichert(geladen_.stand);
    }
    sgGesamt->focusCell();
}

// ---- commands ----

void TfrmGesamtdatei::Einfuegen() {
    liste_.Einfuegen();
}
void TfrmGesamtdatei::Loeschen(int row) {
    liste_.Loeschen(row);
}
void TfrmGesamtdatei::Sortieren() {
    liste_.Sortieren();
}
void TfrmGesamtdatei::Erweitern(const std::vector<std::string>& teilnehmer) {
    liste_.Erweitern(teilnehmer);
}
void TfrmGesamtdatei::Drucken() {
    AufStandarddrucker(druckauftrag());
}

Druckauftrag TfrmGesamtdatei::druckauftrag() {
    auto hinweis = [this](const QString& text) { hinweisZeigen(text); };
    return {this, *sgGesamt, liste_.iAnzahl, meldungen_, sGesamtdatei, hinweis};
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

void TfrmGesamtdatei::mptTastenkuerzelClick() {
    TastenkuerzelDialog(findChildren<QAction*>(), this).exec();
    sgGesamt->focusCell();
}

void TfrmGesamtdatei::mptUeberClick() {
    UeberDialog(sGesamtdatei, this).exec();
    sgGesamt->focusCell();
}

// ---- find ----

void TfrmGesamtdatei::suchen(Gehe gehe) {
    const std::vector<Treffer> treffer =
        Suchen(*sgGesamt, liste_.iAnzahl, cp1252::fromQString(pnlSuche->edtSuche->text()));
    std::vector<std::pair<int, int>> marks;
    marks.reserve(treffer.size());
    for (const Treffer& t : treffer)
        marks.emplace_back(t.col, t.row);
    sgGesamt->setMarkedCells(marks);
    const int row = sgGesamt->currentRow();
    int i = -1;
    if (gehe == Gehe::Nicht) {
        const auto hier = std::find_if(treffer.begin(), treffer.end(),
                                       [row](const Treffer& t) { return t.row == row; });
        i = hier == treffer.end() ? -1 : int(hier - treffer.begin());
    } else {
        i = TrefferAb(treffer, row, gehe == Gehe::Zurueck, gehe == Gehe::AbHier);
    }
    // A text that finds nothing leaves no partial hit current, where Escape and typing would
    // overwrite it: the cursor goes back to where it was when the bar opened.
    const Zelle ziel = i >= 0 ? Zelle{treffer[size_t(i)].col, treffer[size_t(i)].row} : sucheStart_;
    if (gehe != Gehe::Nicht && (i >= 0 || treffer.empty()) &&
        (ziel.col != sgGesamt->currentCol() || ziel.row != row) &&
        ziel.row < sgGesamt->rowCount()) {
        // Going there opens the cell's editor; the typing stays in the field.
        const bool imFeld = pnlSuche->edtSuche->hasFocus();
        sgGesamt->setCurrentCell(ziel.col, ziel.row);
        if (imFeld)
            pnlSuche->edtSuche->setFocus();
    }
    pnlSuche->trefferZeigen(i, int(treffer.size()));
}

void TfrmGesamtdatei::sucheSchliessen() {
    pnlSuche->hide();
    sgGesamt->setMarkedCells({});
    sgGesamt->setFocus();
}

void TfrmGesamtdatei::sucheBeginnen() {
    if (!pnlSuche->isVisible())
        sucheStart_ = {sgGesamt->currentCol(), sgGesamt->currentRow()};
}

void TfrmGesamtdatei::mptSuchenClick() {
    sgGesamt->commitEditor();
    sucheBeginnen();
    pnlSuche->oeffnen();
    suchen(Gehe::Nicht);
}
void TfrmGesamtdatei::weitersuchen(Gehe gehe) {
    sgGesamt->commitEditor();
    // Nothing searched yet: the bar opens to take the text.
    if (pnlSuche->edtSuche->text().isEmpty())
        return mptSuchenClick();
    sucheBeginnen();
    pnlSuche->show();
    suchen(gehe);
}
void TfrmGesamtdatei::mptWeitersuchenClick() {
    weitersuchen(Gehe::Weiter);
}
void TfrmGesamtdatei::mptRueckwaertssuchenClick() {
    weitersuchen(Gehe::Zurueck);
}

// ---- undo ----

void TfrmGesamtdatei::mptRueckgaengigClick() {
    // Text typed into the cell becomes a step of its own first, so the latest change goes.
    sgGesamt->commitEditor();
    liste_.verlauf().undo();
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptWiederherstellenClick() {
    sgGesamt->commitEditor();
    liste_.verlauf().redo();
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptEinfuegenClick() {
    sgGesamt->commitEditor();
    Einfuegen();
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptLoeschenClick() {
    sgGesamt->commitEditor();
    std::vector<int> rows;
    for (const int r : sgGesamt->selectedRows())
        if (r <= liste_.iAnzahl)
            rows.push_back(r);
    // Several at once only after a question; one as always, without.
    if (rows.size() <= 1)
        Loeschen(sgGesamt->currentRow());
    else if (AuswahlFrage("Sollen die " + std::to_string(rows.size()) +
                          " markierten Eintr\xE4ge gel\xF6scht werden"))
        liste_.Loeschen(rows);
    sgGesamt->focusCell();
}

void TfrmGesamtdatei::blockEinfuegen(const QString& text) {
    sgGesamt->commitEditor();
    QString hinweis;
    liste_.BlockEinfuegen(EintraegeAusText(text, &hinweis));
    if (!hinweis.isEmpty())
        hinweisZeigen(hinweis);
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptTurnierteilnehmereinfuegenClick() {
    // Hidden without participants: its shortcut must do nothing then either.
    if (!slTeilnehmer || slTeilnehmer->empty())
        return;
    sgGesamt->commitEditor();
    Erweitern(*slTeilnehmer);
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptDuplikateloeschenClick() {
    sgGesamt->commitEditor();
    liste_.DuplikateLoeschen();
    sgGesamt->focusCell(); // also after "keine Duplikate", whose note took the keyboard
}
void TfrmGesamtdatei::mptNummerierenClick() {
    sgGesamt->commitEditor();
    liste_.Nummerieren();
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptSortierenClick() {
    sgGesamt->commitEditor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Restored however sorting ends.
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } back;
    Sortieren();
    sgGesamt->focusCell();
}
void TfrmGesamtdatei::mptDruckenClick() {
    Drucken();
}

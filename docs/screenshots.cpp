// Renders the pictures of docs/: dialogs and the grid, drawn offscreen with QWidget::grab().
// Usage: screenshots <output folder>

#include "app/startup.h"
#include "cells/cellstore.h"
#include "dialogs/duplikatdialog.h"
#include "dialogs/einfuegedialog.h"
#include "dialogs/einlesedialog.h"
#include "dialogs/fassungsdialog.h"
#include "editor/abgleich.h"
#include "grid/gesamtspalten.h"
#include "grid/hgeditors.h"
#include "grid/hypergrid.h"
#include "print/drucker.h"
#include "print/druckermodul.h"
#include "print/namenliste_druck.h"
#include "printer/qtdrucker.h"
#include "runlog/runlog.h"
#include "sitzung/sperre.h"
#include "sitzung/wiederherstellung.h"
#include "widgets/messages.h"
#include "widgets/suchleiste.h"
#include "window/gesamtdatei.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPalette>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QString outDir;

struct Silent : Meldungen {
    void hinweis(const std::string&) override {}
    void fehler(const std::string&) override {}
    bool frage(const std::string&) override { return true; }
};

void saveGrab(QWidget* w, const QString& name) {
    w->grab().save(outDir + u'/' + name + QStringLiteral(".png"));
}

// Grabs the next modal window once shown, then presses its first button.
void grabNextModal(const QString& name, const QString& button = QStringLiteral("btn0")) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, name, button] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        QApplication::processEvents(); // a preview draws its pages once shown
        saveGrab(w, name);
        if (auto* b = w->findChild<QAbstractButton*>(button))
            b->click();
        else
            w->close();
    });
    timer->start(50);
}

void gridWithDropDown() {
    Silent silent;
    NamenListe liste(silent);
    const char* names[] = {"Hans Meier", "Petra Schulz", "J\xFCrgen Wei\xDF", "Anna von Berg"};
    CellStore cells(7); // and two blank rows below
    for (int r = 1; r <= 4; ++r) {
        cells.setCell(0, r, std::to_string(r * 997));
        cells.setCell(1, r, names[r - 1]);
        cells.setCell(2, r, r % 2 ? "J" : "N");
        cells.setCell(3, r, std::to_string(4711 + r));
    }
    LadeErgebnis geladen;
    geladen.anzahl = 6;
    liste.laden(std::move(cells), geladen);
    THyperGrid grid(liste);
    grid.setColumns(GesamtSpalten());
    grid.setColumnWidth(1, 220);
    grid.resize(440, 190);
    grid.show();
    grid.setCurrentCell(2, 2);
    QApplication::processEvents();
    auto* combo = qobject_cast<HgComboEditor*>(grid.cellEditor());
    combo->dropDown();
    QApplication::processEvents();
    // The list is a window of its own: draw it over the grid where it stands.
    QPixmap picture = grid.grab();
    QPainter p(&picture);
    p.drawPixmap(grid.mapFromGlobal(combo->popup()->pos()), combo->popup()->grab());
    p.end();
    picture.save(outDir + QStringLiteral("/grid-dropdown.png"));
    combo->closeUp(false);
}

// The main window on a list of invented names, in a private home folder.
void mainWindow(const QString& name = QStringLiteral("main-window")) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    LogAktiv = false;
    ProgrammzustandVorbereiten();
    const char* names[] = {"Anna Berg",
                           "Bernd Fischer",
                           "Carla Hoffmann",
                           "Dr. Dieter Kr\xFCger",
                           "Erika Lange",
                           "Frank M\xFCller",
                           "Gisela Neumann",
                           "Hans Meier",
                           "Ingrid Otto",
                           "J\xFCrgen Wei\xDF",
                           "Karin Schulz",
                           "Lothar Vogel",
                           "Monika Wagner",
                           "Norbert Zimmer",
                           "Olga Richter",
                           "Peter Schmidt",
                           "Renate Koch",
                           "Stefan Bauer",
                           "Tanja Wolf",
                           "Uwe Schr\xF6"
                           "der",
                           "Vera Klein",
                           "Walter Hartmann",
                           "Xaver Huber",
                           "Yvonne Braun",
                           "Zacharias Krause",
                           "Agnes von Bredow",
                           "Bruno Lehmann",
                           "Claudia Franke",
                           "Detlef Sommer",
                           "Elke Winter"};
    std::string text = "GESAMT-DATEI\r\n";
    int i = 0;
    for (const char* name : names) {
        ++i;
        text += std::string(name) + "\t \t" + std::to_string(i * 37) + "\t" + (i % 3 ? "N" : "J") +
                "\t" + std::to_string(100400 + i * 13) + "\r\n";
    }
    const QString file = home.path() + QStringLiteral("/NAMEN.TIF");
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write(text.data(), qint64(text.size()));
    f.close();
    sGesamtdatei = file.toStdString();
    TfrmGesamtdatei frm;
    frm.FormCreate();
    frm.ErweiternVerbergen();
    frm.show();
    frm.sgGesamt->setCurrentCell(1, 4);
    QApplication::processEvents();
    saveGrab(&frm, name);
    if (name != QStringLiteral("main-window"))
        return;
    // The find bar as typed into: every name with "er" marked, the first from row 4 current.
    frm.aktion("mptSuchen")->trigger();
    frm.pnlSuche->edtSuche->setText(QStringLiteral("er"));
    QApplication::processEvents();
    saveGrab(&frm, QStringLiteral("find-bar"));
    // The preview of the printout, through the printer module as the menu opens it.
    grabNextModal(QStringLiteral("print-preview"), QStringLiteral("-"));
    frm.aktion("mptDruckvorschau")->trigger();
}

// Page 1 of a printout of 120 names, through the real printer path into a PDF.
void printout() {
    Silent silent;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("liste.pdf"));
    auto printer = QtDrucker::pdfDatei(pdf);
    const char* first[] = {"Anna", "Bernd", "Carla", "Dieter", "Erika", "Frank"};
    const char* last[] = {"Meier",   "M\xFCller", "Schulz", "von Berg",
                          "Wei\xDF", "Zander",    "Krause"};
    CellStore cells(121);
    for (int r = 1; r <= 120; ++r) {
        cells.setCell(0, r, std::to_string(r * 7));
        cells.setCell(1, r, std::string(first[r % 6]) + " " + last[r % 7]);
    }
    // Names too long for their column are cut at its edge, marked.
    cells.setCell(1, 3, "Friedrich Wilhelm Freiherr von und zu Hohenzollern-Sigmaringen");
    cells.setCell(1, 58, "Anna-Lena Mustermann-Schulze-Wei\xDF von der Hohen Warte");
    {
        DruckerAuf auf(*printer);
        Drucken(cells, 120, "08.12.2026", silent);
    }
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"),
                       QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                       QStringLiteral("1"), QStringLiteral("-singlefile"), pdf,
                       outDir + QStringLiteral("/printout-page1")});
}

// The review of probable duplicates on a list with each kind of group.
void duplicateReview() {
    const char* zeilen[][4] = {{"1",
                                "Gerd Schr\xF6"
                                "der",
                                "N", "100237"},
                               {"2", "Anna Wei\xDF", "J", ""},
                               {"3", "Hans Meier", "N", "100496"},
                               {"4",
                                "GERD SCHR\xD6"
                                "DER",
                                "N", "100237"},
                               {"5", "Anna Weiss", "J", ""},
                               {"6", "Hans Meier", "N", "100496"},
                               {"7", "Johann Meier", "N", "100496"},
                               {"8", "Hanna Meier", "N", "101347"}};
    CellStore zellen(int(std::size(zeilen)) + 1);
    for (int r = 1; r <= int(std::size(zeilen)); ++r)
        for (int c = 0; c < 4; ++c)
            zellen.setCell(c, r, zeilen[r - 1][c]);
    DuplikatDialog dialog(zellen, DuplikatePruefen(zellen, int(std::size(zeilen))), nullptr);
    dialog.show();
    QApplication::processEvents();
    saveGrab(&dialog, QStringLiteral("duplicate-review"));
}

// The example list's bytes, the list the previews are shown against.
std::string beispielText() {
    QFile beispiel(outDir + QStringLiteral("/../examples/NAMEN.TIF"));
    beispiel.open(QIODevice::ReadOnly);
    return beispiel.readAll().toStdString();
}

// The import preview: a member table matched against the example list, with every kind of row.
void importVorschau(const QString& name = QStringLiteral("import-preview")) {
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("mitglieder.csv"));
    QFile tabelle(csv);
    tabelle.open(QIODevice::WriteOnly);
    tabelle.write("Mitgliedsnummer;Titel;Vorname;Nachname;MP;Ort\r\n"
                  "100237;;Anna;Bergmann;J;K\xC3\xB6ln\r\n"
                  "100570;;J\xC3\xBCrgen;Wei\xC3\x9F;J;Bonn\r\n"
                  "100311;;Carla;Hoffmann-Brandt;G;Essen\r\n"
                  ";;Dieter;Kr\xC3\xBCger;G;D\xC3\xBCren\r\n"
                  "102000;;Paula;Neumeister;N;M\xC3\xBCnster\r\n"
                  "102037;;\xC5\x81ucja;Nowak;x;Aachen\r\n"
                  "100644;Prof. Dr.;Lothar;Vogel;N;Essen\r\n"
                  "102074;;;;N;Bonn\r\n");
    tabelle.close();
    CellStore liste(kMaxEintraege + 1);
    const int anzahl = NamenTextLesen(beispielText(), liste).anzahl;
    auto neuLesen = [csv](tabelle::Kodierung k) -> std::optional<tabelle::Ergebnis> {
        return tabelle::lesen(csv, k);
    };
    EinleseDialog dialog(QFileInfo(csv).fileName(), tabelle::lesen(csv), neuLesen, liste, anzahl,
                         nullptr);
    dialog.resize(900, 440);
    dialog.show();
    QApplication::processEvents();
    saveGrab(&dialog, name);
}

// Another name list merged into the example list: a colleague's NAMEN.TIF with a changed MP,
// a corrected spelling, a new member and a number of another person.
void namenslisteVorschau() {
    QTemporaryDir dir;
    const QString andere = dir.filePath(QStringLiteral("NAMEN.TIF"));
    QFile datei(andere);
    datei.open(QIODevice::WriteOnly);
    datei.write("GESAMT-DATEI\r\n"
                "Anna Bergmann\t \t1\tG\t100237\r\n"
                "J\xFCrgen Wei\xDF\t \t10\tJ\t100570\r\n"
                "Paula Neumeister\t \t41\tN\t102000\r\n"
                "Petra Krause\t \t42\tN\t100311\r\n");
    datei.close();
    CellStore liste(kMaxEintraege + 1);
    const int anzahl = NamenTextLesen(beispielText(), liste).anzahl;
    EinleseDialog dialog(
        QFileInfo(andere).fileName(), *NamenlisteAlsTabelle(andere),
        [](tabelle::Kodierung) { return std::optional<tabelle::Ergebnis>(); }, liste, anzahl,
        nullptr);
    dialog.resize(900, 360);
    dialog.show();
    QApplication::processEvents();
    saveGrab(&dialog, QStringLiteral("namelist-merge"));
}

// The paste preview: a block from an e-mail pasted into the example list, with a player it
// already holds and a name a spreadsheet saved with "?".
void einfuegeVorschau() {
    CellStore liste(kMaxEintraege + 1);
    const int anzahl = NamenTextLesen(beispielText(), liste).anzahl;
    EinfuegeDialog dialog(QStringLiteral(u"Name\tMP\tMitgliedsnr.\n"
                                         u"Jürgen Weiß\tj\t100570\n"
                                         u"Ay?e Demir\tN\t102100\n"
                                         u"Karl Adam\tG\t\n"),
                          liste, anzahl, nullptr);
    dialog.show();
    QApplication::processEvents();
    saveGrab(&dialog, QStringLiteral("paste-preview"));
}

// The earlier versions of the example list: one from before two entries were deleted and one
// renamed, one as it was opened, one damaged.
void fruehereFassungen() {
    const std::string text = beispielText();
    CellStore vorher(kMaxEintraege + 1), jetzt(kMaxEintraege + 1);
    const int n = NamenTextLesen(text, vorher).anzahl;
    NamenTextLesen(text, jetzt);
    for (int r = 3; r < n - 1; ++r) // two entries went
        for (int c = 0; c < CellTable::kColumns; ++c)
            jetzt.setCell(c, r, jetzt.cell(c, r + 2));
    jetzt.setCell(kSpalteMP, 1, "J");
    const Fassungsvergleicher vergleicher(jetzt, n - 2);
    const int64_t t = QDateTime(QDate(2026, 12, 10), QTime(14, 5)).toMSecsSinceEpoch();
    std::vector<Fassung> fassungen = {{"a", t, n, false, text},
                                      {"b", t - 3 * 3600000, n, false, text},
                                      {"c", t - 86400000 * 2, 0, true, {}}};
    std::map<std::string, Fassungsvergleich> zaehlungen = {
        {"a", vergleicher.vergleichen(vorher, n)}, {"b", vergleicher.vergleichen(vorher, n)}};
    FassungsDialog dialog(
        std::move(fassungen), std::move(zaehlungen),
        [&](const Fassung&) { return vergleicher.vergleichen(vorher, n); }, nullptr);
    dialog.show();
    QApplication::processEvents();
    saveGrab(&dialog, QStringLiteral("earlier-versions"));
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outDir);
    // The tool lives a folder below the program, away from the module beside it.
    druckermodul::testing::ortSetzen(GESAMT_DRUCKERMODUL);

    grabNextModal(QStringLiteral("dialog-note"));
    HinweisMeldung("1000 Eintr\xE4ge gespeichert");
    grabNextModal(QStringLiteral("dialog-question"), QStringLiteral("btn1"));
    AuswahlFrage("Sollen die \xC4nderungen verworfen werden");
    grabNextModal(QStringLiteral("dialog-error"));
    FehlerMeldung("Fehler beim Speichern der Gesamt-Datei: Zu wenig Speicherplatz");
    // The two questions before a list opens: unsaved changes after a crash, a list open
    // elsewhere.
    Wiederherstellungsdaten ungespeichert;
    ungespeichert.geaendert = QDateTime(QDate(2026, 12, 9), QTime(8, 51)).toSecsSinceEpoch();
    ungespeichert.stand.vorhanden = true;
    grabNextModal(QStringLiteral("dialog-recovery"), QStringLiteral("btn1"));
    AuswahlFrage(WiederherstellungsFrage(ungespeichert, DateiStand{}));
    Sperre fremd;
    fremd.benutzer = "petra";
    fremd.rechner = "vereinsheim";
    fremd.seit = QDateTime(QDate(2026, 12, 9), QTime(8, 5)).toSecsSinceEpoch();
    grabNextModal(QStringLiteral("dialog-lock"), QStringLiteral("btn1"));
    AuswahlFrage(SperrFrage(fremd));
    gridWithDropDown();
    duplicateReview();
    einfuegeVorschau();
    namenslisteVorschau();
    fruehereFassungen();
    importVorschau();
    mainWindow();
    printout();
    // The same window under a dark palette: the toolbar pictures read on it too.
    QPalette dunkel;
    dunkel.setColor(QPalette::Window, QColor(45, 45, 48));
    dunkel.setColor(QPalette::Button, QColor(53, 53, 56));
    dunkel.setColor(QPalette::Base, QColor(30, 30, 32));
    for (const auto rolle : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dunkel.setColor(rolle, QColor(230, 230, 230));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(dunkel);
    mainWindow(QStringLiteral("main-window-dark"));
    return 0;
}

#include "window/listenbefehle.h"

#include "cells/cellstore.h"
#include "dialogs/duplikatdialog.h"
#include "dialogs/einlesedialog.h"
#include "dialogs/fassungsdialog.h"
#include "editor/abgleich.h"
#include "editor/namenliste.h"
#include "namefile/namefile.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "settings/eigene.h"
#include "settings/settings.h"
#include "support/fileerrors.h"
#include "support/meldungen.h"
#include "tabelle/tabellenmodul.h"
#include "widgets/dateiwahl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr std::string_view kDuplikatfenster = "Duplikate";

// What the import takes, by the file's ending.
const QStringList kEinlesbar = {QStringLiteral("csv"),  QStringLiteral("txt"),
                                QStringLiteral("tsv"),  QStringLiteral("ods"),
                                QStringLiteral("xlsx"), QStringLiteral("tif")};

} // namespace

std::optional<std::vector<Planzeile>> TabelleAbgleichen(QWidget* fenster, const std::string& liste,
                                                        const NamenListe& namen,
                                                        Meldungen& meldungen) {
    const QFileInfo ort(QFile::decodeName(QByteArray::fromStdString(liste)));
    QStringList muster;
    for (const QString& endung : kEinlesbar)
        muster << QStringLiteral("*.") + endung << QStringLiteral("*.") + endung.toUpper();
    const QString pfad = DateiWaehlen(
        fenster,
        {.titel = QStringLiteral(u"Tabelle öffnen"),
         .name = QStringLiteral("tabelleDialog"),
         .filter = {QStringLiteral("Tabellen und Namenslisten (%1)").arg(muster.join(u' ')),
                    QStringLiteral("Alle Dateien (*)")},
         .ordner = ort.absolutePath()});
    if (pfad.isEmpty())
        return std::nullopt;
    return TabelleZeigen(fenster, pfad, namen, meldungen);
}

bool Einlesbar(const QString& pfad) {
    return kEinlesbar.contains(QFileInfo(pfad).suffix().toLower()) || IstNamensliste(pfad);
}

std::optional<std::vector<Planzeile>> TabelleZeigen(QWidget* fenster, const QString& pfad,
                                                    const NamenListe& namen, Meldungen& meldungen) {
    // A link another user put there could lead to a file of ours they may not read, which the
    // list would then show them once saved.
    if (const std::string fremd = FremderVerweis(QFile::encodeName(pfad).toStdString());
        !fremd.empty()) {
        meldungen.fehler("Die Tabelle kann nicht eingelesen werden: " + fremd);
        return std::nullopt;
    }
    // Another name list is read as a list is opened; only tables need the module.
    std::optional<tabelle::Ergebnis> liste2 = NamenlisteAlsTabelle(pfad);
    const bool namensliste = liste2.has_value();
    tabelle::Ergebnis gelesen = liste2 ? std::move(*liste2) : tabellenmodul::lesen(pfad);
    if (!gelesen.fehler.isEmpty()) {
        meldungen.fehler(cp1252::fromQString(gelesen.fehler));
        return std::nullopt;
    }
    auto neuLesen = [pfad](tabelle::Kodierung kodierung) -> std::optional<tabelle::Ergebnis> {
        tabelle::Ergebnis neu = tabellenmodul::lesen(pfad, kodierung);
        if (!neu.fehler.isEmpty())
            return std::nullopt;
        return neu;
    };
    EinleseDialog vorschau(QFileInfo(pfad).fileName(), std::move(gelesen), neuLesen, namen.zellen(),
                           namen.iAnzahl(), fenster);
    // The meanings chosen by hand for a table with these headings, offered again.
    const QStringList kopf = namensliste ? QStringList() : vorschau.ueberschriften();
    if (!kopf.isEmpty())
        if (const std::optional<std::vector<int>> wahl = SpaltenwahlLesen(kopf))
            vorschau.bedeutungenSetzen(*wahl);
    if (vorschau.exec() != QDialog::Accepted)
        return std::nullopt;
    if (const std::optional<std::vector<int>> wahl = vorschau.vonHandGewaehlt();
        wahl && !vorschau.ueberschriften().isEmpty())
        SpaltenwahlMerken(vorschau.ueberschriften(), *wahl);
    return vorschau.plan();
}

std::optional<std::vector<int>> DuplikateZeigen(QWidget* fenster, const NamenListe& namen,
                                                Meldungen& meldungen) {
    const std::vector<Duplikatgruppe> gruppen = DuplikatePruefen(namen.zellen(), namen.iAnzahl());
    if (gruppen.empty()) {
        meldungen.hinweis("Es wurden keine wahrscheinlichen Duplikate gefunden");
        return std::nullopt;
    }
    DuplikatDialog dialog(namen.zellen(), gruppen, fenster);
    // As large as the user left it, within the screen it shows on now.
    if (const std::optional<Fenstergroesse> g = FenstergroesseLesen(kDuplikatfenster)) {
        const QRect schirm =
            (fenster ? fenster->screen() : QGuiApplication::primaryScreen())->availableGeometry();
        dialog.resize(std::min(g->breite, schirm.width()), std::min(g->hoehe, schirm.height()));
    }
    const bool genommen = dialog.exec() == QDialog::Accepted;
    FenstergroesseMerken(kDuplikatfenster, {dialog.width(), dialog.height()});
    if (!genommen)
        return std::nullopt;
    return dialog.angehakt();
}

std::optional<QString> AlsTabelleSpeichern(QWidget* fenster, const std::string& liste,
                                           const NamenListe& namen, Meldungen& meldungen) {
    const QFileInfo ort(QFile::decodeName(QByteArray::fromStdString(liste)));
    const QString pfad = DateiWaehlen(
        fenster,
        {.titel = QStringLiteral("Als Tabelle speichern"),
         .name = QStringLiteral("tabelleSpeichernDialog"),
         .modus = QFileDialog::AcceptSave,
         .filter = {QStringLiteral("OpenDocument-Tabellen (*.ods)"),
                    QStringLiteral("Excel-Tabellen (*.xlsx)"),
                    QStringLiteral("CSV-Dateien (*.csv)")},
         .ordner = ort.absolutePath(),
         .vorschlag = ort.completeBaseName() + QStringLiteral(".ods"),
         .endung = QStringLiteral("ods"),
         .endungen = {QStringLiteral("ods"), QStringLiteral("xlsx"), QStringLiteral("csv")}});
    if (pfad.isEmpty())
        return std::nullopt;
    if (const std::string fremd = FremderVerweis(QFile::encodeName(pfad).toStdString());
        !fremd.empty()) {
        meldungen.fehler("Die Tabelle kann nicht gespeichert werden: " + fremd);
        return std::nullopt;
    }
    const std::vector<tabelle::Schreibzeile> zeilen =
        TabellenZeilen(namen.zellen(), namen.iAnzahl());
    const tabelle::Geschrieben g = tabellenmodul::schreiben(
        pfad, {.blatt = ort.completeBaseName(), .kopf = TabellenKopf(), .zeilen = zeilen});
    if (!g.ok()) {
        const QString warum = g.fehler.isEmpty()
                                  ? cp1252::toQString(DateiFehlerAusErrno(g.systemfehler).what())
                                  : g.fehler;
        meldungen.fehler(cp1252::fromQString(
            QStringLiteral("Die Tabelle kann nicht gespeichert werden: ") + warum));
        return std::nullopt;
    }
    return QStringLiteral("%1 als Tabelle gespeichert: %2")
        .arg(EintraegeText(qsizetype(zeilen.size())), pfad);
}

std::optional<FassungsWahl> FassungWaehlen(QWidget* fenster, const std::string& liste,
                                           const NamenListe& namen, Meldungen& meldungen) {
    // The counts of every version while it is read; the differences of the one chosen.
    const Fassungsvergleicher vergleicher(namen.zellen(), namen.iAnzahl());
    std::map<std::string, Fassungsvergleich> zaehlungen;
    std::vector<Fassung> fassungen =
        FassungenLesen(liste, [&](const Fassung& f, const CellTable& zellen) {
            zaehlungen.emplace(f.datei, vergleicher.vergleichen(zellen, f.anzahl, true));
        });
    auto vergleichen = [&vergleicher](const Fassung& f) {
        CellStore zellen(kMaxEintraege + 1);
        const int anzahl = NamenTextLesen(f.text, zellen).anzahl;
        return vergleicher.vergleichen(zellen, anzahl);
    };
    if (fassungen.empty()) {
        meldungen.hinweis("Von dieser Liste gibt es noch keine fr\xFCheren Fassungen: sie werden "
                          "bei jedem Speichern angelegt");
        return std::nullopt;
    }
    FassungsDialog dialog(std::move(fassungen), std::move(zaehlungen), vergleichen, fenster);
    if (dialog.exec() != QDialog::Accepted || (!dialog.ganz() && dialog.unterschiede().empty()))
        return std::nullopt;
    return FassungsWahl{dialog.gewaehlt().text, dialog.ganz(), dialog.unterschiede()};
}

std::optional<std::string> SpeicherzielWaehlen(QWidget* fenster, const std::string& liste,
                                               Meldungen& meldungen) {
    const QFileInfo ort(QFile::decodeName(QByteArray::fromStdString(liste)));
    QString ordner = paths::localPath(Setting.Programmverzeichnis);
    // The program folder is where lists are kept; where it cannot be one, the home folder.
    if (!QDir().mkpath(ordner) || !QFileInfo(ordner).isDir())
        ordner = QDir::homePath();
    const QString pfad =
        DateiWaehlen(fenster, {.titel = QStringLiteral("Speichern unter"),
                               .name = QStringLiteral("speichernUnterDialog"),
                               .modus = QFileDialog::AcceptSave,
                               .filter = {QStringLiteral("GESAMT-Dateien (*.TIF *.tif)")},
                               .ordner = ordner,
                               .vorschlag = ort.fileName(),
                               .endung = QStringLiteral("TIF")});
    if (pfad.isEmpty())
        return std::nullopt;
    const std::string ziel = QFile::encodeName(pfad).toStdString();
    if (const std::string fremd = FremderVerweis(ziel); !fremd.empty()) {
        meldungen.fehler("Die Gesamt-Datei kann dort nicht gespeichert werden: " + fremd);
        return std::nullopt;
    }
    return ziel;
}

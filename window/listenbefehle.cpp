#include "window/listenbefehle.h"

#include "dialogs/duplikatdialog.h"
#include "dialogs/einlesedialog.h"
#include "editor/namenliste.h"
#include "platform/cp1252.h"
#include "tabelle/tabellenmodul.h"
#include "widgets/dateiwahl.h"

#include <QFile>
#include <QFileInfo>

std::optional<std::vector<Planzeile>> TabelleAbgleichen(QWidget* fenster, const std::string& liste,
                                                        const NamenListe& namen,
                                                        Meldungen& meldungen) {
    const QFileInfo ort(QFile::decodeName(QByteArray::fromStdString(liste)));
    const QString pfad = DateiWaehlen(
        fenster, {.titel = QStringLiteral(u"Tabelle öffnen"),
                  .name = QStringLiteral("tabelleDialog"),
                  .filter = {QStringLiteral("Tabellen (*.csv *.txt *.tsv *.ods *.xlsx)"),
                             QStringLiteral("Alle Dateien (*)")},
                  .ordner = ort.absolutePath()});
    if (pfad.isEmpty())
        return std::nullopt;
    tabelle::Ergebnis gelesen = tabellenmodul::lesen(pfad);
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
    if (vorschau.exec() != QDialog::Accepted)
        return std::nullopt;
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
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.angehakt();
}

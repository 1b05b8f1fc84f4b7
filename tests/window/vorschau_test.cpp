// The two previews on a real X display, answered by the keyboard: a pasted block and a member
// table go into the list only through Enter, and Escape leaves it as it was.

#include "dialogs/einfuegedialog.h"
#include "dialogs/einlesedialog.h"
#include "tests/window/editor_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMimeData>
#include <QTableView>
#include <QUrl>
#include <cstring>

namespace {

// Answers the next preview of that class with the key, after noting what its choosers say.
template <typename Dialog>
void antworten(Qt::Key key, QStringList* bedeutungen = nullptr, QString* info = nullptr) {
    onModalOf<Dialog>([key, bedeutungen, info](Dialog* d) {
        for (int c = 0; bedeutungen && c < d->vorschau()->spalten(); ++c)
            *bedeutungen << d->vorschau()->waehler(c)->currentText();
        if (info)
            *info = d->template findChild<QLabel*>(QStringLiteral("info"))->text();
        activate(d); // the key goes where the keyboard is once the dialog has it
        QTest::keyClick(QApplication::focusWidget(), key);
    });
}

// After a preview the keyboard goes back to the cell.
bool imGitter(TfrmGesamtdatei& frm) {
    activate(&frm);
    return QTest::qWaitFor([&frm] {
        QWidget* zelle = frm.sgGesamt->cellEditor();
        return zelle && zelle->isAncestorOf(QApplication::focusWidget());
    });
}

QString quelle(const char* pfad) {
    return QStringLiteral(QUELLE "/") + QLatin1String(pfad);
}

} // namespace

TEST_F(Editor, CtrlVOfABlockWithHeadingsShowsThePreviewAndEnterInsertsItBeforeTheCurrentRow) {
    open(liste(2));
    QApplication::clipboard()->setText(
        QStringLiteral(u"Name\tMP\tMitgliedsnr.\r\nAnna Berg\tj\t4711\r\nŁukasz Nowak\tN\t0815\r\n"
                       u"Spieler 1\tN\t101\r\n"));
    frm->sgGesamt->setCurrentCell(2, 2); // the MP column's editor hands a block on too
    QApplication::processEvents();
    antworten<EinfuegeDialog>(Qt::Key_Escape);
    ctrl(Qt::Key_V);
    ASSERT_TRUE(imGitter(*frm));
    EXPECT_EQ(frm->liste().verlauf().count(), 0);
    EXPECT_EQ(cell(2, 2), "N");

    // The player already in the list is shown so, not ticked, and not taken in again.
    QStringList bedeutungen;
    QString info;
    antworten<EinfuegeDialog>(Qt::Key_Return, &bedeutungen, &info);
    ctrl(Qt::Key_V);
    EXPECT_EQ(bedeutungen, (QStringList{QStringLiteral("Name"), QStringLiteral("MP"),
                                        QStringLiteral("Mitgliedsnr.")}));
    EXPECT_EQ(info, QStringLiteral(u"2 Einträge werden vor der aktuellen Zeile eingefügt. 1 "
                                   u"Eintrag nicht angehakt."));
    EXPECT_EQ(label(), QStringLiteral(u"4 Einträge"));
    EXPECT_EQ(frm->liste().verlauf().count(), 1);

    // From the row for a new entry below the list, after the last entry.
    ASSERT_TRUE(imGitter(*frm));
    frm->sgGesamt->setCurrentCell(1, 4);
    QApplication::processEvents();
    key(Qt::Key_Down);
    QApplication::clipboard()->setText(QStringLiteral("Carla Hoffmann\tG\n"));
    antworten<EinfuegeDialog>(Qt::Key_Return);
    ctrl(Qt::Key_V);
    ASSERT_TRUE(imGitter(*frm));
    EXPECT_EQ(cell(1, 5), "Carla Hoffmann");

    DialogAnswerer answers;
    ctrl(Qt::Key_S);
    // New entries are numbered on from the highest number.
    EXPECT_EQ(readBytes(file), "GESAMT-DATEI\r\nSpieler 1\t \t1\tN\t101\r\n"
                               "Anna Berg\t \t3\tJ\t4711\r\nLukasz Nowak\t \t4\tN\t0815\r\n"
                               "Spieler 2\t \t2\tN\t102\r\nCarla Hoffmann\t \t5\tG\t\r\n");
}

// From the menu by the keyboard, on the table a spreadsheet program made for the example list.
TEST_F(Editor, AusTabelleEinlesenShowsWhatHappensToEachRowAndEnterTakesItAsOneStep) {
    const std::string beispiel = readBytes(quelle("examples/NAMEN.TIF"));
    open(beispiel);
    const QString xlsx = env.path(QStringLiteral("abgleich.xlsx")); // beside the list
    ASSERT_TRUE(QFile::copy(quelle("tests/tabelle/abgleich.xlsx"), xlsx));
    QStringList aktionen, zusammenfassungen;
    for (const Qt::Key taste : {Qt::Key_Escape, Qt::Key_Return}) {
        aktionen.clear();
        onNextModal([&, taste](QWidget* w) {
            auto* dateien = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dateien, nullptr);
            EXPECT_EQ(dateien->directory().absolutePath(), env.home());
            onModalOf<EinleseDialog>([&, taste](EinleseDialog* d) {
                for (int r = 0; r < d->vorschau()->tabelle()->model()->rowCount(); ++r)
                    aktionen << d->vorschau()->tabelle()->model()->index(r, 1).data().toString();
                activate(d);
                // The summary follows a tick taken away and set again.
                const auto info = [d] { // its first sentence
                    const QString t = d->findChild<QLabel*>(QStringLiteral("info"))->text();
                    return t.left(t.indexOf(QStringLiteral(". ")));
                };
                for (const Qt::Key k : {Qt::Key_Down, Qt::Key_Space}) // anywhere in the row
                    QTest::keyClick(QApplication::focusWidget(), k);
                zusammenfassungen << info();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                zusammenfassungen << info();
                QTest::keyClick(QApplication::focusWidget(), taste);
            });
            activate(dateien); // the name typed as the user types it
            typeText(QApplication::focusWidget(), QStringLiteral("abgleich.xlsx"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        activate(frm.get());
        key(Qt::Key_L, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_E);
        ASSERT_TRUE(QTest::qWaitFor([&] { return aktionen.size() == 5; }));
        QApplication::processEvents();
        EXPECT_EQ(frm->liste().verlauf().count(), taste == Qt::Key_Escape ? 0 : 1);
    }
    EXPECT_EQ(aktionen, (QStringList{QStringLiteral(u"übersprungen"), QStringLiteral(u"geändert"),
                                     QStringLiteral(u"unverändert"), QStringLiteral("neu"),
                                     QStringLiteral(u"geändert")}));
    EXPECT_EQ(zusammenfassungen.value(0),
              QStringLiteral(u"„abgleich.xlsx“: 1 neu, 1 geändert, 1 unverändert, 1 übersprungen, "
                             u"1 nicht angehakt"));
    EXPECT_EQ(zusammenfassungen.value(1),
              QStringLiteral(u"„abgleich.xlsx“: 1 neu, 2 geändert, 1 unverändert, 1 übersprungen"));
    EXPECT_EQ(frm->lblHinweis->text(),
              QStringLiteral(u"1 Eintrag hinzugefügt, 2 Einträge geändert"));
    EXPECT_EQ(frm->aktion("mptRueckgaengig")->text(),
              QStringLiteral(u"&Rückgängig: Aus Tabelle einlesen"));

    DialogAnswerer answers;
    ctrl(Qt::Key_S);
    std::string erwartet = beispiel;
    for (const auto& [alt, neu] : {std::pair{"Bergmann\t \t1\tN", "Bergmann\t \t1\tJ"},
                                   std::pair{"Kr\xFCger\t \t4\tN", "Kr\xFCger\t \t4\tG"}})
        erwartet.replace(erwartet.find(alt), std::strlen(alt), neu);
    erwartet += "Paula Neumeister\t \t41\tN\t102000\r\n";
    EXPECT_EQ(readBytes(file), erwartet);
}

// From the menu by the keyboard, with a name still being typed: the list written as XLSX beside
// it holds that name, and taken in again it changes nothing.
TEST_F(Editor, AlsTabelleSpeichernWritesTheListSoThatTakingItInAgainChangesNothing) {
    open(readBytes(quelle("examples/NAMEN.TIF")));
    activate(frm.get());
    key(Qt::Key_Tab); // from the Nr. to the name
    typeText(QApplication::focusWidget(), QStringLiteral("Anna Bergmann jun."));
    QString vorschlag;
    const auto speichern = [&](QWidget* w) {
        auto* dateien = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dateien, nullptr);
        EXPECT_EQ(dateien->directory().absolutePath(), env.home());
        vorschlag = dateien->selectedFiles().value(0);
        activate(dateien);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        typeText(QApplication::focusWidget(), QStringLiteral("liste.xlsx"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    const auto menue = [this](Qt::Key taste) {
        activate(frm.get());
        key(Qt::Key_L, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
        QTest::keyClick(QApplication::activePopupWidget(), taste);
    };
    onNextModal(speichern);
    menue(Qt::Key_B);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frm->lblHinweis->text().isEmpty(); }));
    EXPECT_EQ(QFileInfo(vorschlag).fileName(), QStringLiteral("NAMEN.ods"));
    const QString xlsx = env.path(QStringLiteral("liste.xlsx"));
    EXPECT_EQ(frm->lblHinweis->text(),
              QStringLiteral(u"40 Einträge als Tabelle gespeichert: ") + xlsx);

    QStringList aktionen;
    onNextModal([&](QWidget* w) {
        onModalOf<EinleseDialog>([&](EinleseDialog* d) {
            for (int r = 0; r < d->vorschau()->tabelle()->model()->rowCount(); ++r)
                aktionen << d->vorschau()->tabelle()->model()->index(r, 1).data().toString();
            activate(d);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        activate(w);
        typeText(QApplication::focusWidget(), QStringLiteral("liste.xlsx"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    menue(Qt::Key_E);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !aktionen.isEmpty(); }));
    EXPECT_EQ(aktionen, QStringList{QStringLiteral(u"übersprungen")} + // the heading row
                            QStringList(40, QStringLiteral(u"unverändert")));
    EXPECT_EQ(cell(1, 1), "Anna Bergmann jun.");
}

// A table dropped on the window is taken in through the preview; other files are refused.
TEST_F(Editor, ATableDroppedOnTheWindowIsTakenInThroughThePreviewAndAPictureIsRefused) {
    const std::string beispiel = readBytes(quelle("examples/NAMEN.TIF"));
    open(beispiel);
    ablegen(frm.get(), quelle("docs/main-window.png"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frm->lblHinweis->text().isEmpty(); }));
    EXPECT_EQ(frm->lblHinweis->text(),
              QStringLiteral(u"Abgelegt werden kann eine Tabelle (CSV, ODS, XLSX) oder eine "
                             u"Namensliste, eine Datei auf einmal."));

    const QString csv = env.path(QStringLiteral("verein.csv"));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Mitgliedsnummer;Name;MP\r\n100237;Anna Bergmann;G\r\n");
    f.close();
    antworten<EinleseDialog>(Qt::Key_Return);
    ablegen(frm.get(), csv);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->liste().verlauf().count() == 1; }));
    EXPECT_EQ(cell(2, 1), "G");
    EXPECT_EQ(frm->lblHinweis->text(),
              QStringLiteral(u"0 Einträge hinzugefügt, 1 Eintrag geändert"));
    EXPECT_EQ(cell(1, 1), "Anna Bergmann"); // the path was not typed into the cell
}

// A table longer than the list can take shows the rows of a full list and a tail, and says how
// many it left out.
TEST_F(Editor, ATableLongerThanTheListCanTakeSaysHowManyRowsThePreviewLeftOut) {
    open(liste(2));
    const QString csv = env.path(QStringLiteral("gross.csv"));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Mitgliedsnummer;Name;MP\r\n");
    for (int i = 1; i <= 1200; ++i)
        f.write(QByteArray::number(200000 + i) + ";Spieler " + QByteArray::number(i) + ";N\r\n");
    f.close();
    QString info;
    int zeilen = 0;
    onModalOf<EinleseDialog>([&](EinleseDialog* d) {
        info = d->findChild<QLabel*>(QStringLiteral("info"))->text();
        zeilen = d->vorschau()->tabelle()->model()->rowCount();
        activate(d);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    ablegen(frm.get(), csv);
    ASSERT_TRUE(QTest::qWaitFor([&] { return zeilen > 0; }));
    EXPECT_EQ(zeilen, 1100);
    EXPECT_TRUE(info.endsWith(QStringLiteral(u" 101 weitere Zeilen wurden weggelassen: die Liste "
                                             u"hat höchstens 1000 Einträge.")))
        << info.toStdString();
    EXPECT_EQ(frm->liste().verlauf().count(), 0);
}

// A meaning chosen by hand for a column is offered again for the next table with the same
// headings; another name list shows neither its made-up heading row nor choosers.
TEST_F(Editor, ColumnMeaningsChosenByHandComeBackAndANameListNeedsNone) {
    open(readBytes(quelle("examples/NAMEN.TIF")));
    const QString csv = env.path(QStringLiteral("verein.csv"));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Mitgliedsnummer;Spieler;Stufe\r\n100237;Anna Bergmann;G\r\n");
    f.close();
    QStringList vorher, nachher;
    bool beantwortet = false;
    onModalOf<EinleseDialog>([&](EinleseDialog* d) {
        vorher << d->vorschau()->waehler(0)->currentText();
        activate(d);
        for (int i = 0; i < 3; ++i) // back from the rows to the first column's chooser
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home); // "nicht übernehmen"
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        beantwortet = true;
    });
    ablegen(frm.get(), csv);
    ASSERT_TRUE(QTest::qWaitFor([&] { return beantwortet; }));
    antworten<EinleseDialog>(Qt::Key_Escape, &nachher);
    ablegen(frm.get(), csv);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !nachher.isEmpty(); }));
    EXPECT_EQ(vorher, QStringList{QStringLiteral("Mitgliedsnr.")});
    EXPECT_EQ(nachher.value(0), QStringLiteral(u"nicht übernehmen"));

    const QString andere = env.path(QStringLiteral("KOLLEGE.TIF"));
    writeBytes(andere, "GESAMT-DATEI\r\nAnna Bergmann\t \t1\tG\t100237\r\n");
    QString info;
    bool waehlerDa = true, kopfDa = true;
    onModalOf<EinleseDialog>([&](EinleseDialog* d) {
        waehlerDa = d->vorschau()->waehler(0)->isVisible();
        kopfDa = !d->vorschau()->tabelle()->isRowHidden(0);
        info = d->findChild<QLabel*>(QStringLiteral("info"))->text();
        d->reject();
    });
    ablegen(frm.get(), andere);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !info.isEmpty(); }));
    EXPECT_FALSE(waehlerDa);
    EXPECT_FALSE(kopfDa);
    EXPECT_TRUE(info.startsWith(QStringLiteral(u"„KOLLEGE.TIF“: 1 geändert.")))
        << info.toStdString();
}

// Keyboard flows where a name once went astray: each types as the user does, into the widget
// that has the focus, on a real X display.

#include "dialogs/duplikatdialog.h"
#include "dialogs/einfuegedialog.h"
#include "platform/cp1252.h"
#include "tests/window/editor_fixture.h"
#include "widgets/messages.h"
#include "widgets/suchleiste.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSet>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

// What the note says was taken is what the list holds once the cell is left, and what is saved,
// however the text ends: the line editor once forgot the typing when a letter was replaced.
TEST_F(Editor, WhatTheNoteSaysWasTakenIsWhatTheListHoldsAndSavesHoweverTheTextEnds) {
    struct Fall {
        const char16_t* eingabe; // typed, or pasted with Ctrl+V when it holds a line end
        const char* zelle;
        const char16_t* hinweis;
    };
    const Fall faelle[] = {
        {u"Łukasz Wiśniewski", "Lukasz Wisniewski", u"„ś“ wurde als „s“ übernommen"},
        {u"Petrović", "Petrovic", u"„ć“ wurde als „c“ übernommen"},
        {u"Xı", "Xi", u"„ı“ wurde als „i“ übernommen"},
        {u"Dő中", "Do", u"„中“ wurde weggelassen: die Gesamt-Datei kann es nicht speichern"},
        {u"ŁŞ", "LS", u"„Ş“ wurde als „S“ übernommen"},
        {u"Krüger\r\n", "Kr\xFCger", u""},
        {u"Krüger\n", "Kr\xFCger", u""},
        {u"Kr\x01üger", "Kr\xFCger",
         u"Steuerzeichen wurde weggelassen: die Gesamt-Datei kann es nicht speichern"},
    };
    open(liste(int(std::size(faelle))));
    int row = 0;
    for (const Fall& f : faelle) {
        const QString eingabe = QString::fromUtf16(f.eingabe);
        SCOPED_TRACE(eingabe.toStdString());
        frm->sgGesamt->setCurrentCell(1, ++row);
        QApplication::processEvents();
        if (eingabe.contains(u'\n') || eingabe.contains(u'\x01')) {
            QGuiApplication::clipboard()->setText(eingabe);
            ctrl(Qt::Key_V);
        } else {
            typeText(QApplication::focusWidget(), eingabe);
        }
        const int schritte = frm->liste().verlauf().index();
        key(Qt::Key_Return);
        EXPECT_EQ(cell(1, row), f.zelle);
        EXPECT_EQ(frm->liste().verlauf().index(), schritte + 1);
        if (*f.hinweis) {
            EXPECT_EQ(frm->lblHinweis->text(), QString::fromUtf16(f.hinweis));
        }
    }
    EXPECT_TRUE(frm->liste().bGeaendert());

    // Undo takes the typing back first, before any step of the list.
    const int schritte = frm->liste().verlauf().index();
    typeName(1, QStringLiteral(u"Nować"));
    ctrl(Qt::Key_Z);
    key(Qt::Key_Return);
    EXPECT_EQ(frm->liste().verlauf().index(), schritte);
    EXPECT_EQ(cell(1, 1), "Lukasz Wisniewski");

    DialogAnswerer answers;
    ctrl(Qt::Key_S);
    const std::string saved = readBytes(file);
    row = 0;
    for (const Fall& f : faelle)
        EXPECT_NE(saved.find(std::string(f.zelle) + "\t \t" + std::to_string(++row) + "\t"),
                  std::string::npos)
            << f.zelle;
}

TEST_F(Editor, TabStopsAtTheEndsOfTheListInsteadOfGoingRound) {
    open(liste(3));
    frm->sgGesamt->setCurrentCell(0, 3);
    QApplication::processEvents();
    key(Qt::Key_Down); // the row for a new entry
    ASSERT_EQ(frm->sgGesamt->currentRow(), 4);
    for (int i = 0; i < 5; ++i)
        key(Qt::Key_Tab);
    EXPECT_EQ(frm->sgGesamt->currentRow(), 4);
    EXPECT_EQ(frm->sgGesamt->currentCol(), 3);
    EXPECT_EQ(frm->sgGesamt->rowCount(), 5);
    typeText(QApplication::focusWidget(), QStringLiteral("Neu Ende"));
    frm->sgGesamt->setCurrentCell(0, 1);
    QApplication::processEvents();
    key(Qt::Key_Backtab, Qt::ShiftModifier); // what X11 makes of Shift+Tab
    EXPECT_EQ(frm->sgGesamt->currentRow(), 1);
    EXPECT_EQ(frm->sgGesamt->currentCol(), 0);
    EXPECT_EQ(cell(0, 1), "1"); // player 1 untouched
    EXPECT_EQ(cell(3, 4), "Neu Ende");
}

TEST_F(Editor, AFindTextWithoutHitsPutsTheCursorBackWhereTheBarOpened) {
    open("GESAMT-DATEI\r\nBerg\t \t1\tN\t\r\nOtto\t \t2\tN\t\r\nAnne-Marie K\xFChn\t \t3\tN\t\r\n");
    frm->sgGesamt->setCurrentCell(1, 2);
    QApplication::processEvents();
    ctrl(Qt::Key_F);
    typeText(QApplication::focusWidget(), QStringLiteral(u"kühn"));
    EXPECT_EQ(frm->sgGesamt->currentRow(), 3);
    typeText(QApplication::focusWidget(), QStringLiteral("el"));
    EXPECT_EQ(frm->pnlSuche->lblTreffer->text(), QStringLiteral("Keine Treffer"));
    EXPECT_EQ(frm->sgGesamt->currentRow(), 2);
    EXPECT_EQ(frm->sgGesamt->currentCol(), 1);
    EXPECT_FALSE(marked(1, 3));
    key(Qt::Key_Escape);
    typeText(QApplication::focusWidget(), QStringLiteral("Neu"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(1, 2), "Neu");
    EXPECT_EQ(cell(1, 3), "Anne-Marie K\xFChn");
}

TEST_F(Editor, RightOrLeftOnArrivalLeavesTheCellAndOnlyTheCurrentCellLooksSelected) {
    open(liste(3));
    frm->sgGesamt->setCurrentCell(0, 1); // "1", selected on arrival
    QApplication::processEvents();
    key(Qt::Key_Right);
    EXPECT_EQ(frm->sgGesamt->currentCol(), 1);
    key(Qt::Key_Left);
    EXPECT_EQ(frm->sgGesamt->currentCol(), 0);
    typeText(QApplication::focusWidget(), QStringLiteral("7"));
    key(Qt::Key_Return);
    EXPECT_EQ(cell(0, 1), "7");

    // A command acting on another row leaves no other cell painted as selected.
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_Down);
    ctrl(Qt::Key_L);
    const QModelIndexList selected = frm->sgGesamt->selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0], frm->sgGesamt->currentIndex());
    ctrl(Qt::Key_E);
    EXPECT_EQ(frm->sgGesamt->selectionModel()->selectedIndexes(),
              QModelIndexList{frm->sgGesamt->currentIndex()});
}

TEST_F(Editor, AfterDuplicatesFromTheMenuFindNoneTheCellHasTheKeyboard) {
    open(liste(3));
    frm->sgGesamt->setCurrentCell(1, 3);
    QApplication::processEvents();
    DialogAnswerer answers;
    activate(frm.get());
    key(Qt::Key_B, Qt::AltModifier); // menu Bearbeiten, item Duplikate löschen
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_D);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.texts.empty(); }));
    EXPECT_EQ(answers.texts.back(), QStringLiteral("Es wurden keine Duplikate gefunden"));
    activate(frm.get());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->sgGesamt->cellEditor() != nullptr; }));
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    ctrl(Qt::Key_L);
    EXPECT_EQ(cell(1, 1), "Spieler 2");
    EXPECT_EQ(cell(1, 2), "Spieler 3");

    // A menu left with Escape gives the keys back to the cell as well.
    key(Qt::Key_B, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    key(Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->sgGesamt->cellEditor() != nullptr; }, 2000));
    key(Qt::Key_Down);
    EXPECT_EQ(frm->sgGesamt->currentRow(), 2);
}

TEST_F(Editor, CtrlYRedoesTypingUndoneInTheCell) {
    open(liste(3));
    typeName(2, QStringLiteral("Zelda"));
    ctrl(Qt::Key_Z);
    auto* edit = qobject_cast<QLineEdit*>(frm->sgGesamt->cellEditor());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("Spieler 2"));
    ctrl(Qt::Key_Y);
    EXPECT_EQ(edit->text(), QStringLiteral("Zelda"));
    DialogAnswerer answers;
    ctrl(Qt::Key_S);
    EXPECT_NE(readBytes(file).find("Zelda\t \t2\t"), std::string::npos);
}

TEST_F(Editor, EveryMenuHasEachAcceleratorOnce) {
    open(liste(1));
    QSet<QChar> menus;
    for (QAction* menu : frm->menuBar()->actions()) {
        const QString title = menu->text();
        EXPECT_FALSE(menus.contains(title.at(title.indexOf(u'&') + 1).toLower()))
            << title.toStdString();
        menus.insert(title.at(title.indexOf(u'&') + 1).toLower());
        QSet<QChar> keys;
        for (const QAction* item : menu->menu()->actions()) {
            const qsizetype amp = item->text().indexOf(u'&');
            if (item->isSeparator() || amp < 0)
                continue;
            const QChar k = item->text().at(amp + 1).toLower();
            EXPECT_FALSE(keys.contains(k)) << item->text().toStdString();
            keys.insert(k);
        }
    }
}

// Ctrl+L deletes the current row only, whatever is selected, as it always did; the marked rows
// have a command of their own that asks first.
TEST_F(Editor, ShiftDownSelectsRowsThatCtrlCCopiesAndCtrlShiftLDeletesAfterOneQuestion) {
    open(liste(7));
    frm->sgGesamt->setCurrentCell(1, 2);
    QApplication::processEvents();
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(frm->sgGesamt->selectedRows(), (std::vector<int>{2, 3, 4}));
    ctrl(Qt::Key_C);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("2\tSpieler 2\tN\t102\n3\tSpieler 3\tN\t103\n4\tSpieler 4\tN\t104\n"));
    DialogAnswerer answers(QStringLiteral("btn0")); // "Ja"
    ctrl(Qt::Key_L);
    EXPECT_TRUE(answers.texts.empty());
    EXPECT_EQ(label(), QStringLiteral(u"6 Einträge"));
    EXPECT_EQ(cell(1, 3), "Spieler 3"); // only the current row went
    key(Qt::Key_Up, Qt::ShiftModifier); // a new marking starts at the cursor
    EXPECT_EQ(frm->sgGesamt->selectedRows(), (std::vector<int>{3, 4}));
    ctrl(Qt::Key_Z);
    frm->sgGesamt->setCurrentCell(1, 2);
    QApplication::processEvents();
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0],
              QStringLiteral(u"Sollen die 3 markierten Einträge gelöscht werden?"));
    EXPECT_EQ(label(), QStringLiteral(u"4 Einträge"));
    EXPECT_EQ(cell(1, frm->sgGesamt->currentRow()), "Spieler 5"); // next after
    EXPECT_EQ(frm->aktion("mptRueckgaengig")->text(),
              QStringLiteral(u"&Rückgängig: Markierte Einträge löschen"));
    ctrl(Qt::Key_Z); // one step
    EXPECT_EQ(label(), QStringLiteral(u"7 Einträge"));
    EXPECT_EQ(cell(1, 3), "Spieler 3");
}

TEST_F(Editor, CtrlVOfSeveralLinesInsertsThemAsEntriesAndOneLineStaysInTheCell) {
    open(liste(2));
    frm->sgGesamt->setCurrentCell(1, 2);
    QApplication::processEvents();
    QApplication::clipboard()->setText(QStringLiteral(u"Anna Berg\nŁukasz Nowak\n"));
    onModalOf<EinfuegeDialog>([](EinfuegeDialog* d) {
        activate(d);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    ctrl(Qt::Key_V);
    EXPECT_EQ(label(), QStringLiteral(u"4 Einträge"));
    EXPECT_EQ(cell(1, 2), "Anna Berg");
    EXPECT_EQ(cell(1, 3), "Lukasz Nowak");
    EXPECT_EQ(cell(1, 4), "Spieler 2");
    QApplication::clipboard()->setText(QStringLiteral("Carla"));
    ctrl(Qt::Key_V);
    key(Qt::Key_Return);
    EXPECT_EQ(cell(1, 2), "Carla"); // typed over the selected name
    EXPECT_EQ(label(), QStringLiteral(u"4 Einträge"));
}

// A megabyte line pasted into a cell: the cell takes what a table cell can hold, at once, and
// the note says what was left out; a block with such a line is cut in its preview alike.
TEST_F(Editor, CtrlVOfAMegabyteLineTakesWhatACellHoldsAtOnceAndTheNoteSaysWhatWasLeftOut) {
    const QString lang = QStringLiteral("Meier ").repeated((1 << 20) / 6); // 1048572 characters
    struct Fall {
        QString zwischenablage;
        QString zelle;
        QString hinweis; // empty: none
    };
    const Fall faelle[] = {
        {lang, lang.left(32767),
         QStringLiteral("1015805 Zeichen wurden weggelassen: die Zelle kann höchstens 32767 "
                        "Zeichen aufnehmen")},
        {QStringLiteral(u"Ł") + lang, QStringLiteral("L") + lang.left(32766),
         QStringLiteral(u"„Ł“ wurde als „L“ übernommen; 1015806 Zeichen wurden weggelassen: die "
                        u"Zelle kann höchstens 32767 Zeichen aufnehmen")},
        {lang.left(32767) + QStringLiteral("\r\n"), lang.left(32767), {}},
    };
    open(liste(int(std::size(faelle))));
    key(Qt::Key_Tab); // from the Nr. to the name
    int row = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(++row);
        frm->lblHinweis->clear();
        QGuiApplication::clipboard()->setText(f.zwischenablage);
        const int schritte = frm->liste().verlauf().index();
        QElapsedTimer uhr;
        uhr.start();
        ctrl(Qt::Key_V);
        key(Qt::Key_Return); // on to the next row's name
        EXPECT_LT(uhr.elapsed(), 1000);
        EXPECT_EQ(cell(1, row).size(), size_t(f.zelle.size()));
        EXPECT_TRUE(cp1252::toQString(cell(1, row)) == f.zelle);
        EXPECT_EQ(frm->liste().verlauf().index(), schritte + 1);
        EXPECT_EQ(frm->lblHinweis->text().toStdString(), f.hinweis.toStdString());
    }

    QString info;
    const QString anderer = QStringLiteral("Weber ").repeated(150000); // not one of those
    QApplication::clipboard()->setText(QStringLiteral("Name\tMP\n") + anderer +
                                       QStringLiteral("\tJ\nKarl Adam\tG\n"));
    onModalOf<EinfuegeDialog>([&info](EinfuegeDialog* d) {
        info = d->findChild<QLabel*>(QStringLiteral("info"))->text();
        clickButton(d, QStringLiteral("btnEinfuegen"));
    });
    QElapsedTimer uhr;
    uhr.start();
    ctrl(Qt::Key_V);
    ASSERT_TRUE(QTest::qWaitFor([this] { return frm->liste().iAnzahl() == 5; }))
        << info.toStdString();
    EXPECT_LT(uhr.elapsed(), 3000);
    EXPECT_TRUE(info.endsWith(
        QStringLiteral("In 1 Zeile wurden zu lange Felder nach 32767 Zeichen abgeschnitten")))
        << info.toStdString();
    EXPECT_TRUE(cp1252::toQString(cell(1, row + 1)) == anderer.left(32767))
        << cell(1, row + 1).size() << " characters";
    EXPECT_EQ(cell(1, row + 2), "Karl Adam");
}

TEST_F(Editor, SpeichernWritesAndKeepsWorkingAndAbbruchThenAsksOnlyAboutLaterChanges) {
    open(liste(2));
    typeName(1, QStringLiteral("Neu"));
    key(Qt::Key_Return);
    DialogAnswerer answers;
    frm->aktion("mptSpeichern")->trigger();
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], QStringLiteral(u"2 Einträge gespeichert"));
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(readBytes(file).substr(0, 21), "GESAMT-DATEI\r\nNeu\t \t1");
    EXPECT_FALSE(frm->liste().bGeaendert());
    activate(frm.get()); // back from the note
    typeName(2, QStringLiteral("Später"));
    key(Qt::Key_Return);
    frm->aktion("mptSpeichern")->trigger(); // no question about "another program": it was us
    EXPECT_EQ(answers.texts.size(), 2u);
    cancelClosesUnasked();
}

TEST_F(Editor, AlsPdfSpeichernProposesThePdfBesideTheListAndNamesItBelowTheList) {
    open(liste(150));
    QString proposed;
    onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        proposed = dialog->selectedFiles().value(0);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    frm->aktion("mptAlsPdf")->trigger();
    const QString pdf = env.path(QStringLiteral("NAMEN.pdf"));
    EXPECT_EQ(proposed, pdf);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QStringLiteral("Pages:           2")));
    EXPECT_EQ(frm->lblHinweis->text(),
              QStringLiteral("Als PDF gespeichert: ") + pdf + QStringLiteral(", 2 Seiten"));
    EXPECT_FALSE(frm->liste().bGeaendert());
}

TEST_F(Editor, PreviewAndPrinterChoiceOpenTheirDialogsAndPrintNothingWhenCancelled) {
    open(liste(3));
    for (QAction* action : {frm->aktion("mptDruckvorschau"), frm->aktion("mptDruckenAuf")}) {
        QString title;
        onNextModal([&](QWidget* w) {
            title = w->windowTitle();
            w->close();
        });
        action->trigger();
        EXPECT_EQ(title, action == frm->aktion("mptDruckvorschau") ? QStringLiteral("Druckvorschau")
                                                                   : QStringLiteral("Drucken"));
        EXPECT_TRUE(frm->lblHinweis->text().isEmpty());
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->sgGesamt->cellEditor() != nullptr; }));
}

TEST_F(Editor, F1ListsTheKeysWithTheirCommandsAndHilfeNamesWhereTheProgramKeepsItsFiles) {
    open(liste(2));
    ctrl(Qt::Key_E); // the undo caption now names the step; the keys list does not
    QString title, about;
    QStringList rows;
    onNextModal([&](QWidget* w) {
        title = w->windowTitle();
        const auto* table = w->findChild<QTableWidget*>();
        for (int r = 0; table && r < table->rowCount(); ++r)
            rows << table->item(r, 0)->text() + u'=' + table->item(r, 1)->text();
        w->close();
    });
    key(Qt::Key_F1);
    EXPECT_EQ(title, QStringLiteral(u"Tastenkürzel"));
    auto row = [](QKeyCombination taste, const char16_t* befehl) {
        return QKeySequence(taste).toString(QKeySequence::NativeText) + u'=' +
               QString::fromUtf16(befehl);
    };
    for (const QString& expected :
         {row(Qt::CTRL | Qt::Key_D, u"Drucken"),
          row(Qt::CTRL | Qt::Key_S, u"Speichern und Beenden"),
          row(Qt::CTRL | Qt::SHIFT | Qt::Key_S, u"Speichern unter…"),
          row(Qt::CTRL | Qt::SHIFT | Qt::Key_Z, u"Wiederherstellen"),
          row(Qt::SHIFT | Qt::Key_F3, u"Rückwärts suchen"), row(Qt::Key_F1, u"Tastenkürzel"),
          row(Qt::CTRL | Qt::Key_Z, u"Rückgängig"),
          row(Qt::CTRL | Qt::Key_V, u"Einfügen aus der Zwischenablage"),
          row(Qt::ALT | Qt::Key_Down, u"MP-Auswahl öffnen"),
          row(Qt::CTRL | Qt::Key_O,
              u"Sortieren – nach dem letzten Wort des Namens, Byte für Byte (Umlaute nach z)"),
          row(Qt::CTRL | Qt::SHIFT | Qt::Key_O,
              u"Nach Name und Vorname sortieren – nach Nachname, dann Vorname, wie ein deutsches "
              u"Wörterbuch")})
        EXPECT_TRUE(rows.contains(expected)) << expected.toStdString();
    // Without participants Ctrl+T does nothing, so it is not offered.
    EXPECT_FALSE(rows.contains(row(Qt::CTRL | Qt::Key_T, u"Turnierteilnehmer einfügen")));
    EXPECT_EQ(rows.size(), 22);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->sgGesamt->cellEditor() != nullptr; }));

    onNextModal([&](QWidget* w) {
        about = w->windowTitle() + u'\n' + w->findChild<QLabel*>()->text();
        w->close();
    });
    LogOeffnen("gesamt.log");
    frm->aktion("mptUeber")->trigger();
    for (const QString& part :
         {QStringLiteral(u"Über gesamt\ngesamt " GESAMT_VERSION), QStringLiteral("Lizenz: MIT"),
          file + u'~', env.path(QStringLiteral(".local/state/kelmar/")),
          env.configDir() + QStringLiteral("/KELMAR.INI"), env.path(QStringLiteral("gesamt.log"))})
        EXPECT_TRUE(about.contains(part))
            << about.toStdString() << "\nlacks " << part.toStdString();
}

TEST_F(Editor, ALargeFontGrowsColumnsButtonsDialogsAndTheWindowSoThatTextShowsWhole) {
    writeBytes(env.configDir() + QStringLiteral("/KELMAR.INI"),
               "[KELMAR]\r\nFont=Courier New\r\nFontsize=22\r\n");
    ProgrammzustandVorbereiten();
    open(liste(1000));
    const QFontMetrics metrics(frm->font());
    // Each caption has at least the room it has in the usual font, where it shows whole.
    for (QToolButton* b : frm->findChildren<QToolButton*>())
        if (b->objectName().startsWith(QStringLiteral("tbt"))) {
            QFont ueblich = b->font();
            ueblich.setFamily(QStringLiteral("Arial"));
            EXPECT_GE(b->width() - b->fontMetrics().horizontalAdvance(b->text()),
                      46 - QFontMetrics(ueblich).horizontalAdvance(b->text()))
                << b->text().toStdString();
        }
    EXPECT_GE(frm->sgGesamt->columnWidth(kSpalteNr),
              metrics.horizontalAdvance(QStringLiteral("1.000")) + 8);
    EXPECT_GE(frm->sgGesamt->columnWidth(kSpalteDBVNr),
              metrics.horizontalAdvance(QStringLiteral("1000001")) + 8);
    EXPECT_GT(frm->width(), 527);
    int knopfHoehe = 0;
    onNextModal([&](QWidget* w) {
        if (auto* ok = w->findChild<QWidget*>(QStringLiteral("btn0")))
            knopfHoehe = ok->height();
        clickButton(w, QStringLiteral("btn0"));
    });
    HinweisMeldung("1000 Eintr\xE4ge gespeichert");
    EXPECT_GE(knopfHoehe, QFontMetrics(toQFont(StandardFont)).height() + 10);
}

// From the menu by the keyboard: the review lists who is probably one person and ticks what
// may go; Space on another entry keeps that one instead, and Enter removes the ticked entries
// as one step.
TEST_F(Editor, DuplikatePruefenListsProbableDuplicatesAndEnterRemovesTheTickedAsOneStep) {
    open("GESAMT-DATEI\r\nGerd Schr\xF6"
         "der\t \t1\tN\t123\r\nHans Meier\t \t2\tN\t7\r\nGERD SCHR\xD6"
         "DER\t \t3\tN\t123\r\nHanna Meier\t \t4\tN\t8\r\nAnna Weiss\t \t5\tJ\t\r\n"
         "Anna Wei\xDF\t \t6\tJ\t\r\n");
    std::vector<std::pair<QString, bool>> gesehen, gewaehlt; // names with their tick
    QString titel, summe;
    int zeilenhoehe = 0, schrift = 0;
    onModalOf<DuplikatDialog>([&](DuplikatDialog* d) {
        titel = d->windowTitle();
        const auto haken = [d](std::vector<std::pair<QString, bool>>& namen) {
            for (QTreeWidgetItemIterator it(d->baum()); *it; ++it)
                if ((*it)->parent())
                    namen.emplace_back((*it)->text(1), (*it)->checkState(0) == Qt::Checked);
        };
        haken(gesehen);
        zeilenhoehe = d->baum()->visualItemRect(d->baum()->topLevelItem(0)->child(0)).height();
        schrift = QFontMetrics(d->baum()->font()).height();
        activate(d); // the keys go where the keyboard is once the dialog has it
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        haken(gewaehlt);
        summe = d->findChild<QLabel*>(QStringLiteral("summe"))->text();
        d->resize(700, 500); // as the user drags it
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    activate(frm.get());
    key(Qt::Key_B, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !titel.isEmpty(); }));
    QApplication::processEvents();
    EXPECT_EQ(titel, QStringLiteral(u"Duplikate prüfen"));
    const std::vector<std::pair<QString, bool>> erwartet = {
        {QStringLiteral(u"Gerd Schröder"), false},
        {QStringLiteral(u"GERD SCHRÖDER"), true},
        {QStringLiteral("Anna Weiss"), false},
        {QStringLiteral(u"Anna Weiß"), false}};
    EXPECT_EQ(gesehen, erwartet);
    EXPECT_GE(zeilenhoehe, schrift + 6); // the dots above capitals are not cut off
    EXPECT_TRUE(gewaehlt[1] == std::pair(QStringLiteral(u"GERD SCHRÖDER"), false) &&
                gewaehlt[0] == std::pair(QStringLiteral(u"Gerd Schröder"), true));
    EXPECT_EQ(summe, QStringLiteral(u"1 Eintrag wird gelöscht."));
    EXPECT_EQ(frm->liste().iAnzahl(), 5);
    EXPECT_EQ(cell(1, 1), "Hans Meier");
    EXPECT_EQ(cell(1, 2), "GERD SCHR\xD6"
                          "DER");
    EXPECT_EQ(frm->aktion("mptRueckgaengig")->text(),
              QStringLiteral(u"&Rückgängig: Duplikate prüfen"));
    EXPECT_EQ(frm->lblHinweis->text(), QStringLiteral(u"1 Eintrag wurde gelöscht"));
    // Opened again, it has the size it was left at.
    QSize wieder;
    onModalOf<DuplikatDialog>([&](DuplikatDialog* d) {
        wieder = d->size();
        d->reject();
    });
    frm->aktion("mptDuplikatePruefen")->trigger();
    EXPECT_EQ(wieder, QSize(700, 500));
}

TEST_F(Editor, NachNameUndVornameSortierenOrdersAsAGermanDictionaryInOneStep) {
    open("GESAMT-DATEI\r\nZander\t \t1\tN\t\r\nOtto \xD6zt\xFCrk\t \t2\tN\t\r\n"
         "Peter M\xFCller\t \t3\tN\t\r\nKarl Ober\t \t4\tN\t\r\nAnna M\xFCller\t \t5\tN\t\r\n"
         "\xC4nne Adler\t \t6\tN\t\r\n");
    activate(frm.get());
    key(Qt::Key_L, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_T);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frm->lblHinweis->text().isEmpty(); }));
    std::vector<std::string> namen;
    for (int r = 1; r <= frm->liste().iAnzahl(); ++r)
        namen.push_back(cell(1, r));
    EXPECT_EQ(namen, (std::vector<std::string>{"\xC4nne Adler", "Anna M\xFCller", "Peter M\xFCller",
                                               "Karl Ober", "Otto \xD6zt\xFCrk", "Zander"}));
    EXPECT_EQ(cell(0, 1), "6"); // whole entries move
    EXPECT_EQ(frm->lblHinweis->text(),
              QStringLiteral("Die Liste wurde nach Name und Vorname sortiert"));
    ctrl(Qt::Key_Z);
    EXPECT_EQ(cell(1, 1), "Zander");
    // Its key, beside Ctrl+O's sort by the last word.
    frm->lblHinweis->clear();
    key(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frm->lblHinweis->text().isEmpty(); }));
    EXPECT_EQ(cell(1, 1), "\xC4nne Adler");
    EXPECT_EQ(cell(1, 6), "Zander");
}

#include "app/launch.h"
#include "app/startup.h"
#include "dialogs/oeffnendialog.h"
#include "platform/profile.h"
#include "print/drucker.h"
#include "runlog/runlog.h"
#include "tests/print/aufzeichnung.h"
#include "tests/testsupport/modal.h"
#include "tests/testsupport/tempenv.h"
#include "tests/window/editor_fixture.h"
#include "widgets/suchleiste.h"
#include "window/gesamtdatei.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <gtest/gtest.h>

TEST_F(Editor, LoadsTheListIntoTheGrid) {
    open(liste(30));
    EXPECT_EQ(label(), QStringLiteral(u"30 Einträge"));
    EXPECT_EQ(frm->sgGesamt->rowCount(), 31);
    EXPECT_EQ(cell(1, 30), "Spieler 30");
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("Liste der gespeicherten Namen"));
    EXPECT_FALSE(frm->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(frm->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(frm->windowFlags() & Qt::WindowMaximizeButtonHint);
    // The X server gives the focus when it has mapped the window.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return frm->sgGesamt->hasFocus() ||
               frm->sgGesamt->isAncestorOf(QApplication::focusWidget());
    }));
    EXPECT_EQ(frm->knopf("tbtEinfuegen")->size(), QSize(46, 51));
    EXPECT_EQ(frm->aktion("mptSpeichernundBeenden")->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+S")));
}

TEST_F(Editor, CancelRightAfterLoadingClosesWithoutQuestionOrWrite) {
    open(liste(3));
    DialogAnswerer answers;
    frm->knopf("tbtAbbruch")->click();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_TRUE(answers.texts.empty());
    EXPECT_EQ(readBytes(file), liste(3));
}

TEST_F(Editor, CancelAfterTypingAsksAndNoKeepsTheWindow) {
    open(liste(3));
    typeName(2, QStringLiteral("Neuer Name"));
    DialogAnswerer answers(QStringLiteral("btn1"));
    frm->aktion("mptAbbruch")->trigger();
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], QStringLiteral(u"Sollen die Änderungen verworfen werden?"));
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(cell(1, 2), "Neuer Name"); // the open editor was committed
    answers.setButton(QStringLiteral("btn0"));
    frm->aktion("mptAbbruch")->trigger();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(readBytes(file), liste(3));
}

TEST_F(Editor, WindowManagerCloseBehavesAsCancel) {
    open(liste(3));
    typeName(1, QStringLiteral("X"));
    DialogAnswerer answers(QStringLiteral("btn1"));
    frm->close();
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(answers.texts.size(), 1u);
}

TEST_F(Editor, CtrlSWritesNotesAndCloses) {
    open(liste(3));
    DialogAnswerer answers;
    ctrl(Qt::Key_S);
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], QStringLiteral(u"3 Einträge gespeichert"));
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(readBytes(file), liste(3));
}

TEST_F(Editor, NameStillInTheEditorIsSavedByCtrlS) {
    open(liste(3));
    typeName(3, QStringLiteral(u"Jürgen Weiß"));
    DialogAnswerer answers;
    ctrl(Qt::Key_S);
    EXPECT_NE(readBytes(file).find("J\xFCrgen Wei\xDF\t \t3\tN\t103\r\n"), std::string::npos);
}

TEST_F(Editor, NewFileNoteAndTypingIntoTheBlankRowMakesAnEntry) {
    DialogAnswerer answers;
    open(std::string());
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], QStringLiteral("Die Gesamt-Datei ist noch nicht vorhanden"));
    EXPECT_EQ(label(), QStringLiteral(u"0 Einträge"));
    EXPECT_TRUE(frm->liste().bLeerzeile());
    typeName(1, QStringLiteral("Erster"));
    frm->sgGesamt->commitEditor();
    EXPECT_FALSE(frm->liste().bLeerzeile());
    EXPECT_EQ(frm->liste().iAnzahl(), 1);
    EXPECT_EQ(label(), QStringLiteral(u"1 Einträge"));
    ctrl(Qt::Key_S);
    EXPECT_EQ(readBytes(file), "GESAMT-DATEI\r\nErster\t \t\t\t\r\n");
}

TEST_F(Editor, WiderWindowWidensOnlyTheNameColumn) {
    open(liste(3));
    frm->resize(527, 430);
    QApplication::processEvents();
    const int name = frm->sgGesamt->columnWidth(1);
    frm->resize(627, 430);
    QApplication::processEvents();
    EXPECT_EQ(frm->sgGesamt->columnWidth(1), name + 100);
    EXPECT_EQ(frm->sgGesamt->columnWidth(0), 48);
    EXPECT_EQ(frm->sgGesamt->columnWidth(2), 40);
    EXPECT_EQ(frm->sgGesamt->columnWidth(3), 100);
}

TEST_F(Editor, WithoutParticipantsTheImportIsHiddenAndInert) {
    open(liste(3));
    EXPECT_FALSE(frm->knopf("tbtErweitern")->isVisible());
    EXPECT_FALSE(frm->aktion("mptTurnierteilnehmereinfuegen")->isVisible());
    EXPECT_TRUE(frm->knopf("tbtEinfuegen")->isVisible());
    ctrl(Qt::Key_T);
    EXPECT_EQ(frm->liste().iAnzahl(), 3);
    EXPECT_FALSE(frm->liste().bGeaendert());
}

TEST_F(Editor, FontsFollowTheSettings) {
    writeBytes(env.configDir() + QStringLiteral("/KELMAR.INI"),
               "[KELMAR]\r\nFont=Courier New\r\nFontsize=12\r\n");
    ProgrammzustandVorbereiten();
    open(liste(1));
    EXPECT_EQ(frm->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(frm->font().pointSize(), 12);
    EXPECT_EQ(frm->tbGesamt->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(frm->tbGesamt->font().pixelSize(), 9);
}

TEST_F(Editor, AStoredPlacementOffTheScreenOrHugeIsFittedOntoIt) {
    writeBytes(env.configDir() + QStringLiteral("/KELMAR.INI"),
               "[Fenster - Gesamt]\r\nLeft=900\r\nTop=700\r\nWidth=60000\r\nHeight=60000\r\n");
    open(liste(3));
    QTest::qWait(50);
    const QRect area = frm->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(frm->frameGeometry()))
        << frm->frameGeometry().width() << "x" << frm->frameGeometry().height();
}

// ---- through the launch ----

TEST_F(Editor, LaunchWithAFileNameShowsNoDialogAndRemembersThePlacement) {
    writeBytes(file, liste(2));
    std::vector<QString> seen;
    onNextModal([&](QWidget* w) {
        seen.push_back(w->objectName());
        auto* f = qobject_cast<TfrmGesamtdatei*>(w);
        ASSERT_NE(f, nullptr);
        f->setGeometry(120, 110, 600, 450);
        f->knopf("tbtAbbruch")->click();
    });
    GesamtdateiBearbeiten(file.toStdString(), false, nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], QStringLiteral("frmGesamtdatei"));
    const Profile ini = Profile::load("Kelmar.ini");
    EXPECT_EQ(ini.readInt("Fenster - Gesamt", "Left", 0), 120);
    EXPECT_EQ(ini.readInt("Fenster - Gesamt", "Width", 0), 600);

    QRect restored;
    onNextModal([&](QWidget* w) {
        restored = w->geometry();
        qobject_cast<TfrmGesamtdatei*>(w)->knopf("tbtAbbruch")->click();
    });
    GesamtdateiBearbeiten(file.toStdString(), false, nullptr);
    EXPECT_EQ(restored, QRect(120, 110, 600, 450));
}

TEST_F(Editor, LaunchOpensNativeNamesWithUmlautsAndLatin1BytesAndSavesThemInPlace) {
    // A folder as German users name them (UTF-8), and a file name from an old archive whose
    // bytes are Latin-1 and no valid UTF-8.
    const std::string folder =
        QFile::encodeName(env.path(QStringLiteral(u"Turniere/Bärenpokal Straße"))).toStdString();
    QDir().mkpath(QFile::decodeName(folder.c_str()));
    for (const std::string& name : {folder + "/NAMEN.TIF", folder + "/M\xFCller.TIF"}) {
        std::FILE* f = std::fopen(name.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs(liste(2).c_str(), f);
        std::fclose(f);
        DialogAnswerer answers;
        onModalOf<TfrmGesamtdatei>([](TfrmGesamtdatei* frm) {
            frm->aktion("mptEinfuegen")->trigger();
            frm->knopf("tbtBeenden")->click();
        });
        GesamtdateiBearbeiten(name, false, nullptr);
        ASSERT_EQ(answers.texts.size(), 1u) << name;
        EXPECT_EQ(answers.texts[0], QStringLiteral(u"3 Einträge gespeichert")); // read, then saved
    }
    // Saved where they were read, the previous version beside each: no other name.
    std::vector<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(d))
            if (e->d_name[0] != '.')
                names.push_back(e->d_name);
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"M\xFCller.TIF", "M\xFCller.TIF~", "NAMEN.TIF",
                                               "NAMEN.TIF~"}));
}

TEST_F(Editor, OpenDialogOpensUmlautFoldersAndListsNamesThatAreNoUtf8) {
    const QString folder = env.home() + QStringLiteral(u"/kelmar/Bärenpokal");
    QDir().mkpath(folder);
    writeBytes(folder + QStringLiteral("/NAMEN.TIF"), liste(3));
    const std::string latin1 =
        QFile::encodeName(env.home()).toStdString() + "/kelmar/M\xFCller.TIF";
    std::FILE* f = std::fopen(latin1.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(liste(2).c_str(), f);
    std::fclose(f);
    DialogAnswerer notes; // none expected; a note would otherwise wait for ever
    auto count = [&](auto choose) {
        onModalOf<GesamtOeffnenDialog>(choose);
        int entries = -1;
        onModalOf<TfrmGesamtdatei>([&](TfrmGesamtdatei* frm) {
            entries = frm->liste().iAnzahl();
            frm->knopf("tbtAbbruch")->click();
        });
        GesamtdateiBearbeiten(std::string(), false, nullptr);
        return entries;
    };
    // In the folder with umlauts, the name typed into the name field as a user would.
    EXPECT_EQ(count([&](GesamtOeffnenDialog* dialog) {
                  EXPECT_FALSE(dialog->fremdeNamen()->isHidden());
                  dialog->setDirectory(folder);
                  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                  activate(dialog);
                  name->setFocus();
                  name->selectAll();
                  QTest::keyClicks(name, QStringLiteral("NAMEN.TIF"));
                  QTest::keyClick(name, Qt::Key_Return);
              }),
              3);
    EXPECT_EQ(sGesamtdatei, QFile::encodeName(folder + QStringLiteral("/NAMEN.TIF")).toStdString());
    // The file the toolkit's list leaves out, shown with a replacement character, opened by its
    // bytes.
    EXPECT_EQ(count([&](GesamtOeffnenDialog* dialog) {
                  QListWidget* list = dialog->fremdeNamen();
                  ASSERT_EQ(list->count(), 1);
                  EXPECT_EQ(list->item(0)->text(), QStringLiteral(u"M\uFFFDller.TIF"));
                  Q_EMIT list->itemActivated(list->item(0));
              }),
              2);
    EXPECT_EQ(sGesamtdatei, latin1);
    EXPECT_TRUE(notes.texts.empty());
}

TEST_F(Editor, LaunchWithoutFileAsksAndCancelEndsWithOne) {
    int code = -1;
    ProgrammBeenden = [&](int c) { code = c; };
    QString folder, proposed;
    onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        folder = dialog->directory().absolutePath();
        proposed = dialog->selectedFiles().value(0);
        dialog->reject();
    });
    GesamtdateiBearbeiten(std::string(), false, nullptr);
    ProgrammBeenden = nullptr;
    EXPECT_EQ(code, 1);
    EXPECT_EQ(folder, env.home() + QStringLiteral("/kelmar"));
    EXPECT_TRUE(proposed.endsWith(QStringLiteral("/kelmar/NAMEN.TIF"))) << proposed.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder)) << "the folder made for the dialog stays";
    // Nothing but our own settings file is written: no dialog history of the toolkit's.
    QStringList written = QDir(env.home() + QStringLiteral("/.config"))
                              .entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    written.removeAll(QStringLiteral("kelmar"));
    EXPECT_TRUE(written.isEmpty()) << written.join(u' ').toStdString();
}

TEST_F(Editor, OpenDialogStartsAtHomeWhenTheProgramFolderIsAFile) {
    writeBytes(env.home() + QStringLiteral("/kelmar"), "kein Ordner");
    ProgrammBeenden = [](int) {};
    QString folder;
    onModalOf<QFileDialog>([&](QFileDialog* dialog) {
        folder = dialog->directory().absolutePath();
        dialog->reject();
    });
    GesamtdateiBearbeiten(std::string(), false, nullptr);
    ProgrammBeenden = nullptr;
    EXPECT_EQ(folder, env.home());
}

TEST_F(Editor, OpenDialogShowsUpperCaseNamesAndTakesANewFile) {
    writeBytes(env.home() + QStringLiteral("/kelmar/NAMEN.TIF"), liste(4));
    writeBytes(env.home() + QStringLiteral("/kelmar/andere.txt"), "x");
    bool tifShown = false, txtShown = true;
    onModalOf<QFileDialog>([&](QFileDialog* dialog) {
        auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
        const QAbstractItemModel* m = view ? view->model() : nullptr;
        auto shown = [&](const char* name) {
            return m && !m->match(m->index(0, 0, view->rootIndex()), Qt::DisplayRole,
                                  QString::fromLatin1(name))
                             .isEmpty();
        };
        // The folder is read in the background.
        tifShown = QTest::qWaitFor([&] { return shown("NAMEN.TIF"); }, 10000);
        txtShown = shown("andere.txt");
        // Typed as a user would: that also ends the selection of the proposed file.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        activate(dialog);
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("NEU.TIF"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    DialogAnswerer notes; // "Die Gesamt-Datei ist noch nicht vorhanden"
    onModalOf<TfrmGesamtdatei>([](TfrmGesamtdatei* f) { f->knopf("tbtAbbruch")->click(); });
    GesamtdateiBearbeiten(std::string(), false, nullptr);
    EXPECT_TRUE(tifShown);
    EXPECT_FALSE(txtShown);
    EXPECT_EQ(notes.texts,
              std::vector<QString>{QStringLiteral("Die Gesamt-Datei ist noch nicht vorhanden")});
    EXPECT_EQ(sGesamtdatei, (env.home() + QStringLiteral("/kelmar/NEU.TIF")).toStdString());
}

// The open dialog stays the window's child, with keys of its own; the keys list names the
// window's commands alone.
TEST_F(Editor, AfterTheOpenDialogTheKeysListHasACommandInEveryRow) {
    writeBytes(env.home() + QStringLiteral("/kelmar/NAMEN.TIF"), liste(2));
    onModalOf<QFileDialog>(
        [](QFileDialog* dialog) { QMetaObject::invokeMethod(dialog, "accept"); });
    QStringList rows;
    onModalOf<TfrmGesamtdatei>([&](TfrmGesamtdatei* f) {
        onModalWhere(
            [](QWidget* w) { return w->objectName() == QStringLiteral("dlgTastenkuerzel"); },
            [&](QWidget* w) {
                const auto* table = w->findChild<QTableWidget*>();
                for (int r = 0; table && r < table->rowCount(); ++r)
                    rows << table->item(r, 0)->text() + u'=' + table->item(r, 1)->text();
                w->close();
            });
        ASSERT_TRUE(QTest::qWaitFor([&] { return f->isAncestorOf(QApplication::focusWidget()); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        f->knopf("tbtAbbruch")->click();
    });
    GesamtdateiBearbeiten(std::string(), false, nullptr);
    EXPECT_EQ(rows.size(), 22) << rows.join(u' ').toStdString();
    for (const QString& r : rows)
        EXPECT_FALSE(r.endsWith(u'=')) << r.toStdString();
}

// ---- editing commands through the window ----

TEST_F(Editor, InsertDeleteSortAndRenumberByShortcut) {
    open(
        "GESAMT-DATEI\r\nZander\t \t1\tN\t\r\nHans Meier\t \t2\tJ\t\r\nanna schulz\t \t3\tN\t\r\n");
    frm->sgGesamt->setCurrentCell(1, 2);
    ctrl(Qt::Key_E);
    EXPECT_EQ(label(), QStringLiteral(u"4 Einträge"));
    EXPECT_EQ(cell(1, 2), "");
    EXPECT_EQ(cell(2, 2), "N");
    EXPECT_EQ(frm->sgGesamt->currentRow(), 2);
    ctrl(Qt::Key_L);
    EXPECT_EQ(label(), QStringLiteral(u"3 Einträge"));
    EXPECT_EQ(cell(1, 2), "Hans Meier");
    ctrl(Qt::Key_O);
    EXPECT_EQ(cell(1, 1), "Hans Meier");
    EXPECT_EQ(cell(1, 3), "anna schulz");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
        DialogAnswerer no(QStringLiteral("btn1"));
        ctrl(Qt::Key_N);
        ASSERT_EQ(no.texts.size(), 1u);
        EXPECT_EQ(no.texts[0],
                  QStringLiteral("Sollen die Spielernummern entfernt und neu vergeben werden?"));
    }
    EXPECT_EQ(cell(0, 1), "2");
    {
        DialogAnswerer yes(QStringLiteral("btn0"));
        ctrl(Qt::Key_N);
        ASSERT_EQ(yes.texts.size(), 2u);
        EXPECT_EQ(yes.texts[1], QStringLiteral("Die Spieler wurden neu nummeriert"));
    }
    EXPECT_EQ(cell(0, 1), "1");
    EXPECT_EQ(cell(0, 3), "3");
    EXPECT_EQ(frm->sgGesamt->rowCount(), 4);
}

TEST_F(Editor, CommandKeysWorkFromEveryCellEditorAndTextKeysStayInTheCell) {
    // On xcb a line editor claims Ctrl+E ("end of line") unless it leaves it to the window.
    open(liste(3));
    for (int col = 0; col < 4; ++col) {
        frm->sgGesamt->setCurrentCell(col, 2);
        QApplication::processEvents();
        ASSERT_TRUE(frm->sgGesamt->isAncestorOf(QApplication::focusWidget())) << col;
        const int before = frm->liste().iAnzahl();
        ctrl(Qt::Key_E);
        EXPECT_EQ(frm->liste().iAnzahl(), before + 1) << "column " << col;
    }
    frm->sgGesamt->setCurrentCell(1, 1);
    QApplication::processEvents();
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("Anna Berg"));
    QTest::keyClick(edit, Qt::Key_Home);
    EXPECT_EQ(edit->cursorPosition(), 0);
    QTest::keyClick(edit, Qt::Key_End);
    EXPECT_EQ(edit->cursorPosition(), 9);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("Anna Berg"));
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("Anna BergAnna Berg"));
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("Anna Berg"));
    EXPECT_EQ(frm->liste().iAnzahl(), 7);
}

TEST_F(Editor, TabbingThroughEveryCellChangesNothing) {
    const std::string content =
        "GESAMT-DATEI\r\nHans Meier\t \t1\tJN\t7\r\nEva \x81\t \t2\tNein\t\r\n";
    open(content);
    frm->sgGesamt->setCurrentCell(0, 1);
    QApplication::processEvents();
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QApplication::processEvents();
    }
    EXPECT_FALSE(frm->liste().bGeaendert());
    cancelClosesUnasked();
}

TEST_F(Editor, CancelAfterAnInsertionAsksAndYesDiscards) {
    open(liste(2));
    frm->knopf("tbtEinfuegen")->click();
    DialogAnswerer yes(QStringLiteral("btn0"));
    frm->knopf("tbtAbbruch")->click();
    ASSERT_EQ(yes.texts.size(), 1u);
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(readBytes(file), liste(2));
}

TEST_F(Editor, DuplicatesFromTheMenu) {
    open("GESAMT-DATEI\r\nHans Meier\t \t1\t\t\r\nPetra MEIER\t \t2\t\t\r\nhans meier\t "
         "\t3\t\t\r\n");
    DialogAnswerer answers;
    frm->aktion("mptDuplikateloeschen")->trigger();
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], QStringLiteral(u"1 Duplikate wurden gelöscht"));
    EXPECT_EQ(label(), QStringLiteral(u"2 Einträge"));
    frm->knopf("tbtDuplikate")->click();
    EXPECT_EQ(answers.texts.back(), QStringLiteral("Es wurden keine Duplikate gefunden"));
}

TEST_F(Editor, UndoAndRedoTopTheEditMenuNameTheStepAndUndoingAllMakesCancelAskNothing) {
    open(liste(5));
    const QList<QAction*> items = frm->menue("Bearbeiten1")->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[0], frm->aktion("mptRueckgaengig"));
    EXPECT_EQ(items[1], frm->aktion("mptWiederherstellen"));
    EXPECT_EQ(frm->aktion("mptRueckgaengig")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(frm->aktion("mptWiederherstellen")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                   QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    EXPECT_FALSE(frm->aktion("mptRueckgaengig")->isEnabled());
    EXPECT_EQ(frm->aktion("mptRueckgaengig")->text(), QStringLiteral(u"&Rückgängig"));

    frm->sgGesamt->setCurrentCell(1, 2);
    ctrl(Qt::Key_L);
    EXPECT_TRUE(frm->aktion("mptRueckgaengig")->isEnabled());
    EXPECT_EQ(frm->aktion("mptRueckgaengig")->text(), QStringLiteral(u"&Rückgängig: Löschen"));
    EXPECT_FALSE(frm->aktion("mptWiederherstellen")->isEnabled());
    ctrl(Qt::Key_Z);
    EXPECT_EQ(label(), QStringLiteral(u"5 Einträge"));
    EXPECT_EQ(cell(1, 2), "Spieler 2");
    EXPECT_EQ(frm->sgGesamt->currentRow(), 2);
    EXPECT_EQ(frm->aktion("mptWiederherstellen")->text(),
              QStringLiteral(u"Wieder&herstellen: Löschen"));
    EXPECT_FALSE(frm->aktion("mptRueckgaengig")->isEnabled());

    cancelClosesUnasked();
}

TEST_F(Editor, CtrlZUndoesTypingInTheCellBeforeTheListsStepsAndCtrlYRedoes) {
    open(liste(5));
    frm->sgGesamt->setCurrentCell(1, 1);
    ctrl(Qt::Key_L);
    typeName(2, QStringLiteral("Getippt"));
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr);
    for (int i = 0; i < 5 && edit->isUndoAvailable(); ++i) {
        ctrl(Qt::Key_Z);
        EXPECT_EQ(frm->liste().iAnzahl(), 4); // the deletion stays while the cell has typing
    }
    EXPECT_EQ(edit->text(), QStringLiteral("Spieler 3"));
    ctrl(Qt::Key_Z);
    EXPECT_EQ(frm->liste().iAnzahl(), 5);
    EXPECT_EQ(cell(1, 1), "Spieler 1");
    EXPECT_EQ(cell(1, 3), "Spieler 3");
    ctrl(Qt::Key_Y);
    EXPECT_EQ(frm->liste().iAnzahl(), 4);
    EXPECT_EQ(cell(1, 1), "Spieler 2");
    EXPECT_TRUE(frm->liste().bGeaendert());
}

TEST_F(Editor, FindOpensFromACellFindsAsYouTypeMarksTheHitsAndChangesNothing) {
    const std::string content = "GESAMT-DATEI\r\nM\xFCller, Hans\t \t1\tN\t\r\nBerg\t \t2\tN\t"
                                "\r\nWei\xDF\t \t3\tN\t4711\r\nMuller, Eva\t \t4\tN\t\r\nOtto\t "
                                "\t5\tN\t\r\n";
    open(content);
    frm->sgGesamt->setCurrentCell(1, 2);
    QApplication::processEvents();
    ASSERT_TRUE(frm->sgGesamt->isAncestorOf(QApplication::focusWidget()));
    ctrl(Qt::Key_F); // from the cell editor, which on xcb would keep other keys
    ASSERT_TRUE(frm->pnlSuche->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), frm->pnlSuche->edtSuche);
    EXPECT_EQ(frm->pnlSuche->edtSuche->placeholderText(), QStringLiteral("Name suchen"));

    typeText(QApplication::focusWidget(), QStringLiteral("muller"));
    EXPECT_EQ(frm->sgGesamt->currentRow(), 4); // the first hit from the current row on
    EXPECT_EQ(frm->pnlSuche->lblTreffer->text(), QStringLiteral("2 von 2 Treffern"));
    EXPECT_EQ(QApplication::focusWidget(), frm->pnlSuche->edtSuche); // typing goes on here
    EXPECT_TRUE(marked(1, 1));
    EXPECT_TRUE(marked(1, 4));
    EXPECT_FALSE(marked(1, 2));
    key(Qt::Key_F3);
    EXPECT_EQ(frm->sgGesamt->currentRow(), 1); // round from the end
    EXPECT_EQ(frm->pnlSuche->lblTreffer->text(), QStringLiteral("1 von 2 Treffern"));
    key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(frm->sgGesamt->currentRow(), 4);
    key(Qt::Key_Return);
    EXPECT_EQ(frm->sgGesamt->currentRow(), 1);

    frm->pnlSuche->edtSuche->setText(QStringLiteral("4711"));
    EXPECT_EQ(frm->sgGesamt->currentRow(), 3);
    EXPECT_EQ(frm->sgGesamt->currentCol(), 3);
    EXPECT_EQ(frm->pnlSuche->lblTreffer->text(), QStringLiteral("1 von 1 Treffer"));
    frm->pnlSuche->edtSuche->setText(QStringLiteral("weiss"));
    EXPECT_EQ(frm->pnlSuche->lblTreffer->text(), QStringLiteral("1 von 1 Treffer"));
    frm->pnlSuche->edtSuche->setText(QStringLiteral("Niemand"));
    EXPECT_EQ(frm->pnlSuche->lblTreffer->text(), QStringLiteral("Keine Treffer"));
    EXPECT_FALSE(marked(1, 3));

    key(Qt::Key_Escape);
    EXPECT_FALSE(frm->pnlSuche->isVisible());
    EXPECT_TRUE(frm->sgGesamt->isAncestorOf(QApplication::focusWidget()) ||
                frm->sgGesamt->hasFocus());
    EXPECT_FALSE(frm->liste().bGeaendert());
    cancelClosesUnasked();
    EXPECT_EQ(readBytes(file), content);
}

TEST_F(Editor, DownOrEnterOnTheLastRowOpensARowForANewEntryThatGoesWhenLeftBlank) {
    open(liste(3));
    frm->sgGesamt->setCurrentCell(1, 3);
    QApplication::processEvents();
    key(Qt::Key_Down);
    EXPECT_EQ(frm->sgGesamt->rowCount(), 5);
    EXPECT_EQ(frm->sgGesamt->currentRow(), 4);
    EXPECT_EQ(label(), QStringLiteral(u"3 Einträge"));
    key(Qt::Key_Up);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frm->sgGesamt->rowCount() == 4; }, 1000));
    EXPECT_FALSE(frm->liste().bGeaendert());

    typeName(3, QStringLiteral("Spieler 3"));
    key(Qt::Key_Return); // Enter as well, and the typing goes into the new row
    ASSERT_EQ(frm->sgGesamt->currentRow(), 4);
    typeText(QApplication::focusWidget(), QStringLiteral("Neu Dazu"));
    key(Qt::Key_Return);
    EXPECT_EQ(label(), QStringLiteral(u"4 Einträge"));
    EXPECT_EQ(frm->sgGesamt->currentRow(), 5); // and on into the next new row
    DialogAnswerer answers;
    ctrl(Qt::Key_S);
    EXPECT_EQ(readBytes(file), liste(3) + "Neu Dazu\t \t\t\t\r\n");
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], QStringLiteral(u"4 Einträge gespeichert"));
}

TEST_F(Editor, AtAThousandEntriesDownOnTheLastRowShowsTheLimitNote) {
    open(liste(1000));
    frm->sgGesamt->setCurrentCell(1, 1000);
    QApplication::processEvents();
    DialogAnswerer answers;
    key(Qt::Key_Down);
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0],
              QStringLiteral(u"Die Anzahl der Einträge hat das Maximum (1000) bereits erreicht"));
    EXPECT_EQ(frm->sgGesamt->rowCount(), 1001);
}

TEST_F(Editor, InsertCommitsTheOpenEditorFirst) {
    open(liste(2));
    typeName(2, QStringLiteral("Getippt"));
    ctrl(Qt::Key_E);
    EXPECT_EQ(cell(1, 3), "Getippt");
    EXPECT_EQ(cell(1, 2), "");
}

TEST_F(Editor, ParticipantsOnlyWhenLaunchedWithThem) {
    writeBytes(file, liste(2));
    const std::vector<std::string> teilnehmer = {"Spieler 1", "Neu Dazu"};
    bool visible = false;
    QString before, after, then;
    onNextModal([&](QWidget* w) {
        auto* f = qobject_cast<TfrmGesamtdatei*>(w);
        ASSERT_NE(f, nullptr);
        visible = f->knopf("tbtErweitern")->isVisible() &&
                  f->aktion("mptTurnierteilnehmereinfuegen")->isVisible();
        before = f->lblGrenze->text();
        activate(f);
        QTest::keyClick(f, Qt::Key_T, Qt::ControlModifier);
        after = f->lblGrenze->text();
        f->knopf("tbtErweitern")->click();
        then = f->lblGrenze->text();
        DialogAnswerer yes(QStringLiteral("btn0"));
        f->knopf("tbtAbbruch")->click();
    });
    GesamtdateiBearbeiten(file.toStdString(), false, &teilnehmer);
    EXPECT_TRUE(visible);
    EXPECT_EQ(before, QStringLiteral(u"2 Einträge"));
    EXPECT_EQ(after, QStringLiteral(u"3 Einträge"));
    EXPECT_EQ(then, QStringLiteral(u"3 Einträge"));
}

TEST_F(Editor, ImmediateImportHappensBeforeTheWindowShows) {
    writeBytes(file, liste(2));
    const std::vector<std::string> teilnehmer = {"Neu Dazu"};
    QString shown;
    bool changed = false;
    onNextModal([&](QWidget* w) {
        auto* f = qobject_cast<TfrmGesamtdatei*>(w);
        shown = f->lblGrenze->text();
        changed = f->liste().bGeaendert();
        DialogAnswerer yes(QStringLiteral("btn0"));
        f->knopf("tbtAbbruch")->click();
    });
    GesamtdateiBearbeiten(file.toStdString(), true, &teilnehmer);
    EXPECT_EQ(shown, QStringLiteral(u"3 Einträge"));
    EXPECT_TRUE(changed);

    const std::vector<std::string> keine;
    bool hidden = false;
    onNextModal([&](QWidget* w) {
        auto* f = qobject_cast<TfrmGesamtdatei*>(w);
        shown = f->lblGrenze->text();
        hidden = !f->knopf("tbtErweitern")->isVisible();
        f->knopf("tbtAbbruch")->click();
    });
    GesamtdateiBearbeiten(file.toStdString(), true, &keine);
    EXPECT_EQ(shown, QStringLiteral(u"2 Einträge"));
    EXPECT_TRUE(hidden);
}

// ---- printing ----

TEST_F(Editor, CtrlDAndTheToolbarPrintTheGridAsItIsNow) {
    open(liste(3));
    Aufzeichnung printer;
    DruckerAuf auf(printer);
    typeName(2, QStringLiteral("Noch nicht gespeichert"));
    frm->sgGesamt->commitEditor();
    const bool changed = frm->liste().bGeaendert();
    ctrl(Qt::Key_D);
    EXPECT_EQ(printer.begun, 1);
    EXPECT_EQ(printer.ended, 1);
    bool found = false;
    for (const auto& t : printer.texts)
        found = found || t.text == "    2. Noch nicht gespeichert";
    EXPECT_TRUE(found);
    EXPECT_EQ(frm->liste().bGeaendert(), changed);
    EXPECT_EQ(frm->liste().iAnzahl(), 3);
    frm->knopf("tbtDrucken")->click();
    EXPECT_EQ(printer.begun, 2);
}

// ---- the file on disk ----

TEST_F(Editor, FileChangedByAnotherProgramIsNotOverwrittenUnasked) {
    open(liste(3));
    writeBytes(file, liste(4)); // another copy saved meanwhile
    DialogAnswerer no(QStringLiteral("btn1"));
    ctrl(Qt::Key_S);
    ASSERT_EQ(no.texts.size(), 1u);
    EXPECT_EQ(no.texts[0], QStringLiteral(u"Die Gesamt-Datei wurde inzwischen von einem anderen "
                                          u"Programm geändert. Trotzdem überschreiben?"));
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(readBytes(file), liste(4));
    no.setButton(QStringLiteral("btn0"));
    ctrl(Qt::Key_S);
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(readBytes(file), liste(3));
}

TEST_F(Editor, FileReplacedByAFolderOrFolderGoneKeepsTheWindowOpen) {
    const QString folder = env.path(QStringLiteral("verein"));
    file = folder + QStringLiteral("/NAMEN.TIF");
    open(liste(3));
    QFile::remove(file);
    QDir().mkdir(file);
    // The offer to save elsewhere taken, and its file dialog cancelled.
    DialogAnswerer yes(QStringLiteral("btn0"));
    const QString elsewhere =
        QStringLiteral(". Soll die Liste unter einem anderen Namen gespeichert werden?");
    const auto cancelled = [] { onModalOf<QFileDialog>([](QFileDialog* d) { d->reject(); }); };
    cancelled();
    ctrl(Qt::Key_S);
    EXPECT_EQ(yes.texts.back(),
              QStringLiteral("Fehler beim Speichern der Gesamt-Datei: Dateizugriff verweigert") +
                  elsewhere);
    EXPECT_TRUE(frm->isVisible());
    QDir(folder).removeRecursively();
    cancelled();
    ctrl(Qt::Key_S);
    EXPECT_EQ(yes.texts.back(),
              QStringLiteral(u"Fehler beim Speichern der Gesamt-Datei: Ungültiger Dateiname") +
                  elsewhere);
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(cell(1, 3), "Spieler 3");
    // The folder back, the save goes through: nothing is lost.
    QDir().mkpath(folder);
    ctrl(Qt::Key_S);
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(readBytes(file), liste(3));
}

TEST_F(Editor, ARunThatSortsAndSavesLeavesItsStepsInTheLog) {
    writeBytes(file, liste(3));
    ASSERT_TRUE(LogOeffnen("gesamt.log"));
    onModalOf<TfrmGesamtdatei>([](TfrmGesamtdatei* f) {
        activate(f);
        QTest::keyClick(f, Qt::Key_O, Qt::ControlModifier);
        DialogAnswerer ok;
        activate(f);
        QTest::keyClick(f, Qt::Key_S, Qt::ControlModifier);
    });
    GesamtdateiBearbeiten(file.toStdString(), false, nullptr);
    LogSchreiben();
    const std::string log = readBytes(env.path(QStringLiteral("gesamt.log")));
    const size_t opened = log.find("Logdatei ge\xF6"
                                   "ffnet: ");
    const size_t edit = log.find("\r\n*** Gesamtdatei bearbeiten\r\n");
    const size_t sort = log.find("\r\n*** Gesamtdatei sortieren\r\n");
    const size_t saved = log.find("\r\nHINWEIS - 3 Eintr\xE4ge gespeichert\r\n");
    EXPECT_EQ(opened, 0u);
    ASSERT_NE(edit, std::string::npos);
    ASSERT_NE(sort, std::string::npos);
    ASSERT_NE(saved, std::string::npos);
    EXPECT_LT(edit, sort);
    EXPECT_LT(sort, saved);
}

// The toolkit's file dialogs keep their history in a file of their own; the program writes no
// file but its own, whichever dialog the user opens first.
TEST_F(Editor, FileDialogsLeaveNoHistoryFile) {
    open(liste(3));
    for (const char* befehl : {"mptAusTabelleEinlesen", "mptAlsPdf"}) {
        onModalOf<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        frm->aktion(befehl)->trigger();
    }
    EXPECT_FALSE(QFileInfo::exists(env.home() + QStringLiteral("/.config/QtProject.conf")));
    EXPECT_TRUE(frm->isVisible());
}

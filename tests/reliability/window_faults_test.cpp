#include "app/startup.h"
#include "runlog/runlog.h"
#include "safewrite/crashsteps.h"
#include "safewrite/safewrite.h"
#include "tests/reliability/privileges.h"
#include "tests/testsupport/modal.h"
#include "tests/testsupport/tempenv.h"
#include "window/gesamtdatei.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string liste(int n) {
    std::string text = "GESAMT-DATEI\r\n";
    for (int i = 1; i <= n; ++i)
        text += "Spieler " + std::to_string(i) + "\t \t" + std::to_string(i) + "\tN\t\r\n";
    return text;
}

struct OnADisk : ::testing::Test {
    TempEnv env;
    QString folder, file;
    std::unique_ptr<TfrmGesamtdatei> frm;
    void SetUp() override {
        LogZuruecksetzen();
        ProgrammzustandVorbereiten();
        folder = env.path(QStringLiteral("disk"));
        QDir().mkdir(folder);
        file = folder + QStringLiteral("/NAMEN.TIF");
    }
    void TearDown() override {
        frm.reset();
        sGesamtdatei.clear();
    }
    void open() {
        sGesamtdatei = file.toStdString();
        frm = std::make_unique<TfrmGesamtdatei>();
        ASSERT_TRUE(frm->FormCreate());
        frm->show();
        QApplication::processEvents();
    }
    void save() {
        activate(frm.get());
        QTest::keyClick(frm.get(), Qt::Key_S, Qt::ControlModifier);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(OnADisk, DiskFullKeepsTheOldFileAndTheWindow) {
    Einhaengung disk(folder, "64k");
    if (!disk.ok())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    writeBytes(file, liste(3));
    open();
    // A long list to save, and a disk with no room left.
    frm->Erweitern([] {
        std::vector<std::string> names;
        for (int i = 0; i < 900; ++i)
            names.push_back("Ein ziemlich langer Name f\xFCr die volle Platte " +
                            std::to_string(i));
        return names;
    }());
    {
        QFile filler(folder + QStringLiteral("/fuellung"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    DialogAnswerer answers(QStringLiteral("btn1"));
    save();
    ASSERT_FALSE(answers.texts.empty());
    EXPECT_EQ(answers.texts.back(),
              QStringLiteral("Fehler beim Speichern der Gesamt-Datei: Zu wenig Speicherplatz. "
                             "Soll die Liste unter einem anderen Namen gespeichert werden?"));
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(readBytes(file), liste(3));
    // No leftovers: the list, the filler and the lock of the open window.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral(".NAMEN.TIF.in-bearbeitung"), QStringLiteral("fuellung"),
                           QStringLiteral("NAMEN.TIF")}));
    // Nothing is lost: every entry goes elsewhere, on a disk with room, where it is offered.
    EXPECT_EQ(frm->liste().iAnzahl(), 903);
    answers.setButton(QStringLiteral("btn0"));
    const QString elsewhere = env.path(QStringLiteral("NAMEN.TIF"));
    onModalOf<QFileDialog>([&](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        activate(dialog);
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, elsewhere);
        QTest::keyClick(name, Qt::Key_Return);
    });
    save();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_NE(readBytes(elsewhere).find("Platte 899"), std::string::npos);
    EXPECT_EQ(readBytes(file), liste(3));
}

TEST_F(OnADisk, ReadOnlyFileSystemIsAClearMessage) {
    writeBytes(file, liste(3));
    Einhaengung disk(folder, "");
    disk.schreibgeschuetzt();
    if (!disk.ok())
        GTEST_SKIP() << "read-only bind mounts are not allowed here";
    open();
    frm->knopf("tbtEinfuegen")->click();
    DialogAnswerer answers(QStringLiteral("btn1"));
    save();
    ASSERT_FALSE(answers.texts.empty());
    EXPECT_EQ(answers.texts.back(),
              QStringLiteral("Fehler beim Speichern der Gesamt-Datei: Dateizugriff verweigert. "
                             "Soll die Liste unter einem anderen Namen gespeichert werden?"));
    EXPECT_TRUE(frm->isVisible());
    EXPECT_EQ(readBytes(file), liste(3));
}

TEST_F(OnADisk, ASaveInPlaceThatACrashStoppedIsCompletedAtTheNextStartWithANote) {
    // A second name makes the save go in place; the crash comes once its record is written.
    writeBytes(file, liste(3));
    const QString zweiter = folder + QStringLiteral("/Verein.tif");
    ASSERT_EQ(::link(QFile::encodeName(file), QFile::encodeName(zweiter)), 0);
    const std::string neu = liste(5);
    for (int n = 1; QDir(folder)
                        .entryList({QStringLiteral(".gesamt-*.neu")}, QDir::Hidden | QDir::Files)
                        .isEmpty();
         ++n) {
        ASSERT_LT(n, 30) << "no step left a record";
        writeBytes(file, liste(3));
        const pid_t child = ::fork();
        if (child == 0) {
            safewrite::testing::killBefore(n);
            safewrite::write(file.toStdString(), neu);
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
    }
    DialogAnswerer answers(QStringLiteral("btn0"));
    LogOeffnen("gesamt.log");
    open();
    ASSERT_FALSE(answers.texts.empty());
    EXPECT_EQ(answers.texts.front(), QStringLiteral("Das letzte Speichern der Gesamt-Datei wurde "
                                                    "unterbrochen. Es wurde jetzt abgeschlossen"));
    EXPECT_EQ(frm->liste().iAnzahl(), 5);
    EXPECT_EQ(readBytes(zweiter), neu);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 3); // with the lock
    LogSchreiben();
    EXPECT_NE(readBytes(env.path(QStringLiteral("gesamt.log")))
                  .find("HINWEIS - Das letzte Speichern der Gesamt-Datei wurde unterbrochen."),
              std::string::npos);
}

// The questions before a list opens: another session has it, or one that ended left unsaved
// changes.

#include "safewrite/safewrite.h"
#include "sitzung/sperre.h"
#include "sitzung/wiederherstellung.h"
#include "tests/window/editor_fixture.h"

#include <QDir>
#include <QLocale>

TEST_F(Editor, ALockOfAnotherHostIsAskedAboutAndOneOfAnEndedSessionIsNot) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    writeBytes(file, liste(2));
    const std::string pfad = QFile::encodeName(file).toStdString();
    Sperre fremd = EigeneSperre();
    fremd.rechner = "vereinsheim";
    fremd.benutzer = "petra";
    fremd.seit = QDateTime(QDate(2026, 12, 9), QTime(8, 5)).toSecsSinceEpoch();
    ASSERT_TRUE(SperreSetzen(pfad, fremd));
    {
        DialogAnswerer answers(QStringLiteral("btn1")); // "Nein": not opened
        sGesamtdatei = pfad;
        frm = std::make_unique<TfrmGesamtdatei>();
        EXPECT_FALSE(frm->FormCreate());
        ASSERT_EQ(answers.texts.size(), 1u);
        EXPECT_EQ(answers.texts[0],
                  QStringLiteral(u"Die Gesamt-Datei ist seit 09.12.2026, 08:05 Uhr von petra auf "
                                 u"dem Rechner vereinsheim zum Bearbeiten geöffnet. Trotzdem "
                                 u"öffnen?"))
            << answers.texts[0].toStdString();
        frm.reset();
    }
    EXPECT_EQ(SperreLesen(pfad), fremd); // still theirs

    // This host, a process that has ended: removed without a word, and the window's own set.
    SperreEntfernen(pfad, fremd);
    Sperre alt = EigeneSperre();
    alt.prozess = 999999999;
    ASSERT_TRUE(SperreSetzen(pfad, alt));
    DialogAnswerer answers;
    open(std::string());
    EXPECT_TRUE(answers.texts.empty());
    ASSERT_TRUE(SperreLesen(pfad));
    EXPECT_EQ(SperreLesen(pfad)->prozess, long(::getpid()));
    cancelClosesUnasked();
    EXPECT_FALSE(SperreLesen(pfad)); // gone with the window
}

TEST_F(Editor, UnsavedChangesNotTakenOverAreKeptAsAListOfTheirOwn) {
    writeBytes(file, liste(2));
    const std::string pfad = QFile::encodeName(file).toStdString();
    Wiederherstellungsdaten d;
    d.datei = QFileInfo(file).canonicalFilePath().toStdString();
    d.sitzung = EigeneSperre();
    d.sitzung.prozess = 999999999;
    d.geaendert = QDateTime(QDate(2026, 12, 9), QTime(8, 51)).toSecsSinceEpoch();
    d.stand = DateiStandLesen(pfad);
    d.text = liste(3);
    writeBytes(QString::fromStdString(WiederherstellungsdateiFuer(pfad, d.sitzung.prozess)),
               WiederherstellungsText(d));
    DialogAnswerer answers(QStringLiteral("btn1")); // "Nein"
    open(std::string());
    ASSERT_EQ(answers.texts.size(), 2u);
    EXPECT_TRUE(answers.texts[0].startsWith(QStringLiteral(u"Es gibt ungespeicherte Änderungen")));
    const QString kept = QString::fromStdString(safewrite::stateFolder()) +
                         QStringLiteral("/NAMEN-ungespeichert-2026-12-09-085100.TIF");
    EXPECT_EQ(answers.texts[1],
              QStringLiteral(u"Die ungespeicherten Änderungen wurden aufbewahrt in ") + kept);
    EXPECT_EQ(readBytes(kept), liste(3));
    EXPECT_EQ(frm->liste().iAnzahl, 2); // the list as on disk
    EXPECT_FALSE(frm->liste().bGeaendert);
}

#include "cells/cellstore.h"
#include "namefile/namefile.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kHeader = "GESAMT-DATEI\r\n";

struct Loaded {
    CellStore cells{kMaxEintraege + 1};
    LadeErgebnis result;
    explicit Loaded(const std::string& text) { result = NamenTextLesen(text, cells); }
    std::string nr(int r) const { return cells.cell(kSpalteNr, r); }
    std::string name(int r) const { return cells.cell(kSpalteName, r); }
    std::string mp(int r) const { return cells.cell(kSpalteMP, r); }
    std::string dbv(int r) const { return cells.cell(kSpalteDBVNr, r); }
};

std::string entries(int n) {
    std::string text = kHeader;
    for (int i = 1; i <= n; ++i)
        text += "Name " + std::to_string(i) + "\t \t" + std::to_string(i) + "\tN\t\r\n";
    return text;
}

} // namespace

TEST(NameFileRead, TheMeierLineLoadsAndSavesByteForByte) {
    const std::string text = kHeader + "Meier\t \t17\tJ\t4711\r\n";
    Loaded l(text);
    EXPECT_EQ(l.result.anzahl, 1);
    EXPECT_FALSE(l.result.leerzeile);
    EXPECT_EQ(l.cells.rowCount(), 2);
    EXPECT_EQ(l.nr(1), "17");
    EXPECT_EQ(l.name(1), "Meier");
    EXPECT_EQ(l.mp(1), "J");
    EXPECT_EQ(l.dbv(1), "4711");
    EXPECT_EQ(NamenDateiText(l.cells), text);
}

TEST(NameFileRead, BadNumbersGetTheirPositionAndGoodOnesStayAsWritten) {
    Loaded l(kHeader +
             "A\t \t\tN\t\r\nB\t \t0\tN\t\r\nC\t \t12a\tN\t\r\nD\t \t 12\tN\t\r\n"
             "E\t \t$1F\t\t\r\nF\t \t99999999999\t\t\r\nG\t \t-3\t\t\r\nH\t \tx1F\t\t\r\n");
    EXPECT_EQ(l.nr(1), "1");
    EXPECT_EQ(l.nr(2), "2");
    EXPECT_EQ(l.nr(3), "3");
    EXPECT_EQ(l.nr(4), " 12");
    EXPECT_EQ(l.nr(5), "$1F");
    EXPECT_EQ(l.nr(6), "6");
    EXPECT_EQ(l.nr(7), "-3");
    EXPECT_EQ(l.nr(8), "x1F");
}

TEST(NameFileRead, BlankLinesAreSkippedAndDoNotCountAsPositions) {
    Loaded l(kHeader + "\r\n   \r\n \t \t5\tJ\t1\r\n  Anna  \t \t\tN\t\r\nOhne Tab\r\n");
    EXPECT_EQ(l.result.anzahl, 2);
    EXPECT_EQ(l.name(1), "Anna");
    EXPECT_EQ(l.nr(1), "1");
    EXPECT_EQ(l.name(2), "Ohne Tab");
    EXPECT_EQ(l.nr(2), "2");
    EXPECT_EQ(l.mp(2), "");
    EXPECT_EQ(l.dbv(2), "");
}

TEST(NameFileRead, LineEndsCtrlZAndExtraFields) {
    // CR, LF and CR LF each end a line, also mixed in one file; Ctrl+Z ends the file.
    Loaded l(kHeader + "A\rB\nC\t \t1\tJ\t7\tmehr\tnoch mehr\r\nD\x1A"
                       "E\r\n");
    EXPECT_EQ(l.result.anzahl, 4);
    EXPECT_EQ(l.name(1), "A");
    EXPECT_EQ(l.name(2), "B");
    EXPECT_EQ(l.name(3), "C");
    EXPECT_EQ(l.dbv(3), "7");
    EXPECT_EQ(l.name(4), "D");
    // A line a script appended with LF alone keeps the next entry whole.
    const std::string appended = kHeader + "Schulz\t \t1\tN\t4712\nZander\t \t3\tG\t\r\n";
    Loaded m(appended);
    ASSERT_EQ(m.result.anzahl, 2);
    EXPECT_EQ(m.dbv(1), "4712");
    EXPECT_EQ(m.name(2), "Zander");
    EXPECT_EQ(m.mp(2), "G");
    EXPECT_EQ(NamenDateiText(m.cells), kHeader + "Schulz\t \t1\tN\t4712\r\nZander\t \t3\tG\t\r\n");
}

TEST(NameFileRead, LinesEndedByAnLfAloneInACrLfFileAreNamed) {
    // A line break inside the membership number splits off an entry "11".
    Loaded split(kHeader + "Meier\t \t17\tJ\t47\n11\r\nBerg\t \t3\tN\t\r\n");
    EXPECT_EQ(split.result.endeNurLF, std::vector<int>{1});
    EXPECT_EQ(split.name(2), "11");
    EXPECT_EQ(ZeilenendenHinweis(split.result, split.cells),
              "In der Gesamt-Datei endet die Zeile von Eintrag 1 (Nr. 17, \x84Meier\x93) nur mit "
              "LF statt mit CR LF. Falls dort ein Feld umbrochen war, ist der Eintrag danach ein "
              "abgetrennter Teil davon: bitte pr\xFC"
              "fen");
    std::string viele = kHeader;
    for (int i = 1; i <= 5; ++i)
        viele += "Name " + std::to_string(i) + "\t \t" + std::to_string(i) + "\tN\t\n";
    Loaded many(viele);
    EXPECT_EQ(ZeilenendenHinweis(many.result, many.cells),
              "In der Gesamt-Datei enden 5 Zeilen nur mit LF statt mit CR LF, zuerst die der "
              "Eintr\xE4ge 1 (Nr. 1, \x84Name 1\x93), 2 (Nr. 2, \x84Name 2\x93), 3 (Nr. 3, "
              "\x84Name 3\x93) und 2 weitere. Falls dort ein Feld umbrochen war, ist der jeweils "
              "folgende Eintrag ein abgetrennter Teil davon: bitte pr\xFC"
              "fen");
    // A file of LF lines has no other line end: nothing to say.
    Loaded lf("GESAMT-DATEI\nMeier\t \t17\tJ\t47\nBerg\n");
    EXPECT_TRUE(lf.result.endeNurLF.empty());
    EXPECT_EQ(ZeilenendenHinweis(lf.result, lf.cells), "");
}

TEST(NameFileRead, HighBytesRoundTripUnchanged) {
    std::string name;
    for (int b = 0x80; b <= 0xFF; ++b)
        name.push_back(char(b));
    const std::string text = kHeader + name + "\t \t1\tN\t\xE4\xDF\r\n";
    Loaded l(text);
    EXPECT_EQ(l.name(1), name);
    EXPECT_EQ(NamenDateiText(l.cells), text);
}

TEST(NameFileRead, FirstLineThatIsNoHeaderStaysAnEntry) {
    Loaded l("Hans Meier\t \t5\tJ\t1\r\nPetra\t \t6\tN\t2\r\n");
    EXPECT_EQ(l.result.anzahl, 2);
    EXPECT_EQ(l.name(1), "Hans Meier");
    EXPECT_EQ(l.nr(1), "5");
    Loaded padded("  GESAMT-DATEI  \t\r\nA\r\n");
    EXPECT_EQ(padded.result.anzahl, 1);
    EXPECT_EQ(padded.name(1), "A");
}

TEST(NameFileRead, NoEntryLooksLikeANewList) {
    for (const std::string& text : {std::string(), kHeader, kHeader + "\t \t\t\t\r\n"}) {
        Loaded l(text);
        EXPECT_EQ(l.result.anzahl, 0);
        EXPECT_TRUE(l.result.leerzeile);
        EXPECT_EQ(l.cells.rowCount(), 2);
        EXPECT_EQ(l.name(1), "");
    }
}

TEST(NameFileRead, AThousandEntriesAndNoMore) {
    Loaded full(entries(1000));
    EXPECT_EQ(full.result.anzahl, 1000);
    EXPECT_FALSE(full.result.mehrAlsMaximum);
    EXPECT_EQ(full.cells.rowCount(), 1001);
    Loaded over(entries(1001));
    EXPECT_EQ(over.result.anzahl, 1000);
    EXPECT_TRUE(over.result.mehrAlsMaximum);
    EXPECT_EQ(over.name(1000), "Name 1000");
    EXPECT_EQ(NamenDateiText(over.cells), entries(1000));
}

TEST(NameFileWrite, EmptyListIsHeaderAndOneBlankLine) {
    CellStore cells(2);
    EXPECT_EQ(NamenDateiText(cells), kHeader + "\t \t\t\t\r\n");
    Loaded again(NamenDateiText(cells));
    EXPECT_TRUE(again.result.leerzeile);
    EXPECT_EQ(again.result.anzahl, 0);
}

TEST(NameFileWrite, BlankEntryIsGoneAfterReload) {
    CellStore cells(4);
    cells.setCell(kSpalteName, 1, "A");
    cells.setCell(kSpalteNr, 2, "2");
    cells.setCell(kSpalteName, 3, "C");
    Loaded again(NamenDateiText(cells));
    EXPECT_EQ(again.result.anzahl, 2);
    EXPECT_EQ(again.name(2), "C");
}

TEST(NameFileDisk, MissingFileGivesAnEmptyList) {
    TempEnv env;
    CellStore cells(kMaxEintraege + 1);
    const LadeErgebnis r =
        NamenDateiLesen(env.path(QStringLiteral("NAMEN.TIF")).toStdString(), cells);
    EXPECT_FALSE(r.vorhanden);
    EXPECT_TRUE(r.leerzeile);
    EXPECT_EQ(cells.rowCount(), 2);
}

TEST(NameFileDisk, FoldersAndPipesAreRefusedWithoutBlocking) {
    TempEnv env;
    QDir().mkdir(env.path(QStringLiteral("ordner.tif")));
    const std::string fifo = env.path(QStringLiteral("pipe.tif")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {env.path(QStringLiteral("ordner.tif")).toStdString(), fifo}) {
        CellStore cells(kMaxEintraege + 1);
        const LadeErgebnis r = NamenDateiLesen(path, cells);
        EXPECT_EQ(r.fehler, "Dateizugriff verweigert") << path;
        EXPECT_EQ(r.anzahl, 0);
        EXPECT_EQ(cells.rowCount(), 2);
    }
}

TEST(NameFileDisk, SaveReplacesAtomicallyKeepsModeAndFollowsLinks) {
    TempEnv env;
    const QString file = env.path(QStringLiteral("NAMEN.TIF"));
    writeBytes(file, entries(3));
    ::chmod(file.toLocal8Bit().constData(), 0640);
    QFile::link(file, env.path(QStringLiteral("link.tif")));
    CellStore cells(kMaxEintraege + 1);
    NamenDateiLesen(env.path(QStringLiteral("link.tif")).toStdString(), cells);
    cells.setCell(kSpalteName, 2, "Neu");
    NamenDateiSchreiben(env.path(QStringLiteral("link.tif")).toStdString(), cells);
    EXPECT_NE(readBytes(file).find("Neu\t \t2"), std::string::npos);
    EXPECT_TRUE(QFileInfo(env.path(QStringLiteral("link.tif"))).isSymLink());
    EXPECT_EQ(std::filesystem::status(file.toStdString()).permissions(),
              std::filesystem::perms(0640));
    // Nothing but the file, its backup and the link is left in the folder.
    EXPECT_EQ(QDir(env.home()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{QStringLiteral("link.tif"), QStringLiteral("NAMEN.TIF"),
                           QStringLiteral("NAMEN.TIF~")}));
}

// Saves `n` entries to `path`; the error code, 0 when saved.
int save(const QString& path, int n) {
    Loaded l(entries(n));
    try {
        NamenDateiSchreiben(path.toStdString(), l.cells);
        return 0;
    } catch (const DateiFehler& e) {
        return e.code();
    }
}

TEST(NameFileBackup, ThePreviousVersionIsKeptBesideItAndANewListHasNone) {
    TempEnv env;
    const QString file = env.path(QStringLiteral("NAMEN.TIF"));
    const QString backup = file + QStringLiteral("~");
    ASSERT_EQ(save(file, 1), 0);
    EXPECT_FALSE(QFileInfo::exists(backup));
    ::chmod(file.toLocal8Bit().constData(), 0640);
    ASSERT_EQ(save(file, 2), 0);
    EXPECT_EQ(readBytes(backup), entries(1));
    Loaded drei(entries(3));
    ASSERT_TRUE(NamenDateiSchreiben(file.toStdString(), drei.cells));
    EXPECT_EQ(readBytes(backup), entries(2));
    EXPECT_EQ(readBytes(file), entries(3));
    EXPECT_EQ(std::filesystem::status(backup.toStdString()).permissions(),
              std::filesystem::perms(0640));
    // Where no backup can be kept, the list is saved all the same, and the caller is told.
    QFile::remove(backup);
    QDir().mkdir(backup);
    Loaded vier(entries(4));
    EXPECT_FALSE(NamenDateiSchreiben(file.toStdString(), vier.cells));
    EXPECT_EQ(readBytes(file), entries(4));
    EXPECT_TRUE(QFileInfo(backup).isDir());
}

TEST(NameFileDisk, AHardLinkedFileStaysOneFileAndAWriteProtectedOneIsRefusedEvenToRoot) {
    TempEnv env;
    const QString file = env.path(QStringLiteral("NAMEN.TIF"));
    const QString other = env.path(QStringLiteral("Verein.tif"));
    writeBytes(file, entries(2));
    ASSERT_EQ(::link(file.toLocal8Bit().constData(), other.toLocal8Bit().constData()), 0);
    ASSERT_EQ(save(other, 5), 0);
    EXPECT_EQ(readBytes(file), entries(5));
    EXPECT_EQ(readBytes(other), entries(5));
    struct stat a {
    }, b{};
    ::stat(file.toLocal8Bit().constData(), &a);
    ::stat(other.toLocal8Bit().constData(), &b);
    EXPECT_EQ(a.st_ino, b.st_ino);
    EXPECT_EQ(a.st_nlink, 2u);
    EXPECT_EQ(readBytes(other + QStringLiteral("~")), entries(2));

    ::chmod(file.toLocal8Bit().constData(), 0444);
    EXPECT_EQ(save(file, 1), 5);
    EXPECT_EQ(readBytes(file), entries(5));
}

TEST(NameFileDisk, RelativeNamesAreSavedInTheWorkingFolder) {
    TempEnv env; // the working folder is the temporary home
    CellStore cells(2);
    cells.setCell(kSpalteName, 1, "Hier");
    NamenDateiSchreiben("NAMEN.TIF", cells);
    EXPECT_EQ(readBytes(env.path(QStringLiteral("NAMEN.TIF"))), NamenDateiText(cells));
    EXPECT_EQ(QDir(env.home()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(NameFileDisk, SaveIntoAMissingFolderIsABadName) {
    TempEnv env;
    CellStore cells(2);
    try {
        NamenDateiSchreiben(env.path(QStringLiteral("fehlt/NAMEN.TIF")).toStdString(), cells);
        FAIL();
    } catch (const DateiFehler& e) {
        EXPECT_EQ(e.code(), 3);
        EXPECT_STREQ(e.what(), "Ung\xFCltiger Dateiname");
    }
}

TEST(NameFileSave, QuestionsBeforeSavingAreOnlyWhatIsTrue) {
    DateiStand gelesen;
    gelesen.vorhanden = true;
    gelesen.groesse = 10;
    DateiStand anders = gelesen;
    anders.groesse = 11;
    LadeErgebnis ok;
    ok.stand = gelesen;
    EXPECT_TRUE(FragenVorDemSpeichern(ok, gelesen).empty());
    ASSERT_EQ(FragenVorDemSpeichern(ok, anders).size(), 1u);
    EXPECT_EQ(FragenVorDemSpeichern(ok, anders)[0].rfind("Die Gesamt-Datei wurde inzwischen", 0),
              0u);
    // A read that failed part-way took no stand of the file: one question, not two.
    LadeErgebnis abgebrochen;
    abgebrochen.unvollstaendig = true;
    const auto fragen = FragenVorDemSpeichern(abgebrochen, gelesen);
    ASSERT_EQ(fragen.size(), 1u);
    EXPECT_EQ(fragen[0],
              "Die Gesamt-Datei wurde nicht vollst\xE4ndig eingelesen. Trotzdem speichern");
}

TEST(NameFileSave, ANameThatLeadsToAnotherFileNowIsSaidSo) {
    TempEnv env;
    const QString list = env.path(QStringLiteral("NAMEN.TIF"));
    const std::string pfad = QFile::encodeName(list).toStdString();
    writeBytes(list, entries(2));
    CellStore cells(kMaxEintraege + 1);
    const LadeErgebnis geladen = NamenDateiLesen(pfad, cells);
    auto frage = [&] {
        const auto fragen = FragenVorDemSpeichern(geladen, DateiStandLesen(pfad));
        return fragen.size() == 1 ? fragen[0] : std::to_string(fragen.size()) + " questions";
    };
    EXPECT_TRUE(FragenVorDemSpeichern(geladen, DateiStandLesen(pfad)).empty());
    // The same bytes, but another file: replaced by a copy.
    writeBytes(list + u'2', entries(2));
    ASSERT_EQ(::rename(QFile::encodeName(list + u'2'), QFile::encodeName(list)), 0);
    EXPECT_EQ(frage(), "Unter dem Namen der Gesamt-Datei liegt inzwischen eine andere Datei als "
                       "beim \xD6"
                       "ffnen. Trotzdem \xFC"
                       "berschreiben");
    // A link put in its place, to a file of someone else's.
    writeBytes(env.path(QStringLiteral("notizen.txt")), "meine Notizen");
    QFile::remove(list);
    ASSERT_TRUE(QFile::link(QStringLiteral("notizen.txt"), list));
    EXPECT_EQ(frage(), "Die Gesamt-Datei ist inzwischen ein Verweis auf eine andere Datei. "
                       "Trotzdem dorthin speichern");
}

// A list another user made 4 GiB large (timed by hand with /usr/bin/time -v): read as far as a
// list can reach, said so, and saved without a backup of the rest.
TEST(NameFileDisk, AHugeFileIsReadOnlyAsFarAsAListCanReach) {
    TempEnv env;
    const QString file = env.path(QStringLiteral("NAMEN.TIF"));
    const std::string path = file.toStdString();
    writeBytes(file, entries(3));
    ASSERT_EQ(::truncate(path.c_str(), off_t(4) << 30), 0); // sparse: costs no disk
    CellStore cells(kMaxEintraege + 1);
    const LadeErgebnis r = NamenDateiLesen(path, cells);
    EXPECT_EQ(r.anzahl, 3);
    EXPECT_TRUE(r.zuGross && !r.unvollstaendig);
    EXPECT_EQ(FragenVorDemSpeichern(r, DateiStandLesen(path)),
              std::vector<std::string>{"Die nicht eingelesenen Eintr\xE4ge gehen beim Speichern "
                                       "verloren. Trotzdem speichern"});
    EXPECT_FALSE(NamenDateiSchreiben(path, cells));
    EXPECT_EQ(readBytes(file), entries(3));
}

// Bad name files and what must come of them: no crash, and what was read is saved back so
// that it reads the same again.

#include "cells/cellstore.h"
#include "namefile/namefile.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString corpus(const char* name) {
    return QStringLiteral(CORPUS_DIR "/") + QString::fromLatin1(name);
}

struct Read {
    CellStore cells{kMaxEintraege + 1};
    LadeErgebnis result;
    explicit Read(const QString& path) { result = NamenDateiLesen(path.toStdString(), cells); }
    std::string name(int r) const { return cells.cell(kSpalteName, r); }
    std::string nr(int r) const { return cells.cell(kSpalteNr, r); }
};

// Save, read again: the same rows.
void roundTrip(const Read& first, const TempEnv& env) {
    const QString saved = env.path(QStringLiteral("saved.tif"));
    NamenDateiSchreiben(saved.toStdString(), first.cells);
    const Read again(saved);
    ASSERT_EQ(again.result.anzahl, first.result.anzahl);
    for (int r = 1; r <= first.result.anzahl; ++r) {
        for (int c = 0; c < 4; ++c) {
            // A blank entry (its name only blanks) is gone; nothing here has one.
            ASSERT_EQ(again.cells.cell(c, r), first.cells.cell(c, r)) << "row " << r;
        }
    }
}

} // namespace

TEST(Corpus, BinaryGarbageLoadsAndRoundTrips) {
    TempEnv env;
    const Read r(corpus("binary.tif"));
    EXPECT_TRUE(r.result.fehler.empty());
    EXPECT_GT(r.result.anzahl, 0);
    EXPECT_LE(r.result.anzahl, kMaxEintraege);
    roundTrip(r, env);
}

TEST(Corpus, NulBytesStayInTheirNames) {
    TempEnv env;
    const Read r(corpus("nul_bytes.tif"));
    ASSERT_EQ(r.result.anzahl, 3);
    EXPECT_EQ(r.name(1), std::string("Anna\0Berg", 9));
    EXPECT_EQ(r.name(2), std::string("\0\0\0", 3));
    EXPECT_EQ(r.name(3), "Otto");
    roundTrip(r, env);
}

TEST(Corpus, CrOnlyLineEndsAndCtrlZ) {
    TempEnv env;
    const Read cr(corpus("cr_only.tif"));
    ASSERT_EQ(cr.result.anzahl, 3);
    EXPECT_EQ(cr.name(3), "Petra");
    roundTrip(cr, env);
    const Read z(corpus("ctrlz_middle.tif"));
    ASSERT_EQ(z.result.anzahl, 2);
    EXPECT_EQ(z.name(2), "Otto");
    EXPECT_TRUE(z.result.datenNachDateiende); // saving would lose "Meier" and line 3
    const Read end(corpus("ctrlz_end_only.tif"));
    EXPECT_EQ(end.result.anzahl, 1);
    EXPECT_FALSE(end.result.datenNachDateiende);
}

TEST(Corpus, OtherToolsLineEndsByteOrderMarkAndLetterCase) {
    TempEnv env;
    const Read lf(corpus("lf_only.tif"));
    ASSERT_EQ(lf.result.anzahl, 3);
    EXPECT_EQ(lf.name(1), "Anna Berg");
    EXPECT_EQ(lf.name(3), "Petra");
    EXPECT_EQ(lf.cells.cell(kSpalteDBVNr, 2), "7");
    EXPECT_EQ(lf.nr(2), "x10"); // hexadecimal, kept as written
    const QString saved = env.path(QStringLiteral("saved.tif"));
    NamenDateiSchreiben(saved.toStdString(), lf.cells);
    EXPECT_EQ(readBytes(saved), "GESAMT-DATEI\r\nAnna Berg\t \t1\tN\t\r\n"
                                "Otto Meier\t \tx10\tJ\t7\r\nPetra\t \t3\tN\t\r\n");

    const Read bom(corpus("bom_header.tif"));
    ASSERT_EQ(bom.result.anzahl, 1);
    EXPECT_EQ(bom.name(1), "Anna Berg");
    NamenDateiSchreiben(saved.toStdString(), bom.cells);
    EXPECT_EQ(readBytes(saved), "GESAMT-DATEI\r\nAnna Berg\t \t1\tN\t\r\n");
}

TEST(Corpus, HeaderOnlyAndNoHeader) {
    TempEnv env;
    const Read h(corpus("header_only.tif"));
    EXPECT_EQ(h.result.anzahl, 0);
    EXPECT_TRUE(h.result.leerzeile);
    const Read n(corpus("no_header.tif"));
    ASSERT_EQ(n.result.anzahl, 2);
    EXPECT_EQ(n.name(1), "Anna Berg");
    EXPECT_EQ(n.nr(1), "5");
    roundTrip(n, env);
}

TEST(Corpus, Utf8IsKeptAsItsBytes) {
    TempEnv env;
    const Read r(corpus("utf8.tif"));
    ASSERT_EQ(r.result.anzahl, 2);
    EXPECT_EQ(r.name(1), "J\xC3\xBCrgen Wei\xC3\x9F");
    const QString saved = env.path(QStringLiteral("saved.tif"));
    NamenDateiSchreiben(saved.toStdString(), r.cells);
    EXPECT_EQ(readBytes(saved), readBytes(corpus("utf8.tif")));
}

TEST(Corpus, TwentyFieldsAndNumbersBeyond32Bits) {
    TempEnv env;
    const Read t(corpus("twenty_fields.tif"));
    ASSERT_EQ(t.result.anzahl, 1);
    EXPECT_EQ(t.cells.cell(kSpalteDBVNr, 1), "4711");
    const Read b(corpus("big_numbers.tif"));
    ASSERT_EQ(b.result.anzahl, 6);
    EXPECT_EQ(b.nr(1), "2147483647");
    EXPECT_EQ(b.nr(2), "2");
    EXPECT_EQ(b.nr(3), "-2147483648");
    EXPECT_EQ(b.nr(4), "4");
    EXPECT_EQ(b.nr(5), "$7FFFFFFF");
    EXPECT_EQ(b.nr(6), "6");
    roundTrip(b, env);
}

TEST(Corpus, MegabytesInOneLineAndAHundredThousandLines) {
    TempEnv env;
    const QString one = env.path(QStringLiteral("one_line.tif"));
    writeBytes(one, "GESAMT-DATEI\r\n" + std::string(3 << 20, 'M'));
    const Read r(one);
    ASSERT_EQ(r.result.anzahl, 1);
    EXPECT_EQ(r.name(1).size(), size_t(3 << 20));
    roundTrip(r, env);
    // Beyond what any list needs: the line is left out whole, and that is said.
    writeBytes(one, "GESAMT-DATEI\r\n" + std::string(10 << 20, 'M'));
    const Read zuGross(one);
    EXPECT_EQ(zuGross.result.anzahl, 0);
    EXPECT_TRUE(zuGross.result.zuGross);

    std::string many = "GESAMT-DATEI\r\n";
    for (int i = 0; i < 100000; ++i)
        many += "Name " + std::to_string(i) + "\t \t" + std::to_string(i + 1) + "\tN\t\r\n";
    const QString lots = env.path(QStringLiteral("lots.tif"));
    writeBytes(lots, many);
    const Read l(lots);
    EXPECT_EQ(l.result.anzahl, 1000);
    EXPECT_TRUE(l.result.mehrAlsMaximum);
    EXPECT_EQ(l.name(1000), "Name 999");
}

TEST(Corpus, FolderFifoAndDanglingLink) {
    TempEnv env;
    QDir().mkdir(env.path(QStringLiteral("folder.tif")));
    const Read folder(env.path(QStringLiteral("folder.tif")));
    EXPECT_EQ(folder.result.fehler, "Dateizugriff verweigert");
    ASSERT_EQ(::mkfifo(env.path(QStringLiteral("fifo.tif")).toLocal8Bit().constData(), 0600), 0);
    const Read fifo(env.path(QStringLiteral("fifo.tif")));
    EXPECT_EQ(fifo.result.fehler, "Dateizugriff verweigert");
    QFile::link(env.path(QStringLiteral("nirgends.tif")), env.path(QStringLiteral("link.tif")));
    const Read link(env.path(QStringLiteral("link.tif")));
    EXPECT_FALSE(link.result.vorhanden); // like a file not yet there
    EXPECT_TRUE(link.result.leerzeile);
}

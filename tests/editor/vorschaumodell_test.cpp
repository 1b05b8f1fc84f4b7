// The preview's rows as its table shows them: each cell's text, tooltip, font and mark, the
// ticks, and bounds on what any text shows; and hostile member tables, made here, through the
// readers, the recognition and the match into those rows.

#include "editor/abgleich.h"
#include "editor/vorschaumodell.h"
#include "tabelle/tabelle.h"
#include "tests/editor/liste.h"
#include "tests/tabelle/feindlich.h"

#include <QFont>

namespace {

// Test data written as UTF-8 literals.
QString operator""_q(const char* text, size_t n) {
    return QString::fromUtf8(text, qsizetype(n));
}

using M = Vorschaumodell;
constexpr int kName = M::kErstesFeld + kSpalteName;
constexpr int kMP = M::kErstesFeld + kSpalteMP;

struct Gezeigt {
    QString text, tooltip = QString();
    bool fett = false, schraeg = false, markiert = false;
    bool operator==(const Gezeigt&) const = default;
};
void PrintTo(const Gezeigt& z, std::ostream* os) {
    *os << '"' << z.text.toStdString() << "\" tooltip \"" << z.tooltip.toStdString() << "\""
        << (z.fett ? " fett" : "") << (z.schraeg ? " schräg" : "")
        << (z.markiert ? " markiert" : "");
}

Gezeigt zelle(const M& m, int row, int spalte) {
    const QModelIndex i = m.index(row, spalte);
    const QFont font = i.data(Qt::FontRole).value<QFont>();
    return {i.data().toString(), i.data(Qt::ToolTipRole).toString(),
            i.data(Qt::FontRole).isValid() && font.bold(),
            i.data(Qt::FontRole).isValid() && font.italic(), i.data(Qt::BackgroundRole).isValid()};
}

// A table's rows against the list, as the import preview shows them.
struct Vorschau {
    std::vector<QStringList> zeilen;
    Zeilenvorschau erkannt{zeilen};
    Abgleich abgleich;
    M modell{true};

    Vorschau(const Liste& l, std::vector<QStringList> z)
        : zeilen(std::move(z)),
          abgleich(Abgleichen(l.cells, l.liste.iAnzahl(), erkannt.eintraege())) {
        modell.markierungSetzen(Qt::yellow);
        modell.setzen(erkannt.zeilen(), abgleich.zeilen);
    }
};

std::vector<QStringList> tafel(const char16_t* text) {
    return ZeilenAusText(QString::fromUtf16(text)).zeilen;
}

} // namespace

TEST(Vorschaumodell, JedeZeileZeigtNummerAktionEintragUndHinweiseIhrerZelle) {
    const Liste l({{"1", "Anna Berg", "N", "100237"}, {"2", "Hans Meier", "J", "4711"}});
    const Vorschau v(l, tafel(u"Mitgliedsnr.\tName\tMP\tOrt\n"
                              u"100237\tAnna Berg\tj\tKöln\n"
                              u"4711\tHans Meier\tJ\n"
                              u"\t\tG\tBonn\n"
                              u"\tCarla Neu\tX\n"));
    const M& m = v.modell;
    ASSERT_EQ(m.rowCount(), 5); // the heading row too
    ASSERT_EQ(m.columnCount(), M::kSpalten);
    const QString ort = "„Köln“ wird nicht übernommen"_q;
    const struct {
        int row, spalte;
        Gezeigt zelle;
    } faelle[] = {
        {0, M::kZeile, {"1"_q}},
        {0, M::kAktion, {"übersprungen"_q}},
        {0,
         kName,
         {"Mitgliedsnr. | Name | MP | Ort"_q, "Mitgliedsnr. | Name | MP | Ort"_q, false, true}},
        {0, M::kHinweis, {"Überschriften"_q, "Überschriften"_q, false, false, true}},
        // The MP changes: old → new in bold; the value that was changed is marked.
        {1, M::kAktion, {"geändert"_q}},
        {1, kMP, {"N → J"_q, "„j“ wurde als „J“ übernommen"_q, true, false, true}},
        {1, kName, {"Anna Berg"_q}},
        {1,
         M::kHinweis,
         {"„j“ wurde als „J“ übernommen; "_q + ort, "„j“ wurde als „J“ übernommen\n"_q + ort, false,
          false, true}},
        {2, M::kAktion, {"unverändert"_q}},
        {2, kMP, {"J"_q}},
        // Without a name: what the row held, in italics.
        {3, kName, {"G | Bonn"_q, "G | Bonn"_q, false, true}},
        {3,
         M::kHinweis,
         {"kein Name; „Bonn“ wird nicht übernommen"_q, "kein Name\n„Bonn“ wird nicht übernommen"_q,
          false, false, true}},
        {4, M::kAktion, {"neu"_q}},
        {4,
         kMP,
         {"N"_q, "„X“ ist kein MP (J, N oder G) und wurde weggelassen"_q, false, false, true}},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(zelle(m, f.row, f.spalte), f.zelle) << "row " << f.row << ", column " << f.spalte;
    EXPECT_EQ(m.headerData(M::kHinweis, Qt::Horizontal), QStringLiteral("Hinweis"));
}

// Space in the view ticks the current row; only a row that changes the list has a tick.
TEST(Vorschaumodell, HakenNurWoEineZeileDieListeAendertUndDerPlanFolgtIhnen) {
    const Liste l({{"1", "Anna Berg", "N", "100237"}});
    Vorschau v(l, tafel(u"Name\tMitgliedsnr.\nAnna Berg\t100237\nBernd Neu\t5\nAnna Berg\t100237\n"
                        u"\t7\n"));
    M& m = v.modell;
    int geaendert = 0;
    QObject::connect(&m, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& a, const QModelIndex& b, const QList<int>& rollen) {
                         geaendert += a == b && rollen == QList<int>{Qt::CheckStateRole};
                     });
    const auto haken = [&] {
        std::vector<QVariant> out;
        for (int r = 0; r < m.rowCount(); ++r)
            out.push_back(m.index(r, M::kAktion).data(Qt::CheckStateRole));
        return out;
    };
    const QVariant ja = Qt::Checked, nein = Qt::Unchecked, keiner;
    // Heading, unchanged, new, the same entry again, no name.
    ASSERT_EQ(haken(), (std::vector<QVariant>{keiner, keiner, ja, keiner, keiner}));
    for (int r = 0; r < m.rowCount(); ++r)
        m.hakenUmschalten(r);
    m.hakenUmschalten(-1);
    m.hakenUmschalten(m.rowCount());
    EXPECT_EQ(haken(), (std::vector<QVariant>{keiner, keiner, nein, keiner, keiner}));
    EXPECT_EQ(geaendert, 1);
    EXPECT_FALSE(m.plan()[2].haken);
    EXPECT_TRUE(m.setData(m.index(2, M::kAktion), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(geaendert, 2);
    EXPECT_FALSE(m.setData(m.index(1, M::kAktion), Qt::Checked, Qt::CheckStateRole));
    EXPECT_FALSE(m.setData(m.index(2, kName), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(m.plan()[2].haken);
    EXPECT_TRUE(m.flags(m.index(2, M::kAktion)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(m.flags(m.index(2, kName)) & Qt::ItemIsUserCheckable);
}

// Whatever a table's cells hold, no text of the preview grows beyond what a cell can show.
TEST(Vorschaumodell, KeinTextIstLaengerAlsDieAnzeige) {
    const Liste l({{"1", "Anna Berg", "N", "100237"}});
    const QString lang = QString(tabelle::kMaxZeichen, u'x');
    QStringList vieleSpalten{"Anna Berg"_q}, ohneName{""_q, "N"_q};
    for (int c = 1; c < 64; ++c)
        vieleSpalten << QString(40, QChar(u'a' + c % 26)) + QString::number(c);
    for (int c = 0; c < 64; ++c)
        ohneName << lang;
    const struct {
        const char* fall;
        QStringList zeile;
        int spalte;
        qsizetype laenge; // of the text shown
    } faelle[] = {
        {"a name as long as a cell may be", {"Anna "_q + lang}, kName, M::kMaxAnzeige},
        {"63 values no column takes", vieleSpalten, M::kHinweis, M::kMaxAnzeige},
        {"a row without a name of 64 long cells", ohneName, kName, M::kMaxAnzeige},
        {"a short name", {"Anna Bergmann"_q}, kName, 13},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        const Vorschau v(l, {f.zeile});
        ASSERT_EQ(v.modell.rowCount(), 1);
        const Gezeigt z = zelle(v.modell, 0, f.spalte);
        EXPECT_EQ(z.text.size(), f.laenge);
        EXPECT_EQ(z.text.endsWith(u'…'), f.laenge == M::kMaxAnzeige);
        for (int c = 0; c < M::kSpalten; ++c) {
            EXPECT_LE(zelle(v.modell, 0, c).text.size(), M::kMaxAnzeige);
            EXPECT_LE(zelle(v.modell, 0, c).tooltip.size(), M::kMaxAnzeige);
        }
    }
}

// Tables of a few hundred bytes that once took seconds and gigabytes: rows and columns repeated
// to a sheet's last ones, blanks repeated in every cell, 450000 lines, 16384 columns. Each
// keeps the rows of a full list and a tail, says how many rows and columns it left out, and
// its first rows are still recognised and matched as they would be alone.
TEST(Vorschaumodell, FeindlicheTabellenZeigenHoechstensWasDieListeNehmenKann) {
    const Liste l({{"1", "Anna Berg", "N", "100237"}});
    const std::vector<FeindlicheTabelle> tabellen = FeindlicheTabellen();
    const qint64 letzte = 1048576; // a spreadsheet's rows
    const QString zeilen = "%1 weitere Zeilen wurden weggelassen: die Liste hat höchstens 1000 "
                           "Einträge"_q;
    const QString spalten = "In %1 Zeilen wurden die Spalten nach der 64. weggelassen"_q;
    const struct {
        const char* fall;
        qsizetype zeilen; // in the preview; -1: as many as the text kept allows
        QString weggelassen;
    } faelle[] = {
        {"wiederholt.ods", tabelle::kMaxZeilenBehalten,
         zeilen.arg(letzte - tabelle::kMaxZeilenBehalten) + ". "_q + spalten.arg(1098)},
        {"leerzeichen.ods", -1, {}},
        {"zeilen.csv", tabelle::kMaxZeilenBehalten,
         zeilen.arg(450002 - tabelle::kMaxZeilenBehalten)},
        {"spalten.xlsx", 10, spalten.arg(10)},
        {"hinweise.ods", tabelle::kMaxZeilenBehalten,
         zeilen.arg(letzte - tabelle::kMaxZeilenBehalten)},
    };
    ASSERT_EQ(std::size(faelle), tabellen.size());
    for (size_t i = 0; i < tabellen.size(); ++i) {
        const auto& f = faelle[i];
        ASSERT_STREQ(tabellen[i].name, f.fall);
        SCOPED_TRACE(f.fall);
        const tabelle::Ergebnis e = tabelle::lesenAusBytes(tabellen[i].bytes);
        ASSERT_EQ(e.fehler.toStdString(), "");
        const tabelle::Blatt& blatt = e.blaetter.at(size_t(e.erstesMitDaten));
        const Vorschau v(l, blatt.zeilen);
        const M& m = v.modell;
        EXPECT_LE(m.rowCount(), tabelle::kMaxZeilenBehalten);
        if (f.zeilen >= 0) {
            EXPECT_EQ(m.rowCount(), f.zeilen);
            EXPECT_EQ(WeggelassenText(blatt), f.weggelassen);
        } else {
            EXPECT_GT(blatt.zeilenWeggelassen, 0);
            EXPECT_TRUE(WeggelassenText(blatt).startsWith(QString::number(blatt.zeilenWeggelassen) +
                                                          " weitere Zeilen wurden weggelassen"_q));
        }
        const auto& spalten = v.erkannt.erkennung().spalten;
        ASSERT_GE(spalten.size(), 3u);
        EXPECT_EQ(std::vector<Bedeutung>(spalten.begin(), spalten.begin() + 3),
                  (std::vector<Bedeutung>{Bedeutung::Name, Bedeutung::MP, Bedeutung::Mitgliedsnr}));
        EXPECT_EQ(zelle(m, 0, M::kHinweis).text.left(13), "Überschriften"_q);
        EXPECT_EQ(zelle(m, 1, M::kAktion).text, "geändert"_q);
        EXPECT_EQ(zelle(m, 1, kMP).text, "N → J"_q);
        EXPECT_EQ(v.abgleich.nichtInTabelle, 0);
    }
}

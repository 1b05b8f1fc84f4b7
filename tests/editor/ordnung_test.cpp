#include "cells/cellstore.h"
#include "cells/eintrag.h"
#include "editor/duplikatpruefung.h"
#include "editor/namensordnung.h"

#include <gtest/gtest.h>

namespace {

// Names and membership numbers as they stand in the cells; blank names too, which no file
// loads but typing leaves.
struct Tabelle : CellStore {
    explicit Tabelle(const std::vector<std::pair<std::string, std::string>>& eintraege)
        : CellStore(int(eintraege.size()) + 1), anzahl(int(eintraege.size())) {
        for (int r = 1; r <= anzahl; ++r) {
            setCell(kSpalteName, r, eintraege[size_t(r - 1)].first);
            setCell(kSpalteDBVNr, r, eintraege[size_t(r - 1)].second);
        }
    }
    int anzahl;
};

// A group as "1 2s+ 3g+": row, kind (none: kept; g, s, n, w: Gleich, Schreibweise,
// GleicheNummer, GleicherName), + when ticked; groups parted by " | ".
std::string gruppenText(const std::vector<Duplikatgruppe>& gruppen) {
    std::string out;
    for (const Duplikatgruppe& g : gruppen) {
        out += out.empty() ? "" : " | ";
        for (const Duplikat& d : g)
            out += (&d == &g.front() ? "" : " ") + std::to_string(d.row) +
                   std::string(" gsnw").substr(size_t(d.art), d.art != Duplikatart::Behalten) +
                   (d.haken ? "+" : "");
    }
    return out;
}

} // namespace

// Octal escapes where a letter follows that would continue a hex one ("Schr\366der").
TEST(DuplikatePruefen, EachKindOfGroupAndThePairsNeverProposed) {
    const struct {
        const char *a, *nrA, *b, *nrB, *gruppen;
    } faelle[] = {
        {"Hans Meier", "", "HANS  MEIER", "", "1 2g+"},
        {"Hans Meier", "", "Hans Meier", "5", "1g+ 2"},
        {"", "5", " ", "5", "1 2g+"}, // blank names by the same rule
        {"Gerd Schr\366der", "7", "GERD SCHR\326DER", "7", "1 2s+"},
        {"Dr. H. Meier", "7", "Dr H Meier", " 7", "1 2s+"},
        {"Anna Wei\xDF", "7", "ANNA WEISS", "7", "1 2s+"},
        {"Hans Meier", "7", "Hanna Meier", "7", "1 2n"},
        {"M\xFCller", "", "Mueller", "", "1 2w"},
        {"M\xFCller", "", "MUELLER", "3", "1w 2"},
        {"Hans Meier", "111", "Hans Meier", "222", ""},
        {"Anna Wei\xDF", "1", "Anna Weiss", "2", ""},
        {"Hans Meier", "", "Hanna Meier", "", ""},
        {"Hans Meier", "1", "Hanna Meier", "2", ""},
        // The entry with a number stays, then the spelling with umlauts and small letters.
        {"GERD SCHR\326DER", "7", "Gerd Schr\366der", "7", "1s+ 2"},
        {"Anna Weiss", "7", "Anna Wei\xDF", "7", "1s+ 2"},
        {"Hans Mueller", "", "Hans M\xFCller", "", "1w 2"},
        {"Hans Meier", "0100237", "Hans Meier", "100237", "1 2g+"},
        {"Heinz Meier", "4711", "Meier, H.", "4711", "1 2s+"},
        {"Werner Albrecht", "117500", "Petra Krause", "117500", "1 2n"},
    };
    for (const auto& f : faelle) {
        const Tabelle t({{f.a, f.nrA}, {f.b, f.nrB}});
        EXPECT_EQ(gruppenText(DuplikatePruefen(t, 2)), f.gruppen) << f.a << " / " << f.b;
    }
    // Chains end at the entry that stays; another number joins no group.
    const Tabelle t({{"Gerd Schr\366der", "1"},
                     {"GERD SCHR\326DER", "1"},
                     {"GERD  SCHR\326DER", "1"},
                     {"Hans Meier", "2"},
                     {"Hanna Meier", "2"},
                     {"Hans Meier", "3"},
                     {"hans meier", ""},
                     {"Otto Ober", ""}});
    const std::vector<Duplikatgruppe> g = DuplikatePruefen(t, t.anzahl);
    EXPECT_EQ(gruppenText(g), "1 2s+ 3s+ | 4 5n 7g+");
    EXPECT_EQ(DuplikatZeilen(t, t.anzahl), (std::vector<int>{3, 7}));
    EXPECT_EQ(AngehakteZeilen(g), (std::vector<int>{2, 3, 7}));

    // The user keeps another entry: the others are measured against it.
    EXPECT_EQ(gruppenText({GruppeBehalten(t, g[0], 2)}), "1s+ 2 3g+");
    EXPECT_EQ(gruppenText({GruppeBehalten(t, g[1], 7)}), "4w 5w 7");
    EXPECT_EQ(gruppenText({GruppeBehalten(t, GruppeBehalten(t, g[1], 5), 4)}), "4 5n 7g+");
    EXPECT_EQ(GruppeBehalten(t, g[1], 6), g[1]); // not in the group
}

// "Duplikate löschen" compares numbers as they are written; only the review folds them.
TEST(DuplikatePruefen, DuplikateLoeschenKeepsItsOwnResult) {
    const Tabelle t({{"Hans Meier", "0100237"},
                     {"Hans Meier", "100237"},
                     {"GERD SCHR\326DER", "7"},
                     {"Gerd Schr\366der", "7"},
                     {"Hans Meier", ""}});
    EXPECT_EQ(DuplikatZeilen(t, t.anzahl), (std::vector<int>{5}));
    EXPECT_EQ(gruppenText(DuplikatePruefen(t, t.anzahl)), "1 2g+ 5g+ | 3s+ 4");
}

TEST(NamensOrdnung, SurnameThenFirstNamesAsAGermanDictionary) {
    const struct {
        std::vector<std::string> names;
        std::vector<int> order;
    } faelle[] = {
        {{"Zander", "Otto \xD6zt\xFCrk", "Karl Ober", "Peter M\xFCller", "Anna M\xFCller",
          "\xC4nne Adler"},
         {6, 5, 4, 3, 2, 1}},
        {{"Anna Wei\xDF", "Anna Weit", "Anna Weiss", "Anna Weise"}, {4, 3, 1, 2}},
        {{"Carl Schulz", "anna schulz", "Bernd SCHULZ", "Hans Schr\366der"}, {4, 2, 3, 1}},
        {{"Hans M\xFCller", "Hans MULLER", "Hans Muller"}, {3, 2, 1}}, // the exact text last
        {{"Hans Meier", "Meier, H.", "Dr. Anna Meier", "Meier", "Zoe Ahrens"}, {5, 4, 3, 2, 1}},
        {{"Carl Heide", "Bernd Heider", "Anna von der Heide", "Anna Vogel"}, {3, 1, 2, 4}},
        {{"Meier, Hans", "", "Anna Berg", "Hans Meier", " "}, {3, 1, 4, 2, 5}}, // stable
    };
    for (const auto& f : faelle) {
        std::vector<std::pair<std::string, std::string>> eintraege;
        for (const std::string& name : f.names)
            eintraege.emplace_back(name, "");
        const Tabelle t(eintraege);
        EXPECT_EQ(NamensOrdnung(t, t.anzahl), f.order) << f.names.front();
    }
}

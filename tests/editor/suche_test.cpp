#include "editor/suche.h"
#include "tests/editor/liste.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> rows(const std::vector<Treffer>& treffer) {
    std::vector<int> out;
    for (const Treffer& t : treffer)
        out.push_back(t.row);
    return out;
}

} // namespace

TEST(Suche, FoldsCapitalsAccentsAndSharpSAndFindsNumbersInTheirColumns) {
    Liste l({{"1", "M\xFCller, J\xFCrgen", "N", "100496"},
             {"2", "Mueller, Hans", "N", ""},
             {"3", "Wei\xDF, Anna", "J", "7"},
             {"4", "Weiss,  Bernd", "N", "712"},
             {"5",
              "\xC9mile Z\xF6"
              "ller 12",
              "G", ""},
             {"7", "\xC6rling", "N", "2007"},
             {"8", "Anna Stra\337e", "N", ""}});
    const struct {
        const char* suchtext;
        std::vector<int> rows;
    } faelle[] = {
        {"muller", {1}},
        {"M\xDCLLER", {1, 2}}, // spelled out, "Mueller" is "Müller"
        {"m\xFCller", {1, 2}},
        {"mueller", {1, 2}},
        {"eller", {1, 2, 5}}, // "Zoeller" too
        {"strasse", {7}},
        {"STRA\337E", {7}},
        {"wei\xDF", {3, 4}},
        {"WEISS", {3, 4}},
        {"weiss, bernd", {4}}, // blanks tidied on both
                               // sides
        {"emile", {5}},
        {"aerling", {6}},
        {"7", {3, 4, 6}}, // Nr. 7, Mitgliedsnr. 7 and 712
        {" 12 ", {5}},    // the name holds it; no Nr. or Mitgliedsnr. is or begins with it
        {"100", {1}},     // Mitgliedsnr. from its beginning only
        {"2", {2, 5, 6}}, // Nr. 2, "12" in a name, and 2007
        {"xyz", {}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.suchtext);
        EXPECT_EQ(rows(Suchen(l.cells, l.liste.iAnzahl(), f.suchtext)), f.rows);
    }
    EXPECT_EQ(Suchen(l.cells, l.liste.iAnzahl(), "7").front(), (Treffer{3, kSpalteDBVNr}));
    EXPECT_EQ(Suchen(l.cells, l.liste.iAnzahl(), "7").back(), (Treffer{6, kSpalteNr}));
}

TEST(Suche, TheNextHitWrapsAtBothEnds) {
    const std::vector<Treffer> t = {{3, 1}, {8, 1}, {12, 1}};
    EXPECT_EQ(TrefferAb(t, 8, false, true), 1);  // as the text grows, the hit stays
    EXPECT_EQ(TrefferAb(t, 8, false, false), 2); // F3: the next one
    EXPECT_EQ(TrefferAb(t, 12, false, false), 0);
    EXPECT_EQ(TrefferAb(t, 9, true, false), 1); // Shift+F3
    EXPECT_EQ(TrefferAb(t, 3, true, false), 2);
    EXPECT_EQ(TrefferAb(t, 1, false, true), 0);
    EXPECT_EQ(TrefferAb({}, 1, false, true), -1);
}

#include "cells/cellstore.h"
#include "editor/namensordnung.h"
#include "namefile/namefile.h"

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

} // namespace

// Octal escapes where a letter follows that would continue a hex one ("Schr\366der").
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

TEST(NamensOrdnung, SurnameAndRest) {
    const char* faelle[][3] = {
        {"Hans Meier", "Meier", "Hans"},
        {"Meier, H.", "Meier", "H."},
        {"Meier H.", "Meier", "H."},
        {"H.Meier", "Meier", "H."},
        {"Prof. Dr. Dipl.-Ing. H.-P.  Schulz", "Schulz", "H.-P. Prof. Dr. Dipl.-Ing."},
        {"Anna von der Heide", "Heide", "Anna von der"},
        {"von der Heide, Anna, Dr.", "von der Heide", "Anna Dr."},
        {", Anna", "Anna", ""},
        {"  ", "", ""},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(NamenZerlegen(f[0]), (Namensteile{f[1], f[2]})) << f[0];
}

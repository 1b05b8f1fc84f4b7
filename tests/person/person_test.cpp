// The person rule as tables of cases. Names are Windows-1252: octal escapes where a letter
// follows that would continue a hex one ("Schr\366der").

#include "person/person.h"

#include <gtest/gtest.h>

using V = Namensvergleich;

TEST(Person, MembershipNumbersWithoutBlanksAndLeadingZeros) {
    const char* faelle[][2] = {
        {"0100237", "100237"}, {"100237 ", "100237"},    {" 100 237", "100237"},
        {"000", "0"},          {"DE-04711", "DE-04711"}, {"", ""},
        {" \t ", ""},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(Nummernform(f[0]), f[1]) << f[0];
}

// Each case led by its kind: N a number, F a formula, D a date, B letters.
TEST(Person, WhatAMembershipNumberFromOutsideLooksLike) {
    for (const char* f : {"N -4711 ", "N+4711", "N=", "F=17", "F@SUMME(A1)", "F+A1", "D1/3/15",
                          "D2015-03-01", "N01.03/2015", "N100.237", "N12-34-56", "BDE-47"})
        EXPECT_EQ("NFDB"[int(MitgliedsnummerArt(f + 1))], f[0]) << f;
}

TEST(Person, PairsOfNamesAndNumbers) {
    const struct {
        const char *a, *nrA, *b, *nrB;
        V vergleich;
        bool dieselbe;
    } faelle[] = {
        {"Hans Meier", "", "Hanna Meier", "", V::AndererVorname, false},
        {"Hans Meier", "7", "Hanna Meier", "7", V::AndererVorname, false},
        {"Peter Schmidt", "111", "Peter Schmidt", "222", V::Gleich, false},
        {"Meier, H.", "4711", "Heinz Meier", "4711", V::Schreibweise, true},
        {"Meier, H.", "", "Heinz Meier", "", V::Schreibweise, false}, // Hans or Heinz?
        {"Werner Albrecht", "117500", "Petra Krause", "117500", V::AnderePerson, false},
        {"GERD SCHR\326DER", "", "Gerd Schr\366der", "", V::Gleich, true},
        {"Anna Weiss", "", "Anna Wei\xDF", "", V::Gleich, true},
        {"Hans M\xFCller", "", "HANS MUELLER", "3", V::Gleich, true},
        {"Ay?e Yilmaz", "", "Ayse Yilmaz", "", V::Schreibweise, true},
        {"Ay?e Yilmaz", "", "Ayla Yilmaz", "", V::AndererVorname, false},
        {"Hans Muller", "5", "Hans M\xFCller", "05", V::Schreibweise, true},
        {"Hans Muller", "", "Hans M\xFCller", "", V::Schreibweise, false},
        {"Anna von der Heide", "", "von der Heide, Anna", "", V::Gleich, true},
        {"Dr. H. Meier", "7", "Dr H Meier", " 7", V::Gleich, true},
        {"Prof. Dr. Hans Meier jun.", "", "Hans Meier", "", V::Gleich, true},
        {"Hans-Peter Meier", "", "Hans Peter Meier", "", V::Gleich, true},
        {"H.-P. Meier", "9", "Hans-Peter Meier", "9", V::Schreibweise, true},
        {"Meier Hans", "3", "Hans Meier", "3", V::Schreibweise, true},
        {"\xC9mile Z\xF6ller", "", "Emile Zoeller", "", V::Gleich, true},
        {"Anna Berg", "1", "Anna Bergmann", "1", V::AndererNachname, false},
        {"Meier", "8", "Heinz Meier", "8", V::Schreibweise, true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.a) + " / " + f.b);
        const Person a = PersonBilden(f.a, f.nrA), b = PersonBilden(f.b, f.nrB);
        EXPECT_EQ(NamenVergleichen(a.name, b.name), f.vergleich);
        EXPECT_EQ(NamenVergleichen(b.name, a.name), f.vergleich);
        EXPECT_EQ(DieselbePerson(a, b), f.dieselbe);
        EXPECT_EQ(DieselbePerson(b, a), f.dieselbe);
        EXPECT_EQ(a.name.schluessel() == b.name.schluessel(), f.vergleich == V::Gleich);
    }
}

TEST(Person, NamesInTheirParts) {
    const char* teile[][3] = {
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
    for (const auto& f : teile)
        EXPECT_EQ(NamenZerlegen(f[0]), (Namensteile{f[1], f[2]})) << f[0];
    // As persons compare them: titles out, "von der" into the surname, initials marked.
    EXPECT_EQ(PersonennameBilden("Prof. Dr. Dipl.-Ing. H.-P.  Schulz"),
              (Personenname{"schulz", {{"h", true}, {"p", true}}}));
    EXPECT_EQ(PersonennameBilden("Anna-Lena von der HEIDE"),
              (Personenname{"vonderheide", {{"anna", false}, {"lena", false}}}));
    EXPECT_EQ(PersonennameBilden("\xD6. Stra\337e"), (Personenname{"strasse", {{"oe", true}}}));
}

TEST(Person, FoldedFormsLettersForQuestionMarksAndSpellings) {
    const char* falten[][3] = {
        // text, umlauts as base letters, spelled out
        {"M\374ller", "muller", "mueller"},
        {"Stra\337e", "strasse", "strasse"},
        {"  \xC6rling \xA0 \xD6zt\xFCrk ", "aerling ozturk", "aerling oeztuerk"},
        {"\xC9mile \xDE\xF3r \x8A", "emile thor s", "emile thor s"},
    };
    for (const auto& f : falten) {
        EXPECT_EQ(Falten(f[0], Umlaute::Grundbuchstabe), f[1]) << f[0];
        EXPECT_EQ(Falten(f[0], Umlaute::Ausgeschrieben), f[2]) << f[0];
    }
    const std::pair<const char*, bool> fragezeichen[] = {
        {"Ay?e", true}, {"?zt\xFCrk", true},  {"Hans?", true}, {"Meier ?", false},
        {"?", false},   {"Meier (?)", false}, {"Ayse", false},
    };
    for (const auto& [name, ja] : fragezeichen)
        EXPECT_EQ(FragezeichenStattBuchstabe(name), ja) << name;
    // Each better than the next.
    const char* besser[][2] = {
        {"Gerd Schr\366der", "GERD SCHR\326DER"},
        {"Anna Wei\xDF", "Anna Weiss"},
        {"Hans M\xFCller", "Hans Mueller"},
        {"Hans Mueller", "HANS MUELLER"},
    };
    for (const auto& f : besser)
        EXPECT_GT(Schreibguete(f[0]), Schreibguete(f[1])) << f[0];
}

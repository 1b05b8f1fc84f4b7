#include "support/texthelpers.h"

#include <gtest/gtest.h>

TEST(FeldAbtrennen, CutsFieldsAndYieldsEmptyOnesAtTheEnd) {
    std::string rest = "Meier\t \t17";
    EXPECT_EQ(FeldAbtrennen(rest), "Meier");
    EXPECT_EQ(FeldAbtrennen(rest), " ");
    EXPECT_EQ(FeldAbtrennen(rest), "17");
    EXPECT_EQ(rest, "");
    EXPECT_EQ(FeldAbtrennen(rest), "");
    rest = "\tx";
    EXPECT_EQ(FeldAbtrennen(rest), "");
    EXPECT_EQ(rest, "x");
}

TEST(TextZuZahl, NumbersAndEverythingThatIsNone) {
    EXPECT_EQ(TextZuZahl(""), 0);
    EXPECT_EQ(TextZuZahl("   \t "), 0);
    EXPECT_EQ(TextZuZahl("12a"), 0);
    EXPECT_EQ(TextZuZahl("2147483648"), 0);
    EXPECT_EQ(TextZuZahl("2147483647"), 2147483647);
    EXPECT_EQ(TextZuZahl(" \t 42\t "), 42);
    EXPECT_EQ(TextZuZahl("-5"), -5);
    EXPECT_EQ(TextZuZahl("$1F"), 31);
    EXPECT_EQ(TextZuZahl("0x10"), 16);
    EXPECT_EQ(TextZuZahl("x1F"), 31);
    EXPECT_EQ(TextZuZahl("-X10"), -16);
    EXPECT_EQ(TextZuZahl("x"), 0);
    EXPECT_EQ(TextZuZahl("1 2"), 0);
}

TEST(Grossschrift, OnlyAtoZChange) {
    EXPECT_EQ(Grossschrift("hans m\xFCller stra\xDF"
                           "e"),
              "HANS M\xFCLLER STRA\xDF"
              "E");
    EXPECT_EQ(Grossschrift("\xE4\xF6\xFC"), "\xE4\xF6\xFC");
}

TEST(Bereinigen, BlankMode) {
    EXPECT_EQ(Bereinigen(" \t \t", ' '), "");
    EXPECT_EQ(Bereinigen(" ", ' '), "");
    EXPECT_EQ(Bereinigen("", ' '), "");
    EXPECT_EQ(Bereinigen("\t a b \t", ' '), "a b");
    EXPECT_EQ(Bereinigen("x", ' '), "x");
}

TEST(Bereinigen, FullStopMode) {
    EXPECT_EQ(Bereinigen("Meier, H.", '.'), "");
    EXPECT_EQ(Bereinigen("Dr. med. Meier", '.'), " Meier");
    EXPECT_EQ(Bereinigen("Meier", '.'), "Meier");
}

TEST(Bereinigen, LetterMode) {
    EXPECT_EQ(Bereinigen("12-Meier!!", 'B'), "Meier");
    EXPECT_EQ(Bereinigen("  1234 ", 'b'), "");
    EXPECT_EQ(Bereinigen("\x81"
                         "ber.",
                         'B'),
              "\x81"
              "ber"); // cp850 u-umlaut is a letter
    EXPECT_EQ(Bereinigen("_a_", 'B'), "_a_");
}

TEST(Bereinigen, NumberModeNeverRunsPastTheEnd) {
    EXPECT_EQ(Bereinigen("Nr. 007 ", 'Z'), ". 007"); // the full stop is a number character
    EXPECT_EQ(Bereinigen("ab0c0x12,5 Euro", 'z'), "12,5");
    EXPECT_EQ(Bereinigen("0", 'Z'), "0");
    EXPECT_EQ(Bereinigen("000", 'Z'), "0");
    EXPECT_EQ(Bereinigen("abc", 'Z'), "");
    EXPECT_EQ(Bereinigen("a0", 'Z'), "0");
}

TEST(Bereinigen, AnyOtherCharacterIsStripped) {
    EXPECT_EQ(Bereinigen("**a*b**", '*'), "a*b");
    EXPECT_EQ(Bereinigen("***", '*'), "");
    EXPECT_EQ(Bereinigen("xax", 'X'), "xax"); // compared exactly, unlike B and Z
}

TEST(RechtsBuendig, PadsOrCuts) {
    EXPECT_EQ(RechtsBuendig("123", 5, ' '), "  123");
    EXPECT_EQ(RechtsBuendig("1234567", 5, ' '), "12345");
    EXPECT_EQ(RechtsBuendig("7", 5, ' '), "    7");
    EXPECT_EQ(RechtsBuendig("", 5, ' '), "     ");
    EXPECT_EQ(RechtsBuendig(" 7 ", 5, ' '), "   7 "); // a blank pad keeps the text's blanks
    EXPECT_EQ(RechtsBuendig(" 7 ", 5, '0'), "00007");
    EXPECT_EQ(RechtsBuendig("abc", 0, ' '), "");
}

TEST(ZahlZuText, IntegralValuesArePlainDigits) {
    EXPECT_EQ(ZahlZuText(0, 0, 1000), "1000");
    EXPECT_EQ(ZahlZuText(0, 0, -12), "-12");
    EXPECT_EQ(ZahlZuText(1, 0, 5), "5");
    EXPECT_EQ(ZahlZuText(6, 2, 3.14159), "  3.14");
    EXPECT_EQ(ZahlZuText(0, 0, 1.5), " 1.50000000000000E+0000");
    EXPECT_EQ(ZahlZuText(0, 0, -0.025), "-2.50000000000000E-0002");
    EXPECT_LE(ZahlZuText(4000, 0, 1).size(), 255u);
}

TEST(Zeichenklassen, NumberCharactersAndLetters) {
    for (char c : std::string("0123456789+,-."))
        EXPECT_TRUE(IstZahlZeichen(c)) << c;
    EXPECT_FALSE(IstZahlZeichen(' '));
    EXPECT_FALSE(IstZahlZeichen('e'));
    for (unsigned char c : {0x81, 0x84, 0x8E, 0x94, 0x99, 0x9A, 0xE1})
        EXPECT_TRUE(IstBuchstabe(char(c))) << int(c);
    EXPECT_FALSE(IstBuchstabe('\xFC')); // Windows-1252 u-umlaut is not among them
    EXPECT_FALSE(IstBuchstabe('1'));
    EXPECT_TRUE(IstBuchstabe('_'));
    EXPECT_EQ(Maximum(3, 7), 7);
    EXPECT_EQ(Maximum(-3, -7), -3);
}

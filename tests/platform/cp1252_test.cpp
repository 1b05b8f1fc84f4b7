#include "platform/cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteRoundTripsIncludingUndefinedOnes) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(char(b));
    const QString text = cp1252::toQString(all);
    EXPECT_EQ(text.size(), 255);
    EXPECT_EQ(cp1252::fromQString(text), all);
}

TEST(Cp1252, GermanLettersAndEuroMapToTheirCodePoints) {
    EXPECT_EQ(cp1252::toQString("M\xFCller \x80"), QStringLiteral(u"Müller €"));
    EXPECT_EQ(cp1252::fromQString(QStringLiteral(u"Öß€")), "\xD6\xDF\x80");
}

TEST(Cp1252, TextOutsideTheCodePageIsRefused) {
    EXPECT_TRUE(cp1252::canHold(QStringLiteral(u"Jürgen Weiß – „Dr.“")));
    EXPECT_FALSE(cp1252::canHold(QStringLiteral(u"Łukasz")));
    EXPECT_FALSE(cp1252::canHold(QStringLiteral(u"日本")));
    EXPECT_FALSE(cp1252::isCellText(QStringLiteral(u"Łukasz")));
}

TEST(Cp1252, CellTextRefusesSeparatorsAndLineBreaks) {
    EXPECT_TRUE(cp1252::isCellText(QStringLiteral(u"Hans Meier")));
    EXPECT_FALSE(cp1252::isCellText(QStringLiteral("a\tb")));
    EXPECT_FALSE(cp1252::isCellText(QStringLiteral("a\rb")));
    EXPECT_FALSE(cp1252::isCellText(QStringLiteral("a\nb")));
    EXPECT_FALSE(cp1252::isCellText(QStringLiteral("a\x1A"
                                                   "b")));
    EXPECT_TRUE(cp1252::isCellText(QString(QChar(0)) + QStringLiteral("a")));
}

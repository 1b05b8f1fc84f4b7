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

TEST(Cp1252, LettersTheCodePageLacksAreTakenAsTheirBaseLetterAndTheRestIsLeftOut) {
    struct Fall {
        const char16_t *eingabe, *zelle, *hinweis;
    };
    const Fall faelle[] = {
        {u"Łukasz Wiśniewski", u"Lukasz Wisniewski", u"„Ł“ wurde als „L“, „ś“ als „s“ übernommen"},
        {u"Özgür Yılmaz", u"Özgür Yilmaz", u"„ı“ wurde als „i“ übernommen"},
        {u"Şenol Erdős Ćosić", u"Senol Erdos Cosic",
         u"„Ş“ wurde als „S“, „ő“ als „o“, „Ć“ als „C“, „ć“ als „c“ übernommen"},
        {u"Žofie Čapková", u"Žofie Capková", u"„Č“ wurde als „C“ übernommen"},
        {u"e\u0301 Mu\u0308ller", u"é Müller", u""}, // combining marks join their letter
        {u"Jürgen Weiß – „Dr.“", u"Jürgen Weiß – „Dr.“", u""},
        {u"Анна ☺", u" ",
         u"„А“, „н“, „а“, „☺“ wurden weggelassen: die Gesamt-Datei kann sie nicht speichern"},
        {u"Ła\r\n", u"La", u"„Ł“ wurde als „L“ übernommen"}, // a copied line's end
        {u"\tHans Müller\r\n", u"Hans Müller", u""},
        {u"Krü\x01ger\x7F", u"Krüger",
         u"Steuerzeichen wurde weggelassen: die Gesamt-Datei kann es nicht speichern"},
        {u"Anna\tBerg", nullptr,
         u"Der Text wurde nicht übernommen: eine Zelle kann keinen Tabulator und keinen "
         u"Zeilenumbruch aufnehmen"},
        {u"Anna\nBerg", nullptr,
         u"Der Text wurde nicht übernommen: eine Zelle kann keinen Tabulator und keinen "
         u"Zeilenumbruch aufnehmen"},
    };
    for (const Fall& f : faelle) {
        const QString eingabe = QString::fromUtf16(f.eingabe);
        SCOPED_TRACE(eingabe.toStdString());
        QString hinweis;
        const QString zelle = cp1252::cellText(eingabe, &hinweis);
        if (f.zelle) {
            EXPECT_EQ(zelle, QString::fromUtf16(f.zelle));
            EXPECT_TRUE(cp1252::isCellText(zelle));
        } else {
            EXPECT_TRUE(zelle.isNull()) << zelle.toStdString();
        }
        EXPECT_EQ(hinweis, QString::fromUtf16(f.hinweis));
    }
}

#include "grid/einfuegeblock.h"

#include <QString>
#include <gtest/gtest.h>

TEST(Einfuegeblock, ATabOrASecondLineMakesABlockAndACopiedLineEndDoesNot) {
    const std::pair<const char16_t*, bool> faelle[] = {
        {u"Krüger", false},    {u"Krüger\r\n", false},
        {u"Krüger\n", false},  {u"\n\nA\n", false},
        {u"\r\n", false},      {u"", false},
        {u"A\tB", true},       {u"7\tKrüger\tJ\r\n", true},
        {u"A\t", true},        {u"A\nB", true},
        {u"A\r\nB\r\n", true}, {u"A\rB", true},
        {u"A\n\nB\n", true},   {u"A\n \n", true}, // the cell could not take it either
    };
    for (const auto& [text, block] : faelle)
        EXPECT_EQ(IstEinfuegeblock(QString::fromUtf16(text)), block)
            << QString::fromUtf16(text).toStdString();
}

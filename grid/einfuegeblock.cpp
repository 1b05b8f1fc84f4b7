#include "grid/einfuegeblock.h"

bool IstEinfuegeblock(QStringView text) {
    if (text.contains(u'\t'))
        return true;
    const auto zeilenende = [](QChar c) { return c == u'\r' || c == u'\n'; };
    while (!text.isEmpty() && zeilenende(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && zeilenende(text.back()))
        text.chop(1);
    return text.contains(u'\r') || text.contains(u'\n');
}

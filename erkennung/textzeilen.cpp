#include "erkennung/erkennung.h"

namespace {

bool blank(QStringView line) {
    for (const QChar c : line)
        if (!c.isSpace())
            return false;
    return true;
}

} // namespace

Textzeilen ZeilenAusText(const QString& text, const Grenze& grenze) {
    Textzeilen t;
    const QStringView all(text);
    qsizetype zeichen = 0;
    bool voll = false;
    for (qsizetype pos = 0; pos < all.size();) {
        qsizetype end = pos;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView line = all.sliced(pos, end - pos);
        pos = end;
        if (pos < all.size())
            pos += all[pos] == u'\r' && pos + 1 < all.size() && all[pos + 1] == u'\n' ? 2 : 1;

        voll =
            voll || int(t.zeilen.size()) >= grenze.zeilen || zeichen + line.size() > grenze.zeichen;
        if (voll) {
            // Only counted, so that the preview can say what it leaves out.
            if (!blank(line))
                ++t.zeilenWeggelassen;
            continue;
        }
        zeichen += line.size();
        QStringList felder;
        qsizetype start = 0;
        for (;;) {
            const qsizetype tab = line.indexOf(u'\t', start);
            if (felder.size() == grenze.spalten) {
                ++t.zeilenGekuerzt;
                break;
            }
            felder.append(line.sliced(start, (tab < 0 ? line.size() : tab) - start).toString());
            if (tab < 0)
                break;
            start = tab + 1;
        }
        t.zeilen.push_back(std::move(felder));
    }
    return t;
}

QString WeggelassenText(const Textzeilen& t) {
    QStringList teile;
    if (t.zeilenWeggelassen == 1)
        teile.append(QStringLiteral(u"1 weitere Zeile wurde weggelassen: zu viel Text auf "
                                    u"einmal"));
    else if (t.zeilenWeggelassen > 1)
        teile.append(QStringLiteral(u"%1 weitere Zeilen wurden weggelassen: zu viel Text auf "
                                    u"einmal")
                         .arg(t.zeilenWeggelassen));
    if (t.zeilenGekuerzt == 1)
        teile.append(QStringLiteral(u"In 1 Zeile wurden überzählige Felder weggelassen"));
    else if (t.zeilenGekuerzt > 1)
        teile.append(QStringLiteral(u"In %1 Zeilen wurden überzählige Felder weggelassen")
                         .arg(t.zeilenGekuerzt));
    return teile.join(QStringLiteral(". "));
}

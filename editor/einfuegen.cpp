#include "editor/einfuegen.h"

#include "namefile/namefile.h"
#include "platform/cp1252.h"

#include <QStringList>

namespace {

// "j" is taken as "J", as the MP cell's suggestion does; another letter stays as it was typed.
std::string mp(const QString& feld) {
    const QString t = feld.trimmed().left(1);
    const QString gross = t.toUpper();
    if (gross == QStringLiteral("J") || gross == QStringLiteral("N") ||
        gross == QStringLiteral("G"))
        return cp1252::fromQString(gross);
    return cp1252::fromQString(t);
}

} // namespace

bool IstEintragsblock(const QString& text) {
    return text.trimmed().contains(u'\n') || text.trimmed().contains(u'\r');
}

std::vector<Zeile> EintraegeAusText(const QString& text, QString* hinweis) {
    std::vector<Zeile> zeilen;
    QStringList hinweise;
    auto zelle = [&hinweise](const QString& feld) {
        QString said;
        const QString kept = cp1252::cellText(feld.trimmed(), &said);
        if (!said.isEmpty() && !hinweise.contains(said))
            hinweise.append(said);
        return cp1252::fromQString(kept);
    };
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringList felder = line.split(u'\t');
        Zeile z;
        if (felder.size() == 1) {
            z[kSpalteName] = zelle(felder[0]);
            z[kSpalteMP].assign(1, 'N');
        } else {
            z[kSpalteNr] = zelle(felder[0]);
            z[kSpalteName] = zelle(felder[1]);
            if (felder.size() > 2)
                z[kSpalteMP] = mp(felder[2]);
            if (felder.size() > 3)
                z[kSpalteDBVNr] = zelle(felder[3]);
        }
        if (!z[kSpalteName].empty())
            zeilen.push_back(std::move(z));
    }
    if (hinweis)
        *hinweis = hinweise.join(QStringLiteral("; "));
    return zeilen;
}

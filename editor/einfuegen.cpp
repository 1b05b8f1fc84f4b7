#include "editor/einfuegen.h"

#include "erkennung/erkennung.h"

#include <QStringList>

bool IstEintragsblock(const QString& text) {
    return text.trimmed().contains(u'\n') || text.trimmed().contains(u'\r');
}

std::vector<Zeile> EintraegeAusText(const QString& text, QString* hinweis) {
    const Textzeilen t = ZeilenAusText(text);
    std::vector<Zeile> eintraege;
    QStringList hinweise;
    for (Vorschauzeile& z : EintraegeBilden(t.zeilen, SpaltenErkennen(t.zeilen))) {
        for (const Vermerk& v : z.vermerke)
            if (!hinweise.contains(v.text))
                hinweise.append(v.text);
        if (z.eintrag)
            eintraege.push_back(std::move(*z.eintrag));
    }
    if (const QString weg = WeggelassenText(t); !weg.isEmpty())
        hinweise.append(weg);
    if (hinweis)
        *hinweis = hinweise.join(QStringLiteral("; "));
    return eintraege;
}

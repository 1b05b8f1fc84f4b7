#include "erkennung/erkennung.h"

#include "cells/eintrag.h"
#include "person/person.h"
#include "platform/cp1252.h"
#include "support/texthelpers.h"

#include <algorithm>

namespace {

// Printable characters the code page holds as their Latin-1 byte: most values, taken at once.
bool einfach(QStringView v) {
    return std::all_of(v.begin(), v.end(), [](QChar c) {
        return (c >= u'\x20' && c <= u'\x7E') || (c >= u'\xA0' && c <= u'\xFF');
    });
}

std::string bytes(const QString& v) {
    if (einfach(v)) {
        const QByteArray b = v.toLatin1();
        return std::string(b.constData(), size_t(b.size()));
    }
    return cp1252::fromQString(v);
}

// A value as a note quotes it: short, and on one line however it came.
QString zitat(const QString& v) {
    constexpr qsizetype kLaenge = 30;
    QString t = v.size() > kLaenge ? v.left(kLaenge - 1) + QStringLiteral(u"…") : v;
    for (QChar& c : t)
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    return QStringLiteral(u"„") + t + QStringLiteral(u"“");
}

// How the note on a membership number that is none ends; empty for a number.
QString keineNummer(const QString& v) {
    switch (MitgliedsnummerArt(bytes(v))) {
    case Nummernart::Formel:
        return QStringLiteral(u" sieht aus wie eine Formel");
    case Nummernart::Datum:
        return QStringLiteral(u" sieht aus wie ein Datum");
    case Nummernart::Buchstaben:
        return QStringLiteral(u" enthält Buchstaben");
    case Nummernart::Nummer:
        break;
    }
    return {};
}

struct Zeilenbau {
    int spalte = 0;
    std::vector<Vermerk>& vermerke;

    void vermerk(int feld, const QString& text) { vermerke.push_back({spalte, feld, text}); }

    // What a trimmed value gives a cell: a line break or TAB inside (a table's cell may hold
    // one) becomes a blank; the rest as typing does.
    QString zelle(const QString& v, int feld) {
        if (einfach(v))
            return v;
        QString t;
        t.reserve(v.size());
        bool umbruch = false, tab = false;
        for (const QChar c : v) {
            const bool zeilenende = c == u'\r' || c == u'\n';
            if (zeilenende || c == u'\t') {
                umbruch = umbruch || zeilenende;
                tab = tab || !zeilenende;
                if (!t.endsWith(u' '))
                    t += u' ';
            } else {
                // The end-of-file mark is a control character like the others here; cellText
                // would refuse the whole text for it.
                t += c == u'\x1A' ? QChar(u'\x01') : c;
            }
        }
        if (umbruch)
            vermerk(feld, QStringLiteral(u"Zeilenumbruch wurde durch ein Leerzeichen ersetzt"));
        if (tab)
            vermerk(feld, QStringLiteral(u"Tabulator wurde durch ein Leerzeichen ersetzt"));
        QString hinweis;
        const QString out = cp1252::cellText(t, &hinweis).trimmed();
        if (!hinweis.isEmpty())
            vermerk(feld, hinweis);
        return out;
    }
};

} // namespace

QString GrundText(Grund g) {
    switch (g) {
    case Grund::Keiner:
        return {};
    case Grund::LeereZeile:
        return QStringLiteral("leere Zeile");
    case Grund::Kopfzeile:
        return QStringLiteral(u"Überschriften");
    case Grund::KeinName:
        return QStringLiteral("kein Name");
    }
    return {};
}

std::vector<Vorschauzeile> EintraegeBilden(const std::vector<QStringList>& zeilen,
                                           const Erkennung& erkennung) {
    const auto& spalten = erkennung.spalten;
    auto hat = [&spalten](Bedeutung b) {
        return std::find(spalten.begin(), spalten.end(), b) != spalten.end();
    };
    // A list of names alone is a list of new members, as the tournament's participants are.
    const bool nurNamen =
        !hat(Bedeutung::Nr) && !hat(Bedeutung::MP) && !hat(Bedeutung::Mitgliedsnr);
    bool kopfOffen = erkennung.kopfzeile;

    std::vector<Vorschauzeile> out;
    out.reserve(zeilen.size());
    for (size_t i = 0; i < zeilen.size(); ++i) {
        const QStringList& zeile = zeilen[i];
        Vorschauzeile& v = out.emplace_back();
        v.quelle = int(i);
        if (std::all_of(zeile.begin(), zeile.end(),
                        [](const QString& f) { return f.trimmed().isEmpty(); })) {
            v.grund = Grund::LeereZeile;
            continue;
        }
        if (kopfOffen) {
            kopfOffen = false;
            v.grund = Grund::Kopfzeile;
            continue;
        }
        // Titel, Vorname, Name, Nachname: "Dr. Hans Meier"; "Name" beside "Vorname" is the
        // surname.
        QStringList teile[4];
        std::optional<QString> nr, mp, dbv;
        for (qsizetype c = 0; c < zeile.size(); ++c) {
            const QString wert = zeile[c].trimmed();
            if (wert.isEmpty())
                continue;
            Zeilenbau bau{int(c), v.vermerke};
            const Bedeutung b = size_t(c) < spalten.size() ? spalten[size_t(c)] : Bedeutung::Nichts;
            std::optional<QString>* einzeln = b == Bedeutung::Nr            ? &nr
                                              : b == Bedeutung::MP          ? &mp
                                              : b == Bedeutung::Mitgliedsnr ? &dbv
                                                                            : nullptr;
            if (b == Bedeutung::Nichts || (einzeln && *einzeln)) {
                bau.vermerk(-1, zitat(wert) + QStringLiteral(u" wird nicht übernommen"));
                continue;
            }
            switch (b) {
            case Bedeutung::Titel:
            case Bedeutung::Vorname:
            case Bedeutung::Name:
            case Bedeutung::Nachname: {
                const int teil = b == Bedeutung::Titel     ? 0
                                 : b == Bedeutung::Vorname ? 1
                                 : b == Bedeutung::Name    ? 2
                                                           : 3;
                const QString t = bau.zelle(wert, kSpalteName);
                if (t.contains(u'?') && FragezeichenStattBuchstabe(bytes(t)))
                    bau.vermerk(kSpalteName, QStringLiteral(u"„?“ statt eines Buchstabens – "
                                                            u"Quelle prüfen"));
                if (!t.isEmpty())
                    teile[teil].append(t);
                break;
            }
            case Bedeutung::Nr: {
                const QString t = bau.zelle(wert, kSpalteNr);
                // Not a number: the list would number it anyway.
                if (TextZuZahl(bytes(t)) != 0) {
                    nr = t;
                } else {
                    nr = QString();
                    bau.vermerk(kSpalteNr, zitat(wert) + QStringLiteral(u" ist keine Nummer und "
                                                                        u"wurde weggelassen"));
                }
                break;
            }
            case Bedeutung::MP: {
                const QString t = bau.zelle(wert, kSpalteMP);
                if (IstMPWert(t)) {
                    mp = t.toUpper();
                    if (*mp != t)
                        bau.vermerk(kSpalteMP, zitat(t) + QStringLiteral(u" wurde als ") +
                                                   zitat(*mp) + QStringLiteral(u" übernommen"));
                } else {
                    mp = QString();
                    bau.vermerk(kSpalteMP, zitat(wert) + QStringLiteral(u" ist kein MP (J, N "
                                                                        u"oder G) und wurde "
                                                                        u"weggelassen"));
                }
                break;
            }
            case Bedeutung::Mitgliedsnr: {
                dbv = bau.zelle(wert, kSpalteDBVNr);
                const QString art = keineNummer(*dbv);
                if (!art.isEmpty())
                    bau.vermerk(kSpalteDBVNr,
                                QStringLiteral(u"Die Mitgliedsnummer ") + zitat(*dbv) + art);
                break;
            }
            case Bedeutung::Nichts:
                break;
            }
        }
        QStringList name;
        for (const QStringList& t : teile)
            if (!t.isEmpty())
                name.append(t.join(u' '));
        if (name.isEmpty()) {
            v.grund = Grund::KeinName;
            continue;
        }
        Zeile z;
        z[kSpalteNr] = bytes(nr.value_or(QString()));
        z[kSpalteName] = bytes(name.join(u' '));
        z[kSpalteMP] = nurNamen ? std::string("N") : bytes(mp.value_or(QString()));
        z[kSpalteDBVNr] = bytes(dbv.value_or(QString()));
        v.eintrag = std::move(z);
    }
    return out;
}

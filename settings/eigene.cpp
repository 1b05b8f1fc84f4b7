#include "settings/eigene.h"

#include "platform/profile.h"

#include <QCryptographicHash>
#include <string>

namespace {

constexpr std::string_view kFenster = "Fenster", kSpalten = "Spalten";
// Far larger than any screen, far smaller than what would overflow the layout's sums.
constexpr int kHoechstens = 20000;

// One key per set of headings: a hash, since headings may hold what an INI key cannot ('=',
// ';', '[', bytes of any code page).
std::string schluessel(const QStringList& ueberschriften) {
    QStringList gefaltet;
    for (const QString& u : ueberschriften)
        gefaltet << u.simplified().toCaseFolded();
    return QCryptographicHash::hash(gefaltet.join(QChar(0x1F)).toUtf8(), QCryptographicHash::Sha1)
        .toHex()
        .left(16)
        .toStdString();
}

} // namespace

std::optional<Fenstergroesse> FenstergroesseLesen(std::string_view fenster) {
    const Profile ini = Profile::load(kEigeneEinstellungen);
    const std::string name(fenster);
    const Fenstergroesse g{ini.readInt(kFenster, name + " Breite", 0),
                           ini.readInt(kFenster, name + " Hoehe", 0)};
    if (g.breite <= 0 || g.hoehe <= 0 || g.breite > kHoechstens || g.hoehe > kHoechstens)
        return std::nullopt;
    return g;
}

bool FenstergroesseMerken(std::string_view fenster, Fenstergroesse groesse) {
    const std::string name(fenster);
    return Profile::writeStrings(kEigeneEinstellungen, kFenster,
                                 {{name + " Breite", std::to_string(groesse.breite)},
                                  {name + " Hoehe", std::to_string(groesse.hoehe)}});
}

std::optional<std::vector<int>> SpaltenwahlLesen(const QStringList& ueberschriften) {
    const std::string text =
        Profile::load(kEigeneEinstellungen).readString(kSpalten, schluessel(ueberschriften), "");
    if (text.empty())
        return std::nullopt;
    std::vector<int> bedeutungen;
    for (const QString& teil : QString::fromStdString(text).split(u',')) {
        bool ok = false;
        const int b = teil.toInt(&ok);
        if (!ok || b < -1 || b > 99)
            return std::nullopt;
        bedeutungen.push_back(b);
    }
    if (bedeutungen.size() != size_t(ueberschriften.size()))
        return std::nullopt;
    return bedeutungen;
}

bool SpaltenwahlMerken(const QStringList& ueberschriften, const std::vector<int>& bedeutungen) {
    std::string text;
    for (const int b : bedeutungen)
        text += (text.empty() ? "" : ",") + std::to_string(b);
    return Profile::writeString(kEigeneEinstellungen, kSpalten, schluessel(ueberschriften), text);
}

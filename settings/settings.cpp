#include "settings/settings.h"

#include "platform/profile.h"
#include "runlog/runlog.h"
#include "support/fileerrors.h"
#include "support/standardfont.h"

namespace {
bool abgeschnitten = false;
}

void EinstellungenLesen() {
    const Profile ini = Profile::load(kEinstellungsdatei);
    abgeschnitten = ini.cut();
    const char* s = kHauptabschnitt;
    tCommonSetting& c = CommonSetting;
    const tCommonSetting d; // the defaults
    c.Programmverzeichnis = ini.readString(s, "Programmverzeichnis", d.Programmverzeichnis);
    c.Turnierverzeichnis = ini.readString(s, "Turnierverzeichnis", d.Turnierverzeichnis);
    c.Laufkartenverzeichnis = ini.readString(s, "Laufkartenverzeichnis", d.Laufkartenverzeichnis);
    c.DefaultKlasse = ini.readString(s, "Default-Klasse", d.DefaultKlasse);
    c.EingabeStumm = ini.readBool(s, "Eingabe, Stumm", d.EingabeStumm);
    c.EingabeRangliste = ini.readBool(s, "Eingabe, Rangliste", d.EingabeRangliste);
    c.RanglisteLegende = ini.readBool(s, "Rangliste, Legende", d.RanglisteLegende);
    c.RanglisteTop = ini.readBool(s, "Rangliste, Top", d.RanglisteTop);
    c.RanglisteMaxMP = ini.readBool(s, "Rangliste, Max MP", d.RanglisteMaxMP);
    c.RanglisteMatchpunkte = ini.readBool(s, "Rangliste, Matchpunkte", d.RanglisteMatchpunkte);
    c.RanglisteHTML = ini.readBool(s, "Rangliste, HTML", d.RanglisteHTML);
    c.RanglisteCSV = ini.readBool(s, "Rangliste, CSV", d.RanglisteCSV);
    c.RanglisteRES = ini.readBool(s, "Rangliste, RES", d.RanglisteRES);
    c.Zertifikatsform = ini.readInt(s, "Zertifikatsform", d.Zertifikatsform);
    c.NamenLangeAnrede = ini.readBool(s, "Namen, lange Anrede", d.NamenLangeAnrede);
    c.NamenMittig = ini.readBool(s, "Namen, mittig", d.NamenMittig);
    c.NamenAutomatischAnordnen =
        ini.readBool(s, "Namen, automatisch anordnen", d.NamenAutomatischAnordnen);
    c.PrivatscoreSeitenvorschub =
        ini.readBool(s, "Privatscore, Seitenvorschub", d.PrivatscoreSeitenvorschub);
    c.NamenErsteKopfzeile = ini.readString(s, "Namen, erste Kopfzeile", d.NamenErsteKopfzeile);
    c.NamenZweiteKopfzeile = ini.readString(s, "Namen, zweite Kopfzeile", d.NamenZweiteKopfzeile);
    c.ScorenMP = ini.readBool(s, "Scoren, MP", d.ScorenMP);
    c.ScorenButler = ini.readBool(s, "Scoren, Butler", d.ScorenButler);
    c.ScorenCross = ini.readBool(s, "Scoren, Cross", d.ScorenCross);
    c.Matrixdrucker = ini.readBool(s, "Matrixdrucker", d.Matrixdrucker);
    c.WebseiteBoardzettel = ini.readBool(s, "Webseite, Boardzettel", d.WebseiteBoardzettel);
    c.WebseitePrivatscores = ini.readBool(s, "Webseite, Privatscores", d.WebseitePrivatscores);
    c.WebseiteMatchstatistik =
        ini.readBool(s, "Webseite, Matchstatistik", d.WebseiteMatchstatistik);
    c.RanglisteTitelzeile = ini.readString(s, "Rangliste, Titelzeile", d.RanglisteTitelzeile);
    c.Druckertyp = ini.readString(s, "Druckertyp", d.Druckertyp);
    // These defaults follow the program font as it is before this reader changes it.
    const std::string fontName = StandardFont.name;
    const int fontSize = StandardFont.groesse;
    c.htmlFontSize = ini.readInt(s, "htmlFontSize", fontSize);
    c.HTMLFont = ini.readString(s, "HTMLFont", fontName);
    c.Font = ini.readString(s, "Font", fontName);
    c.Fontsize = ini.readInt(s, "Fontsize", fontSize);
    c.MKinoFontSize = ini.readInt(s, "MKinoFontSize", fontSize);
    c.MKinoAktiv = ini.readBool(s, "MKinoAktiv", d.MKinoAktiv);
    c.CPModus = ini.readInt(s, "CP-Modus", d.CPModus);
    c.SocketPort = ini.readInt(s, "Socket, Port", d.SocketPort);
    c.SocketAktiv = ini.readBool(s, "Socket, Aktiv", d.SocketAktiv);

    StandardFont.name = c.Font;
    StandardFont.groesse = c.Fontsize;
}

std::string EinstellungenHinweis() {
    if (!abgeschnitten)
        return {};
    const std::string mb = std::to_string(Profile::kMaxBytes >> 20) + " MB";
    return "Die Einstellungsdatei KELMAR.INI ist gr\xF6\xDF"
           "er als " +
           mb + ". Es wurden nur die Einstellungen in den ersten " + mb +
           " gelesen; die Datei wird nicht ge\xE4ndert";
}

void SettingFuellen() {
    Setting = SettingTyp{};
    Setting.Schriftart = StandardFont.name;
}

void VerzeichnisseLesen(IniObj& daten, const std::string& abschnitt) {
    LogZeile("- INI-Datei KELMAR.INI einlesen");
    const Profile ini = Profile::load(kEinstellungsdatei);
    DateiFehlerPruefen("Inifile lesen");
    daten.Programmverzeichnis = ini.readString(abschnitt, "Programmverzeichnis", "");
    daten.Turnierverzeichnis = ini.readString(abschnitt, "Turnierverzeichnis", "");
    daten.Laufkartenverzeichnis =
        ini.readString(abschnitt, "Laufkartenverzeichnis", daten.Programmverzeichnis);
    LogZeile("  Progamm-Verz: " + daten.Programmverzeichnis + ", Turnier-Verz: " +
             daten.Turnierverzeichnis + ", Laufkarten-Verz: " + daten.Laufkartenverzeichnis);
}

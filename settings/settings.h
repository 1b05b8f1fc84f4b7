#pragma once
// The product settings file KELMAR.INI, read once at start-up.

#include <cstdint>
#include <string>

inline constexpr const char* kEinstellungsdatei = "KELMAR.INI";
inline constexpr const char* kHauptabschnitt = "KELMAR";

struct tCommonSetting {
    bool MKinoAktiv = true;
    uint8_t Reserve1 = 0;
    bool NamenLangeAnrede = false;
    bool NamenAutomatischAnordnen = true;
    bool NamenMittig = false;
    bool EingabeStumm = false;
    bool EingabeRangliste = true;
    bool Matrixdrucker = false;
    bool ScorenMP = true;
    bool ScorenButler = false;
    bool ScorenCross = false;
    uint8_t Reserve2 = 0;
    bool PrivatscoreSeitenvorschub = true;
    bool WebseiteBoardzettel = true;
    bool WebseitePrivatscores = true;
    bool WebseiteMatchstatistik = true;
    bool RanglisteMaxMP = true;
    bool RanglisteMatchpunkte = true;
    bool RanglisteLegende = false;
    uint8_t Reserve3 = 0;
    bool SocketAktiv = true;
    bool RanglisteHTML = false;
    bool RanglisteCSV = false;
    bool RanglisteRES = true;
    bool RanglisteTop = false;
    std::string Laufkartenverzeichnis = "c:\\kelmar\\laufkart";
    std::string Programmverzeichnis = "c:\\kelmar";
    std::string Turnierverzeichnis = "c:\\kelmar";
    std::string DefaultKlasse = "N";
    std::string Druckertyp = "IBM";
    std::string RanglisteTitelzeile;
    std::string NamenErsteKopfzeile;
    std::string NamenZweiteKopfzeile;
    std::string HTMLFont;
    std::string Font;
    int32_t Fontsize = 0;
    int32_t htmlFontSize = 0;
    int32_t MKinoFontSize = 0;
    int32_t CPModus = 0;
    int32_t SocketPort = 5555;
    int32_t Zertifikatsform = 1;
};

// Built-in values, not read from the file.
struct SettingTyp {
    std::string Laufkartenverzeichnis = "c:\\kelmar";
    std::string Programmverzeichnis = "c:\\kelmar";
    std::string Turnierverzeichnis = "c:\\kelmar";
    std::string DefaultKlasse = "N";
    bool MKinoAktiv = true;
    int32_t SocketPort = 5555;
    std::string Schriftart;
};

struct IniObj {
    std::string Programmverzeichnis;
    std::string Turnierverzeichnis;
    std::string Laufkartenverzeichnis;
};

inline tCommonSetting CommonSetting;
inline SettingTyp Setting;
inline IniObj IniDaten;

// Fills CommonSetting and names and sizes StandardFont.
void EinstellungenLesen();
// The note for a settings file larger than any the product writes, of which only the start was
// read (Windows-1252); empty when it was read whole.
std::string EinstellungenHinweis();
// Gives Setting its built-in values; its font name is StandardFont's at that moment.
void SettingFuellen();
void VerzeichnisseLesen(IniObj& daten, const std::string& abschnitt);

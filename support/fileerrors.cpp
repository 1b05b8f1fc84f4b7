#include "support/fileerrors.h"

#include "runlog/runlog.h"

#include <cerrno>

namespace {
std::function<void(const std::string&)>& box() {
    static std::function<void(const std::string&)> b;
    return b;
}
} // namespace

std::string DateiFehlerText(int code) {
    switch (code) {
    case 2:
        return "Die verlangte Datei ist nicht vorhanden";
    case 3:
        return "Das Verzeichnis ist noch nicht eingerichtet";
    case 4:
        return "Es sind zu viele Dateien ge\xF6"
               "ffnet. Setzen Sie in der CONFIG.SYS-Datei den "
               "Wert f\xFCr FILES auf 20";
    case 5:
        return "Die Datei ist schreibgesch\xFCtzt";
    case 6:
        return "K R I T I S C H E R  F E H L E R";
    case 12:
        return "Ung\xFCltiger Datei-Modus";
    case 15:
        return "Die Laufwerksnummer ist falsch";
    case 16:
        return "Das Verzeichnis kann nicht entfernt werden";
    case 17:
        return "RENAME kann nicht \xFC"
               "ber Verzeichnisse hinweg arbeiten";
    case 100:
        return "Es wird \xFC"
               "ber das Dateiende hinweg gelesen";
    case 101:
        return "Die Diskette ist voll. Bitte l\xF6schen Sie mit dem \"DEL\"-Befehl alle "
               "\xFC"
               "berfl\xFCssigen Dateien";
    case 102:
        return "Falsche Datei-Zuordnung";
    case 103:
    case 104:
    case 105:
        return "Die angesprochene Datei ist nicht offen";
    case 106:
        return "Die eingelesenen Zahlen haben ein falsches Format";
    case 150:
        return "Die Diskette ist schreibgesch\xFCtzt. Bitte entfernen Sie den Schreibschutz";
    case 151:
        return "Die angesprochene Einheit ist unbekannt";
    case 152:
        return "Das Laufwerk ist nicht bereit. Pr\xFC"
               "fen Sie, ob die Laufwerksklappe verriegelt "
               "ist und eine formatierte Diskette einliegt";
    case 153:
        return "Unbekanntes Kommando";
    case 154:
    case 155:
    case 156:
    case 157:
    case 158:
        return "Laufwerks-Fehler. Bitte pr\xFC"
               "fen Sie Ihr Laufwerk";
    case 159:
        return "Dem Drucker fehlt Papier";
    case 160:
        return "Es kann nicht geschrieben werden";
    case 161:
        return "Es kann nicht gelesen werden";
    case 162:
        return "Hardware-Fehler";
    default:
        return {};
    }
}

bool DateiFehlerPruefen(const std::string& context) {
    const int code = LastIoResult;
    LastIoResult = 0;
    if (code == 0)
        return true;
    const std::string text = DateiFehlerText(code);
    if (text.empty())
        return false;
    const std::string message = (context.empty() ? std::string() : context + ": ") + text;
    if (box())
        box()(message);
    if (LogAktiv)
        LogZeile("FEHLER - " + message);
    return false;
}

void setDateiFehlerBox(std::function<void(const std::string&)> b) {
    box() = std::move(b);
}

std::string NamensdateiFehlertext(int code) {
    switch (code) {
    case 2:
        return "Datei nicht gefunden";
    case 3:
        return "Ung\xFCltiger Dateiname";
    case 4:
        return "Zu viele ge\xF6"
               "ffnete Dateien";
    case 5:
        return "Dateizugriff verweigert";
    case 100:
        return "Versuch hinter dem Dateiende zu lesen";
    case 101:
        return "Zu wenig Speicherplatz";
    case 106:
        return "Ung\xFCltige numerische Eingabe";
    default:
        return "E/A-Fehler " + std::to_string(code);
    }
}

int FehlercodeAusErrno(int error) {
    switch (error) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return 5;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return 101;
    default:
        return 0;
    }
}

DateiFehler DateiFehlerAusErrno(int error) {
    const int code = FehlercodeAusErrno(error);
    if (code == 0) // no text of its own: "E/A-Fehler" with the system's number
        return DateiFehler(error, "E/A-Fehler " + std::to_string(error));
    return DateiFehler(code, NamensdateiFehlertext(code));
}

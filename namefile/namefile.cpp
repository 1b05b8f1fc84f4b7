#include "namefile/namefile.h"

#include "platform/paths.h"
#include "safewrite/filepath.h"
#include "safewrite/safewrite.h"
#include "support/fileerrors.h"
#include "support/texthelpers.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kKopfzeile = "GESAMT-DATEI";
constexpr char kDateiende = '\x1A';

// Which file the name leads to, and whether through a link.
void kennung(const std::string& pfad, const struct stat& st, DateiStand& stand) {
    stand.geraet = uint64_t(st.st_dev);
    stand.inode = uint64_t(st.st_ino);
    struct stat lst {};
    stand.verweis = ::lstat(pfad.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode);
}

// Where the line ends: at CR or LF. One pass, not one search of the pair per byte.
size_t zeilenende(std::string_view text) {
    const auto it =
        std::find_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
    return it == text.end() ? std::string_view::npos : size_t(it - text.begin());
}

// Blank out a row completely.
void clearRow(CellTable& zellen, int row) {
    for (int c = 0; c < CellTable::kColumns; ++c)
        zellen.setCell(c, row, std::string());
}

bool ZeileLeer(const CellTable& zellen, int row) {
    for (int c = 0; c < CellTable::kColumns; ++c)
        if (!zellen.cell(c, row).empty())
            return false;
    return true;
}

} // namespace

DateiStand DateiStandLesen(const std::string& pfad) {
    DateiStand stand;
    struct stat st {};
    if (::stat(pfad.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return stand;
    stand.vorhanden = true;
    stand.groesse = st.st_size;
    stand.geaendertNs = int64_t(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    kennung(pfad, st, stand);
    std::string bytes;
    bool abgeschnitten = false;
    // As much as reading takes in, so that an unchanged file compares as unchanged.
    if (safewrite::readStart(pfad, kNamenDateiHoechstens, bytes, abgeschnitten) == 0)
        stand.pruefsumme = safewrite::checksum(bytes);
    return stand;
}

LadeErgebnis NamenTextLesen(const std::string& text, CellTable& zellen, Lesart lesart) {
    const bool genau = lesart == Lesart::WieGeschrieben;
    LadeErgebnis ergebnis;
    CellUpdate update(zellen);
    std::string_view rest(text);
    const size_t end = rest.find(kDateiende);
    if (end != std::string_view::npos) {
        // Reading ends at the mark; what follows it would be lost on saving without a word.
        ergebnis.datenNachDateiende =
            rest.find_first_not_of(std::string_view(" \t\r\n\x1A", 5), end) != rest.npos;
        rest = rest.substr(0, end);
    }
    // A byte-order mark from an editor that saved the file as UTF-8 is not part of the header.
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);
    int row = 0;       // next row to fill
    bool first = true; // the first stored line may be the header
    // In a file of CR LF lines an LF alone may have stood inside a field; an LF file has no
    // other line end.
    const bool crlfDatei = rest.find("\r\n") != rest.npos;
    while (!rest.empty()) {
        // A line ends at CR, at LF and at CR LF: a cell can hold no line break, so an LF alone
        // (a line a script appended) would otherwise swallow the next entry.
        const size_t end = zeilenende(rest);
        std::string_view fields = rest.substr(0, end);
        const bool nurLF = crlfDatei && end != rest.npos && rest[end] == '\n';
        if (end == std::string_view::npos) {
            rest = {};
        } else {
            const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
            rest.remove_prefix(end + (crlf ? 2 : 1));
        }
        // Fields on views of the text: a long line is copied once, into its cell.
        auto feld = [&fields] {
            const size_t tab = fields.find(Trennzeichen);
            const std::string_view f = fields.substr(0, tab);
            fields = tab == fields.npos ? std::string_view() : fields.substr(tab + 1);
            return f;
        };
        const std::string_view roh = feld();
        const std::string name = genau && !first ? std::string(roh) : Bereinigen(roh, ' ');
        if (name.empty() && !genau)
            continue;
        if (first) {
            first = false;
            // A file without the header keeps its first line as an entry.
            if (name.size() == kKopfzeile.size() && Grossschrift(name) == kKopfzeile) {
                row = 1;
                continue;
            }
            ergebnis.ohneKopfzeile = !genau;
            row = 1;
        }
        if (row > kMaxEintraege) {
            ergebnis.mehrAlsMaximum = true;
            break;
        }
        feld(); // field 2: always a blank
        const std::string_view nummer = feld();
        const std::string_view mp = feld();
        const std::string_view dbv = feld();
        zellen.setCell(kSpalteNr, row,
                       TextZuZahl(nummer) == 0 && !genau ? std::to_string(row)
                                                         : std::string(nummer));
        zellen.setCell(kSpalteName, row, name);
        zellen.setCell(kSpalteMP, row, std::string(mp));
        zellen.setCell(kSpalteDBVNr, row, std::string(dbv));
        if (nurLF)
            ergebnis.endeNurLF.push_back(row);
        ++row;
    }
    ergebnis.anzahl = row > 0 ? row - 1 : 0;
    // The blank row for a new entry below the list, or blank entries after the last one, hold
    // nothing a file would keep.
    while (genau && ergebnis.anzahl > 0 && ZeileLeer(zellen, ergebnis.anzahl))
        --ergebnis.anzahl;
    if (ergebnis.anzahl == 0) {
        // No entry: presented like a new list, with a blank row to type into.
        zellen.setRowCount(2);
        clearRow(zellen, 1);
        ergebnis.leerzeile = true;
    } else {
        zellen.setRowCount(ergebnis.anzahl + 1);
    }
    // The title row holds the header; its other cells stay empty, since inserting at row 1
    // copies them into the new entry.
    clearRow(zellen, 0);
    zellen.setCell(kSpalteName, 0, std::string(kKopfzeile));
    return ergebnis;
}

namespace {

LadeErgebnis lesen(const std::string& pfad, CellTable& zellen) {
    auto failed = [&](const std::string& fehler) {
        LadeErgebnis ergebnis = NamenTextLesen(std::string(), zellen);
        ergebnis.unvollstaendig = true;
        ergebnis.fehler = fehler;
        return ergebnis;
    };
    if (const std::string fremd = FremderVerweis(pfad); !fremd.empty())
        return failed(fremd);
    struct stat st {};
    std::string bytes;
    bool zuGross = false;
    // Folders, pipes and devices are no name files (a pipe would block the window).
    const int error = safewrite::readStart(pfad, kNamenDateiHoechstens, bytes, zuGross, &st);
    if (error == ENOENT || error == ENOTDIR) {
        LadeErgebnis ergebnis = NamenTextLesen(std::string(), zellen);
        ergebnis.vorhanden = false;
        return ergebnis;
    }
    if (error != 0 && bytes.empty())
        return failed(DateiFehlerAusErrno(error).what());
    LadeErgebnis ergebnis = NamenTextLesen(bytes, zellen);
    // Beyond the 1000th entry nothing was to be read anyway.
    ergebnis.zuGross = zuGross && !ergebnis.mehrAlsMaximum;
    if (error != 0) {
        ergebnis.unvollstaendig = true;
        ergebnis.fehler = DateiFehlerAusErrno(error).what();
    } else {
        ergebnis.stand.vorhanden = true;
        ergebnis.stand.groesse = int64_t(st.st_size);
        ergebnis.stand.geaendertNs = int64_t(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        ergebnis.stand.pruefsumme = safewrite::checksum(bytes);
        kennung(pfad, st, ergebnis.stand);
    }
    return ergebnis;
}

} // namespace

LadeErgebnis NamenDateiLesen(const std::string& pfad, CellTable& zellen) {
    LadeErgebnis ergebnis = lesen(pfad, zellen);
    ergebnis.unterbrochen = safewrite::pending(pfad);
    return ergebnis;
}

bool UnterbrochenesSpeichernAbschliessen(const std::string& pfad) {
    return safewrite::recover(pfad) == safewrite::Recovery::Completed;
}

std::string ZeilenendenHinweis(const LadeErgebnis& geladen, const CellTable& zellen) {
    const std::vector<int>& rows = geladen.endeNurLF;
    if (rows.empty())
        return {};
    constexpr size_t kGenannt = 3, kNameLaenge = 40;
    auto eintrag = [&zellen](int row) {
        std::string name = zellen.cell(kSpalteName, row);
        if (name.size() > kNameLaenge)
            name = name.substr(0, kNameLaenge - 1) + "\x85";
        return std::to_string(row) + " (Nr. " + zellen.cell(kSpalteNr, row) + ", \x84" + name +
               "\x93)";
    };
    const size_t n = std::min(rows.size(), kGenannt);
    std::string genannt = eintrag(rows[0]);
    for (size_t i = 1; i < n; ++i)
        genannt += (i + 1 == n && rows.size() <= kGenannt ? " und " : ", ") + eintrag(rows[i]);
    const std::string grund = " nur mit LF statt mit CR LF";
    const std::string folge = ". Falls dort ein Feld umbrochen war, ist der ";
    const std::string teil = " ein abgetrennter Teil davon: bitte pr\xFC"
                             "fen";
    if (rows.size() == 1)
        return "In der Gesamt-Datei endet die Zeile von Eintrag " + genannt + grund + folge +
               "Eintrag danach" + teil;
    if (rows.size() <= kGenannt)
        return "In der Gesamt-Datei enden die Zeilen der Eintr\xE4ge " + genannt + grund + folge +
               "jeweils folgende Eintrag" + teil;
    return "In der Gesamt-Datei enden " + std::to_string(rows.size()) + " Zeilen" + grund +
           ", zuerst die der Eintr\xE4ge " + genannt + " und " +
           std::to_string(rows.size() - kGenannt) + " weitere" + folge +
           "jeweils folgende Eintrag" + teil;
}

std::vector<std::string> FragenVorDemSpeichern(const LadeErgebnis& geladen,
                                               const DateiStand& jetzt) {
    std::vector<std::string> fragen;
    if (geladen.mehrAlsMaximum || geladen.zuGross)
        fragen.push_back("Die nicht eingelesenen Eintr\xE4ge gehen beim Speichern verloren. "
                         "Trotzdem speichern");
    if (geladen.unvollstaendig)
        fragen.push_back(
            "Die Gesamt-Datei wurde nicht vollst\xE4ndig eingelesen. Trotzdem speichern");
    if (geladen.ohneKopfzeile)
        fragen.push_back("Die Datei beginnt nicht mit \x84GESAMT-DATEI\x93 und ist wohl keine "
                         "Gesamt-Datei. Trotzdem mit der Liste \xFC"
                         "berschreiben");
    if (geladen.datenNachDateiende)
        fragen.push_back("Die Daten nach dem Dateiende-Zeichen gehen beim Speichern verloren. "
                         "Trotzdem speichern");
    // The name may lead elsewhere now: a link put in its place, a file moved there.
    const DateiStand& damals = geladen.stand;
    if (!geladen.unvollstaendig && jetzt.vorhanden && jetzt.verweis && !damals.verweis)
        fragen.push_back("Die Gesamt-Datei ist inzwischen ein Verweis auf eine andere Datei. "
                         "Trotzdem dorthin speichern");
    else if (!geladen.unvollstaendig && jetzt.vorhanden &&
             (jetzt.geraet != damals.geraet || jetzt.inode != damals.inode))
        fragen.push_back("Unter dem Namen der Gesamt-Datei liegt inzwischen eine andere Datei "
                         "als beim \xD6"
                         "ffnen. Trotzdem \xFC"
                         "berschreiben");
    // Another copy of the program or another tool may have saved the file meanwhile.
    else if (!geladen.unvollstaendig && jetzt != geladen.stand)
        fragen.push_back("Die Gesamt-Datei wurde inzwischen von einem anderen Programm "
                         "ge\xE4ndert. Trotzdem \xFC"
                         "berschreiben");
    return fragen;
}

std::string NamenDateiText(const CellTable& zellen) {
    std::string text;
    text.reserve(size_t(zellen.rowCount()) * 40);
    text += kKopfzeile;
    text += "\r\n";
    for (int r = 1; r < zellen.rowCount(); ++r) {
        text += zellen.cell(kSpalteName, r);
        text += "\t \t";
        text += zellen.cell(kSpalteNr, r);
        text += '\t';
        text += zellen.cell(kSpalteMP, r);
        text += '\t';
        text += zellen.cell(kSpalteDBVNr, r);
        text += "\r\n";
    }
    return text;
}

std::string ZuGrossHinweis() {
    const std::string mb = std::to_string(kNamenDateiHoechstens >> 20) + " MB";
    return "Die Gesamt-Datei ist gr\xF6\xDF"
           "er als " +
           mb + ". Es wurden nur die Eintr\xE4ge in den ersten " + mb + " eingelesen";
}

std::string OhneKopfzeileHinweis() {
    return "Die erste Zeile der Datei ist nicht \x84GESAMT-DATEI\x93: sie ist wohl keine "
           "Gesamt-Datei. Ihre Zeilen wurden als Eintr\xE4ge eingelesen; vor dem ersten "
           "Speichern wird gefragt";
}

std::string FremderVerweis(const std::string& pfad) {
    const std::optional<uid_t> wer = safewrite::foreignLink(pfad);
    if (!wer)
        return {};
    return "\x84" + paths::shownPath(pfad) + "\x93 ist ein Verweis, den der Benutzer " +
           paths::userName(*wer) +
           " angelegt hat. Einem Verweis eines anderen Benutzers folgt das Programm nicht";
}

Sicherungsmeldung SicherungFehlt(const std::string& pfad) {
    const std::string sicherung = safewrite::realPath(pfad) + "~";
    struct stat st {};
    if (::lstat(sicherung.c_str(), &st) == 0 && st.st_uid != ::geteuid())
        // The usual way back (copying it over the list) would bring that user's file in.
        return {"Die vorige Fassung der Gesamt-Datei wurde nicht daneben gesichert. \x84" +
                    paths::shownPath(sicherung) + "\x93 geh\xF6rt dem Benutzer " +
                    paths::userName(st.st_uid) +
                    " und ist nicht die Fassung vor diesem Speichern. Die fr\xFChere"
                    "n Fassungen zeigt Datei \x9B \x84"
                    "Fr\xFChere Fassungen\x85\x93",
                true};
    return {"Die vorige Fassung der Gesamtdatei wurde nicht gesichert: " +
                paths::shownPath(pfad + "~"),
            false};
}

bool NamenDateiSchreiben(const std::string& pfad, const CellTable& zellen) {
    if (const std::string fremd = FremderVerweis(pfad); !fremd.empty())
        throw DateiFehler(5, fremd);
    const safewrite::Result result =
        safewrite::write(pfad, NamenDateiText(zellen), safewrite::Options{.backup = true});
    struct stat lst {};
    std::error_code kein;
    if (result.error == ENOENT && ::lstat(pfad.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode))
        throw DateiFehler(2, "Die Gesamt-Datei ist ein Verweis auf \x84" +
                                 paths::shownPath(std::filesystem::read_symlink(pfad, kein)) +
                                 "\x93, eine Datei, die es nicht gibt. \xDC"
                                 "ber einen Verweis wird keine neue Datei angelegt");
    if (result.error != 0)
        throw DateiFehlerAusErrno(result.error);
    return !result.backupFailed;
}

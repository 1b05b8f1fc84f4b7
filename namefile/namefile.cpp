#include "namefile/namefile.h"

#include "support/texthelpers.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kKopfzeile = "GESAMT-DATEI";
constexpr char kDateiende = '\x1A';

uint64_t fnv1a(std::string_view bytes) {
    uint64_t h = 1469598103934665603ULL;
    for (const unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

// Reads the whole file; on a failure part-way returns what was read and the errno.
int readAll(int fd, std::string& out) {
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        out.append(buffer, size_t(n));
    }
}

int writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        data.remove_prefix(size_t(n));
    }
    return 0;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Where a save writes: through links to their final target, so that a link stays a link, also
// one whose target does not exist (yet), such as a list on a share that is not mounted.
std::string linkZiel(std::string pfad) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat lst {};
        if (::lstat(pfad.c_str(), &lst) != 0 || !S_ISLNK(lst.st_mode))
            return pfad;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(pfad.c_str(), target.data(), target.size());
        if (n <= 0)
            return pfad;
        target.resize(size_t(n));
        if (target.front() != '/') {
            const size_t slash = pfad.rfind('/');
            target =
                (slash == std::string::npos ? std::string() : pfad.substr(0, slash + 1)) + target;
        }
        pfad = std::move(target);
    }
    throw DateiFehlerAusErrno(ELOOP); // links in a circle: "bad name"
}

// Blank out a row completely.
void clearRow(CellTable& zellen, int row) {
    for (int c = 0; c < CellTable::kColumns; ++c)
        zellen.setCell(c, row, std::string());
}

} // namespace

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

DateiStand DateiStandLesen(const std::string& pfad) {
    DateiStand stand;
    struct stat st {};
    if (::stat(pfad.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return stand;
    stand.vorhanden = true;
    stand.groesse = st.st_size;
    stand.geaendertNs = int64_t(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        std::string bytes;
        readAll(fd, bytes);
        ::close(fd);
        stand.pruefsumme = fnv1a(bytes);
    }
    return stand;
}

LadeErgebnis NamenTextLesen(const std::string& text, CellTable& zellen) {
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
    // A file without any CR was saved with Linux line ends: there LF ends a line.
    const char zeilenende = rest.find('\r') == rest.npos ? '\n' : '\r';

    int row = 0;       // next row to fill
    bool first = true; // the first stored line may be the header
    while (!rest.empty()) {
        // A line ends at CR (one LF after it is skipped); an LF alone is text.
        const size_t cr = rest.find(zeilenende);
        std::string_view fields = rest.substr(0, cr);
        if (cr == std::string_view::npos) {
            rest = {};
        } else {
            rest.remove_prefix(cr + 1);
            if (!rest.empty() && rest.front() == '\n')
                rest.remove_prefix(1);
        }
        // Fields on views of the text: a long line is copied once, into its cell.
        auto feld = [&fields] {
            const size_t tab = fields.find(Trennzeichen);
            const std::string_view f = fields.substr(0, tab);
            fields = tab == fields.npos ? std::string_view() : fields.substr(tab + 1);
            return f;
        };
        const std::string name = Bereinigen(feld(), ' ');
        if (name.empty())
            continue;
        if (first) {
            first = false;
            // A file without the header keeps its first line as an entry.
            if (name.size() == kKopfzeile.size() && Grossschrift(name) == kKopfzeile) {
                row = 1;
                continue;
            }
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
                       TextZuZahl(nummer) == 0 ? std::to_string(row) : std::string(nummer));
        zellen.setCell(kSpalteName, row, name);
        zellen.setCell(kSpalteMP, row, std::string(mp));
        zellen.setCell(kSpalteDBVNr, row, std::string(dbv));
        ++row;
    }
    ergebnis.anzahl = row > 0 ? row - 1 : 0;
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

LadeErgebnis NamenDateiLesen(const std::string& pfad, CellTable& zellen) {
    struct stat st {};
    const int statError = ::stat(pfad.c_str(), &st) == 0 ? 0 : errno;
    if (statError == ENOENT || statError == ENOTDIR) {
        LadeErgebnis ergebnis = NamenTextLesen(std::string(), zellen);
        ergebnis.vorhanden = false;
        return ergebnis;
    }
    auto failed = [&](int error) {
        LadeErgebnis ergebnis = NamenTextLesen(std::string(), zellen);
        ergebnis.unvollstaendig = true;
        ergebnis.fehler = DateiFehlerAusErrno(error).what();
        return ergebnis;
    };
    if (statError != 0)
        return failed(statError);
    // Folders, pipes and devices are no name files (a pipe would block the window).
    if (!S_ISREG(st.st_mode))
        return failed(S_ISDIR(st.st_mode) ? EISDIR : EACCES);
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return failed(errno);
    std::string bytes;
    bytes.reserve(size_t(st.st_size));
    const int error = readAll(fd, bytes);
    ::close(fd);
    LadeErgebnis ergebnis = NamenTextLesen(bytes, zellen);
    if (error != 0) {
        ergebnis.unvollstaendig = true;
        ergebnis.fehler = DateiFehlerAusErrno(error).what();
    } else {
        ergebnis.stand.vorhanden = true;
        ergebnis.stand.groesse = int64_t(bytes.size());
        ergebnis.stand.geaendertNs = int64_t(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        ergebnis.stand.pruefsumme = fnv1a(bytes);
    }
    return ergebnis;
}

std::vector<std::string> FragenVorDemSpeichern(const LadeErgebnis& geladen,
                                               const DateiStand& jetzt) {
    std::vector<std::string> fragen;
    if (geladen.mehrAlsMaximum)
        fragen.push_back("Die nicht eingelesenen Eintr\xE4ge gehen beim Speichern verloren. "
                         "Trotzdem speichern");
    if (geladen.unvollstaendig)
        fragen.push_back(
            "Die Gesamt-Datei wurde nicht vollst\xE4ndig eingelesen. Trotzdem speichern");
    if (geladen.datenNachDateiende)
        fragen.push_back("Die Daten nach dem Dateiende-Zeichen gehen beim Speichern verloren. "
                         "Trotzdem speichern");
    // Another copy of the program or another tool may have saved the file meanwhile.
    if (!geladen.unvollstaendig && jetzt != geladen.stand)
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

namespace {

std::string baseOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new, unused name beside `path`: ".<name><suffix>.XXXXXX", or ".gesamt..." where that
// would be longer than a name may be. The file is created empty; -1 and errno on failure.
int tempBeside(const std::string& path, const char* suffix, std::string& temp) {
    const std::string folder = folderOf(path);
    const std::string base = baseOf(path) + suffix;
    const std::string name = base.size() + 8 <= NAME_MAX ? "." + base : std::string(".gesamt");
    temp = (folder == "/" ? std::string() : folder) + "/" + name + ".XXXXXX";
    return ::mkstemp(temp.data());
}

// Writes all, flushed to the disk and closed; the errno of the first failure, or 0.
int writeFile(int fd, std::string_view data, mode_t mode) {
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    if (error == 0)
        error = writeAll(fd, data);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

void syncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// Keeps the file as it is now as "<name>~": `old`, its content, or without it the file itself.
// A hard link costs no room and keeps the very file; where the file system has none, a copy.
// False when no backup could be written.
bool keepBackup(const std::string& ziel, const std::string* old, mode_t mode) {
    std::string temp;
    const int fd = tempBeside(ziel, "~", temp);
    if (fd < 0)
        return false;
    bool ok = false;
    if (old) {
        ok = writeFile(fd, *old, mode & 0666) == 0;
    } else {
        ::close(fd);
        ::unlink(temp.c_str());
        ok = ::link(ziel.c_str(), temp.c_str()) == 0;
        if (!ok) {
            std::string bytes;
            const int in = ::open(ziel.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
            const bool read = in >= 0 && readAll(in, bytes) == 0;
            if (in >= 0)
                ::close(in);
            return read && keepBackup(ziel, &bytes, mode);
        }
    }
    ok = ok && ::rename(temp.c_str(), (ziel + "~").c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

// Root may open any file for writing; the file's own protection still counts.
bool mayWrite(const std::string& ziel, const struct stat& st) {
    if (::geteuid() == 0 && (st.st_mode & 0222) == 0) {
        errno = EACCES;
        return false;
    }
    const int probe = ::open(ziel.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (probe < 0)
        return false;
    ::close(probe);
    return true;
}

// Overwrites the file itself, so that it stays the same file: its other names, its owner and
// group, in a folder that takes no new file. A complete copy of the old content comes first
// (the backup, or one in the temporary folder); on any failure the old content goes back.
bool writeInPlace(const std::string& ziel, const std::string& text, const struct stat& st) {
    // The file looked at, not what may have been put in its place since.
    const int fd = ::open(ziel.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0)
        throw DateiFehlerAusErrno(errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat now {};
    if (::fstat(fd, &now) != 0 || now.st_ino != st.st_ino || now.st_dev != st.st_dev)
        throw DateiFehlerAusErrno(EACCES);
    std::string old;
    if (const int error = readAll(fd, old))
        throw DateiFehlerAusErrno(error);

    std::string copy;
    const bool backup = keepBackup(ziel, &old, st.st_mode);
    if (!backup) {
        const char* tmp = std::getenv("TMPDIR");
        copy = std::string(tmp && *tmp ? tmp : "/tmp") + "/gesamt-kopie.XXXXXX";
        const int c = ::mkstemp(copy.data());
        const int error = c < 0 ? errno : writeFile(c, old, 0600);
        if (error != 0) {
            if (c >= 0)
                ::unlink(copy.c_str());
            throw DateiFehlerAusErrno(error);
        }
    }
    auto put = [fd](std::string_view data) {
        if (::lseek(fd, 0, SEEK_SET) != 0)
            return errno;
        int error = writeAll(fd, data);
        if (error == 0 && ::ftruncate(fd, off_t(data.size())) != 0)
            error = errno;
        if (error == 0 && ::fsync(fd) != 0)
            error = errno;
        return error;
    };
    const int error = put(text);
    // Only where the old content is back (or never left) is the extra copy no longer needed.
    if (error == 0 || put(old) == 0) {
        if (!copy.empty())
            ::unlink(copy.c_str());
    }
    if (error != 0)
        throw DateiFehlerAusErrno(error);
    return backup;
}

} // namespace

bool NamenDateiSchreiben(const std::string& pfad, const CellTable& zellen) {
    const std::string text = NamenDateiText(zellen);

    // A file-size limit would end the program in the middle of a save; the write then fails
    // with EFBIG instead, which is reported like a full disk.
    static const bool fsizeIgnored = (std::signal(SIGXFSZ, SIG_IGN), true);
    (void)fsizeIgnored;

    const std::string ziel = linkZiel(pfad);

    struct stat st {};
    const bool exists = ::stat(ziel.c_str(), &st) == 0;
    mode_t mode = 0666;
    if (exists) {
        if (!S_ISREG(st.st_mode))
            throw DateiFehlerAusErrno(S_ISDIR(st.st_mode) ? EISDIR : EACCES);
        // Replacing the file by a rename would get round its write protection.
        if (!mayWrite(ziel, st))
            throw DateiFehlerAusErrno(errno);
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const std::string folder = folderOf(ziel);
    struct stat fst {};
    if (::stat(folder.c_str(), &fst) != 0 || !S_ISDIR(fst.st_mode))
        throw DateiFehlerAusErrno(ENOTDIR); // the folder is missing: "bad name"

    // A file with other names stays one file with them.
    if (exists && st.st_nlink > 1)
        return writeInPlace(ziel, text, st);

    std::string temp;
    const int fd = tempBeside(ziel, "", temp);
    if (fd < 0) {
        // A folder that takes no new file may still hold a file the user may write.
        if (exists && (errno == EACCES || errno == EPERM))
            return writeInPlace(ziel, text, st);
        throw DateiFehlerAusErrno(errno);
    }
    if (exists) {
        // The new file is to belong to whom the old one did; where it cannot, the old file
        // is written itself.
        struct stat tst {};
        const bool same =
            ::fstat(fd, &tst) == 0 && tst.st_uid == st.st_uid && tst.st_gid == st.st_gid;
        if (!same && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
            ::close(fd);
            ::unlink(temp.c_str());
            return writeInPlace(ziel, text, st);
        }
    }
    int error = writeFile(fd, text, mode);
    const bool backup = !exists || (error == 0 && keepBackup(ziel, nullptr, mode));
    if (error == 0 && ::rename(temp.c_str(), ziel.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        throw DateiFehlerAusErrno(error);
    }
    // The new name must survive a crash as well as the content.
    syncFolder(folder);
    return backup;
}

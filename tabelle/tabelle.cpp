#include "tabelle/tabelle.h"

#include "tabelle/intern.h"
#include "tabelle/zip.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabelle {

namespace intern {

void scheitern(const QString& grund) {
    throw Fehler{grund};
}

void abweisen(const QString& grund) {
    throw Fehler{grund, false};
}

void beschaedigt(const QString& wo) {
    scheitern(QStringLiteral("sie ist beschädigt (%1)").arg(wo));
}

qint64 anzahl(QStringView text, qint64 ohne) {
    if (text.isEmpty())
        return ohne;
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return !ok || n < 1 ? 1 : std::min(n, qint64(1) << 40);
}

void Blattbauer::kosten(qint64 anzahl) {
    budget_ -= anzahl;
    if (budget_ < 0)
        scheitern(QStringLiteral("sie hat mehr als %1 Zellen").arg(kMaxZellen));
}

void Blattbauer::zelle(qint64 spalte, const QString& text, qint64 mal) {
    if (text.isEmpty())
        return;
    if (spalte < spalte_)
        beschaedigt(QStringLiteral("Zellen in falscher Reihenfolge"));
    if (spalte > kMaxSpalten - mal)
        scheitern(QStringLiteral("sie hat mehr als %1 Spalten").arg(kMaxSpalten));
    spalte_ = spalte + mal;
    inhalt_ = true;
    // Once rows are only counted, a cell only tells that its row is not empty.
    const qint64 behalten =
        voll_ ? 0 : std::min(mal, std::max<qint64>(0, kMaxSpaltenBehalten - spalte));
    gekuerzt_ = gekuerzt_ || (!voll_ && behalten < mal);
    if (behalten == 0)
        return;
    kosten(spalte + behalten - zeile_.size());
    while (zeile_.size() < spalte)
        zeile_.append(QString());
    for (qint64 i = 0; i < behalten; ++i)
        zeile_.append(text);
    zeichenZeile_ += text.size() * behalten;
}

void Blattbauer::zeileFertig(qint64 zeile, qint64 mal) {
    const bool leer = !inhalt_;
    const qint64 zeichen = zeichenZeile_;
    const bool gekuerzt = gekuerzt_;
    zeichenZeile_ = 0;
    gekuerzt_ = inhalt_ = false;
    spalte_ = 0;
    if (leer)
        return;
    if (zeile < naechste_)
        beschaedigt(QStringLiteral("Zeilen in falscher Reihenfolge"));
    if (zeile > kMaxZeilen - mal)
        scheitern(QStringLiteral("sie hat mehr als %1 Zeilen").arg(kMaxZeilen));
    naechste_ = zeile + mal;
    // As many copies as the kept rows and text have room for; the rest is counted.
    qint64 behalten = voll_ ? 0 : std::min(mal, std::max<qint64>(0, kMaxZeilenBehalten - zeile));
    if (zeichen > 0)
        behalten = std::min(behalten, (kMaxZeichenBehalten - zeichen_) / zeichen);
    voll_ = voll_ || behalten < mal;
    weggelassen_ += mal - behalten;
    if (behalten > 0) {
        // Copies share their cells, but whoever changes one pays for all of them.
        kosten(zeile + behalten - qint64(zeilen_.size()) + (behalten - 1) * zeile_.size());
        zeilen_.resize(size_t(zeile));
        zeilen_.insert(zeilen_.end(), size_t(behalten), zeile_);
        zeichen_ += zeichen * behalten;
        zeilenGekuerzt_ += gekuerzt ? behalten : 0;
    }
    zeile_.clear();
}

qint64 Blattbauer::zeichenFrei(qint64 zeile, qint64 spalte) const {
    if (voll_ || zeile >= kMaxZeilenBehalten || spalte >= kMaxSpaltenBehalten)
        return 1;
    return std::max<qint64>(1, kMaxZeichenBehalten - zeichen_ - zeichenZeile_ + 1);
}

Blatt Blattbauer::blatt(const QString& name) {
    // Cells only right of the kept columns leave an empty row; none ends the sheet.
    while (!zeilen_.empty() && zeilen_.back().isEmpty())
        zeilen_.pop_back();
    return Blatt{name, std::move(zeilen_), weggelassen_, zeilenGekuerzt_};
}

} // namespace intern

namespace {

using namespace intern;

QString meldung(const QString& dateiname, const Fehler& f) {
    const QString wer =
        dateiname.isEmpty() ? QStringLiteral("Die Tabelle") : QStringLiteral("„%1“").arg(dateiname);
    return QStringLiteral("%1 kann nicht eingelesen werden: %2.").arg(wer, f.grund) +
           (f.rat ? QStringLiteral(" Bitte als .xlsx, .ods oder .csv speichern.") : QString());
}

bool istZip(const QByteArray& b) {
    return b.startsWith("PK\x03\x04") || b.startsWith("PK\x05\x06");
}

std::vector<Blatt> containerLesen(const QByteArray& bytes, Format format, qint64& budget) {
    if (!istZip(bytes))
        scheitern(QStringLiteral("sie ist keine .xlsx- oder .ods-Datei"));
    Zip zip(bytes);
    if (format == Format::Ods ||
        (format == Format::Erkennen && zip.hat(QStringLiteral("mimetype")) &&
         zip.lesen(QStringLiteral("mimetype"))
             .startsWith("application/vnd.oasis.opendocument.spreadsheet")))
        return odsLesen(zip, budget);
    if (format == Format::Xlsx || zip.hat(QStringLiteral("xl/workbook.xml")))
        return xlsxLesen(zip, budget);
    scheitern(QStringLiteral("sie ist ein Zip-Archiv, aber keine Tabelle"));
}

Ergebnis lesenIntern(const QByteArray& bytes, Format format, Kodierung kodierung,
                     const QString& dateiname, bool nurTabellendokument) {
    Ergebnis ergebnis;
    qint64 budget = kMaxZellen;
    try {
        if (bytes.size() > kMaxDateiBytes)
            abweisen(QStringLiteral("sie ist größer als %1 MB").arg(kMaxDateiBytes >> 20));
        // An old binary workbook, and also an encrypted new one: both are OLE compound files.
        if (format == Format::Erkennen && bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
            scheitern(QStringLiteral("sie ist im alten Excel-Format (.xls) oder verschlüsselt "
                                     "gespeichert"));
        if (format == Format::Csv ||
            (format == Format::Erkennen && !nurTabellendokument && !istZip(bytes))) {
            ergebnis.blaetter.push_back(csvLesen(bytes, kodierung, budget));
            ergebnis.blaetter.back().name = QFileInfo(dateiname).completeBaseName();
            ergebnis.erkannt = kodierung;
            ergebnis.csv = true;
        } else {
            ergebnis.blaetter = containerLesen(bytes, format, budget);
        }
        for (size_t i = 0; i < ergebnis.blaetter.size() && ergebnis.erstesMitDaten < 0; ++i)
            if (!ergebnis.blaetter[i].zeilen.empty())
                ergebnis.erstesMitDaten = int(i);
        if (ergebnis.erstesMitDaten < 0)
            ergebnis.fehler =
                meldung(dateiname, Fehler{QStringLiteral("sie enthält keine Daten"), false});
    } catch (const Fehler& f) {
        ergebnis.blaetter.clear();
        ergebnis.fehler = meldung(dateiname, f);
    }
    return ergebnis;
}

// Reads the whole regular file at `pfad`, at most kMaxDateiBytes; throws Fehler otherwise.
QByteArray dateiLesen(const QString& pfad) {
    const auto systemfehler = [](int fehler) {
        switch (fehler) {
        case ENOENT:
            return QStringLiteral("es gibt sie nicht");
        case EACCES:
        case EPERM:
            return QStringLiteral("Zugriff verweigert");
        default:
            return QStringLiteral("Lesefehler %1 (%2)")
                .arg(fehler)
                .arg(QString::fromLocal8Bit(std::strerror(fehler)));
        }
    };
    // Without blocking: a named pipe in the user's choice must not hang the program.
    const int fd =
        ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        abweisen(systemfehler(errno));
    struct Schliessen {
        int fd;
        ~Schliessen() { ::close(fd); }
    } schliessen{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        abweisen(systemfehler(errno));
    if (!S_ISREG(st.st_mode))
        abweisen(QStringLiteral("sie ist keine gewöhnliche Datei"));
    const QString zuGross = QStringLiteral("sie ist größer als %1 MB").arg(kMaxDateiBytes >> 20);
    if (st.st_size > kMaxDateiBytes)
        abweisen(zuGross);
    // One byte more than allowed tells a file that grew since fstat.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype gelesen = 0;
    while (gelesen < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + gelesen, size_t(bytes.size() - gelesen));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            abweisen(systemfehler(errno));
        if (n == 0)
            break;
        gelesen += n;
    }
    if (gelesen > st.st_size)
        abweisen(QStringLiteral("sie wurde beim Lesen verändert"));
    bytes.truncate(gelesen);
    return bytes;
}

} // namespace

Ergebnis lesen(const QString& pfad, Kodierung kodierung) {
    const QString name = QFileInfo(pfad).fileName();
    const QString endung = QFileInfo(pfad).suffix().toLower();
    const bool nurTabellendokument =
        endung == u"xlsx" || endung == u"xlsm" || endung == u"ods" || endung == u"xls";
    QByteArray bytes;
    try {
        bytes = dateiLesen(pfad);
    } catch (const Fehler& f) {
        Ergebnis ergebnis;
        ergebnis.fehler = meldung(name, f);
        return ergebnis;
    }
    return lesenIntern(bytes, Format::Erkennen, kodierung, name, nurTabellendokument);
}

Ergebnis lesenAusBytes(const QByteArray& bytes, Format format, Kodierung kodierung,
                       const QString& dateiname) {
    return lesenIntern(bytes, format, kodierung, dateiname, false);
}

} // namespace tabelle

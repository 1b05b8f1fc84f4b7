#include "tabelle/zip.h"

#include "tabelle/intern.h"

#include <QDateTime>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>
#include <quazipnewinfo.h>
#include <zlib.h>

namespace tabelle::intern {

namespace {
// A table has a dozen parts; a directory of a million is only there to cost time.
constexpr int kMaxTeile = 10000;
} // namespace

Zip::Zip(const QByteArray& bytes) : rest_(kMaxXmlBytes) {
    puffer_.setData(bytes);
    zip_ = std::make_unique<QuaZip>(&puffer_);
    if (!zip_->open(QuaZip::mdUnzip))
        scheitern(QStringLiteral("das Zip-Archiv ist beschädigt"));
    if (zip_->getEntriesCount() > kMaxTeile)
        scheitern(QStringLiteral("das Zip-Archiv hat mehr als %1 Teile").arg(kMaxTeile));
}

Zip::~Zip() = default;

bool Zip::hat(const QString& name) {
    return zip_->setCurrentFile(name, QuaZip::csInsensitive);
}

QByteArray Zip::lesen(const QString& name) {
    if (!hat(name))
        scheitern(QStringLiteral("der Teil „%1“ fehlt").arg(name));
    const QString zuGross =
        QStringLiteral("entpackt ist sie größer als %1 MB").arg(kMaxXmlBytes >> 20);
    QuaZipFileInfo64 info;
    if (zip_->getCurrentFileInfo(&info) && info.uncompressedSize > quint64(rest_))
        scheitern(zuGross); // the header may be honest about a bomb
    QuaZipFile datei(zip_.get());
    if (!datei.open(QIODevice::ReadOnly))
        beschaedigt(name);
    // The header may also lie: count what really comes out.
    QByteArray inhalt;
    char stueck[64 * 1024];
    for (;;) {
        const qint64 n = datei.read(stueck, sizeof stueck);
        if (n < 0)
            beschaedigt(name);
        if (n == 0)
            break;
        if (n > rest_ - inhalt.size())
            scheitern(zuGross);
        inhalt.append(stueck, n);
    }
    datei.close();
    if (datei.getZipError() != UNZ_OK) // a checksum that does not match, among others
        beschaedigt(name);
    rest_ -= inhalt.size();
    return inhalt;
}

Zipschreiber::Zipschreiber() : puffer_(&bytes_) {
    zip_ = std::make_unique<QuaZip>(&puffer_);
    ok_ = zip_->open(QuaZip::mdCreate);
}

Zipschreiber::~Zipschreiber() = default;

void Zipschreiber::teil(const QString& name, const QByteArray& inhalt, bool gepackt) {
    QuaZipNewInfo info(name);
    info.dateTime = QDateTime(QDate(1980, 1, 1), QTime(0, 0)); // the earliest a zip can say
    QuaZipFile datei(zip_.get());
    ok_ = ok_ &&
          datei.open(QIODevice::WriteOnly, info, nullptr, 0, gepackt ? Z_DEFLATED : 0,
                     gepackt ? Z_DEFAULT_COMPRESSION : 0) &&
          datei.write(inhalt) == inhalt.size();
    datei.close();
    ok_ = ok_ && datei.getZipError() == ZIP_OK;
    entpackt_ += inhalt.size();
}

QByteArray Zipschreiber::fertig() {
    zip_->close();
    return ok_ && zip_->getZipError() == ZIP_OK ? bytes_ : QByteArray();
}

} // namespace tabelle::intern

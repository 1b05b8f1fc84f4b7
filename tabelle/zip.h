#pragma once
// The parts of a zip container (ODS, XLSX) in memory, each unpacked with a bound: all parts read
// from one file together unpack to at most kMaxXmlBytes, whatever their headers claim. And a
// container built in memory.

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <memory>

class QuaZip;

namespace tabelle::intern {

class Zip {
public:
    // Throws Fehler when the bytes are no zip archive that can be read.
    explicit Zip(const QByteArray& bytes);
    ~Zip();
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    // Part names as in the archive, without regard to case (as the container formats want).
    bool hat(const QString& name);
    // The unpacked part; throws Fehler when it is missing, broken or beyond the bound.
    QByteArray lesen(const QString& name);

private:
    QBuffer puffer_;
    std::unique_ptr<QuaZip> zip_;
    qint64 rest_;
};

// Every part carries the same date, so that the same table gives the same bytes.
class Zipschreiber {
public:
    Zipschreiber();
    ~Zipschreiber();
    Zipschreiber(const Zipschreiber&) = delete;
    Zipschreiber& operator=(const Zipschreiber&) = delete;

    // In the order given; `gepackt` false stores the part as it is.
    void teil(const QString& name, const QByteArray& inhalt, bool gepackt = true);
    // The container; empty when a part could not be added.
    QByteArray fertig();
    // The parts' bytes together, as a reader unpacks them.
    qint64 entpackt() const { return entpackt_; }

private:
    QByteArray bytes_;
    QBuffer puffer_;
    std::unique_ptr<QuaZip> zip_;
    qint64 entpackt_ = 0;
    bool ok_;
};

} // namespace tabelle::intern

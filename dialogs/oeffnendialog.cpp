#include "dialogs/oeffnendialog.h"

#include "widgets/dateiwahl.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <dirent.h>

namespace {

bool istGesamtName(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string ende = name.substr(name.size() - 4);
    for (char& c : ende)
        c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return ende == ".tif";
}

} // namespace

GesamtOeffnenDialog::GesamtOeffnenDialog(QWidget* parent) : QFileDialog(parent) {
    DateidialogEinrichten(*this);
    setOption(QFileDialog::HideNameFilterDetails);
    setFileMode(QFileDialog::AnyFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    // Names on Linux are case-sensitive; NAMEN.TIF must not be hidden by the filter.
    setNameFilter(QStringLiteral("GESAMT-Dateien (*.[tT][iI][fF])"));

    hinweis_ = new QLabel(QStringLiteral(u"Dateien mit nicht lesbaren Namen:"));
    fremdeNamen_ = new QListWidget;
    fremdeNamen_->setObjectName(QStringLiteral("fremdeNamen"));
    fremdeNamen_->setMaximumHeight(fremdeNamen_->fontMetrics().height() * 4);
    hinweis_->setBuddy(fremdeNamen_);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        grid->addWidget(hinweis_, row, 0, 1, grid->columnCount());
        grid->addWidget(fremdeNamen_, row + 1, 0, 1, grid->columnCount());
    }
    connect(this, &QFileDialog::directoryEntered, this, &GesamtOeffnenDialog::ordnerLesen);
    connect(fremdeNamen_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        fremdeWahl_ = item->data(Qt::UserRole).toByteArray().toStdString();
        QDialog::accept(); // the file dialog's own would look for the name in its list
    });
    hinweis_->setVisible(false);
    fremdeNamen_->setVisible(false);
}

void GesamtOeffnenDialog::ordnerLesen(const QString& ordner) {
    fremdeWahl_.clear();
    fremdeNamen_->clear();
    const QByteArray pfad = QFile::encodeName(ordner);
    if (DIR* d = ::opendir(pfad.constData())) {
        while (const dirent* e = ::readdir(d)) {
            const QByteArray name(e->d_name);
            if (QFile::encodeName(QFile::decodeName(name)) == name || !istGesamtName(e->d_name))
                continue;
            auto* item = new QListWidgetItem(QString::fromUtf8(name), fremdeNamen_);
            item->setData(Qt::UserRole, pfad + '/' + name);
        }
        ::closedir(d);
    }
    fremdeNamen_->sortItems();
    const bool zeigen = fremdeNamen_->count() > 0;
    fremdeNamen_->setVisible(zeigen);
    hinweis_->setVisible(zeigen);
}

std::string GesamtOeffnenDialog::gewaehlteDatei() const {
    if (!fremdeWahl_.empty())
        return fremdeWahl_;
    const QStringList files = selectedFiles();
    return files.isEmpty() ? std::string() : QFile::encodeName(files.first()).toStdString();
}

std::optional<std::string> GesamtOeffnenDialog::waehlen(const QString& ordner) {
    QString folder = QDir::cleanPath(ordner);
    // The folders made only so that the dialog can show the program folder go again unless
    // the list is chosen there: cancelling leaves nothing behind.
    QString neu; // the topmost of them
    for (QString f = folder; !QFileInfo::exists(f) && f != QFileInfo(f).path();
         f = QFileInfo(f).path())
        neu = f;
    struct Aufraeumen {
        QString von, bis;
        bool behalten = false;
        ~Aufraeumen() {
            for (QString f = von; !behalten && !bis.isEmpty() && f.size() >= bis.size();
                 f = QFileInfo(f).path())
                if (!QDir().rmdir(f))
                    break;
        }
    } aufraeumen{folder, neu};
    // Where the program folder cannot be a folder (a file of that name), the dialog starts in
    // the home folder instead of showing an empty place that can take no list.
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    setDirectory(folder);
    ordnerLesen(folder);
    selectFile(QStringLiteral("NAMEN.TIF"));
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    const std::string gewaehlt = gewaehlteDatei();
    aufraeumen.behalten = QFileInfo(QFile::decodeName(QByteArray::fromStdString(gewaehlt)))
                              .absoluteFilePath()
                              .startsWith(folder + u'/');
    if (gewaehlt.empty())
        return std::nullopt;
    return gewaehlt;
}

#include "window/oeffnendialog.h"

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
    setOption(QFileDialog::DontUseNativeDialog);
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

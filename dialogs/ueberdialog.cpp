#include "dialogs/ueberdialog.h"

#include "platform/profile.h"
#include "runlog/runlog.h"
#include "safewrite/safewrite.h"
#include "settings/settings.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString pfad(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

} // namespace

UeberDialog::UeberDialog(const std::string& liste, QWidget* parent)
    : QDialog(parent), text_(new QLabel) {
    setObjectName(QStringLiteral("dlgUeber"));
    setWindowTitle(QStringLiteral(u"Über gesamt"));
    const QString protokoll = LogDatei().empty()
                                  ? QStringLiteral("wird in diesem Lauf nicht geschrieben")
                                  : pfad(LogDatei());
    text_->setText(
        QStringLiteral(u"gesamt %1\n"
                       u"Bearbeitet die Gesamtdatei, die Liste der gespeicherten Spielernamen.\n"
                       u"Lizenz: MIT (freie Software: benutzen, kopieren, ändern und "
                       u"weitergeben erlaubt, ohne Gewährleistung)\n\n"
                       u"Vorige Fassung der Liste: %2\n"
                       u"Ungespeicherte Änderungen: %3\n"
                       u"Einstellungen: %4\n"
                       u"Protokoll des Laufs: %5")
            .arg(QStringLiteral(GESAMT_VERSION), pfad(liste + "~"),
                 pfad(safewrite::stateFolder()) + u'/', Profile::resolve(kEinstellungsdatei),
                 protokoll));
    text_->setTextFormat(Qt::PlainText);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setWordWrap(false);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(knoepfe);
}

QString UeberDialog::text() const {
    return text_->text();
}

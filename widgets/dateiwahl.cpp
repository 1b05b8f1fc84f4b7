#include "widgets/dateiwahl.h"

#include <QChildEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

namespace {

// The dialog's own questions name the file ("… already exists"); a name that looks like markup
// is shown as it is. Set when the question is polished, before its text is laid out.
class FragenAlsKlartext : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished)
            if (auto* frage = qobject_cast<QMessageBox*>(static_cast<QChildEvent*>(event)->child()))
                frage->setTextFormat(Qt::PlainText);
        return QObject::eventFilter(object, event);
    }
};

} // namespace

void DateidialogEinrichten(QFileDialog& dialog) {
    // The dialog keeps its history in the toolkit's own settings file: pointed where it cannot
    // be created.
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.installEventFilter(new FragenAlsKlartext(&dialog));
}

QString DateiWaehlen(QWidget* parent, const Dateiwahl& wahl) {
    QFileDialog dialog(parent, wahl.titel);
    DateidialogEinrichten(dialog);
    dialog.setObjectName(wahl.name);
    dialog.setAcceptMode(wahl.modus);
    if (wahl.modus == QFileDialog::AcceptOpen)
        dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(wahl.filter);
    if (!wahl.endung.isEmpty())
        dialog.setDefaultSuffix(wahl.endung);
    dialog.setDirectory(wahl.ordner);
    if (!wahl.vorschlag.isEmpty())
        dialog.selectFile(wahl.vorschlag);
    if (wahl.endungen.size() == wahl.filter.size()) {
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, &wahl](const QString& filter) {
                const QString endung = wahl.endungen.value(wahl.filter.indexOf(filter));
                dialog.setDefaultSuffix(endung);
                const QStringList namen = dialog.selectedFiles();
                if (!namen.isEmpty() && !endung.isEmpty() && !QFileInfo(namen.first()).isDir())
                    dialog.selectFile(QFileInfo(namen.first()).completeBaseName() + u'.' + endung);
            });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

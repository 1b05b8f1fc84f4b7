#include "widgets/messages.h"

#include "platform/cp1252.h"
#include "runlog/runlog.h"
#include "support/fileerrors.h"
#include "widgets/userdlg.h"

#include <QMessageBox>

namespace {

void prepare(TUserDlg& dlg, TDefaultIcons icon, const char* title, TWAV wav) {
    dlg.Font = toQFont(StandardFont);
    dlg.WAV = wav;
    dlg.setButtonsMinWidth(79);
    dlg.ButtonsShowGlyph = true;
    dlg.Icon = icon;
    dlg.Title = QString::fromUtf8(title);
}

void showNotice(const std::string& text, TDefaultIcons icon, const char* title) {
    TUserDlg dlg;
    dlg.ButtonLines().clear();
    dlg.ButtonLines().append(QStringLiteral("&OK"));
    prepare(dlg, icon, title, wavExclamation);
    dlg.Message.append(cp1252::toQString(text));
    dlg.Execute();
}

} // namespace

QFont toQFont(const TSchrift& s) {
    QFont font(QString::fromStdString(s.name));
    if (s.groesse > 0)
        font.setPointSize(s.groesse);
    font.setBold(s.fett);
    font.setItalic(s.kursiv);
    font.setUnderline(s.unterstrichen);
    font.setStrikeOut(s.durchgestrichen);
    return font;
}

bool FehlerMeldung(const std::string& text) {
    showNotice(text, icError, "Achtung!");
    if (LogAktiv)
        LogZeile("FEHLER - " + text);
    return true;
}

bool HinweisMeldung(const std::string& text) {
    if (LogAktiv)
        LogZeile("HINWEIS - " + text);
    showNotice(text, icInformation, "Hinweis");
    return true;
}

bool AuswahlFrage(const std::string& text, bool jaVorgabe) {
    TUserDlg dlg;
    prepare(dlg, icConfirmation, "Auswahl", wavQuestion);
    dlg.ButtonLines().clear();
    dlg.ButtonLines() << QStringLiteral("&Ja") << QStringLiteral("&Nein");
    dlg.Default = jaVorgabe ? 0 : 1;
    dlg.Message.append(cp1252::toQString(text) + u'?');
    return dlg.Execute() == 0;
}

void installDateiFehlerBox() {
    setDateiFehlerBox([](const std::string& text) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"), cp1252::toQString(text),
                        QMessageBox::Ok);
        box.setObjectName(QStringLiteral("DateiFehlerBox"));
        box.setTextFormat(Qt::PlainText); // it names the file
        box.exec();
    });
}

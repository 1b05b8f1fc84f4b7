#include "app/launch.h"

#include "app/startup.h"
#include "platform/paths.h"
#include "print/drucker.h"
#include "runlog/runlog.h"
#include "widgets/glyphbutton.h"
#include "widgets/messages.h"
#include "widgets/placementstore.h"
#include "window/gesamtdatei.h"

#include <QApplication>
#include <QIcon>

#include <cstdlib>
#include <memory>

void OberflaecheEinrichten() {
    QtAufDeutsch();
    installDateiFehlerBox();
    FensterEinpassenEinrichten();
    QApplication::setDesktopFileName(QStringLiteral("gesamt"));
    QIcon icon;
    // The title bar's size; docks and menus take the larger ones from the installed icon theme.
    icon.addPixmap(QPixmap::fromImage(loadPixels(QStringLiteral("APP48"))));
    QApplication::setWindowIcon(icon);
    DruckzustandEinrichten = [] { DruckerInitialisieren(nullptr); };
}

void GesamtdateiBearbeiten(const std::string& dateiname, bool bSofortErweitern,
                           const std::vector<std::string>* teilnehmer) {
    LogZeile("*** Gesamtdatei bearbeiten");
    sGesamtdatei = paths::nativePath(dateiname);
    auto frm = std::make_unique<TfrmGesamtdatei>();
    if (!frm->FormCreate()) {
        frm.reset();
        if (ProgrammBeenden)
            ProgrammBeenden(1);
        else
            std::exit(1);
        return;
    }
    frm->setFont(toQFont(StandardFont));
    if (!teilnehmer || teilnehmer->empty()) {
        frm->ErweiternVerbergen();
        bSofortErweitern = false;
    } else {
        frm->slTeilnehmer = teilnehmer;
    }
    if (bSofortErweitern)
        frm->Erweitern(*teilnehmer);
    frm->ausfuehren();
}

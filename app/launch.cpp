#include "app/launch.h"

#include "app/runlog.h"
#include "editor/gesamtdatei.h"
#include "platform/paths.h"
#include "support/messages.h"

#include <cstdlib>
#include <memory>

void GesamtdateiBearbeiten(const std::string& dateiname, bool bSofortErweitern,
                           const std::vector<std::string>* teilnehmer) {
    LogZeile("*** Gesamtdatei bearbeiten");
    sGesamtdatei = dateiname.empty() ? std::string() : paths::localPath(dateiname).toStdString();
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

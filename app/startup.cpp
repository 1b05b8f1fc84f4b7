#include "app/startup.h"

#include "runlog/runlog.h"
#include "settings/settings.h"
#include "support/standardfont.h"
#include "widgets/messages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void ProgrammzustandVorbereiten() {
    StandardFont = TSchrift{};
    EinstellungenLesen();
    LogAktiv = true;
    LogOffen = false;
    if (DruckzustandEinrichten)
        DruckzustandEinrichten();
    SettingFuellen();
}

void ProgrammStartschritte() {
    VerzeichnisseLesen(IniDaten, kHauptabschnitt);
    LogOeffnen("gesamt.log");
    if (const std::string hinweis = EinstellungenHinweis(); !hinweis.empty())
        HinweisMeldung(hinweis);
}

void QtAufDeutsch() {
    auto* german = new QTranslator(QCoreApplication::instance());
    if (german->load(QStringLiteral("qtbase_de"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(german);
    else
        delete german;
}

#include "app/startup.h"

#include "runlog/runlog.h"
#include "settings/settings.h"
#include "support/standardfont.h"

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
}

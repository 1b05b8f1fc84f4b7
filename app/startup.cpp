#include "app/startup.h"

#include "app/runlog.h"
#include "app/settings.h"
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

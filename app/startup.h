#pragma once

#include <functional>

// Program-wide state in start-up order: program font, product settings, log state, print
// state (through the hook, which the program sets), built-in settings.
void ProgrammzustandVorbereiten();
inline std::function<void()> DruckzustandEinrichten;

// The entry's own first steps: the directory settings, then the run log "gesamt.log".
void ProgrammStartschritte();

// Qt's own texts (buttons and dialogs of the toolkit) in German, for the application that now
// runs; once per application object.
void QtAufDeutsch();

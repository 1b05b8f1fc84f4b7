#pragma once

// Program-wide state in start-up order: program font, product settings, log state,
// built-in settings. The print state is set up by the printing layer when it is linked.
void ProgrammzustandVorbereiten();

// The entry's own first steps: the directory settings, then the run log "gesamt.log".
void ProgrammStartschritte();

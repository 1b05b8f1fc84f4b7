#pragma once
// The default printer, from the printer module loaded at the first printout: sets the print
// state up on it, or on no printer where there is none or the module cannot be loaded.
void StandarddruckerLaden();

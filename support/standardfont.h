#pragma once
#include <string>

// A font as the settings describe it; the screen makes a QFont of it.
struct TSchrift {
    std::string name = "Arial";
    int groesse = 9; // points
    bool fett = false;
    bool kursiv = false;
    bool unterstrichen = false;
    bool durchgestrichen = false;
};

// The program font: created as Arial 9, then named and sized by the settings.
inline TSchrift StandardFont;

#pragma once
// What an entry is wherever entries are read, written, shown or compared: its four columns, the
// most a list holds, and the master-point codes. The name file's format builds on it.

#include <string_view>

constexpr int kMaxEintraege = 1000;
constexpr int kSpalteNr = 0, kSpalteName = 1, kSpalteMP = 2, kSpalteDBVNr = 3;

// The master-point codes, in the order the "MP" column offers them.
constexpr std::string_view kMPCodes = "JNG";

// One of them, in capitals or small letters (a table or a paste may write them small).
constexpr bool IstMPCode(char32_t c) {
    for (const char code : kMPCodes)
        if (c == char32_t(code) || c == char32_t(code - 'A' + 'a'))
            return true;
    return false;
}

#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Which prefixes introduce hexadecimal digits: profile values know "$", "0x" and "0X"; the
// name file's numbers also a bare "x" or "X" ("x1F" is 31).
enum class HexPrefix { DollarOr0x, DollarXOr0x };

// Whole numbers as the Pascal run time reads them: optional sign, decimal digits, or
// hexadecimal digits after one of the prefixes. Nothing may be left over and the value must fit
// a signed 32-bit integer.
std::optional<int32_t> parseInt32(std::string_view text,
                                  HexPrefix prefixes = HexPrefix::DollarOr0x);

#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Whole numbers as the Pascal run time reads them: optional sign, decimal digits, or
// hexadecimal digits after "$", "0x" or "0X". Nothing may be left over and the value must fit
// a signed 32-bit integer.
std::optional<int32_t> parseInt32(std::string_view text);

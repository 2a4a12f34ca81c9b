// numbers.h - reading numbers from command lines, panel files and scenarios:
// the whole text must be the number, nothing before or after it.
#pragma once

#include <optional>
#include <string_view>

namespace host {

// Any number strtod reads, "nan", "inf" and "-inf" included; a value too
// large for a double reads as an infinity.
std::optional<double> parse_real(std::string_view text);
// A finite number only; out-of-range values are refused.
std::optional<double> parse_finite(std::string_view text);
// A decimal integer that fits a long long.
std::optional<long long> parse_whole(std::string_view text);

}  // namespace host

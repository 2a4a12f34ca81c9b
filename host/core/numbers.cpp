// numbers.cpp - see numbers.h.
#include "numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace host {

namespace {

// strtod on the whole text; `range_error` tells whether it overflowed.
std::optional<double> read_real(std::string_view text, bool& range_error) {
    if (text.empty()) return std::nullopt;
    std::string s(text);  // strtod needs a terminated string
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    range_error = errno != 0;
    if (end != s.c_str() + s.size()) return std::nullopt;
    return v;
}

}  // namespace

std::optional<double> parse_real(std::string_view text) {
    bool range_error = false;
    return read_real(text, range_error);
}

std::optional<double> parse_finite(std::string_view text) {
    bool range_error = false;
    auto v = read_real(text, range_error);
    if (!v || range_error || !std::isfinite(*v)) return std::nullopt;
    return v;
}

std::optional<long long> parse_whole(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::string s(text);
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno != 0 || end != s.c_str() + s.size()) return std::nullopt;
    return v;
}

}  // namespace host

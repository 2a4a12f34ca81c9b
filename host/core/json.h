// json.h - the small JSON writer the inspection commands print with.
#pragma once

#include <string>

namespace host {

// Shortest text that reads back as the same double; NaN and infinities as
// the strings "nan", "inf", "-inf".
std::string json_number(double v);
// A JSON string of bytes, each byte above 127 as the code point of the same
// number (the bytes read as Latin-1).
std::string json_string(const std::string& bytes);

}  // namespace host

// variables.h - the host's simulator variables, one value per token, each
// in its form: a FLOAT64, a 32-bit integer at the start of the value, or a
// 16-bit unsigned integer at the start.
#pragma once

#include <cstdint>
#include <map>

#include "records.h"

namespace host {

enum class Form { kFloat64, kInt32, kUint16 };

struct Value {
    Form form = Form::kFloat64;
    unsigned char bytes[8] = {};
};

class VariableStore {
public:
    void set_f64(std::uint32_t token, double v);
    void set_i32(std::uint32_t token, std::int32_t v);
    void set_u16(std::uint32_t token, std::uint16_t v);

    // The value as stored; a token never set reads as 8 zero bytes.
    Value get(std::uint32_t token) const;
    // The value read as a FLOAT64 or, for integer forms, as that integer.
    double number(std::uint32_t token) const;

    // Copies the token's current value into the record, keeping the old one
    // as the previous value. Token 0 is left alone.
    void refresh(frame::SourceVariable& variable) const;

private:
    std::map<std::uint32_t, Value> values_;
};

}  // namespace host

// variables.cpp - see variables.h.
#include "variables.h"

#include <cstring>

namespace host {

void VariableStore::set_f64(std::uint32_t token, double v) {
    Value& value = values_[token];
    value = Value{Form::kFloat64, {}};
    std::memcpy(value.bytes, &v, sizeof v);
}

void VariableStore::set_i32(std::uint32_t token, std::int32_t v) {
    Value& value = values_[token];
    value = Value{Form::kInt32, {}};
    std::memcpy(value.bytes, &v, sizeof v);
}

void VariableStore::set_u16(std::uint32_t token, std::uint16_t v) {
    Value& value = values_[token];
    value = Value{Form::kUint16, {}};
    std::memcpy(value.bytes, &v, sizeof v);
}

Value VariableStore::get(std::uint32_t token) const {
    auto it = values_.find(token);
    return it == values_.end() ? Value{} : it->second;
}

double VariableStore::number(std::uint32_t token) const {
    Value v = get(token);
    switch (v.form) {
    case Form::kInt32: {
        std::int32_t i;
        std::memcpy(&i, v.bytes, sizeof i);
        return i;
    }
    case Form::kUint16: {
        std::uint16_t u;
        std::memcpy(&u, v.bytes, sizeof u);
        return u;
    }
    case Form::kFloat64:
        break;
    }
    double d;
    std::memcpy(&d, v.bytes, sizeof d);
    return d;
}

void VariableStore::refresh(frame::SourceVariable& variable) const {
    if (variable.token == 0) return;
    std::memcpy(variable.previous, variable.value, sizeof variable.value);
    Value v = get(variable.token);
    std::memcpy(variable.value, v.bytes, sizeof v.bytes);
}

}  // namespace host

// scale.cpp - angles from calibration rows.
#include "scale.h"

#include <stdexcept>
#include <string>

namespace artwork {

Scale::Scale(const frame::NeedleElement& needle)
    : Scale(needle.base.position, needle.table, needle.table_rows) {}

Scale::Scale(frame::Point pivot, const frame::CalibrationPoint* rows, std::size_t count)
    : pivot_(pixel_centre(pivot)) {
    if (rows == nullptr || count < 2) throw std::invalid_argument("a scale needs two rows");
    for (std::size_t i = 0; i < count; ++i) {
        // Row points and the pivot are both pixels; their centres give the
        // same direction as the pixel coordinates themselves.
        double a = direction(pivot_, pixel_centre(rows[i].x, rows[i].y));
        rows_.push_back({rows[i].value, a});
    }
}

double Scale::angle(double value) const {
    for (std::size_t i = 0; i + 1 < rows_.size(); ++i) {
        const Row& a = rows_[i];
        const Row& b = rows_[i + 1];
        const bool inside = (a.value <= value && value <= b.value) || (b.value <= value && value <= a.value);
        if (!inside) continue;
        const double t = (value - a.value) / (b.value - a.value);
        return normalized(a.angle + t * clockwise_from(a.angle, b.angle));
    }
    throw std::out_of_range("value " + std::to_string(value) + " lies outside the table");
}

}  // namespace artwork

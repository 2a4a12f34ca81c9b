// scale.cpp - angles from calibration rows, by the host's own rule, so that
// a mark stands exactly where the needle will point.
#include "scale.h"

#include <stdexcept>
#include <string>

#include "calibration.h"

namespace artwork {

Scale::Scale(const frame::NeedleElement& needle)
    : Scale(needle.base.position, needle.table, needle.table_rows) {}

Scale::Scale(frame::Point pivot, const frame::CalibrationPoint* rows, std::size_t count)
    : pivot_(pixel_centre(pivot)), pivot_point_(pivot) {
    if (rows == nullptr || count < 2) throw std::invalid_argument("a scale needs two rows");
    rows_.assign(rows, rows + count);
}

double Scale::angle(double value) const {
    double lo = rows_.front().value, hi = rows_.back().value;
    if (lo > hi) std::swap(lo, hi);
    if (!(value >= lo && value <= hi))
        throw std::out_of_range("value " + std::to_string(value) + " lies outside the table");
    std::vector<frame::CalibrationPoint> rows = rows_;  // the host writes row angles
    return host::table_angle(rows.data(), static_cast<std::uint32_t>(rows.size()), pivot_point_, value);
}

}  // namespace artwork

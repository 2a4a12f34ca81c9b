// scale.h - a needle's calibration table seen from the dial: the angle at
// which the needle stands for a value, so that marks are put where the
// needle will point.
#pragma once

#include <cstddef>
#include <vector>

#include "geometry.h"
#include "records.h"

namespace artwork {

class Scale {
public:
    // The needle's pivot and table, as the module declares them.
    explicit Scale(const frame::NeedleElement& needle);
    Scale(frame::Point pivot, const frame::CalibrationPoint* rows, std::size_t count);

    // The dial point the needle turns about (a pixel centre).
    Vec pivot() const { return pivot_; }

    // The needle's angle for a value: the angle of the two rows around it,
    // interpolated linearly in value on the clockwise arc from the first
    // to the second, as the host places the needle. Throws for a value
    // outside the table, where the host's rule, not the dial, decides.
    double angle(double value) const;

    double first_value() const { return rows_.front().value; }
    double last_value() const { return rows_.back().value; }

private:
    Vec pivot_;
    frame::Point pivot_point_;
    std::vector<frame::CalibrationPoint> rows_;
};

}  // namespace artwork

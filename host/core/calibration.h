// calibration.h - needle angles from calibration tables.
#pragma once

#include <cstdint>

#include "records.h"

namespace host {

// The direction from the pivot to (x, y) in degrees clockwise from three
// o'clock (screen coordinates, y downward), in [0, 360).
double direction_deg(frame::Point pivot, std::int32_t x, std::int32_t y);

// The needle angle for a value: linear in value between consecutive rows,
// on the clockwise arc from one row's point to the next, reduced into
// [0, 360). Beyond the first or last row the angle goes on along the end
// pair's arc; a value that is not a number stands at the first row, an
// infinite one at the row it runs toward. Writes each row's angle into its
// angle field, as the host owns it.
double table_angle(frame::CalibrationPoint* rows, std::uint32_t count, frame::Point pivot,
                   double value);

// The same place as a position along the dial: degrees clockwise from the
// first row's point, not reduced, so that a rate limit can move a needle
// along its scale rather than across the gap between its ends.
double table_position(frame::CalibrationPoint* rows, std::uint32_t count, frame::Point pivot,
                   double value);

// The angle of a position along the dial, in [0, 360), from rows whose
// angles table_position has just written.
double angle_at_position(const frame::CalibrationPoint* rows, std::uint32_t count, double position);

}  // namespace host

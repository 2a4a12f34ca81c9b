// gauges.h - the gauge headers of Chronel, for its gauge table.
#pragma once

#include "records.h"

namespace chronel {

extern frame::GaugeHeader AdfGauge;
extern frame::GaugeHeader ClockGauge;

}  // namespace chronel

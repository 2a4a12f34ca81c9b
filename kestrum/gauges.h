// gauges.h - the gauge headers of Kestrum, for its gauge table.
#pragma once

#include "records.h"

namespace kestrum {

extern frame::GaugeHeader VsiGauge;
extern frame::GaugeHeader AsiGauge;
extern frame::GaugeHeader RpmGauge;
extern frame::GaugeHeader ManGauge;

}  // namespace kestrum

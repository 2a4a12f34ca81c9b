// gauges.h - the gauge headers of Kestrum, for its gauge table.
#pragma once

#include "records.h"

namespace kestrum {

extern frame::GaugeHeader VsiGauge;

}  // namespace kestrum

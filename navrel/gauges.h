// gauges.h - the gauge headers of Navrel, for its gauge table.
#pragma once

#include "records.h"

namespace navrel {

extern frame::GaugeHeader Vor1Gauge;
extern frame::GaugeHeader Vor2Gauge;
extern frame::GaugeHeader DmeGauge;

}  // namespace navrel

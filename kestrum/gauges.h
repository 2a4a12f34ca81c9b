// gauges.h - the gauge headers of Kestrum, for its gauge table.
#pragma once

#include "records.h"

namespace kestrum {

extern frame::GaugeHeader VsiGauge;
extern frame::GaugeHeader AsiGauge;
extern frame::GaugeHeader RpmGauge;
extern frame::GaugeHeader AltimetroGauge;
extern frame::GaugeHeader Altimetro2Gauge;
extern frame::GaugeHeader ManGauge;
extern frame::GaugeHeader TurnGauge;
extern frame::GaugeHeader HsiGauge;

}  // namespace kestrum

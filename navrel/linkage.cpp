// linkage.cpp - Navrel's exported Linkage record and gauge table. Vor1 is
// entry 0, so the forwarding routines of every Navrel gauge act on its tree.
#include "gauges.h"
#include "module.h"

extern "C" {
FRAME_EXPORT frame::ModuleLinkage<3> Linkage = {
    .id = frame::kLinkageId,
    .init = frame::ModuleInit,
    .deinit = frame::ModuleDeinit,
    .reserved = {0, 0},
    .version = frame::kLinkageVersion,
    .gauge_table = {&navrel::Vor1Gauge, &navrel::Vor2Gauge, &navrel::DmeGauge, nullptr},
};
}

frame::GaugeHeader* frame::module_first_gauge() { return Linkage.gauge_table[0]; }

// linkage.cpp - Chronel's exported Linkage record and gauge table.
#include "gauges.h"
#include "module.h"

extern "C" {
FRAME_EXPORT frame::ModuleLinkage<2> Linkage = {
    .id = frame::kLinkageId,
    .init = frame::ModuleInit,
    .deinit = frame::ModuleDeinit,
    .reserved = {0, 0},
    .version = frame::kLinkageVersion,
    .gauge_table = {&chronel::AdfGauge, &chronel::ClockGauge, nullptr},
};
}

frame::GaugeHeader* frame::module_first_gauge() { return Linkage.gauge_table[0]; }

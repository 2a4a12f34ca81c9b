// linkage.cpp - Kestrum's exported Linkage record and gauge table.
#include "gauges.h"
#include "module.h"

extern "C" {
FRAME_EXPORT frame::ModuleLinkage<8> Linkage = {
    .id = frame::kLinkageId,
    .init = frame::ModuleInit,
    .deinit = frame::ModuleDeinit,
    .reserved = {0, 0},
    .version = frame::kLinkageVersion,
    .gauge_table = {&kestrum::VsiGauge, &kestrum::AsiGauge, &kestrum::RpmGauge, &kestrum::AltimetroGauge,
                    &kestrum::Altimetro2Gauge, &kestrum::ManGauge, &kestrum::TurnGauge, &kestrum::HsiGauge,
                    nullptr},
};
}

frame::GaugeHeader* frame::module_first_gauge() { return Linkage.gauge_table[0]; }

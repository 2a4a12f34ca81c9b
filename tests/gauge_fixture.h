// gauge_fixture.h - one gauge of a built module placed on a fresh host, and
// the probe's steps run against it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "host.h"
#include "modules.h"
#include "steps.h"

namespace testing_support {

class GaugeOnHost {
public:
    GaugeOnHost(const std::string& module, const std::string& gauge)
        : host_(std::make_unique<host::Host>()),
          gauge_(&host_->place(host_->load(module_path(module), RESOURCES_DIR), gauge)) {}

    host::Host& host() { return *host_; }
    host::Gauge& gauge() { return *gauge_; }
    const host::ElementState& element(std::size_t i) const { return gauge_->elements().at(i); }

    // Sets a FLOAT64 and runs one frame.
    void set(std::uint32_t token, double v) {
        host_->variables().set_f64(token, v);
        host_->frame(host::kStepFrameSeconds);
    }

private:
    std::unique_ptr<host::Host> host_;
    host::Gauge* gauge_;
};

}  // namespace testing_support

// panel_command.h - panelhost's panel commands:
//
//   panelhost check  [PANEL.cfg] [OPTIONS]
//   panelhost render [PANEL.cfg] [--scenario FILE] [--at SECONDS] [OPTIONS] --out FILE.png
//   panelhost run    [PANEL.cfg] [--scenario FILE] [--fps N] [--out DIR] [OPTIONS]
//
// OPTIONS: --fail KEY[@SECONDS]  --overlay mouse  --width PIXELS
//          --modules DIR  --resources DIR
//
// Without a panel the default panel is used, without a scenario the
// built-in flight. Each returns the process's exit status: 0, or 1 when the
// panel had errors (the output is still written).
#pragma once

#include <string>
#include <vector>

namespace app {

int check_command(const std::vector<std::string>& args);
#if defined(PANELHOST_RENDER)
int render_panel_command(const std::vector<std::string>& args);
int run_command(const std::vector<std::string>& args);
#endif

}  // namespace app

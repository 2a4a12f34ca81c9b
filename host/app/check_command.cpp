// check_command.cpp - `panelhost check PANEL.cfg`: loads a panel as render
// and run do, prints its diagnostics and what it holds. It needs no
// renderer, so the win32 build checks a panel against the real .gau files.
#include <cstdio>

#include "options.h"
#include "panel_command.h"

namespace app {

int check_command(const std::vector<std::string>& args) {
    Options o = parse_options(args, Verb::kCheck);
    LoadedPanel lp = load_panel(o);
    const host::panel::Panel& p = *lp.panel;
    std::printf("screen %g x %g\n", p.screen_width(), p.screen_height());
    for (const host::panel::Window& w : p.windows()) {
        std::printf("Window%02d \"%s\" %g x %g at (%g, %g)%s%s\n", w.config->number, w.config->title.c_str(), w.width,
                    w.height, w.x, w.y, p.visible(w) ? "" : " hidden",
                    w.config->ident ? (" ident " + std::to_string(*w.config->ident)).c_str() : "");
        for (const host::panel::PlacedGauge& g : w.gauges)
            std::printf("  gauge%02d %s!%s at (%g, %g) %g x %g\n", g.line->number, g.line->file.c_str(),
                        g.line->gauge.c_str(), g.x, g.y, g.width, g.height);
    }
    return lp.errors ? 1 : 0;
}

}  // namespace app

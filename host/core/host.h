// host.h - the stand-in host: loaded modules, gauge instances, the variable
// store, panel windows, fired events and the service table the modules call.
//
// Data flows one way: the variable store feeds the element walk, the walk
// leaves a draw state per element, and the renderer reads the draw state.
// Clicks enter at Gauge::click and leave as a mouse-function call or an
// event applied to the store.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "bitmap.h"
#include "library.h"
#include "mouse.h"
#include "policy.h"
#include "records.h"
#include "variables.h"

namespace host {

struct HostError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Host;

// One loaded module file.
class Module {
public:
    Module(std::string path, std::unique_ptr<Library> library);
    const std::string& path() const { return path_; }
    const std::vector<frame::GaugeHeader*>& gauges() const { return gauges_; }
    frame::GaugeHeader* find(const std::string& name) const;
    const frame::LinkageHead* linkage() const { return linkage_; }
    frame::ImportTableRecord* imports() const { return imports_; }
    Library& library() { return *library_; }
    // The decoded bitmap, loaded on first use; throws HostError if the
    // module has no usable bitmap of that id.
    const Bitmap& bitmap(int id);

private:
    std::string path_;
    std::unique_ptr<Library> library_;
    frame::ImportTableRecord* imports_ = nullptr;
    const frame::LinkageHead* linkage_ = nullptr;
    std::vector<frame::GaugeHeader*> gauges_;
    std::map<int, Bitmap> bitmaps_;
};

// What the walk leaves for one element.
struct ElementState {
    frame::Element* element = nullptr;
    int parent = -1;  // index in the gauge's state list
    int depth = 0;
    bool hidden = false;  // the element's hide bit
    bool failed = false;  // an active failure acts on it
    FailureEffect effect = FailureEffect::kNone;
    double value = 0;  // needle, string, icon
    double angle = 0;  // needle: target angle
    double position = 0;  // needle: place along its dial after the rate limit
    double drawn_angle = 0;  // needle: angle it is drawn at
    bool drawn_once = false;
    double x = 0, y = 0, rotation = 0;  // slider, moving image, sprite
    std::int32_t index = 0;  // icon
    std::string text;  // string: the bytes written
    // string: the selected highlight record's number (0: none) and the
    // first and last character it covers
    std::int32_t highlight = 0;
    std::int32_t highlight_first = 0, highlight_last = -1;
    std::array<char, kTextBufferCapacity> buffer{};
};

// One gauge placed on the panel. Instances of one gauge share the module's
// records and state; each keeps its own draw state.
class Gauge {
public:
    Gauge(Host& host, Module& module, frame::GaugeHeader* header);
    frame::GaugeHeader* header() const { return header_; }
    Module& module() const { return module_; }
    frame::Element* root() const { return header_->elements[0]; }
    const std::vector<ElementState>& elements() const { return states_; }
    // Background size in pixels.
    int width() const { return width_; }
    int height() const { return height_; }

    // Refreshes every element's variables and runs its callbacks, parents
    // before children. `seconds` is the time since the last update, for the
    // rate limits.
    void update(double seconds);
    // A left click at gauge pixels: the mouse function's result, or nothing
    // when the click ran no function.
    std::optional<std::int32_t> click(int x, int y);
    MouseHit hit(int x, int y) const;
    void call_gauge_callback(std::int32_t service, std::uint32_t extra);

private:
    void collect(frame::Element* e, int parent, int depth);
    void install_bitmaps();
    void update_element(ElementState& s, double seconds);

    Host& host_;
    Module& module_;
    frame::GaugeHeader* header_;
    std::vector<ElementState> states_;
    int width_ = 0, height_ = 0;
};

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Loads a module: writes the service table into its ImportTable, calls
    // ModuleInit and reads its gauge table. Throws HostError.
    Module& load(const std::string& path, const std::string& resources = "");
    // Places an instance of a gauge of a loaded module. Throws HostError.
    Gauge& place(Module& module, const std::string& gauge);

    VariableStore& variables() { return variables_; }
    const VariableStore& variables() const { return variables_; }

    // Runs one frame over every placed gauge.
    void frame(double seconds);

    // Panel windows: ident -> open, for every window ever toggled.
    const std::map<std::uint32_t, bool>& windows() const { return windows_; }
    std::int32_t toggle_window(std::uint32_t ident);
    // Opens or closes a window without a toggle, as a panel declares it.
    void set_window(std::uint32_t ident, bool open) { windows_[ident] = open; }
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& events() const { return events_; }
    // Records the event and applies its effect to the variables (events.h).
    void fire_event(std::uint32_t event, std::uint32_t value);
    // The highlight record a setting event selected and that is still
    // selected, or 0.
    std::int32_t selected_highlight() const { return highlight_; }
    int lookups() const { return lookups_; }

    void set_failure(std::uint32_t key, bool active);
    bool failure_active(std::uint32_t key) const { return failures_.count(key) != 0; }

    // The services, as the modules reach them.
    static frame::HostServices* services();
    void element_list_update(frame::Element* root);
    void lookup_var(frame::SourceVariable* variable);

private:
    friend class Gauge;

    VariableStore variables_;
    std::map<std::uint32_t, bool> windows_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> events_;
    std::set<std::uint32_t> failures_;
    int lookups_ = 0;
    std::int32_t highlight_ = 0;
    double highlight_left_ = 0;  // seconds of frame time
    double frame_seconds_ = 0;
    std::vector<std::unique_ptr<Module>> modules_;
    std::vector<std::unique_ptr<Gauge>> gauges_;
};

}  // namespace host

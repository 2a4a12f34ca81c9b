// host.cpp - modules, gauges, the element walk and the service table.
#include "host.h"

#include <cmath>
#include <cstring>

#include "calibration.h"
#include "events.h"
#include "highlight.h"
#include "mouse.h"
#include "helpers.h"

namespace host {

namespace {

// The one host the services act on; a module call carries no context.
Host* g_host = nullptr;

Host& current() {
    if (g_host == nullptr) throw HostError("a module called the host while none is running");
    return *g_host;
}

void FRAME_API service_query(frame::Element*) {}
void FRAME_API service_install(frame::Element*, std::uint32_t) {}
void FRAME_API service_initialize(frame::Element*) {}
void FRAME_API service_update(frame::Element* root) { current().element_list_update(root); }
void FRAME_API service_generate(frame::Element*, std::uint32_t) {}
void FRAME_API service_plot(frame::Element*) {}
void FRAME_API service_kill(frame::Element*) {}
std::int32_t FRAME_API service_window_toggle(std::uint32_t ident) { return current().toggle_window(ident); }
std::int32_t FRAME_API service_key_event(std::uint32_t event, std::uint32_t value) {
    current().fire_event(event, value);
    return kEventAccepted;
}
void FRAME_API service_lookup_var(frame::SourceVariable* variable) { current().lookup_var(variable); }

frame::HostServices make_services() {
    frame::HostServices s{};
    s.element_list_query = service_query;
    s.element_list_install = service_install;
    s.element_list_initialize = service_initialize;
    s.element_list_update = service_update;
    s.element_list_generate = service_generate;
    s.element_list_plot = service_plot;
    s.element_list_kill = service_kill;
    s.panel_window_toggle = service_window_toggle;
    s.trigger_key_event = service_key_event;
    s.lookup_var = service_lookup_var;
    return s;
}

frame::HostServices g_services = make_services();

// Guards against a gauge table or list with no end.
constexpr int kMaxGauges = 256;
constexpr int kMaxElements = 4096;
constexpr int kMaxListEntries = 4096;

// The bitmap ids an element draws, by the numbering rules.
std::vector<int> bitmaps_of(const frame::Element* e) {
    switch (e->kind) {
    case frame::kStaticImage:
    case frame::kNeedle:
        return {e->bitmap};
    case frame::kIcon: {
        std::vector<int> ids;
        auto n = reinterpret_cast<const frame::IconElement*>(e)->icon_count;
        for (std::uint32_t k = 0; k < n && k < 256; ++k) ids.push_back(e->bitmap + static_cast<int>(k));
        return ids;
    }
    case frame::kMovingImage:
    case frame::kSprite:
        return {e->bitmap, e->bitmap + 1};
    default:
        return {};
    }
}

double axis_value(const VariableStore& store, frame::Element* e, frame::SourceVariable& source,
                  frame::ValueCallback callback) {
    store.refresh(source);
    if (callback != nullptr) return callback(e);
    return source.token == 0 ? 0.0 : store.number(source.token);
}

}  // namespace

FailureEffect failure_effect(std::uint32_t action) {
    switch (action) {
    case 1:
        return FailureEffect::kFreeze;
    case 2:
        return FailureEffect::kZero;
    case 3:
        return FailureEffect::kBlank;
    default:
        return FailureEffect::kNone;
    }
}

// ------------------------------------------------------------- Module

Module::Module(std::string path, std::unique_ptr<Library> library)
    : path_(std::move(path)), library_(std::move(library)) {
    imports_ = static_cast<frame::ImportTableRecord*>(library_->symbol("ImportTable"));
    linkage_ = static_cast<const frame::LinkageHead*>(library_->symbol("Linkage"));
    if (imports_ == nullptr || linkage_ == nullptr)
        throw HostError("not a module: " + path_ + " exports no ImportTable and Linkage");
    if (imports_->panels.id != frame::kImportPanelServices || linkage_->id != frame::kLinkageId)
        throw HostError("not a module: " + path_ + " has records of another layout");
    imports_->panels.services = Host::services();
    if (linkage_->init != nullptr) linkage_->init();
    frame::GaugeHeader* const* table = frame::gauge_table_of(linkage_);
    for (int i = 0; table[i] != nullptr; ++i) {
        if (i == kMaxGauges) throw HostError("not a module: " + path_ + " has no end to its gauge table");
        gauges_.push_back(table[i]);
    }
}

frame::GaugeHeader* Module::find(const std::string& name) const {
    for (frame::GaugeHeader* g : gauges_)
        if (g->name != nullptr && name == g->name) return g;
    return nullptr;
}

const Bitmap& Module::bitmap(int id) {
    auto it = bitmaps_.find(id);
    if (it != bitmaps_.end()) return it->second;
    bool is_file = false;
    auto bytes = library_->bitmap(id, is_file);
    if (!bytes) throw HostError(path_ + ": bitmap " + std::to_string(id) + " is missing (" + library_->bitmap_origin(id) + ")");
    Bitmap bmp;
    BitmapFormat format;
    std::string error;
    bool ok = is_file ? decode_bmp_file(*bytes, bmp, format, error)
                      : decode_dib(bytes->data(), bytes->size(), bmp, format, error);
    if (!ok) throw HostError(path_ + ": bitmap " + std::to_string(id) + ": " + error);
    return bitmaps_.emplace(id, std::move(bmp)).first->second;
}

// -------------------------------------------------------------- Gauge

Gauge::Gauge(Host& host, Module& module, frame::GaugeHeader* header)
    : host_(host), module_(module), header_(header) {
    if (header_->elements == nullptr || header_->elements[0] == nullptr)
        throw HostError(std::string("gauge ") + header_->name + " has no element list");
    collect(root(), -1, 0);
    install_bitmaps();
}

void Gauge::collect(frame::Element* e, int parent, int depth) {
    if (static_cast<int>(states_.size()) >= kMaxElements)
        throw HostError(std::string("gauge ") + header_->name + " has too many elements");
    ElementState s;
    s.element = e;
    s.parent = parent;
    s.depth = depth;
    states_.push_back(s);
    int self = static_cast<int>(states_.size()) - 1;
    if (e->children == nullptr) return;
    for (int i = 0; e->children[i] != nullptr; ++i) collect(e->children[i], self, depth + 1);
}

void Gauge::install_bitmaps() {
    for (const ElementState& s : states_)
        for (int id : bitmaps_of(s.element)) module_.bitmap(id);
    const Bitmap& background = module_.bitmap(root()->bitmap);
    width_ = background.width;
    height_ = background.height;
}

void Gauge::update(double seconds) {
    for (ElementState& s : states_) update_element(s, seconds);
}

void Gauge::update_element(ElementState& s, double seconds) {
    frame::Element* e = s.element;
    const VariableStore& store = host_.variables_;

    // The failure acting on this element: its own first active record, or
    // what acts on its parent.
    s.effect = s.parent >= 0 ? states_[s.parent].effect : FailureEffect::kNone;
    if (e->failures != nullptr) {
        for (int i = 0; i < kMaxListEntries && e->failures[i].key != 0; ++i) {
            if (host_.failure_active(e->failures[i].key)) {
                s.effect = failure_effect(e->failures[i].action);
                break;
            }
        }
    }
    s.failed = s.effect != FailureEffect::kNone;
    if (s.effect == FailureEffect::kFreeze && s.drawn_once) return;
    bool zero = s.effect == FailureEffect::kZero;

    switch (e->kind) {
    case frame::kNeedle: {
        auto* n = frame::as_needle(e);
        s.value = axis_value(store, e, n->source, n->callback);
        if (zero) s.value = 0;
        bool tabled = n->table != nullptr && n->table_rows > 0;
        double target = s.value;
        s.angle = s.value;
        if (tabled) {
            target = table_position(n->table, n->table_rows, e->position, s.value);
            s.angle = angle_at_position(n->table, n->table_rows, target);
        }
        // The drawn place moves toward the target at the needle's rate.
        double step = n->rate_limit * kRateDegreesPerSecond * seconds;
        double& drawn = s.position;
        if (!s.drawn_once || n->rate_limit == 0 || !std::isfinite(drawn) || !std::isfinite(target) ||
            std::fabs(target - drawn) <= step)
            drawn = target;
        else
            drawn += target > drawn ? step : -step;
        s.drawn_angle = tabled ? n->table[0].angle + drawn : drawn;
        break;
    }
    case frame::kString: {
        auto* t = frame::as_string(e);
        for (auto& source : t->source) store.refresh(source);
        s.buffer.fill('\0');
        t->text = s.buffer.data();
        t->text_capacity = kTextBufferCapacity;
        s.value = t->callback != nullptr ? t->callback(e) : 0.0;
        s.buffer.back() = '\0';  // whatever the callback did, the text ends here
        s.text = s.buffer.data();
        s.highlight = 0;
        if (const frame::HighlightRecord* h = find_highlight(t->highlights, host_.highlight_)) {
            s.highlight = h->number;
            s.highlight_first = h->first;
            s.highlight_last = h->last;
        }
        break;
    }
    case frame::kSlider: {
        auto* sl = frame::as_slider(e);
        s.x = axis_value(store, e, sl->x.source, sl->x.callback);
        s.y = axis_value(store, e, sl->y.source, sl->y.callback);
        if (zero) s.x = s.y = 0;
        break;
    }
    case frame::kIcon: {
        auto* ic = frame::as_icon(e);
        s.value = axis_value(store, e, ic->source, ic->callback);
        s.index = frame::truncate_i32(zero ? 0.0 : s.value);
        break;
    }
    case frame::kMovingImage: {
        auto* m = frame::as_moving(e);
        s.x = axis_value(store, e, m->x.source, m->x.callback);
        s.y = axis_value(store, e, m->y.source, m->y.callback);
        if (zero) s.x = s.y = 0;
        break;
    }
    case frame::kSprite: {
        auto* sp = frame::as_sprite(e);
        s.x = axis_value(store, e, sp->x.source, sp->x.callback);
        s.y = axis_value(store, e, sp->y.source, sp->y.callback);
        s.rotation = axis_value(store, e, sp->rotation.source, sp->rotation.callback);
        if (zero) s.x = s.y = s.rotation = 0;
        break;
    }
    default:
        break;
    }
    s.hidden = (e->image_flags & frame::ImageFlags::kHidden) != 0;
    s.drawn_once = true;
}

MouseHit Gauge::hit(int x, int y) const { return match_mouse(header_->mouse_list, x, y); }

std::optional<std::int32_t> Gauge::click(int x, int y) {
    MouseHit h = hit(x, y);
    if (h.area == nullptr || (h.area->flags & frame::MouseFlags::kLeftClick) == 0) return std::nullopt;
    if (h.area->function != nullptr) return h.area->function(x, y);
    if (h.area->event != 0) host_.fire_event(h.area->event, kMouseEventValue);
    return std::nullopt;
}

void Gauge::call_gauge_callback(std::int32_t service, std::uint32_t extra) {
    if (header_->callback != nullptr) header_->callback(header_, service, extra);
}

// --------------------------------------------------------------- Host

Host::Host() {
    if (g_host != nullptr) throw HostError("only one host may run at a time");
    g_host = this;
}

Host::~Host() {
    gauges_.clear();
    for (auto& m : modules_)
        if (m->linkage()->deinit != nullptr) m->linkage()->deinit();
    modules_.clear();
    g_host = nullptr;
}

frame::HostServices* Host::services() { return &g_services; }

Module& Host::load(const std::string& path, const std::string& resources) {
    for (auto& m : modules_)
        if (m->path() == path) return *m;
    std::string error;
    auto library = open_library(path, resources, error);
    if (!library) throw HostError(error);
    modules_.push_back(std::make_unique<Module>(path, std::move(library)));
    return *modules_.back();
}

Gauge& Host::place(Module& module, const std::string& name) {
    frame::GaugeHeader* header = module.find(name);
    if (header == nullptr) throw HostError("no such gauge: " + name + " in " + module.path());
    gauges_.push_back(std::make_unique<Gauge>(*this, module, header));
    return *gauges_.back();
}

void Host::frame(double seconds) {
    lookups_ = 0;
    // A selection ends once its time has passed; the margin keeps a run of
    // equal frames that add up to it from missing by a rounding error.
    if (highlight_ != 0) {
        highlight_left_ -= seconds;
        if (highlight_left_ <= 1e-9) highlight_ = 0;
    }
    frame_seconds_ = seconds;
    for (auto& g : gauges_) g->update(seconds);
}

void Host::element_list_update(frame::Element* root) {
    // Instances of one gauge share a root; each gets its own walk.
    for (auto& g : gauges_)
        if (g->root() == root) g->update(frame_seconds_);
}

void Host::lookup_var(frame::SourceVariable* variable) {
    ++lookups_;
    if (variable != nullptr) variables_.refresh(*variable);
}

std::int32_t Host::toggle_window(std::uint32_t ident) {
    bool& open = windows_[ident];
    open = !open;
    return open ? kWindowOpened : kWindowClosed;
}

void Host::fire_event(std::uint32_t event, std::uint32_t value) {
    events_.emplace_back(event, value);
    apply_event(variables_, event);
    if (std::int32_t record = highlight_for_event(event); record != 0) {
        highlight_ = record;
        highlight_left_ = kHighlightSeconds;
    }
}

void Host::set_failure(std::uint32_t key, bool active) {
    if (active)
        failures_.insert(key);
    else
        failures_.erase(key);
}

}  // namespace host

// The frame every module carries: the exported records as loaded, the
// forwarding routines, the entry routine, and invariants over every record
// of every module.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "bitmap.h"
#include "calibration.h"
#include "modules.h"
#include "records.h"

namespace {

using testing_support::module_path;
using testing_support::modules;

struct Loaded {
    explicit Loaded(const std::string& name) : handle(dlopen(module_path(name).c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~Loaded() {
        if (handle) dlclose(handle);
    }
    template <class T>
    T* get(const char* symbol) {
        return static_cast<T*>(dlsym(handle, symbol));
    }
    void* handle;
};

std::vector<frame::GaugeHeader*> table_of(const frame::LinkageHead* head) {
    std::vector<frame::GaugeHeader*> out;
    for (auto* const* p = frame::gauge_table_of(head); *p != nullptr; ++p) out.push_back(*p);
    return out;
}

TEST(Frame, RecordsAsLoaded) {
    for (const auto& m : modules()) {
        SCOPED_TRACE(m.name);
        Loaded lib(m.name);
        ASSERT_NE(lib.handle, nullptr) << dlerror();
        auto* imports = lib.get<frame::ImportTableRecord>("ImportTable");
        auto* linkage = lib.get<frame::LinkageHead>("Linkage");
        ASSERT_NE(imports, nullptr);
        ASSERT_NE(linkage, nullptr);
        // The pointer is null in the data image and the second entry is all zero.
        EXPECT_EQ(imports->panels.id, 0x0Fu);
        EXPECT_EQ(imports->panels.services, nullptr);
        EXPECT_EQ(imports->end.id, 0u);
        EXPECT_EQ(imports->end.services, nullptr);

        EXPECT_EQ(linkage->id, 0x13u);
        EXPECT_NE(linkage->init, nullptr);
        EXPECT_NE(linkage->deinit, nullptr);
        EXPECT_EQ(linkage->reserved[0], 0u);
        EXPECT_EQ(linkage->reserved[1], 0u);
        EXPECT_EQ(linkage->version, 0x900u);
        std::vector<std::string> names;
        for (auto* g : table_of(linkage)) names.push_back(g->name);
        EXPECT_EQ(names, m.gauges);
        linkage->init();  // does nothing, and must not need the host
        linkage->deinit();
    }
}

struct Call {
    int slot;
    frame::Element* element;
    std::uint32_t arg;
    bool operator==(const Call&) const = default;
};
std::vector<Call> g_calls;

template <int Slot>
void FRAME_API record(frame::Element* e) { g_calls.push_back({Slot, e, 0}); }
template <int Slot>
void FRAME_API record_arg(frame::Element* e, std::uint32_t v) { g_calls.push_back({Slot, e, v}); }

TEST(Frame, ForwardingReachesEntryZerosTree) {
    frame::HostServices services{};
    services.element_list_query = record<24>;
    services.element_list_install = record_arg<25>;
    services.element_list_initialize = record<26>;
    services.element_list_update = record<27>;
    services.element_list_generate = record_arg<28>;
    services.element_list_plot = record<29>;
    services.element_list_kill = record<31>;
    for (const auto& m : modules()) {
        SCOPED_TRACE(m.name);
        Loaded lib(m.name);
        lib.get<frame::ImportTableRecord>("ImportTable")->panels.services = &services;
        auto gauges = table_of(lib.get<frame::LinkageHead>("Linkage"));
        frame::Element* root = gauges[0]->elements[0];
        for (auto* g : gauges) {
            SCOPED_TRACE(g->name);
            for (std::uint32_t arg : {0u, 1u, 0x80000001u, 0xdeadbeefu, 0xffffffffu}) {
                g_calls.clear();
                const frame::ForwardingRoutines& r = g->routines;
                r.query();
                r.install(arg);
                r.initialize();
                r.update();
                r.generate(arg);
                r.plot();
                r.kill();
                std::vector<Call> want = {{24, root, 0}, {25, root, arg}, {26, root, 0}, {27, root, 0},
                                          {28, root, arg}, {29, root, 0}, {31, root, 0}};
                EXPECT_EQ(g_calls, want);
            }
        }
    }
}

TEST(Frame, EntryRoutineAcceptsEveryReason) {
    for (const auto& m : modules()) {
        Loaded lib(m.name);
        using Entry = int(FRAME_API*)(void*, std::uint32_t, void*);
        auto entry = reinterpret_cast<Entry>(dlsym(lib.handle, "ModuleEntry"));
        ASSERT_NE(entry, nullptr);
        for (std::uint32_t reason = 0; reason <= 3; ++reason) EXPECT_EQ(entry(nullptr, reason, nullptr), 1);
    }
}

// ------------------------------------------------ invariants of the data

struct BitmapSize {
    int width, height;
};

std::map<int, BitmapSize> listed_bitmaps(const std::string& dir) {
    std::ifstream in(std::string(SOURCE_DIR) + "/" + dir + "/bitmaps.inc");
    std::map<int, BitmapSize> out;
    std::regex line(R"(^BITMAP\((\d+),\s*(\d+),\s*(\d+),)");
    for (std::string s; std::getline(in, s);) {
        std::smatch m;
        if (std::regex_search(s, m, line)) out[std::stoi(m[1])] = {std::stoi(m[2]), std::stoi(m[3])};
    }
    return out;
}

void walk(frame::Element* e, std::vector<frame::Element*>& out) {
    out.push_back(e);
    if (e->children)
        for (int i = 0; e->children[i]; ++i) walk(e->children[i], out);
}

void check_table(const frame::NeedleElement* n) {
    ASSERT_GE(n->table_rows, 2u);
    // Values strictly monotonic; points clockwise, less than one turn in all.
    bool rising = n->table[1].value > n->table[0].value;
    double turned = 0;
    for (std::uint32_t i = 0; i + 1 < n->table_rows; ++i) {
        const auto& a = n->table[i];
        const auto& b = n->table[i + 1];
        EXPECT_TRUE(rising ? b.value > a.value : b.value < a.value) << "row " << i + 1;
        double da = host::direction_deg(n->base.position, a.x, a.y);
        double db = host::direction_deg(n->base.position, b.x, b.y);
        double arc = std::fmod(db - da + 360.0, 360.0);
        EXPECT_GT(arc, 0.0) << "row " << i + 1;
        turned += arc;
    }
    EXPECT_LT(turned, 360.0);
}

void check_mouse_list(const frame::MouseArea* list) {
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list[0].kind, frame::kMouseParent);
    EXPECT_EQ(list[0].x | list[0].y | list[0].width | list[0].height, 0);
    int depth = 0, i = 0;
    for (; list[i].kind != frame::kMouseEnd; ++i) {
        const frame::MouseArea& a = list[i];
        SCOPED_TRACE("mouse record " + std::to_string(i + 1));
        EXPECT_EQ(a.reserved, 0u);
        switch (a.kind) {
        case frame::kMouseParent:
            ++depth;
            EXPECT_EQ(a.cursor, -1);
            EXPECT_EQ(a.flags, 0u);
            EXPECT_EQ(a.event, 0u);
            EXPECT_EQ(a.function, nullptr);
            break;
        case frame::kMouseChild:
            EXPECT_GE(depth, 1);
            EXPECT_EQ(a.help_id, 0u);
            EXPECT_NE(a.event != 0, a.function != nullptr) << "a child has exactly one action";
            EXPECT_TRUE(a.flags == 0x20000000u || a.flags == 0x20200000u);
            break;
        case frame::kMouseEndParent:
            --depth;
            EXPECT_GE(depth, 0);
            EXPECT_EQ(a.cursor, -1);
            break;
        default:
            ADD_FAILURE() << "kind " << a.kind;
        }
        ASSERT_LT(i, 200) << "no end of list";
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(list[i].cursor, -1);
}

TEST(Frame, EveryRecordKeepsTheModelsRules) {
    for (const auto& m : modules()) {
        SCOPED_TRACE(m.name);
        Loaded lib(m.name);
        auto listed = listed_bitmaps(m.dir);
        ASSERT_FALSE(listed.empty());
        std::set<int> used;
        for (auto* g : table_of(lib.get<frame::LinkageHead>("Linkage"))) {
            SCOPED_TRACE(g->name);
            EXPECT_EQ(g->version, 800u);
            ASSERT_NE(g->elements, nullptr);
            ASSERT_NE(g->elements[0], nullptr);
            EXPECT_EQ(g->elements[1], nullptr) << "one root";
            EXPECT_EQ(g->elements[0]->kind, frame::kStaticImage);
            std::vector<frame::Element*> all;
            walk(g->elements[0], all);
            std::set<frame::Element*> distinct(all.begin(), all.end());
            EXPECT_EQ(distinct.size(), all.size()) << "no element in two lists";
            for (frame::Element* e : all) {
                EXPECT_EQ(e->gauge, g);
                EXPECT_EQ(e->image_flags & 0x40000000u, 0u);
                EXPECT_EQ(e->flags2, 0u);
                std::vector<int> ids;
                switch (e->kind) {
                case frame::kStaticImage:
                case frame::kSlider:
                    ids = {e->bitmap};
                    break;
                case frame::kNeedle: {
                    ids = {e->bitmap};
                    auto* n = reinterpret_cast<frame::NeedleElement*>(e);
                    if (n->table) check_table(n);
                    break;
                }
                case frame::kString:
                    EXPECT_EQ(e->bitmap, -1);
                    break;
                case frame::kIcon: {
                    auto* ic = reinterpret_cast<frame::IconElement*>(e);
                    for (std::uint32_t k = 0; k < ic->icon_count; ++k) ids.push_back(e->bitmap + k);
                    break;
                }
                case frame::kMovingImage:
                case frame::kSprite:
                    ids = {e->bitmap, e->bitmap + 1};
                    break;
                default:
                    ADD_FAILURE() << "kind " << e->kind;
                }
                for (int id : ids) {
                    EXPECT_TRUE(listed.count(id)) << "bitmap " << id << " is not in the module's list";
                    used.insert(id);
                }
                if (e->failures) {
                    for (int i = 0; e->failures[i].key != 0; ++i) EXPECT_EQ(e->failures[i].reserved, 0u);
                }
            }
            check_mouse_list(g->mouse_list);
        }
        // Every listed bitmap is used, and the committed file has its size.
        for (auto& [id, size] : listed) {
            SCOPED_TRACE("bitmap " + std::to_string(id));
            EXPECT_TRUE(used.count(id)) << "listed but drawn by no element";
            std::ifstream in(std::string(RESOURCES_DIR) + "/" + m.dir + "/" + std::to_string(id) + ".bmp", std::ios::binary);
            std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
            host::Bitmap bmp;
            host::BitmapFormat format;
            std::string error;
            ASSERT_TRUE(host::decode_bmp_file(bytes, bmp, format, error)) << error;
            EXPECT_EQ(format.width, size.width);
            EXPECT_EQ(format.height, size.height) << "bottom-up, as listed";
        }
    }
}

}  // namespace

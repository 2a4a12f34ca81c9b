// artwork_test.cpp - the bitmaps as the host will read them: valid 8-bit
// files of their listed sizes whose pixels keep their meaning through the
// palette, committed files that match their drawing, and a Vsi dial whose
// marks lie where its needle's tip points.
//
//   artwork_test --root DIR --module-dir DIR
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bmp.h"
#include "module.h"
#include "render.h"
#include "scale.h"

namespace fs = std::filesystem;

namespace artwork {
namespace {

fs::path g_root = ".";
fs::path g_module_dir;

std::vector<std::unique_ptr<Module>> load_modules() {
    std::vector<std::unique_ptr<Module>> out;
    for (const char* dir : {"kestrum", "navrel", "chronel"})
        if (fs::exists(g_root / dir / "bitmaps.inc"))
            out.push_back(std::make_unique<Module>(g_root, dir, g_module_dir));
    return out;
}

const std::vector<std::unique_ptr<Module>>& modules() {
    static const auto loaded = load_modules();
    return loaded;
}

const Module& kestrum() {
    for (const auto& m : modules())
        if (m->dir() == "kestrum") return *m;
    throw std::runtime_error("kestrum not loaded");
}

const BitmapSpec& spec(const Module& m, int id) {
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == id) return b;
    throw std::runtime_error("bitmap " + std::to_string(id) + " not listed");
}

bool bright(Rgb c) {
    return c.r >= 160 && c.g >= 160 && c.b >= 160;
}

// ------------------------------------------------------------- scale

TEST(Scale, VsiNeedleStandsWhereTheDialSays) {
    const Scale s(kestrum().needle("Vsi", 257));
    struct Case {
        double value;
        double angle;  // 0 three o'clock, 90 six, 180 nine, 270 twelve
        double tolerance;
    };
    for (const Case& c : {Case{0, 180, 3}, Case{1000, 270, 15}, Case{-1000, 90, 15}, Case{2000, 360, 15},
                          Case{-2000, 0, 15}}) {
        const double off = std::abs(std::remainder(s.angle(c.value) - c.angle, 360.0));
        EXPECT_LE(off, c.tolerance) << "value " << c.value << " at " << s.angle(c.value);
    }
    // Each 100 ft/min turns the needle on clockwise, never back.
    double swept = 0;
    for (int v = -2000; v < 2000; v += 100) {
        const double step = clockwise_from(s.angle(v), s.angle(v + 100));
        EXPECT_GT(step, 0) << v;
        EXPECT_LT(step, 20) << v;
        swept += step;
    }
    EXPECT_LT(swept, 360);
}

TEST(Scale, InterpolatesOnTheClockwiseArcAcrossThreeOclock) {
    // A hand whose two rows stand half a degree apart at twelve o'clock,
    // the first just right of the second: one turn less half a degree.
    const frame::CalibrationPoint rows[] = {{156, 41, 0, 0}, {155, 41, 999, 0}};
    const Scale s({155, 156}, rows, 2);
    struct Case {
        double value;
        double angle;
    };
    for (const Case& c : {Case{999.0 / 4, 0}, Case{999.0 / 2, 90}, Case{999.0 * 3 / 4, 180}}) {
        const double off = std::abs(std::remainder(s.angle(c.value) - c.angle, 360.0));
        EXPECT_LE(off, 0.5) << "value " << c.value << " at " << s.angle(c.value);
    }
    EXPECT_THROW(s.angle(1000), std::out_of_range);
}

// ----------------------------------------------------------- bitmaps

TEST(Bitmaps, EveryListedBitmapKeepsItsMeaningThroughThePalette) {
    ASSERT_FALSE(modules().empty());
    for (const auto& m : modules()) {
        for (const BitmapSpec& b : m->bitmaps()) {
            SCOPED_TRACE(m->dir() + "/" + std::to_string(b.id));
            const Image image = draw_bitmap(*m, b);
            std::string why;
            const auto d = decode_bmp(encode_bmp(image), &why);
            ASSERT_TRUE(d) << why;
            ASSERT_EQ(d->width, b.width);
            ASSERT_EQ(d->height, b.height);
            int wrong = 0;
            for (int y = 0; y < b.height; ++y) {
                for (int x = 0; x < b.width; ++x) {
                    const Rgb got = d->at(x, y);
                    const Rgb want = image.colour[image.at(x, y)];
                    bool ok = false;
                    switch (image.ink[image.at(x, y)]) {
                        case Ink::blank:
                            ok = got == kNotDrawn;
                            break;
                        case Ink::window:
                            ok = got == kWindow;
                            break;
                        case Ink::drawn:
                            ok = got != kNotDrawn && got != kWindow && std::abs(got.r - want.r) <= 24 &&
                                 std::abs(got.g - want.g) <= 24 && std::abs(got.b - want.b) <= 24;
                    }
                    if (!ok && wrong++ < 5) ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
                }
            }
            EXPECT_EQ(wrong, 0);
        }
    }
}

TEST(Bitmaps, CommittedFilesMatchTheirDrawing) {
    for (const auto& m : modules()) {
        for (const BitmapSpec& b : m->bitmaps()) {
            const fs::path p = g_root / "resources" / m->dir() / (std::to_string(b.id) + ".bmp");
            std::ifstream in(p, std::ios::binary);
            const std::vector<std::uint8_t> committed{std::istreambuf_iterator<char>(in),
                                                      std::istreambuf_iterator<char>()};
            EXPECT_TRUE(committed == render_bitmap(*m, b)) << p << " is stale: run artwork";
        }
    }
}

// --------------------------------------------------------------- Vsi

TEST(Vsi, NeedleTipLandsOnTheMarks) {
    const Module& k = kestrum();
    const frame::NeedleElement& n = k.needle("Vsi", 257);
    std::string why;
    const auto needle = decode_bmp(encode_bmp(draw_bitmap(k, spec(k, 257))), &why);
    const auto face = decode_bmp(encode_bmp(draw_bitmap(k, spec(k, 256))), &why);
    ASSERT_TRUE(needle && face) << why;

    // The pointer is solid along its axis from the tail to the tip: no
    // pixel there lets the dial show through.
    const int py = n.base.offset.y;
    int tip = n.base.offset.x;
    while (tip + 1 < needle->width && needle->at(tip + 1, py) != kNotDrawn) ++tip;
    EXPECT_GE(tip, needle->width - 3) << "pointer stops short of its bitmap";
    for (int x = n.base.offset.x - 20; x <= tip; ++x)
        EXPECT_NE(needle->at(x, py), kNotDrawn) << "gap in the pointer at x " << x;
    // Beyond the hub it is white up to its point.
    for (int x = n.base.offset.x + needle->height / 2; x <= tip - 4; ++x)
        EXPECT_TRUE(bright(needle->at(x, py))) << "pointer not white at x " << x;

    // Turned to each value, the tip sits on a long mark at every 500 and
    // on the dark face halfway between marks.
    const Scale s(n);
    const double reach = tip + 0.5 - (n.base.offset.x + 0.5) - 2;
    auto dial_at = [&](double value) {
        const Vec p = polar(s.pivot(), reach, s.angle(value));
        return face->at(int(p.x), int(p.y));
    };
    for (int v = -2000; v <= 2000; v += 500) EXPECT_TRUE(bright(dial_at(v))) << v;
    for (int v = -1950; v <= 1950; v += 100) EXPECT_FALSE(bright(dial_at(v))) << v;

    // Outside the round case nothing is drawn.
    for (auto [x, y] :
         {std::pair{0, 0}, {face->width - 1, 0}, {0, face->height - 1}, {face->width - 1, face->height - 1}})
        EXPECT_EQ(face->at(x, y), kNotDrawn);
}

}  // namespace
}  // namespace artwork

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--root") == 0)
            artwork::g_root = argv[++i];
        else if (std::strcmp(argv[i], "--module-dir") == 0)
            artwork::g_module_dir = argv[++i];
    }
    if (artwork::g_module_dir.empty()) artwork::g_module_dir = artwork::g_root / "build/native/gauges";
    return RUN_ALL_TESTS();
}

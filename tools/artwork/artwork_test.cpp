// artwork_test.cpp - the bitmaps as the host will read them: valid 8-bit
// files of their listed sizes whose pixels keep their meaning through the
// palette, committed files that match their drawing, and a Vsi dial whose
// marks lie where its needle's tip points.
//
//   artwork_test --root DIR --module-dir DIR
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
#include "test_main.h"
#include "scale.h"

namespace fs = std::filesystem;

namespace artwork {
namespace {


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

// ------------------------------------------------------ Asi, Rpm, Man

// The bitmap as the host will read it.
DecodedBmp drawn(const Module& m, int id) {
    std::string why;
    auto d = decode_bmp(encode_bmp(draw_bitmap(m, spec(m, id))), &why);
    if (!d) throw std::runtime_error(why);
    return *d;
}

// A needle turned to each value of `on` puts its tip on a bright mark of
// the dial, and to each value of `off` on the dark face between marks.
void expect_tip_on_marks(const char* gauge, int needle_id, int nth, int dial_id, const std::vector<double>& on,
                         const std::vector<double>& off) {
    SCOPED_TRACE(std::string(gauge) + " needle " + std::to_string(nth));
    const Module& k = kestrum();
    const frame::NeedleElement& n = k.needle(gauge, needle_id, nth);
    const DecodedBmp needle = drawn(k, needle_id), face = drawn(k, dial_id);
    const int py = n.base.offset.y;
    int tip = n.base.offset.x;
    while (tip + 1 < needle.width && needle.at(tip + 1, py) != kNotDrawn) ++tip;
    EXPECT_GE(tip, needle.width - 3) << "pointer stops short of its bitmap";
    for (int x = n.base.offset.x + 12; x <= tip - 4; ++x)
        EXPECT_TRUE(bright(needle.at(x, py))) << "pointer not white at x " << x;
    const Scale s(n);
    const double reach = tip + 0.5 - (n.base.offset.x + 0.5) - 2;
    auto dial_at = [&](double value) {
        const Vec p = polar(s.pivot(), reach, s.angle(value));
        return face.at(int(p.x), int(p.y));
    };
    for (double v : on) EXPECT_TRUE(bright(dial_at(v))) << "no mark at " << v;
    for (double v : off) EXPECT_FALSE(bright(dial_at(v))) << "a mark at " << v;
}

std::vector<double> steps(double from, double to, double step) {
    std::vector<double> out;
    for (long i = 0; i <= std::lround((to - from) / step); ++i) out.push_back(from + i * step);
    return out;
}

TEST(Asi, NeedleTipLandsOnTheMarks) {
    expect_tip_on_marks("Asi", 273, 0, 272, steps(40, 200, 10), steps(45, 195, 10));
    // The disc the pointer turns with is drawn and dark; beyond it, behind
    // the pivot, nothing is.
    const DecodedBmp needle = drawn(kestrum(), 273);
    const Rgb disc = needle.at(12, 54);
    EXPECT_NE(disc, kNotDrawn);
    EXPECT_LT(disc.r + disc.g + disc.b, 3 * 80);
    EXPECT_EQ(needle.at(0, 0), kNotDrawn);
    EXPECT_EQ(needle.at(110, 5), kNotDrawn);
}

TEST(Rpm, NeedleTipLandsOnTheMarks) {
    expect_tip_on_marks("Rpm", 289, 0, 288, steps(0, 3500, 500), steps(250, 3250, 500));
}

TEST(Man, BothNeedleTipsLandOnTheirMarks) {
    expect_tip_on_marks("Man", 293, 0, 292, steps(40, 240, 40), steps(60, 220, 40));
    expect_tip_on_marks("Man", 293, 1, 292, steps(10, 35, 5), steps(12.5, 32.5, 5));
}

// The ink rows of each digit of a drum strip: the rows in the digit's cell
// holding pixels of the digit's colour.
struct InkRows {
    int top, bottom;
};

std::vector<InkRows> digit_rows(const DecodedBmp& strip, bool light_digits) {
    std::vector<InkRows> out;
    for (int k = 0; k < 10; ++k) {
        InkRows r{-1, -1};
        for (int y = int(std::floor(22.7 * k)); y < std::min(strip.height, int(std::ceil(22.7 * (k + 1)))); ++y)
            for (int x = 0; x < strip.width; ++x) {
                const Rgb c = strip.at(x, y);
                const int sum = c.r + c.g + c.b;
                if (light_digits ? sum > 3 * 128 : sum < 3 * 128) {
                    if (r.top < 0) r.top = y;
                    r.bottom = y;
                }
            }
        out.push_back(r);
    }
    return out;
}

TEST(Rpm, DrumDigitsStand22Point7PixelsApart) {
    const Module& k = kestrum();
    for (auto [id, light] : {std::pair{354, true}, {357, false}}) {
        SCOPED_TRACE(id);
        const DecodedBmp strip = drawn(k, id);
        ASSERT_EQ(strip.height, 227);
        // No pixel is left undrawn: the drum is solid behind its digits.
        for (int y = 0; y < strip.height; ++y)
            for (int x = 0; x < strip.width; ++x) ASSERT_NE(strip.at(x, y), kNotDrawn) << x << "," << y;
        const auto rows = digit_rows(strip, light);
        for (int d = 0; d < 10; ++d) {
            ASSERT_GE(rows[d].top, 0) << "digit " << d << " is missing";
            const double centre = (rows[d].top + rows[d].bottom + 1) / 2.0;
            EXPECT_NEAR(centre, 22.7 * (d + 0.5), 0.75) << "digit " << d;
            EXPECT_GE(rows[d].bottom - rows[d].top + 1, 11) << "digit " << d << " is too small to read";
        }
    }
}

TEST(Rpm, EachDrumShowsItsWholeDigitInItsWindow) {
    const Module& k = kestrum();
    for (const frame::Element* e : k.elements("Rpm")) {
        if (e->kind != frame::kMovingImage) continue;
        const auto* drum = reinterpret_cast<const frame::MovingImageElement*>(e);
        SCOPED_TRACE(e->bitmap);
        const DecodedBmp strip = drawn(k, e->bitmap), window = drawn(k, e->bitmap + 1);
        // The window shows the strip in all its width over its inner rows.
        int first = -1, last = -1;
        for (int y = 0; y < window.height; ++y) {
            bool all = true;
            for (int x = 0; x < window.width; ++x) all = all && window.at(x, y) == kWindow;
            if (all && first < 0) first = y;
            if (all) last = y;
        }
        ASSERT_GE(first, 0);
        EXPECT_GE(last - first + 1, window.height - 2);
        // Strips 0 to 9 over the drum's range: the host shows the strip's
        // top at the minimum and its bottom at the maximum, linearly.
        const auto rows = digit_rows(strip, e->bitmap == 354);
        for (int d = 0; d < 10; ++d) {
            const double value = drum->y.minimum + (drum->y.maximum - drum->y.minimum) * d / 9.0;
            const double offset = (value - drum->y.minimum) / (drum->y.maximum - drum->y.minimum) *
                                  (strip.height - window.height);
            EXPECT_GE(rows[d].top - offset, first) << "digit " << d << " cut at the top";
            EXPECT_LE(rows[d].bottom - offset, last) << "digit " << d << " cut at the bottom";
        }
    }
}

// ------------------------------------------------------------- Navrel

const Module& navrel() {
    for (const auto& m : modules())
        if (m->dir() == "navrel") return *m;
    throw std::runtime_error("navrel not loaded");
}

// A Navrel bitmap as the host will read it.
DecodedBmp navrel_bitmap(int id) {
    std::string why;
    const auto d = decode_bmp(encode_bmp(draw_bitmap(navrel(), spec(navrel(), id))), &why);
    if (!d) throw std::runtime_error(why);
    return *d;
}

template <class Kind>
const Kind& first_of(const char* gauge, std::uint32_t kind) {
    for (const frame::Element* e : navrel().elements(gauge))
        if (e->kind == kind) return *reinterpret_cast<const Kind*>(e);
    throw std::runtime_error(std::string(gauge) + " has no element of kind " + std::to_string(kind));
}

bool red(Rgb c) { return c.r >= 150 && c.g < 90 && c.b < 90; }

// The card shows through a ring of the mask all round, except behind the
// readout; inside the ring the plate carries the dots at their pixels.
TEST(Vor, MaskShowsTheCardRingAndTheDots) {
    struct Case {
        const char* gauge;
        bool glideslope;
    };
    for (const Case& c : {Case{"Vor1", true}, Case{"Vor2", false}}) {
        SCOPED_TRACE(c.gauge);
        const auto& card = first_of<frame::SpriteElement>(c.gauge, frame::kSprite);
        const auto& readout = first_of<frame::StringElement>(c.gauge, frame::kString);
        const DecodedBmp mask = navrel_bitmap(card.base.bitmap + 1);
        const Vec centre{double(card.base.offset.x), double(card.base.offset.y)};
        const frame::Point r = readout.base.position;
        for (double a = 0; a < 360; a += 3) {
            for (double radius : {95.0, 105.0, 115.0}) {
                const Vec p = polar(centre, radius, a);
                const bool behind_readout = p.x > r.x - 6 && p.x < r.x + readout.box_width + 6 &&
                                            p.y > r.y - 6 && p.y < r.y + readout.box_height + 6;
                if (!behind_readout) {
                    EXPECT_EQ(mask.at(int(p.x), int(p.y)), kWindow) << "radius " << radius << " at " << a;
                }
            }
            const Vec plate = polar(centre, 80, a);
            EXPECT_NE(mask.at(int(plate.x), int(plate.y)), kWindow) << "plate at " << a;
            const Vec outside = polar(centre, 132, a);
            EXPECT_EQ(mask.at(int(outside.x), int(outside.y)), kNotDrawn) << "bezel at " << a;
        }
        for (int x : {95, 105, 115, 126, 173, 184, 194, 204}) EXPECT_TRUE(bright(mask.at(x, 155))) << x;
        for (int x : {100, 110, 120, 179, 189, 199}) EXPECT_FALSE(bright(mask.at(x, 155))) << "between " << x;
        for (int y : {99, 110, 120, 130, 179, 189, 200, 210})
            EXPECT_EQ(bright(mask.at(150, y)), c.glideslope) << "glideslope dot " << y;
    }
}

// Every 5 degrees a mark at the rim, a dark gap between, and lettering
// every 30 degrees clockwise from N at the top.
TEST(Vor, CardIsGraduatedAndLettered) {
    for (int id : {265, 360}) {
        SCOPED_TRACE(id);
        const DecodedBmp card = navrel_bitmap(id);
        const Vec c{card.width / 2.0, card.height / 2.0};
        for (int k = 0; k < 72; ++k) {
            const Vec mark = polar(c, 118, 270 + 5 * k), gap = polar(c, 118, 272.5 + 5 * k);
            EXPECT_TRUE(bright(card.at(int(mark.x), int(mark.y)))) << "mark at " << 5 * k;
            EXPECT_FALSE(bright(card.at(int(gap.x), int(gap.y)))) << "gap after " << 5 * k;
        }
        for (int k = 0; k < 12; ++k) {
            int lit = 0;
            for (double dr = -6; dr <= 6; dr += 1)
                for (double da = -4; da <= 4; da += 1) {
                    const Vec p = polar(c, 98 + dr, 270 + 30 * k + da);
                    lit += bright(card.at(int(p.x), int(p.y)));
                }
            EXPECT_GT(lit, 6) << "no lettering at " << 30 * k;
        }
        EXPECT_EQ(card.at(0, 0), kNotDrawn);
    }
}

// The needle bar covers the pivot row of every needle that draws it.
TEST(Vor, NeedleBarsRunThroughTheirPivotRows) {
    struct Case {
        const char* gauge;
        int bitmap, nth;
    };
    for (const Case& c : {Case{"Vor1", 257, 0}, Case{"Vor1", 257, 1}, Case{"Vor2", 354, 0}}) {
        const frame::NeedleElement& n = navrel().needle(c.gauge, c.bitmap, c.nth);
        const DecodedBmp bar = navrel_bitmap(c.bitmap);
        for (int x = 0; x < bar.width; ++x)
            EXPECT_TRUE(bright(bar.at(x, n.base.offset.y))) << c.gauge << " " << c.nth << " x " << x;
        EXPECT_EQ(bar.at(0, 0), kNotDrawn);
    }
}

TEST(Vor, FlagPictures) {
    for (int first : {259, 356}) {
        const DecodedBmp to = navrel_bitmap(first), from = navrel_bitmap(first + 1), nav = navrel_bitmap(first + 2);
        EXPECT_TRUE(bright(to.at(2, 2)));
        EXPECT_FALSE(bright(to.at(2, to.height - 3)));
        EXPECT_FALSE(bright(from.at(2, 2)));
        EXPECT_TRUE(bright(from.at(2, from.height - 3)));
        EXPECT_TRUE(red(nav.at(1, 1)));
    }
    const DecodedBmp out = navrel_bitmap(263), gs = navrel_bitmap(264);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) EXPECT_EQ(out.at(x, y), kNotDrawn) << x << "," << y;
    EXPECT_TRUE(red(gs.at(1, 1)));
}

// The flag in view is receiver 1's at the top in 370, receiver 2's at the
// bottom in 371; the lever points down in 373 (off), up in 374 (on).
TEST(Dme, ChannelFlagsAndSwitchLever) {
    const DecodedBmp one = navrel_bitmap(370), two = navrel_bitmap(371);
    EXPECT_TRUE(bright(one.at(6, 8)));
    EXPECT_FALSE(bright(one.at(6, one.height - 9)));
    EXPECT_FALSE(bright(two.at(6, 8)));
    EXPECT_TRUE(bright(two.at(6, two.height - 9)));
    for (auto [id, up] : {std::pair{373, false}, {374, true}}) {
        const DecodedBmp sw = navrel_bitmap(id);
        const int x = sw.width / 2, mid = sw.height / 2;
        EXPECT_EQ(bright(sw.at(x, mid - 22)), up) << id;
        EXPECT_EQ(bright(sw.at(x, mid + 22)), !up) << id;
    }
}

// Each line glows on the dark display window, with the face's panel round
// it.
TEST(Dme, LinesSitOnTheDisplayWindow) {
    const DecodedBmp face = navrel_bitmap(368);
    for (const frame::Element* e : navrel().elements("DME")) {
        if (e->kind != frame::kString) continue;
        const auto* s = reinterpret_cast<const frame::StringElement*>(e);
        for (int y = e->position.y - 4; y < e->position.y + s->box_height + 4; y += 4)
            for (int x = e->position.x - 4; x < e->position.x + s->box_width + 4; x += 4) {
                const Rgb p = face.at(x, y);
                EXPECT_LT(p.r + p.g + p.b, 3 * 20) << x << "," << y;
            }
        const Rgb left = face.at(e->position.x - 20, e->position.y + 2);
        EXPECT_GT(left.r + left.g + left.b, 3 * 40) << "panel left of the window";
    }
}


// ------------------------------------------------ altimeters, Turn, hsi

template <class Kind>
const Kind& kestrum_first(const char* gauge, std::uint32_t kind) {
    for (const frame::Element* e : kestrum().elements(gauge))
        if (e->kind == kind) return *reinterpret_cast<const Kind*>(e);
    throw std::runtime_error(std::string(gauge) + " has no element of kind " + std::to_string(kind));
}

TEST(Altimeter, HundredsTipLandsOnTheMarksOfBothDials) {
    for (int dial : {304, 312}) {
        SCOPED_TRACE(dial);
        expect_tip_on_marks(dial == 304 ? "Altimetro" : "Altimetro2", 307, 0, dial, steps(0, 900, 100),
                            steps(10, 990, 20));
    }
    expect_tip_on_marks("Altimetro", 306, 0, 304, {}, {});
}

// 312 is 304 but for the upper right screw's square, which it leaves
// undrawn; 304 has the screw there and nothing of the case.
TEST(Altimeter, SecondDialLacksOnlyTheUpperRightScrew) {
    const Image one = draw_bitmap(kestrum(), spec(kestrum(), 304));
    const Image two = draw_bitmap(kestrum(), spec(kestrum(), 312));
    const DecodedBmp file = drawn(kestrum(), 312);
    int screw = 0;
    for (int y = 0; y < one.height; ++y)
        for (int x = 0; x < one.width; ++x) {
            const std::size_t i = one.at(x, y);
            const bool square = x >= 259 && x <= 283 && y >= 22 && y <= 46;
            if (!square) {
                ASSERT_TRUE(one.ink[i] == two.ink[i] && one.colour[i] == two.colour[i]) << x << "," << y;
                continue;
            }
            EXPECT_EQ(two.ink[i], Ink::blank) << x << "," << y;
            EXPECT_EQ(file.at(x, y), kNotDrawn) << x << "," << y;
            screw += one.ink[i] == Ink::drawn;
            if (x == 259 || x == 283 || y == 22 || y == 46) {
                EXPECT_EQ(one.ink[i], Ink::blank) << x << "," << y;
            }
        }
    EXPECT_GT(screw, 200);
}

// One degree of arc per 0.01 inHg from 28.1 at three o'clock: a long mark
// at every tenth up to 31.5, none in the 20 degrees from there to 28.1.
TEST(Altimeter, SettingCardMarksEveryTenthOfAnInch) {
    const DecodedBmp card = drawn(kestrum(), 309);
    const Vec c{card.width / 2.0, card.height / 2.0};
    auto at = [&](double radius, double angle) {
        const Vec p = polar(c, radius, angle);
        return card.at(int(p.x), int(p.y));
    };
    for (int k = 0; k <= 340; k += 10) {
        EXPECT_TRUE(bright(at(93, k))) << "no long mark for " << 28.1 + k / 100.0;
        EXPECT_FALSE(bright(at(93, k + 5))) << "a long mark between figures at " << k + 5;
    }
    for (int a = 341; a < 359; ++a) EXPECT_FALSE(bright(at(97, a + 0.5))) << "a mark in the gap at " << a + 0.5;
    EXPECT_FALSE(bright(at(97, 1))) << "between two marks";
    EXPECT_TRUE(bright(at(97, 2))) << "a mark every 0.02";
}

// The window shows the card except at its frame; its index points at the
// card's three o'clock line, on which the setting stands.
TEST(Altimeter, WindowIndexOnTheCardsThreeOclockLine) {
    const DecodedBmp mask = drawn(kestrum(), 310);
    const auto& card = kestrum_first<frame::SpriteElement>("Altimetro", frame::kSprite);
    const int index = card.base.offset.y - card.base.position.y;
    EXPECT_EQ(mask.at(mask.width / 2, mask.height / 2), kWindow);
    EXPECT_EQ(mask.at(3, 3), kWindow);
    EXPECT_NE(mask.at(0, mask.height / 2), kWindow);
    const Rgb mark = mask.at(mask.width - 3, index);
    EXPECT_TRUE(mark.r > 180 && mark.b < 100) << "orange index at row " << index;
    EXPECT_EQ(mask.at(mask.width - 3, index - 8), kWindow);
}

TEST(Turn, WingTipsPointAtTheLevelAndTurnMarks) {
    const Module& k = kestrum();
    const frame::NeedleElement& n = k.needle("Turn", 341);
    const DecodedBmp symbol = drawn(k, 341), dial = drawn(k, 337);
    const int py = n.base.offset.y;
    // The wings are solid from tip to tip; the fuselage's cap is grey.
    for (int x = 0; x < symbol.width; ++x)
        if (std::abs(x - n.base.offset.x) > 4) {
            EXPECT_TRUE(bright(symbol.at(x, py))) << "wing gap at " << x;
        }
    const Scale s(n);
    const double reach = symbol.width - (n.base.offset.x + 0.5);
    auto dial_at = [&](double radius, double angle) {
        const Vec p = polar(s.pivot(), radius, angle);
        return dial.at(int(p.x), int(p.y));
    };
    for (double a : {s.angle(0), s.angle(0) + 180, s.angle(546), s.angle(-546) + 180})
        EXPECT_TRUE(bright(dial_at(reach + 12, a))) << a;
    for (double a : {s.angle(273), s.angle(-273) + 180, s.angle(-546), s.angle(546) + 180})
        EXPECT_FALSE(bright(dial_at(reach + 12, a))) << a;
}

// The ball rests on the tube's lowest point and, moved sideways by the
// slider, stays on the tube's centre line.
TEST(Turn, BallRidesTheTube) {
    const Module& k = kestrum();
    const auto& ball = kestrum_first<frame::SliderElement>("Turn", frame::kSlider);
    const DecodedBmp b = drawn(k, 338), dial = drawn(k, 337);
    int left = b.width, right = -1, top = b.height, bottom = -1;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            if (b.at(x, y) != kNotDrawn) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    const double cx = ball.base.position.x + (left + right + 1) / 2.0;
    const double cy = ball.base.position.y + (top + bottom + 1) / 2.0;
    EXPECT_NEAR(cx, k.needle("Turn", 341).base.position.x + 0.5, 1) << "under the fuselage";
    for (double units : {-112.0, -64.0, 0.0, 64.0, 112.0}) {
        const double x = cx + units * ball.x.scale, y = cy - std::abs(units * 0.0625) * ball.y.scale;
        EXPECT_TRUE(bright(dial.at(int(x), int(y)))) << "tube under the ball at " << units;
        EXPECT_TRUE(bright(dial.at(int(x), int(y - 9)))) << units;
        EXPECT_TRUE(bright(dial.at(int(x), int(y + 9)))) << units;
    }
}

TEST(Turn, FlagWindowEmptyAndOff) {
    const DecodedBmp empty = drawn(kestrum(), 339), off = drawn(kestrum(), 340);
    EXPECT_FALSE(red(empty.at(empty.width / 2, 6)));
    EXPECT_TRUE(red(off.at(4, 6)));
    EXPECT_NE(empty.at(empty.width / 2, empty.height / 2), kNotDrawn);
}

// The glideslope pointer's tip rests on the scale's centre bar; the course
// pointer carries its dots 26 and 51 pixels either side of its centre.
TEST(Hsi, GlideslopeTipOnTheCentreBarAndDeviationDots) {
    const Module& k = kestrum();
    const auto& gs = kestrum_first<frame::SliderElement>("hsi", frame::kSlider);
    const DecodedBmp pointer = drawn(k, 375), face = drawn(k, 368);
    // The tip: the middle of the drawn rows of the rightmost drawn column.
    int tip_row = -1;
    for (int x = pointer.width - 1; x >= 0 && tip_row < 0; --x) {
        int first = -1, last = -1;
        for (int y = 0; y < pointer.height; ++y)
            if (pointer.at(x, y) != kNotDrawn) {
                if (first < 0) first = y;
                last = y;
            }
        if (first >= 0) tip_row = (first + last) / 2;
    }
    ASSERT_GE(tip_row, 0);
    EXPECT_GE(gs.base.position.y + tip_row, 178);
    EXPECT_LE(gs.base.position.y + tip_row, 181);
    for (int y = 178; y <= 181; ++y) EXPECT_TRUE(bright(face.at(gs.base.position.x + 7, y))) << y;
    for (int d : {-50, -25, 25, 50}) {
        EXPECT_TRUE(bright(face.at(gs.base.position.x + 7, 180 + d + 3))) << d;
        EXPECT_FALSE(bright(face.at(gs.base.position.x + 7, 180 + d + 12))) << d;
    }
    const frame::NeedleElement& course = k.needle("hsi", 376);
    const DecodedBmp p = drawn(k, 376);
    for (int d : {-51, -26, 26, 51}) {
        EXPECT_TRUE(bright(p.at(course.base.offset.x + d + 3, course.base.offset.y))) << d;
        EXPECT_FALSE(bright(p.at(course.base.offset.x + d + 13, course.base.offset.y))) << d;
    }
}

// N up on the card at angle 0, and the deviation bar's window is the disc
// the course pointer carries, centred on the card.
TEST(Hsi, CardAndBarWindow) {
    const Module& k = kestrum();
    const DecodedBmp card = drawn(k, 377), mask = drawn(k, 386), bar = drawn(k, 385);
    const frame::NeedleElement& n = k.needle("hsi", 377);
    int top_ink = 0, bottom_ink = 0;
    for (int y = 20; y < 45; ++y)
        for (int x = n.base.offset.x - 12; x <= n.base.offset.x + 12; ++x) {
            top_ink += bright(card.at(x, y));
            bottom_ink += bright(card.at(x, card.height - 1 - y));
        }
    EXPECT_GT(top_ink, 40) << "N at the top";
    EXPECT_GT(bottom_ink, 40) << "S at the bottom";
    const auto& sprite = kestrum_first<frame::SpriteElement>("hsi", frame::kSprite);
    const int cx = sprite.base.offset.x - sprite.base.position.x, cy = sprite.base.offset.y - sprite.base.position.y;
    EXPECT_EQ(mask.at(cx + 40, cy + 40), kWindow);
    EXPECT_NE(mask.at(cx, cy), kWindow) << "the airplane symbol over the bar";
    EXPECT_EQ(mask.at(cx + 60, cy + 60), kNotDrawn);
    EXPECT_NE(bar.at(bar.width / 2, bar.height / 2), kNotDrawn);
    EXPECT_EQ(bar.at(bar.width / 2 + 10, bar.height / 2), kNotDrawn);
}

}  // namespace
}  // namespace artwork

// chronel_test.cpp - Chronel's bitmaps read back as the host reads them: a
// compass card lettered where the card turns it to, a round window that
// shows exactly the card, a needle solid from tail to tip, an overlay that
// leaves the needle's sweep clear, and a clock face whose liquid crystal
// lies behind both readouts and whose button sits under its mouse area.
//
//   chronel_artwork_test --root DIR --module-dir DIR
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "bmp.h"
#include "geometry.h"
#include "module.h"
#include "render.h"
#include "test_main.h"

namespace fs = std::filesystem;

namespace artwork {
namespace {


const Module& chronel() {
    static const auto m = std::make_unique<Module>(g_root, "chronel", g_module_dir);
    return *m;
}

DecodedBmp bitmap(int id) {
    for (const BitmapSpec& b : chronel().bitmaps()) {
        if (b.id != id) continue;
        std::string why;
        auto d = decode_bmp(render_bitmap(chronel(), b), &why);
        if (!d) throw std::runtime_error(why);
        return *d;
    }
    throw std::runtime_error("bitmap " + std::to_string(id) + " not listed");
}

template <class Kind>
const Kind& element(const char* gauge, frame::ElementKind kind, int nth = 0) {
    for (const frame::Element* e : chronel().elements(gauge))
        if (e->kind == kind && nth-- == 0) return *reinterpret_cast<const Kind*>(e);
    throw std::runtime_error("no such element");
}

bool bright(Rgb c) { return c.r >= 160 && c.g >= 160 && c.b >= 160; }
bool yellow(Rgb c) { return c.r >= 180 && c.g >= 140 && c.b <= 90; }
bool drawn(Rgb c) { return c != kNotDrawn; }

template <class Test>
int count(const DecodedBmp& b, Vec centre, double half, Test test) {
    int n = 0;
    for (int y = int(centre.y - half); y <= int(centre.y + half); ++y)
        for (int x = int(centre.x - half); x <= int(centre.x + half); ++x)
            if (x >= 0 && y >= 0 && x < b.width && y < b.height) n += test(b.at(x, y));
    return n;
}

// ---------------------------------------------------------------- Adf

TEST(AdfArtwork, CardIsLetteredClockwiseFromNorthAtTheTop) {
    const DecodedBmp card = bitmap(308);
    const Vec c{card.width / 2.0, card.height / 2.0};
    const double r = card.width / 2.0;
    // The cardinal letters in yellow at 0, 90, 180, 270 degrees of bearing
    // (north up, east right); the numbers between them in white.
    for (int bearing = 0; bearing < 360; bearing += 30) {
        const Vec at = polar(c, r - 36, bearing - 90.0);
        if (bearing % 90 == 0) {
            EXPECT_GT(count(card, at, 9, yellow), 25) << bearing;
        } else {
            EXPECT_GT(count(card, at, 9, bright), 25) << bearing;
            EXPECT_EQ(count(card, at, 9, yellow), 0) << bearing;
        }
    }
    // A mark every 5 degrees at the rim, the card's face between them.
    for (int b = 0; b < 360; b += 5) {
        const Vec on = polar(c, r - 5, b - 90.0), between = polar(c, r - 5, b + 2.5 - 90.0);
        EXPECT_GT(count(card, on, 1, bright), 0) << b;
        EXPECT_EQ(count(card, between, 1, bright), 0) << b + 2.5;
    }
    EXPECT_EQ(card.at(0, 0), kNotDrawn) << "the corners are not card";
}

TEST(AdfArtwork, MaskShowsTheWholeCardAndNothingElse) {
    const frame::SpriteElement& sprite = element<frame::SpriteElement>("Adf", frame::kSprite);
    const DecodedBmp mask = bitmap(sprite.base.bitmap + 1);
    const DecodedBmp card = bitmap(sprite.base.bitmap);
    const double radius = card.width / 2.0 * sprite.texture_scale_x;
    const Vec centre{double(sprite.base.offset.x - sprite.base.position.x),
                     double(sprite.base.offset.y - sprite.base.position.y)};
    int wrong = 0;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const double d = std::hypot(x + 0.5 - centre.x, y + 0.5 - centre.y);
            const Rgb p = mask.at(x, y);
            if (d < radius - 2.5 && p != kWindow) ++wrong;
            if (d > radius && p != kNotDrawn) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0) << "window within the card's radius, nothing drawn beyond it";
}

TEST(AdfArtwork, NeedleIsSolidFromTailToTip) {
    const frame::NeedleElement& n = element<frame::NeedleElement>("Adf", frame::kNeedle);
    const DecodedBmp needle = bitmap(n.base.bitmap);
    const int y = n.base.offset.y;
    // From the notch of the forked tail to the arrowhead's point.
    for (int x = 9; x < needle.width - 3; ++x) EXPECT_TRUE(yellow(needle.at(x, y))) << "gap at x " << x;
    EXPECT_FALSE(drawn(needle.at(2, y))) << "the tail's notch";
    // Beside the shaft the card shows.
    EXPECT_EQ(needle.at(n.base.offset.x + 40, 0), kNotDrawn);
    EXPECT_EQ(needle.at(n.base.offset.x - 40, needle.height - 1), kNotDrawn);
}

TEST(AdfArtwork, OverlayLeavesTheNeedlesSweepClear) {
    const frame::NeedleElement& n = element<frame::NeedleElement>("Adf", frame::kNeedle);
    const DecodedBmp overlay = bitmap(305);
    const Vec pivot{double(n.base.position.x), double(n.base.position.y)};
    // The lubber mark above the card's top, the aircraft over the pivot.
    EXPECT_GT(count(overlay, polar(pivot, 110, 270), 3, drawn), 10);
    EXPECT_GT(count(overlay, pivot, 3, drawn), 40);
    // Between the aircraft and the rim, away from the fixed marks, the
    // needle shows through.
    for (int bearing = 10; bearing < 360; bearing += 20) {
        if (bearing % 45 == 0) continue;
        for (double r = 40; r <= 115; r += 1)
            EXPECT_FALSE(drawn(overlay.at(int(polar(pivot, r, bearing - 90.0).x), int(polar(pivot, r, bearing - 90.0).y))))
                << bearing << " at " << r;
    }
}

TEST(AdfArtwork, FaceHasTheKnobUnderItsMouseArea) {
    const DecodedBmp face = bitmap(304);
    const frame::MouseArea* knob = nullptr;
    for (const frame::MouseArea* a = chronel().gauge("Adf").mouse_list; a->kind != frame::kMouseEnd; ++a)
        if (a->kind == frame::kMouseParent && a->width > 0) knob = a;
    ASSERT_NE(knob, nullptr);
    const Vec centre{knob->x + knob->width / 2.0, knob->y + knob->height / 2.0};
    EXPECT_EQ(count(face, centre, knob->width / 2.0 - 8, [](Rgb p) { return p == kNotDrawn; }), 0);
    // Its index line is the brightest thing on it.
    EXPECT_GT(count(face, {centre.x, centre.y - 12}, 3, bright), 5);
    EXPECT_EQ(face.at(0, 0), kNotDrawn) << "the case's rounded corners";
}

// -------------------------------------------------------------- Clock

TEST(ClockArtwork, CrystalLiesBehindBothReadoutsAndTheButtonUnderItsArea) {
    const DecodedBmp face = bitmap(336);
    for (int i = 0; i < 2; ++i) {
        const auto& s = element<frame::StringElement>("Clock", frame::kString, i);
        int wrong = 0;
        for (int y = s.base.position.y; y < s.base.position.y + s.box_height; ++y) {
            for (int x = s.base.position.x; x < s.base.position.x + s.box_width; ++x) {
                const Rgb p = face.at(x, y);
                // Greenish grey, far from the figures' dark and the
                // highlight's white.
                if (!(p.g > p.r && p.g > p.b && p.g >= 110 && p.g <= 185)) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << "readout " << i;
    }
    const frame::MouseArea& button = chronel().gauge("Clock").mouse_list[1];
    ASSERT_NE(button.function, nullptr);
    const Vec centre{button.x + button.width / 2.0, button.y + button.height / 2.0};
    auto off_grey = [](Rgb p) { return p == kNotDrawn || std::abs(p.r - p.g) > 8 || std::abs(p.b - p.r) > 12; };
    EXPECT_EQ(count(face, centre, 8, off_grey), 0) << "a grey button";
    // Its two labels either side of it.
    EXPECT_GT(count(face, {centre.x - 40, centre.y}, 6, bright), 10) << "OAT";
    EXPECT_GT(count(face, {centre.x + 45, centre.y}, 6, bright), 10) << "VOLTS";
}

}  // namespace
}  // namespace artwork

// The renderer's readout text: bytes read as Windows-1252 with 0xBA as the
// degree mark, a drawn ring where the font has no degree sign, highlighted
// characters in the highlight colour, and strings whose black background or
// empty text leave the face beneath them as it is.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "gauge_fixture.h"
#include "render.h"
#include "text.h"

namespace {

using testing_support::GaugeOnHost;

// Cairo keeps the fonts it has opened until it is told to let go; without
// this the leak checker counts them against every test here.
struct ReleaseCairo : ::testing::Environment {
    void TearDown() override { cairo_debug_reset_static_data(); }
};
const auto* const g_release_cairo = ::testing::AddGlobalTestEnvironment(new ReleaseCairo);

}  // namespace

// Fontconfig's configuration lives as long as the process and is only
// freed by a call no library here makes; the leak checker is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

struct Drawing {
    explicit Drawing(int w = 302, int h = 302)
        : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h), cairo_surface_destroy),
          cr(cairo_create(surface.get()), cairo_destroy) {}
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface;
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr;

    struct Rgb {
        int r, g, b;
        bool operator==(const Rgb&) const = default;
    };
    Rgb at(int x, int y) {
        cairo_surface_flush(surface.get());
        auto* row = cairo_image_surface_get_data(surface.get()) +
                    static_cast<std::size_t>(y) * cairo_image_surface_get_stride(surface.get());
        std::uint32_t p = reinterpret_cast<std::uint32_t*>(row)[x];
        return {static_cast<int>(p >> 16 & 0xff), static_cast<int>(p >> 8 & 0xff), static_cast<int>(p & 0xff)};
    }
    // How many pixels of the box are exactly that colour, or pass the test.
    int count(int x0, int y0, int x1, int y1, Rgb c) {
        return count_if(x0, y0, x1, y1, [c](Rgb p) { return p == c; });
    }
    template <class Test>
    int count_if(int x0, int y0, int x1, int y1, Test test) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += test(at(x, y));
        return n;
    }
};

TEST(ReadoutText, BytesAreWindows1252WithTheDegreeMark) {
    struct Case {
        unsigned char byte;
        char32_t want;
    } cases[] = {
        {'A', U'A'},    {' ', U' '},    {0x7f, 0x7f},   {0xBA, 0x00B0}, {0xB0, 0x00B0}, {0x80, 0x20AC},
        {0x81, 0},      {0x8D, 0},      {0x8F, 0},      {0x90, 0},      {0x9D, 0},      {0x9F, 0x0178},
        {0x96, 0x2013}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (auto c : cases) EXPECT_EQ(host::readout_character(c.byte), c.want) << int(c.byte);
}

TEST(ReadoutText, DegreeMarkIsTheFontsOwnOrADrawnRing) {
    Drawing d;
    cairo_t* cr = d.cr.get();
    cairo_set_font_size(cr, 40);
    // The readout font has a degree sign; cairo's built-in face has none.
    cairo_select_font_face(cr, host::kReadoutFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    host::ReadoutLayout own = host::layout_readout(cr, "147 \xBA" "F");
    ASSERT_EQ(own.glyphs.size(), 6u);
    EXPECT_FALSE(own.glyphs[4].ring);
    EXPECT_NE(own.glyphs[4].index, 0u);
    cairo_select_font_face(cr, "@cairo:", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    host::ReadoutLayout drawn = host::layout_readout(cr, "9\xBA" "C");
    ASSERT_EQ(drawn.glyphs.size(), 3u);
    EXPECT_TRUE(drawn.glyphs[1].ring);
    EXPECT_GT(drawn.glyphs[2].x, drawn.glyphs[1].x) << "the ring takes room of its own";
    // The ring is inked at the top of the figures, in the text colour.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    host::draw_readout(cr, drawn, 10, 100, [](std::size_t) { return 0x0000ffu; });
    EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
    const int left = 10 + static_cast<int>(drawn.glyphs[1].x), right = 10 + static_cast<int>(drawn.glyphs[2].x);
    auto red = [](Drawing::Rgb p) { return p.r >= 128 && p.g == 0 && p.b == 0; };
    EXPECT_GT(d.count_if(left, 60, right, 85, red), 10) << "ring above the middle of the line";
    EXPECT_EQ(d.count_if(left, 86, right, 101, red), 0) << "nothing of it near the baseline";
    // Undefined bytes draw nothing and take no room.
    host::ReadoutLayout gaps = host::layout_readout(cr, "\x81" "A\x9D");
    ASSERT_EQ(gaps.glyphs.size(), 1u);
    EXPECT_EQ(gaps.glyphs[0].byte, 1u);
    EXPECT_EQ(gaps.glyphs[0].x, 0);
}

TEST(ReadoutText, ClockDrawsOverItsWindowAndLightsTheSelectedField) {
    GaugeOnHost g("Chronel", "Clock");
    g.host().variables().set_f64(350, 0.25);
    g.host().variables().set_f64(3, 8);
    g.host().variables().set_f64(4, 8);
    g.set(5, 8);
    Drawing before;
    host::draw_gauge(before.cr.get(), g.gauge(), 0, 0, 1);
    ASSERT_EQ(cairo_status(before.cr.get()), CAIRO_STATUS_SUCCESS) << "the degree byte broke the drawing";
    const Drawing::Rgb white{255, 255, 255}, ink{10, 10, 10};
    // Dark figures on the window's crystal: the black background is not painted.
    EXPECT_GT(before.count(25, 132, 275, 200, ink), 200);
    EXPECT_EQ(before.count(25, 132, 275, 200, {0, 0, 0}), 0);
    EXPECT_EQ(before.count(55, 70, 255, 125, {0, 0, 0}), 0);
    EXPECT_EQ(before.count(25, 132, 275, 200, white), 0);

    // A click on the minutes lights them, and only them.
    g.gauge().click(120, 150);
    g.host().frame(host::kStepFrameSeconds);
    ASSERT_EQ(g.element(2).highlight, 25);
    Drawing lit;
    host::draw_gauge(lit.cr.get(), g.gauge(), 0, 0, 1);
    int white_left = 302, white_right = 0;
    for (int y = 132; y < 200; ++y)
        for (int x = 0; x < 302; ++x)
            if (lit.at(x, y) == white) {
                white_left = std::min(white_left, x);
                white_right = std::max(white_right, x);
            }
    ASSERT_LT(white_left, white_right) << "no highlighted pixels";
    EXPECT_GT(white_left, 105) << "the hours and the first colon stay dark";
    EXPECT_LT(white_right, 195) << "the seconds and the second colon stay dark";
    EXPECT_GT(lit.count(25, 132, 100, 200, ink), 100) << "the hours still in the text colour";
}

TEST(ReadoutText, SwitchedOffReadoutLeavesTheCardVisible) {
    GaugeOnHost g("Chronel", "Adf");
    g.set(22, 0);
    Drawing off;
    host::draw_gauge(off.cr.get(), g.gauge(), 0, 0, 1);
    const Drawing::Rgb grey{0x64, 0x64, 0x64};
    EXPECT_LT(off.count(100, 70, 190, 120, grey), 50);
    g.gauge().click(150, 180);
    g.set(22, 0);
    Drawing on;
    host::draw_gauge(on.cr.get(), g.gauge(), 0, 0, 1);
    EXPECT_GT(on.count(100, 70, 190, 120, grey), 90 * 50 / 2);
    EXPECT_GT(on.count(100, 70, 190, 120, {0, 255, 0}), 100) << "green figures";
}

}  // namespace

// A sprite with nowhere to put its texture still draws its mask's own
// colours: the hsi's airplane symbol over the deviation bar stays.
TEST(Sprite, MaskColoursStayWhenTheTextureHasNoPlace) {
    GaugeOnHost g("Kestrum", "hsi");
    auto yellow = [](Drawing::Rgb p) { return p.r > 200 && p.g > 150 && p.b < 90; };
    int symbol = -1;
    for (double deviation : {0.0, 1e300, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()}) {
        g.set(40, deviation);
        Drawing d(354, 353);
        host::draw_gauge(d.cr.get(), g.gauge(), 0, 0, 1);
        // The symbol's wings, off the bar's own column.
        const int wings = d.count_if(185, 179, 200, 184, yellow);
        if (symbol < 0) symbol = wings;
        EXPECT_GT(wings, 30) << deviation;
        EXPECT_EQ(wings, symbol) << deviation;
        EXPECT_EQ(d.count_if(172, 130, 178, 170, yellow) > 100, deviation == 0) << "the bar, " << deviation;
    }
}

// draw.h - the pieces instruments are drawn from: case and face, marks and
// figures placed at angles, coloured arcs, lettering, needles, hubs, screws
// and mask windows.
//
// Everything draws with Cairo in bitmap pixels (see geometry.h for angles
// and pixel centres) and takes its colour explicitly, so a routine reads
// as a list of parts. Colours must stay off pure black, which the host
// never draws; the ink constants below are the shared panel colours.
#pragma once

#include <cairo.h>

#include <initializer_list>
#include <string_view>

#include "fonts.h"
#include "geometry.h"
#include "image.h"
#include "scale.h"

namespace artwork {

namespace ink {
inline constexpr Rgb face{16, 16, 18};      // a "black" dial face
inline constexpr Rgb white{238, 238, 232};  // marks, figures, pointers
inline constexpr Rgb grey{132, 132, 136};   // needle tails, secondary marks
inline constexpr Rgb dark{44, 44, 48};      // hub caps, case details
inline constexpr Rgb green{36, 168, 72};
inline constexpr Rgb yellow{236, 196, 40};
inline constexpr Rgb red{214, 36, 32};
inline constexpr Rgb orange{236, 120, 24};
}  // namespace ink

// Colour as a Cairo source.
void set_colour(cairo_t* cr, Rgb colour);

// Filled shapes.
void fill_circle(cairo_t* cr, Vec centre, double radius, Rgb colour);
void ring(cairo_t* cr, Vec centre, double inner, double outer, Rgb colour);
void polygon(cairo_t* cr, std::initializer_list<Vec> points, Rgb colour);
void rectangle(cairo_t* cr, double x, double y, double width, double height, Rgb colour);
void rounded_rect(cairo_t* cr, double x, double y, double width, double height, double corner, Rgb colour);

// Stroked lines: a straight one with square ends, and an arc clockwise
// from one angle to another (a full circle when they are equal).
void line(cairo_t* cr, Vec from, Vec to, double width, Rgb colour);
void arc_line(cairo_t* cr, Vec centre, double radius, double from, double to, double width, Rgb colour);

// A round instrument: satin-black case ring of the given width around a
// flat face of the given colour. Returns the face radius.
double dial(cairo_t* cr, Vec centre, double radius, double bezel, Rgb face);

// One radial mark from inner to outer radius, width across, square ends.
void tick(cairo_t* cr, Vec centre, double angle, double inner, double outer, double width, Rgb colour);

struct Mark {
    double inner;
    double outer;
    double width;
    Rgb colour;
};

// A mark for every step from one value to another (both included), each
// at the angle the needle takes for that value.
void ticks(cairo_t* cr, const Scale& scale, double from, double to, double step, const Mark& mark);

// count marks at plain angles, step degrees apart from start: compass
// cards and other scales no needle table describes.
void ticks_around(cairo_t* cr, Vec centre, double start, double step, int count, const Mark& mark);

// A band between two radii, clockwise from one angle to another.
void arc_band(cairo_t* cr, Vec centre, double inner, double outer, double from, double to, Rgb colour);

// Lettering: the face and pixel size for the following text calls.
void set_font(cairo_t* cr, Face face, double size);

enum class Anchor { centre, left, right };

// Text whose inked box is centred vertically on the point and centred,
// left- or right-aligned horizontally on it.
void text(cairo_t* cr, std::string_view s, Vec at, Rgb colour, Anchor anchor = Anchor::centre);

// Upright figures stand level; radial ones turn with the angle so that their
// tops face outward, as on a compass card.
enum class Turn { upright, radial };

// Text centred on the point at the radius and angle from the centre.
void figure(cairo_t* cr, std::string_view s, Vec centre, double radius, double angle, Rgb colour,
            Turn turn = Turn::upright);

// A pointer from a pivot: a shaft that narrows from its width at the pivot
// to tip_width, then closes to a point over tip_length, and a counterweight
// tail behind the pivot. Drawn at the angle (0: reaching right, as needle
// bitmaps are stored).
struct Pointer {
    Vec pivot;
    double length;
    double width;
    double tip_width;
    double tip_length;
    double tail_length = 0;
    double tail_width = 0;
    Rgb colour = ink::white;
    Rgb tail_colour = ink::grey;
    double angle = 0;
};
void pointer(cairo_t* cr, const Pointer& p);

// The round cap over a needle's pivot, with a lighter rim.
void hub(cairo_t* cr, Vec centre, double radius, Rgb cap, Rgb rim);

// A slotted case screw.
void screw(cairo_t* cr, Vec centre, double radius, double slot_angle);

// Mask windows: exactly (1, 1, 1), unsmoothed, where the texture shows.
void window_circle(cairo_t* cr, Vec centre, double radius);
void window_rect(cairo_t* cr, double x, double y, double width, double height);
// Any other window shape: fills the current path.
void fill_window(cairo_t* cr);

}  // namespace artwork

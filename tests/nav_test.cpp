// The radios' geometry: aircraft placed with GeographicLib's own direct
// solution at known radials, distances and heights from a station, and
// what each receiver must then show.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>

#include "nav.h"

namespace {

using flight::Position;

constexpr double kVariation = 4.0;  // east: magnetic = true - 4

flight::Station vor() {
    flight::Station s;
    s.id = "VOR";
    s.kind = flight::StationKind::kVor;
    s.lat = 38.6161;
    s.lon = -97.5579;
    s.elevation_ft = 1300;
    s.dme = true;
    s.range_nm = 40;
    return s;
}

// The point `nm` from (lat, lon) along `azimuth_true`, by GeographicLib.
Position at(double lat, double lon, double azimuth_true, double nm, double alt_ft) {
    Position p;
    GeographicLib::Geodesic::WGS84().Direct(lat, lon, azimuth_true, nm * 1852.0, p.lat, p.lon);
    p.alt_ft = alt_ft;
    return p;
}

TEST(Nav, GeodesicsAreGeographicLibs) {
    // Known points: a degree of longitude on the equator and JFK to London.
    flight::Geodesic e = flight::inverse(0, 0, 0, 1);
    EXPECT_NEAR(e.distance_m, 111319.490793, 1e-5);
    EXPECT_NEAR(e.azimuth_a, 90, 1e-12);
    flight::Geodesic g = flight::inverse(40.64, -73.78, 51.47, -0.46);
    double s12, azi1, azi2;
    GeographicLib::Geodesic::WGS84().Inverse(40.64, -73.78, 51.47, -0.46, s12, azi1, azi2);
    EXPECT_DOUBLE_EQ(g.distance_m, s12);
    EXPECT_DOUBLE_EQ(g.azimuth_a, azi1);
    EXPECT_DOUBLE_EQ(g.azimuth_b, azi2);
    EXPECT_NEAR(g.distance_m / 1852, 2999, 3);  // about 3000 nm across the Atlantic,
    EXPECT_NEAR(g.azimuth_a, 51.4, 0.05);       // setting out north-east
}

TEST(Nav, VorRadialsDeviationAndToFrom) {
    flight::Station s = vor();
    flight::PlacedStation st = flight::place(s, kVariation);
    struct Case {
        double radial_true;  // where the aircraft is, from the station
        double course_mag;
        double deviation;  // full scale 10 degrees, positive: the course lies right
        int to_from;
    } cases[] = {
        {244, 240, 0, 2},      // on the 240 radial, flying it outbound: FROM, centred
        {249, 240, -0.5, 2},   // 5 degrees clockwise of it outbound: right of course, needle left
        {239, 240, 0.5, 2},
        {244, 60, 0, 1},       // the same place flying inbound on 060: TO
        {249, 60, 0.5, 1},     // clockwise of the inbound course's radial: left of it, needle right
        {264, 60, 1, 1},       // 20 degrees off: the needle at its stop
        {4, 91, 0, 0},         // abeam, within the ambiguity: neither TO nor FROM
        {4, 87, 1, 2},         // just out of it: FROM, the course far to the right
        {4, 94, 1, 1},         // and TO on the other side
    };
    for (const Case& c : cases) {
        Position p = at(s.lat, s.lon, c.radial_true, 12, 5000);
        flight::NavReading r = flight::nav_reading(st, p, 3500, c.course_mag, kVariation);
        ASSERT_TRUE(r.received) << c.radial_true;
        EXPECT_NEAR(r.radial_mag, flight::wrap360(c.radial_true - kVariation), 1e-6) << c.radial_true;
        EXPECT_EQ(r.to_from, c.to_from) << c.radial_true << " " << c.course_mag;
        if (c.to_from != 0) {
            EXPECT_NEAR(r.deviation, c.deviation, 1e-6) << c.radial_true << " " << c.course_mag;
        }
        // The DME is the slant range: ground distance and height together.
        double h = (5000 - 1300) * 0.3048;
        EXPECT_NEAR(r.dme_nm, std::hypot(12 * 1852.0, h) / 1852, 1e-6);
    }
}

TEST(Nav, VorReceptionEndsAtTheRadioHorizonAndOverhead) {
    flight::Station s = vor();
    flight::PlacedStation st = flight::place(s, kVariation);
    // On the ground 10 nm out the station lies below the horizon; at
    // 1000 ft above the ground it is in sight (1.23 (sqrt 1000 + sqrt 15) = 43 nm).
    Position ground = at(s.lat, s.lon, 200, 10, 1240);
    EXPECT_FALSE(flight::nav_reading(st, ground, 0, 0, kVariation).received);
    EXPECT_FALSE(flight::nav_reading(st, ground, 0, 0, kVariation).dme_received);
    EXPECT_TRUE(flight::nav_reading(st, ground, 1000, 0, kVariation).received);
    // Beyond the station's range, at any height.
    EXPECT_FALSE(flight::nav_reading(st, at(s.lat, s.lon, 200, 45, 9000), 8000, 0, kVariation).received);
    // Straight above it: the cone of confusion.
    EXPECT_FALSE(flight::nav_reading(st, at(s.lat, s.lon, 200, 0.3, 5000), 3700, 0, kVariation).received);
}

TEST(Nav, LocalizerAndGlideslope) {
    flight::Station s;
    s.id = "ILS";
    s.kind = flight::StationKind::kIls;
    s.lat = 38.6;
    s.lon = -97.6;
    s.elevation_ft = 1280;
    s.course_mag = 60;
    s.length_ft = 6000;
    s.glideslope_deg = 3;
    s.range_nm = 18;
    flight::PlacedStation st = flight::place(s, kVariation);
    EXPECT_NEAR(st.course_true, 64, 1e-12);
    // The localizer stands beyond the far end, the glideslope past the
    // threshold, both on the runway's line.
    flight::Geodesic to_loc = flight::inverse(s.lat, s.lon, st.antenna.lat, st.antenna.lon);
    EXPECT_NEAR(to_loc.distance_m, 6000 * 0.3048 + flight::kLocalizerBeyondEndM, 1e-6);
    EXPECT_NEAR(to_loc.azimuth_a, 64, 1e-9);
    flight::Geodesic to_gs = flight::inverse(s.lat, s.lon, st.glideslope.lat, st.glideslope.lon);
    EXPECT_NEAR(to_gs.distance_m, flight::kGlideslopeBeyondThresholdM, 1e-6);

    // On the approach 4 nm from the glideslope antenna, on the 3 degree path.
    double back = flight::wrap360(64 + 180);
    double d_m = 4 * 1852.0;
    double on_path_ft = 1280 + d_m * std::tan(3 * M_PI / 180) / 0.3048;
    struct Case {
        double offset_deg;  // seen from the localizer, clockwise of the approach line
        double above_ft;  // over the path
        double deviation, glideslope;
        bool gs_received;
    } cases[] = {
        {0, 0, 0, 0, true},
        {1.25, 0, 0.5, 0, true},     // left of the course: needle half right
        {-2.5, 0, -1, 0, true},
        {-10, 0, -1, 0, false},      // outside the glideslope's sector
        {0, 100, 0, 0, true},        // above: the needle below centre (computed below)
    };
    for (const Case& c : cases) {
        // Place the aircraft by its bearing from the localizer.
        flight::Geodesic loc_to_gs = flight::inverse(st.antenna.lat, st.antenna.lon, st.glideslope.lat, st.glideslope.lon);
        double from_loc_nm = (loc_to_gs.distance_m + d_m) / 1852;
        Position p = at(st.antenna.lat, st.antenna.lon, back + c.offset_deg, from_loc_nm, on_path_ft + c.above_ft);
        flight::NavReading r = flight::nav_reading(st, p, on_path_ft + c.above_ft - 1280, 0, kVariation);
        ASSERT_TRUE(r.received) << c.offset_deg;
        EXPECT_TRUE(r.localizer);
        EXPECT_EQ(r.to_from, 1);
        EXPECT_NEAR(r.deviation, c.deviation, 2e-3) << c.offset_deg;
        EXPECT_EQ(r.glideslope_received, c.gs_received) << c.offset_deg;
        flight::Geodesic g = flight::inverse(st.glideslope.lat, st.glideslope.lon, p.lat, p.lon);
        double angle = std::atan2((on_path_ft + c.above_ft - 1280) * 0.3048, g.distance_m) * 180 / M_PI;
        if (c.gs_received) {
            EXPECT_NEAR(r.glideslope, std::clamp((angle - 3) / 0.7, -1.0, 1.0), 1e-9);
        }
        if (c.gs_received && c.above_ft == 0) {
            EXPECT_NEAR(r.glideslope, 0, 0.02);
        }
        if (c.above_ft > 0) {
            EXPECT_GT(r.glideslope, 0.3);
        }
    }
    // Behind the localizer, off its front course: nothing received.
    EXPECT_FALSE(flight::nav_reading(st, at(st.antenna.lat, st.antenna.lon, 64, 3, 3000), 1700, 0, kVariation).received);
}

TEST(Nav, AdfPointsAtTheBeacon) {
    flight::Station s;
    s.id = "NDB";
    s.kind = flight::StationKind::kNdb;
    s.lat = 38.57;
    s.lon = -97.68;
    s.range_nm = 25;
    flight::PlacedStation st = flight::place(s, kVariation);
    for (double bearing : {0.0, 45.0, 180.0, 300.0}) {
        // The aircraft 5 nm from the beacon, heading 030 true.
        Position p = at(s.lat, s.lon, flight::wrap360(bearing + 30 + 180), 5, 3000);
        flight::AdfReading r = flight::adf_reading(st, p, 30);
        ASSERT_TRUE(r.received);
        // The beacon lies along the reverse of the geodesic that placed the
        // aircraft; its azimuth there is GeographicLib's azi2 plus 180.
        double lat, lon, azi2;
        GeographicLib::Geodesic::WGS84().Direct(s.lat, s.lon, flight::wrap360(bearing + 210), 5 * 1852.0, lat, lon, azi2);
        EXPECT_NEAR(flight::wrap180(r.relative_bearing - (azi2 + 180 - 30)), 0, 1e-9);
        EXPECT_NEAR(flight::wrap180(r.relative_bearing - bearing), 0, 0.1);
    }
    EXPECT_FALSE(flight::adf_reading(st, at(s.lat, s.lon, 10, 30, 3000), 0).received);
}

TEST(Nav, CourseLines) {
    flight::Station s = vor();
    Position station{s.lat, s.lon, s.elevation_ft};
    // 8 nm out on the 244 (true) radial, 0.5 nm to its clockwise side.
    Position on = at(s.lat, s.lon, 244, 8, 3000);
    double side = 0.5 / 8;
    Position off = at(s.lat, s.lon, 244 + std::asin(side) * 180 / M_PI, std::hypot(8, 0.5), 3000);
    flight::CourseLine in = flight::course_line(station, 244, true, on);
    EXPECT_NEAR(in.cross_track_nm, 0, 1e-9);
    EXPECT_NEAR(in.along_nm, 8, 1e-9);
    double azi2;
    double lat, lon;
    GeographicLib::Geodesic::WGS84().Direct(s.lat, s.lon, 244, 8 * 1852.0, lat, lon, azi2);
    EXPECT_NEAR(in.course_true, flight::wrap360(azi2 + 180), 1e-9);
    EXPECT_NEAR(flight::course_line(station, 244, true, off).cross_track_nm, -0.5, 2e-3);  // inbound: left
    EXPECT_NEAR(flight::course_line(station, 244, false, off).cross_track_nm, 0.5, 2e-3);  // outbound: right
}

}  // namespace

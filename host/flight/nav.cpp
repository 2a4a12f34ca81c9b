// nav.cpp - see nav.h.
#include "nav.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>

namespace flight {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

const GeographicLib::Geodesic& earth() { return GeographicLib::Geodesic::WGS84(); }

double clamp1(double v) { return std::clamp(v, -1.0, 1.0); }

double horizon_nm(double agl_ft) {
    return kRadioHorizonNmPerRootFoot * (std::sqrt(std::max(agl_ft, 0.0)) + std::sqrt(kGroundAntennaFt));
}

double slant_nm(double ground_m, double height_ft) {
    double h = height_ft * kMetresPerFoot;
    return std::sqrt(ground_m * ground_m + h * h) / kMetresPerNm;
}

}  // namespace

double wrap180(double d) {
    d = std::fmod(d, 360.0);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

double wrap360(double d) {
    d = std::fmod(d, 360.0);
    if (d < 0) d += 360;
    return d >= 360 ? 0 : d;
}

Geodesic inverse(double lat_a, double lon_a, double lat_b, double lon_b) {
    Geodesic g;
    earth().Inverse(lat_a, lon_a, lat_b, lon_b, g.distance_m, g.azimuth_a, g.azimuth_b);
    g.azimuth_a = wrap360(g.azimuth_a);
    g.azimuth_b = wrap360(g.azimuth_b);
    return g;
}

Position direct(double lat, double lon, double azimuth, double distance_m, double* azimuth_there) {
    Position p;
    double azi2 = 0;
    earth().Direct(lat, lon, azimuth, distance_m, p.lat, p.lon, azi2);
    if (azimuth_there != nullptr) *azimuth_there = wrap360(azi2);
    return p;
}

PlacedStation place(const Station& s, double variation) {
    PlacedStation p;
    p.station = &s;
    p.antenna = {s.lat, s.lon, s.elevation_ft};
    if (s.kind != StationKind::kIls) return p;
    p.course_true = wrap360(s.course_mag + variation);
    p.threshold = {s.lat, s.lon, s.elevation_ft};
    double along = 0;
    p.glideslope = direct(s.lat, s.lon, p.course_true, kGlideslopeBeyondThresholdM);
    p.glideslope.alt_ft = s.elevation_ft;
    Position end = direct(s.lat, s.lon, p.course_true, s.length_ft * kMetresPerFoot, &along);
    p.antenna = direct(end.lat, end.lon, along, kLocalizerBeyondEndM);
    p.antenna.alt_ft = s.elevation_ft;
    return p;
}

NavReading nav_reading(const PlacedStation& st, const Position& ac, double agl_ft, double course_mag,
                       double variation) {
    NavReading r;
    const Station& s = *st.station;
    Geodesic g = inverse(st.antenna.lat, st.antenna.lon, ac.lat, ac.lon);
    double ground_nm = g.distance_m / kMetresPerNm;
    double height_ft = ac.alt_ft - st.antenna.alt_ft;
    bool in_range = ground_nm <= s.range_nm && ground_nm <= horizon_nm(agl_ft);

    if (s.kind == StationKind::kVor) {
        double elevation = std::atan2(height_ft * kMetresPerFoot, g.distance_m) / kDeg;
        r.received = in_range && elevation < 90 - kVorConeDeg;
        r.radial_mag = wrap360(g.azimuth_a - variation);
        double off = wrap180(r.radial_mag - course_mag);
        if (std::fabs(off) < 90) {
            // FROM: on a radial clockwise of the selected one the aircraft is
            // right of the course, so the needle swings left.
            r.to_from = 2;
            r.deviation_deg = -off;
        } else {
            r.to_from = 1;
            r.deviation_deg = wrap180(off + 180);
        }
        if (std::fabs(std::fabs(off) - 90) < kToFromAmbiguityDeg) r.to_from = 0;
        r.deviation = clamp1(r.deviation_deg / kVorFullScaleDeg);
    } else if (s.kind == StationKind::kIls) {
        r.localizer = true;
        // Clockwise of the approach line, seen from the localizer, is left of
        // the inbound course.
        double off = wrap180(g.azimuth_a - wrap360(st.course_true + 180));
        r.received = in_range && std::fabs(off) <= kLocalizerSectorDeg;
        r.to_from = 1;
        r.deviation_deg = off;
        r.deviation = clamp1(off / kLocalizerFullScaleDeg);
        Geodesic gs = inverse(st.glideslope.lat, st.glideslope.lon, ac.lat, ac.lon);
        double gs_off = wrap180(gs.azimuth_a - wrap360(st.course_true + 180));
        double elevation = std::atan2((ac.alt_ft - st.glideslope.alt_ft) * kMetresPerFoot, gs.distance_m) / kDeg;
        r.glideslope_received = r.received && std::fabs(gs_off) <= kGlideslopeSectorDeg &&
                                gs.distance_m / kMetresPerNm <= kGlideslopeRangeNm;
        r.glideslope = clamp1((elevation - s.glideslope_deg) / kGlideslopeFullScaleDeg);
    }
    if (!r.received) {
        r.to_from = 0;
        r.glideslope_received = false;
    }
    r.dme_received = s.dme && in_range;
    r.dme_nm = slant_nm(g.distance_m, height_ft);
    return r;
}

AdfReading adf_reading(const PlacedStation& st, const Position& ac, double heading_true) {
    AdfReading r;
    Geodesic g = inverse(ac.lat, ac.lon, st.antenna.lat, st.antenna.lon);
    r.received = g.distance_m / kMetresPerNm <= st.station->range_nm;
    r.relative_bearing = wrap360(g.azimuth_a - heading_true);
    return r;
}

CourseLine course_line(const Position& station, double radial_true, bool inbound, const Position& ac) {
    CourseLine c;
    Geodesic g = inverse(station.lat, station.lon, ac.lat, ac.lon);
    double off = wrap180(g.azimuth_a - radial_true) * kDeg;
    double r = g.distance_m / kMetresPerNm;
    // Flown outbound, a radial clockwise of the line is right of the
    // course; flown inbound, it is left.
    double clockwise = r * std::sin(off);
    c.cross_track_nm = inbound ? -clockwise : clockwise;
    c.along_nm = r * std::cos(off);
    double onward = 0;
    direct(station.lat, station.lon, radial_true, std::max(c.along_nm, 0.0) * kMetresPerNm, &onward);
    c.course_true = inbound ? wrap360(onward + 180) : onward;
    return c;
}

}  // namespace flight

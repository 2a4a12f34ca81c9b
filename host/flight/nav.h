// nav.h - what the radios receive: the aircraft's position against a VOR,
// a localizer with its glideslope, an NDB and their DMEs, on the WGS84
// ellipsoid (GeographicLib's geodesics).
//
// Deviations are in full-scale units, -1 to 1, positive when the course
// (or the glidepath) lies to the right of (or below) the aircraft: the
// needle swings toward the course, as a real CDI's does.
#pragma once

#include "scenario.h"

namespace flight {

inline constexpr double kMetresPerNm = 1852.0;
inline constexpr double kMetresPerFoot = 0.3048;

// Full-scale deflections: a VOR needle at its end stop 10 degrees off the
// selected radial, a localizer 2.5 degrees off its course, a glideslope
// 0.7 degrees off its path.
inline constexpr double kVorFullScaleDeg = 10.0;
inline constexpr double kLocalizerFullScaleDeg = 2.5;
inline constexpr double kGlideslopeFullScaleDeg = 0.7;
// Within this many degrees of abeam a VOR shows neither TO nor FROM.
inline constexpr double kToFromAmbiguityDeg = 1.5;
// Above a VOR, within this angle of the vertical, its signal is lost in the
// cone of confusion.
inline constexpr double kVorConeDeg = 45.0;
// A localizer is received within this angle of its course, its glideslope
// within kGlideslopeSectorDeg and kGlideslopeRangeNm.
inline constexpr double kLocalizerSectorDeg = 35.0;
inline constexpr double kGlideslopeSectorDeg = 8.0;
inline constexpr double kGlideslopeRangeNm = 10.0;
// VHF signals reach the radio horizon of both antennas: 1.23 nm times the
// square root of each height in feet.
inline constexpr double kRadioHorizonNmPerRootFoot = 1.23;
inline constexpr double kGroundAntennaFt = 15.0;
// An ILS's antennas: the localizer beyond the far end of the runway, the
// glideslope abeam the touchdown zone, past the threshold.
inline constexpr double kLocalizerBeyondEndM = 300.0;
inline constexpr double kGlideslopeBeyondThresholdM = 300.0;

struct Position {
    double lat = 0, lon = 0;  // degrees
    double alt_ft = 0;  // above mean sea level
};

// The shortest path from a to b: its length and its azimuths (degrees
// true, clockwise from north) at a and, pointing onward, at b.
struct Geodesic {
    double distance_m = 0;
    double azimuth_a = 0;
    double azimuth_b = 0;
};
Geodesic inverse(double lat_a, double lon_a, double lat_b, double lon_b);
// The point `distance_m` from (lat, lon) along `azimuth`; the azimuth there
// is written to `azimuth_there` if given.
Position direct(double lat, double lon, double azimuth, double distance_m, double* azimuth_there = nullptr);

double wrap180(double degrees);
double wrap360(double degrees);

// A station on the ground with its antennas placed.
struct PlacedStation {
    const Station* station = nullptr;
    Position antenna;  // VOR and NDB: the station; ILS: the localizer
    double course_true = 0;  // ILS: the runway's course
    Position threshold, glideslope;  // ILS
};
PlacedStation place(const Station& station, double variation);

struct NavReading {
    bool received = false;
    bool localizer = false;
    double deviation = 0;  // full-scale units
    double deviation_deg = 0;  // before scaling and the end stops
    int to_from = 0;  // 0 neither, 1 TO, 2 FROM
    double radial_mag = 0;  // VOR: the radial the aircraft is on
    bool glideslope_received = false;
    double glideslope = 0;  // full-scale units, positive when the aircraft is above the path
    bool dme_received = false;
    double dme_nm = 0;  // slant range
};

// What a NAV receiver tuned to the station shows with the course selector
// at `course_mag`. `agl_ft` is the aircraft's height above its ground.
NavReading nav_reading(const PlacedStation& station, const Position& aircraft, double agl_ft, double course_mag,
                       double variation);

struct AdfReading {
    bool received = false;
    double relative_bearing = 0;  // degrees clockwise from the nose, 0 to 360
};
AdfReading adf_reading(const PlacedStation& station, const Position& aircraft, double heading_true);

// For steering: where the aircraft is against a course line through the
// station along `radial_true`, flown inbound or outbound.
struct CourseLine {
    double cross_track_nm = 0;  // positive: the aircraft is right of the course
    double course_true = 0;  // the course's direction at the aircraft's abeam point
    double along_nm = 0;  // from the station, positive on the radial's side
};
CourseLine course_line(const Position& station, double radial_true, bool inbound, const Position& aircraft);

}  // namespace flight

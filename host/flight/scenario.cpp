// scenario.cpp - see scenario.h.
#include "scenario.h"

#include "numbers.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>

namespace flight {

namespace {

constexpr const char* kMagic = "panelhost-scenario";
constexpr int kVersion = 1;

// Ranges when a station line names none: a terminal VOR, a localizer's
// service volume, a locator beacon.
constexpr double kVorRangeNm = 40, kIlsRangeNm = 18, kNdbRangeNm = 25;
// A scenario lasts at most a day; clicks land within a screen of any size.
constexpr double kMaxTime = 24 * 3600.0;
constexpr double kMaxClick = 100000;

std::vector<std::string> fields_of(std::string_view line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) out.emplace_back(line.substr(start, i - start));
    }
    return out;
}

std::optional<double> number(const std::string& s) { return host::parse_finite(s); }

// Seconds, "m:ss" or "h:mm:ss", each part a number; later parts below 60.
std::optional<double> clock_time(const std::string& s) {
    double total = 0;
    std::size_t start = 0;
    int parts = 0;
    for (;;) {
        auto colon = s.find(':', start);
        auto part = number(s.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (!part || *part < 0 || (parts > 0 && *part >= 60)) return std::nullopt;
        total = total * 60 + *part;
        ++parts;
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    if (parts > 3) return std::nullopt;
    return total;
}

class Reader {
public:
    Reader(Scenario& s) : s_(s) {}

    void read(std::string_view text) {
        bool header = false;
        std::size_t pos = 0;
        for (int n = 1; pos <= text.size(); ++n) {
            auto end = text.find('\n', pos);
            std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
            pos = end == std::string_view::npos ? text.size() + 1 : end + 1;
            if (auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
            auto f = fields_of(line);
            if (f.empty()) continue;
            line_ = n;
            if (!header) {
                header = true;
                if (f.size() != 2 || f[0] != kMagic || f[1] != std::to_string(kVersion)) {
                    error(std::string("the first line must be '") + kMagic + " " + std::to_string(kVersion) + "'");
                    return;
                }
            } else if (f[0] == "at") {
                timed(f);
            } else {
                setting(f);
            }
        }
        if (!header) error(1, std::string("empty scenario: the first line must be '") + kMagic + " 1'");
        finish();
    }

    std::vector<std::string> errors;

private:
    void error(int line, const std::string& message) {
        errors.push_back(s_.name + ":" + std::to_string(line) + ": " + message);
    }
    void error(const std::string& message) { error(line_, message); }

    // Reads field i as a number in [lo, hi]; records an error otherwise.
    std::optional<double> num(const std::vector<std::string>& f, std::size_t i, const char* what,
                              double lo = -1e12, double hi = 1e12) {
        if (i >= f.size()) {
            error(f[0] + ": " + what + " is missing");
            return std::nullopt;
        }
        auto v = number(f[i]);
        if (!v || *v < lo || *v > hi) {
            error(f[0] + ": " + what + " '" + f[i] + "' is not a number" +
                  (lo > -1e12 ? " from " + trimmed(lo) + " to " + trimmed(hi) : ""));
            return std::nullopt;
        }
        return v;
    }

    static std::string trimmed(double v) {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
        return s;
    }

    bool count(const std::vector<std::string>& f, std::size_t lo, std::size_t hi, const char* usage) {
        if (f.size() >= lo && f.size() <= hi) return true;
        error(std::string("expected '") + usage + "'");
        return false;
    }

    void once(const std::string& key) {
        if (!seen_.insert(key).second) error(key + " is given twice");
    }

    void setting(const std::vector<std::string>& f) {
        const std::string& k = f[0];
        if (k == "title") {
            once(k);
            for (std::size_t i = 1; i < f.size(); ++i) s_.title += (i > 1 ? " " : "") + f[i];
        } else if (k == "variation") {
            once(k);
            if (count(f, 2, 2, "variation DEGREES_EAST"))
                if (auto v = num(f, 1, "variation", -180, 180)) s_.variation = *v;
        } else if (k == "start") {
            once(k);
            if (!count(f, 5, 5, "start LAT LON ELEVATION_FT HEADING")) return;
            auto lat = num(f, 1, "latitude", -89, 89), lon = num(f, 2, "longitude", -180, 180);
            auto el = num(f, 3, "elevation", -1500, 30000), hd = num(f, 4, "heading", 0, 360);
            if (lat && lon && el && hd) {
                s_.start_lat = *lat;
                s_.start_lon = *lon;
                s_.start_elevation_ft = *el;
                s_.start_heading_mag = *hd;
                have_start_ = true;
            }
        } else if (k == "qnh") {
            once(k);
            if (count(f, 2, 2, "qnh INHG"))
                if (auto v = num(f, 1, "qnh", 26, 33)) s_.qnh_inhg = *v;
        } else if (k == "temperature") {
            once(k);
            if (count(f, 2, 2, "temperature CELSIUS"))
                if (auto v = num(f, 1, "temperature", -80, 60)) s_.temperature_c = *v;
        } else if (k == "wind") {
            once(k);
            if (!count(f, 3, 3, "wind FROM_DEGREES_TRUE KNOTS")) return;
            auto from = num(f, 1, "wind direction", 0, 360), kt = num(f, 2, "wind speed", 0, 150);
            if (from && kt) {
                s_.wind_from_true = *from;
                s_.wind_kt = *kt;
            }
        } else if (k == "time") {
            once(k);
            if (!count(f, 2, 2, "time HH:MM:SS")) return;
            auto t = clock_time(f[1]);
            if (!t || *t >= 24 * 3600)
                error("time '" + f[1] + "' is not a time of day HH:MM:SS");
            else
                s_.time_of_day = *t;
        } else if (k == "hours") {
            once(k);
            if (count(f, 2, 2, "hours HOURS"))
                if (auto v = num(f, 1, "hours", 0, 99999)) s_.hours = *v;
        } else if (k == "units") {
            once(k);
            if (!count(f, 2, 2, "units fahrenheit|celsius")) return;
            if (f[1] != "fahrenheit" && f[1] != "celsius")
                error("units: expected fahrenheit or celsius, not '" + f[1] + "'");
            s_.celsius = f[1] == "celsius";
        } else if (k == "vor" || k == "ndb" || k == "ils") {
            station(f);
        } else {
            error("unknown line '" + k + "'");
        }
    }

    void station(const std::vector<std::string>& f) {
        Station st;
        st.line = line_;
        st.kind = f[0] == "vor" ? StationKind::kVor : f[0] == "ils" ? StationKind::kIls : StationKind::kNdb;
        std::size_t fixed = st.kind == StationKind::kNdb ? 4 : 5;
        if (f.size() < fixed) {
            error(f[0] == "ndb"   ? "expected 'ndb ID LAT LON [range NM]'"
                  : f[0] == "vor" ? "expected 'vor ID LAT LON ELEVATION_FT [dme] [range NM]'"
                                  : "expected 'ils ID LAT LON ELEVATION_FT course DEG length FT [glideslope DEG] "
                                    "[dme] [range NM]'");
            return;
        }
        st.id = f[1];
        auto lat = num(f, 2, "latitude", -89, 89), lon = num(f, 3, "longitude", -180, 180);
        if (!lat || !lon) return;
        st.lat = *lat;
        st.lon = *lon;
        if (st.kind != StationKind::kNdb) {
            auto el = num(f, 4, "elevation", -1500, 30000);
            if (!el) return;
            st.elevation_ft = *el;
        }
        st.range_nm = st.kind == StationKind::kVor ? kVorRangeNm : st.kind == StationKind::kIls ? kIlsRangeNm : kNdbRangeNm;
        st.glideslope_deg = 3.0;
        bool course = false, length = false;
        for (std::size_t i = fixed; i < f.size(); ++i) {
            const std::string& o = f[i];
            if (o == "dme" && st.kind != StationKind::kNdb) {
                st.dme = true;
            } else if (o == "range" && i + 1 < f.size()) {
                if (auto v = num(f, ++i, "range", 1, 300)) st.range_nm = *v;
            } else if (st.kind == StationKind::kIls && o == "course" && i + 1 < f.size()) {
                if (auto v = num(f, ++i, "course", 0, 360)) st.course_mag = *v, course = true;
            } else if (st.kind == StationKind::kIls && o == "length" && i + 1 < f.size()) {
                if (auto v = num(f, ++i, "length", 1000, 20000)) st.length_ft = *v, length = true;
            } else if (st.kind == StationKind::kIls && o == "glideslope" && i + 1 < f.size()) {
                if (auto v = num(f, ++i, "glideslope", 2, 6)) st.glideslope_deg = *v;
            } else {
                error(f[0] + " " + st.id + ": unknown option '" + o + "'");
            }
        }
        if (st.kind == StationKind::kIls && (!course || !length))
            error("ils " + st.id + ": 'course DEG' and 'length FT' are required");
        if (s_.find(st.id) != nullptr) {
            error("station " + st.id + " is declared twice");
            return;
        }
        s_.stations.push_back(st);
    }

    void timed(const std::vector<std::string>& f) {
        if (f.size() < 3) {
            error("expected 'at TIME COMMAND ...'");
            return;
        }
        auto t = clock_time(f[1]);
        if (!t || *t > kMaxTime) {
            error("at: '" + f[1] + "' is not a time (seconds, m:ss or h:mm:ss) within 24 hours");
            return;
        }
        // Several commands may share one time, separated by ';'.
        std::vector<std::string> cmd;
        for (std::size_t i = 2; i <= f.size(); ++i) {
            if (i == f.size() || f[i] == ";") {
                if (!cmd.empty()) command(*t, cmd);
                cmd.clear();
            } else if (f[i].size() > 1 && f[i].back() == ';') {
                cmd.push_back(f[i].substr(0, f[i].size() - 1));
                command(*t, cmd);
                cmd.clear();
            } else {
                cmd.push_back(f[i]);
            }
        }
    }

    // "over S" or "rate R" after the value.
    bool trailing(const std::vector<std::string>& f, std::size_t i, const char* word, double& out, double lo,
                  double hi) {
        if (f.size() == i) return true;
        if (f.size() != i + 2 || f[i] != word) {
            error(f[0] + ": expected '" + word + " NUMBER' after the value");
            return false;
        }
        auto v = num(f, i + 1, word, lo, hi);
        if (v) out = *v;
        return v.has_value();
    }

    bool known_station(const std::string& id, std::optional<StationKind> want = std::nullopt) {
        const Station* st = nullptr;
        for (const Station& s : s_.stations)
            if (s.id == id) st = &s;
        if (st == nullptr) {
            error("no station " + id + " is declared above this line");
            return false;
        }
        if (want && st->kind != *want) {
            error("station " + id + " is not an ILS");
            return false;
        }
        return true;
    }

    void command(double t, const std::vector<std::string>& f) {
        Command c;
        c.time = t;
        c.line = line_;
        const std::string& k = f[0];
        auto on_off = [&](CommandKind kind) {
            c.kind = kind;
            if (f.size() != 2 || (f[1] != "on" && f[1] != "off")) {
                error(k + ": expected on or off");
                return false;
            }
            c.flag = f[1] == "on";
            return true;
        };
        auto ramp = [&](CommandKind kind, double lo, double hi, double default_over) {
            c.kind = kind;
            c.over = default_over;
            auto v = num(f, 1, "value", lo, hi);
            if (!v) return false;
            c.value = *v;
            return trailing(f, 2, "over", c.over, 0, 3600);
        };
        auto plain = [&](CommandKind kind, double lo, double hi) {
            c.kind = kind;
            if (!count(f, 2, 2, (k + " VALUE").c_str())) return false;
            auto v = num(f, 1, "value", lo, hi);
            if (v) c.value = *v;
            return v.has_value();
        };
        bool ok = false;
        if (k == "master") {
            ok = on_off(CommandKind::kMaster);
        } else if (k == "starter") {
            ok = on_off(CommandKind::kStarter);
        } else if (k == "rpm") {
            ok = ramp(CommandKind::kRpm, 0, 4000, 2);
        } else if (k == "manifold") {
            ok = ramp(CommandKind::kManifold, 5, 45, 2);
        } else if (k == "fuelflow") {
            ok = ramp(CommandKind::kFuelFlow, 0, 40, 2);
        } else if (k == "speed") {
            c.kind = CommandKind::kSpeed;
            c.rate = 2;
            auto v = num(f, 1, "speed", 0, 250);
            ok = v && trailing(f, 2, "rate", c.rate, 0.1, 20);
            if (v) c.value = *v;
        } else if (k == "heading") {
            c.kind = CommandKind::kHeading;
            auto v = num(f, 1, "heading", 0, 360);
            if (v) c.value = *v;
            ok = v.has_value() && count(f, 2, 3, "heading DEG [left|right]");
            if (ok && f.size() == 3) {
                if (f[2] != "left" && f[2] != "right") {
                    error("heading: expected left or right after the heading");
                    ok = false;
                }
                c.turn = f[2] == "left" ? -1 : 1;
            }
        } else if (k == "track") {
            c.kind = CommandKind::kTrack;
            ok = count(f, 4, 4, "track STATION RADIAL inbound|outbound") && known_station(f[1]);
            if (ok) {
                c.station = f[1];
                auto v = num(f, 2, "radial", 0, 360);
                ok = v.has_value();
                if (v) c.value = *v;
                if (f[3] != "inbound" && f[3] != "outbound") {
                    error("track: expected inbound or outbound");
                    ok = false;
                }
                c.flag = f[3] == "inbound";
            }
        } else if (k == "localizer" || k == "glideslope") {
            c.kind = k == "localizer" ? CommandKind::kLocalizer : CommandKind::kGlideslope;
            ok = count(f, 2, 2, (k + " STATION").c_str()) && known_station(f[1], StationKind::kIls);
            c.station = ok ? f[1] : "";
        } else if (k == "altitude") {
            c.kind = CommandKind::kAltitude;
            c.rate = 700;
            auto v = num(f, 1, "altitude", -1500, 30000);
            ok = v && trailing(f, 2, "rate", c.rate, 50, 6000);
            if (v) c.value = *v;
        } else if (k == "tune") {
            c.kind = CommandKind::kTune;
            ok = count(f, 3, 3, "tune nav1|nav2|adf STATION|off");
            if (ok) {
                if (f[1] == "nav1" || f[1] == "nav2" || f[1] == "adf") {
                    c.radio = f[1] == "nav1" ? Radio::kNav1 : f[1] == "nav2" ? Radio::kNav2 : Radio::kAdf;
                } else {
                    error("tune: expected nav1, nav2 or adf, not '" + f[1] + "'");
                    ok = false;
                }
                if (ok && f[2] != "off") {
                    ok = known_station(f[2]);
                    const Station* st = s_.find(f[2]);
                    if (ok && (c.radio == Radio::kAdf) != (st->kind == StationKind::kNdb)) {
                        error("tune: " + f[2] + (c.radio == Radio::kAdf ? " is not an NDB" : " is an NDB, not a VOR or ILS"));
                        ok = false;
                    }
                    c.station = f[2];
                }
            }
        } else if (k == "altimeter") {
            ok = plain(CommandKind::kAltimeter, 26, 33);
        } else if (k == "course1") {
            ok = plain(CommandKind::kCourse1, 0, 360);
        } else if (k == "course2") {
            ok = plain(CommandKind::kCourse2, 0, 360);
        } else if (k == "bug") {
            ok = plain(CommandKind::kBug, 0, 360);
        } else if (k == "adfcard") {
            ok = plain(CommandKind::kAdfCard, 0, 360);
        } else if (k == "set") {
            c.kind = CommandKind::kSet;
            ok = count(f, 3, 3, "set TOKEN VALUE");
            auto tok = ok ? num(f, 1, "token", 1, 4294967295.0) : std::nullopt;
            auto v = ok ? num(f, 2, "value") : std::nullopt;
            ok = tok && v && *tok == std::floor(*tok);
            if (tok && v && !ok) error("set: the token must be a whole number");
            if (ok) c.token = static_cast<std::uint32_t>(*tok), c.value = *v;
        } else if (k == "event") {
            c.kind = CommandKind::kEvent;
            ok = count(f, 2, 5, "event NUMBER [COUNT [over SECONDS]]");
            auto ev = ok ? num(f, 1, "event", 1, 4294967295.0) : std::nullopt;
            ok = ev.has_value() && *ev == std::floor(*ev);
            if (ev && !ok) error("event: the event must be a whole number");
            if (ok) c.token = static_cast<std::uint32_t>(*ev);
            if (ok && f.size() >= 3) {
                auto n = num(f, 2, "count", 1, 10000);
                ok = n && *n == std::floor(*n);
                if (n && !ok) error("event: the count must be a whole number");
                if (ok) c.count = static_cast<int>(*n);
                ok = ok && trailing(f, 3, "over", c.over, 0, 3600);
            }
        } else if (k == "click") {
            c.kind = CommandKind::kClick;
            ok = count(f, 3, 4, "click X Y  or  click GAUGE X Y");
            if (ok) {
                std::size_t i = f.size() == 4 ? 2 : 1;
                if (f.size() == 4) c.gauge = f[1];
                auto x = num(f, i, "x", -kMaxClick, kMaxClick), y = num(f, i + 1, "y", -kMaxClick, kMaxClick);
                ok = x && y;
                if (ok) c.x = *x, c.y = *y;
            }
        } else if (k == "fail" || k == "repair") {
            c.kind = k == "fail" ? CommandKind::kFail : CommandKind::kRepair;
            ok = count(f, 2, 2, (k + " KEY").c_str());
            auto key = ok ? num(f, 1, "failure key", 1, 4294967295.0) : std::nullopt;
            ok = key && *key == std::floor(*key);
            if (key && !ok) error(k + ": the failure key must be a whole number");
            if (ok) c.token = static_cast<std::uint32_t>(*key);
        } else if (k == "end") {
            c.kind = CommandKind::kEnd;
            ok = count(f, 1, 1, "end");
        } else {
            error("unknown command '" + k + "'");
        }
        if (ok) s_.commands.push_back(c);
    }

    void finish() {
        if (!have_start_) error(1, "no 'start LAT LON ELEVATION_FT HEADING' line");
        std::stable_sort(s_.commands.begin(), s_.commands.end(),
                         [](const Command& a, const Command& b) { return a.time < b.time; });
        auto end = std::find_if(s_.commands.begin(), s_.commands.end(),
                                [](const Command& c) { return c.kind == CommandKind::kEnd; });
        if (end == s_.commands.end()) {
            error(1, "no 'at TIME end' line: the scenario has no length");
            return;
        }
        s_.end = end->time;
        if (s_.end <= 0) error(end->line, "the scenario must end after 0 s");
        for (auto it = end + 1; it != s_.commands.end(); ++it)
            if (it->kind == CommandKind::kEnd) error(it->line, "a second 'end'");
        for (auto it = s_.commands.begin(); it != s_.commands.end(); ++it)
            if (it->time > s_.end) error(it->line, "this command comes after the scenario's end");
    }

    Scenario& s_;
    int line_ = 0;
    bool have_start_ = false;
    std::set<std::string> seen_;
};

}  // namespace

const Station* Scenario::find(const std::string& id) const {
    for (const Station& s : stations)
        if (s.id == id) return &s;
    return nullptr;
}

Scenario parse_scenario(std::string_view text, const std::string& name) {
    Scenario s;
    s.name = name;
    Reader r(s);
    r.read(text);
    if (!r.errors.empty()) {
        std::string all;
        for (const std::string& e : r.errors) all += (all.empty() ? "" : "\n") + e;
        throw ScenarioError(all);
    }
    return s;
}

Scenario read_scenario(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ScenarioError("cannot read scenario " + path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse_scenario(text, path);
}

}  // namespace flight

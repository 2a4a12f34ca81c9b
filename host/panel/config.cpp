// config.cpp - see config.h.
//
// The simulator reads panel.cfg as an ini file: sections and keys in any
// letter case, the first of two equal keys wins, gauges are read from
// gauge00 upward until a number is missing. panelhost reads every line,
// keeps the simulator's choices, and says where a file departs from them.
#include "config.h"

#include "numbers.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

namespace host::panel {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// "window07" -> 7, for a prefix followed by one or more digits only.
std::optional<int> numbered(std::string_view key, std::string_view prefix) {
    if (key.size() <= prefix.size() || key.size() > prefix.size() + 4 || lower(key.substr(0, prefix.size())) != prefix)
        return std::nullopt;
    int n = 0;
    for (char c : key.substr(prefix.size())) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::vector<std::string_view> split(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    for (;;) {
        auto at = s.find(sep);
        parts.push_back(trim(s.substr(0, at)));
        if (at == std::string_view::npos) return parts;
        s.remove_prefix(at + 1);
    }
}

std::optional<double> number(std::string_view text) { return parse_finite(trim(text)); }

std::optional<long long> whole(std::string_view text) { return parse_whole(trim(text)); }

class Reader {
public:
    explicit Reader(PanelConfig& config) : config_(config) {}

    void error(int line, std::string message) { config_.diagnostics.push_back({config_.path, line, std::move(message), false}); }
    void warning(int line, std::string message) { config_.diagnostics.push_back({config_.path, line, std::move(message), true}); }

    void read(std::string_view text) {
        int line_number = 0;
        while (!text.empty()) {
            auto end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            ++line_number;
            if (auto comment = line.find("//"); comment != std::string_view::npos) line = line.substr(0, comment);
            line = trim(line);
            if (line.empty()) continue;
            if (line.front() == '[')
                section(line_number, line);
            else
                entry(line_number, line);
        }
        finish();
    }

private:
    enum class Section { kNone, kTitles, kWindow, kSkipped };

    void section(int n, std::string_view line) {
        if (line.back() != ']') {
            error(n, "malformed section header " + std::string(line) + ": expected [NAME]");
            section_ = Section::kSkipped;
            return;
        }
        std::string_view name = trim(line.substr(1, line.size() - 2));
        keys_.clear();
        window_ = nullptr;
        if (lower(name) == "window titles") {
            section_ = titles_seen_ ? Section::kSkipped : Section::kTitles;
            if (titles_seen_) error(n, "a second [Window Titles]: the simulator reads only the first");
            titles_seen_ = true;
        } else if (auto w = numbered(name, "window")) {
            if (windows_.count(*w)) {
                error(n, "a second [" + std::string(name) + "] (first on line " + std::to_string(windows_[*w].line) +
                             "): the simulator reads only the first");
                section_ = Section::kSkipped;
                return;
            }
            section_ = Section::kWindow;
            window_ = &windows_[*w];
            window_->number = *w;
            window_->line = n;
        } else {
            // [Views], [Color], [Default View] and the like say nothing about
            // the 2D panel; the virtual cockpit's gauges are not drawn here.
            if (numbered(name, "vcockpit")) warning(n, "[" + std::string(name) + "]: virtual cockpit panels are not drawn");
            section_ = Section::kSkipped;
        }
    }

    void entry(int n, std::string_view line) {
        if (section_ == Section::kSkipped) return;
        auto eq = line.find('=');
        if (eq == std::string_view::npos || trim(line.substr(0, eq)).empty()) {
            error(n, "malformed line '" + std::string(line) + "': expected KEY=VALUE");
            return;
        }
        std::string_view key = trim(line.substr(0, eq));
        std::string_view value = trim(line.substr(eq + 1));
        if (section_ == Section::kNone) {
            error(n, "'" + std::string(key) + "' stands before any section");
            return;
        }
        std::string k = lower(key);
        if (auto first = keys_.find(k); first != keys_.end()) {
            error(n, "duplicate key " + std::string(key) + " (first on line " + std::to_string(first->second) +
                         "): the simulator uses the first");
            return;
        }
        keys_[k] = n;
        if (section_ == Section::kTitles)
            title(n, key, value);
        else
            window_key(n, key, k, value);
    }

    void title(int n, std::string_view key, std::string_view value) {
        auto w = numbered(key, "window");
        if (!w) {
            warning(n, "[Window Titles]: " + std::string(key) + " names no window (expected WindowNN=Title)");
            return;
        }
        titles_[*w] = {std::string(value), n};
    }

    void window_key(int n, std::string_view key, const std::string& k, std::string_view value) {
        WindowConfig& w = *window_;
        std::string v(value);
        if (auto g = numbered(key, "gauge")) {
            gauge(n, *g, key, value);
        } else if (k == "file") {
            if (v.empty()) error(n, "file= names no bitmap");
            w.file = v;
        } else if (k == "size_mm") {
            auto parts = split(value, ',');
            auto wd = parts.size() == 2 ? number(parts[0]) : std::nullopt;
            auto ht = parts.size() == 2 ? number(parts[1]) : std::nullopt;
            if (!wd || !ht || *wd <= 0 || *ht <= 0) {
                error(n, "malformed size_mm=" + v + ": expected WIDTH,HEIGHT, both above 0");
                return;
            }
            w.width = *wd;
            w.height = *ht;
            w.has_size = true;
        } else if (k == "position") {
            auto p = whole(value);
            if (!p || *p < 0 || *p >= kPositionAnchors) {
                error(n, "malformed position=" + v + ": expected an anchor from 0 to 8");
                return;
            }
            w.position = static_cast<int>(*p);
        } else if (k == "visible") {
            auto p = whole(value);
            if (!p || (*p != 0 && *p != 1)) {
                error(n, "malformed visible=" + v + ": expected 0 or 1");
                return;
            }
            w.visible = *p == 1;
        } else if (k == "ident") {
            auto p = whole(value);
            if (!p) {
                warning(n, "ident=" + v + " is not a number: no gauge can toggle this window");
                return;
            }
            if (*p < 0 || *p > 0xffffffffLL) {
                error(n, "malformed ident=" + v + ": expected a number from 0 to 4294967295");
                return;
            }
            w.ident = static_cast<std::uint32_t>(*p);
        } else if (k == "background_color") {
            auto parts = split(value, ',');
            Rgb c;
            std::uint8_t* channel[] = {&c.r, &c.g, &c.b};
            bool ok = parts.size() == 3;
            for (std::size_t i = 0; ok && i < 3; ++i) {
                auto p = whole(parts[i]);
                ok = p && *p >= 0 && *p <= 255;
                if (ok) *channel[i] = static_cast<std::uint8_t>(*p);
            }
            if (!ok) {
                error(n, "malformed background_color=" + v + ": expected R,G,B from 0 to 255");
                return;
            }
            w.background = c;
        } else {
            warning(n, std::string(key) + "= is not used by panelhost");
        }
    }

    void gauge(int n, int number, std::string_view key, std::string_view value) {
        auto bang = value.find('!');
        if (bang == std::string_view::npos) {
            error(n, "malformed " + std::string(key) + ": expected File!Gauge, x, y[, w[, h]]");
            return;
        }
        GaugeLine g;
        g.line = n;
        g.number = number;
        g.file = std::string(trim(value.substr(0, bang)));
        auto fields = split(value.substr(bang + 1), ',');
        g.gauge = std::string(fields[0]);
        if (g.file.empty() || g.gauge.empty()) {
            error(n, "malformed " + std::string(key) + ": " + (g.file.empty() ? "no module file" : "no gauge name") +
                         " before the position");
            return;
        }
        if (fields.size() < 3 || fields.size() > 5) {
            error(n, "malformed " + std::string(key) + ": expected File!Gauge, x, y[, w[, h]], got " +
                         std::to_string(fields.size() - 1) + " numbers");
            return;
        }
        const char* names[] = {"x", "y", "width", "height"};
        double values[4] = {};
        for (std::size_t i = 1; i < fields.size(); ++i) {
            auto v = whole(fields[i]);
            if (!v || std::llabs(*v) > 1000000) {
                error(n, "malformed " + std::string(key) + ": " + names[i - 1] + " '" + std::string(fields[i]) +
                             "' is not a whole number");
                return;
            }
            if (i >= 3 && *v <= 0) {
                error(n, "malformed " + std::string(key) + ": " + names[i - 1] + " must be above 0");
                return;
            }
            values[i - 1] = static_cast<double>(*v);
        }
        g.x = values[0];
        g.y = values[1];
        if (fields.size() >= 4) g.width = values[2];
        if (fields.size() >= 5) g.height = values[3];
        window_->gauges.push_back(std::move(g));
    }

    void finish() {
        for (auto& [number, w] : windows_) {
            auto t = titles_.find(number);
            if (t == titles_.end())
                error(w.line, "[Window" + two_digits(number) +
                                  "] has no line in [Window Titles]: the simulator does not load it");
            else
                w.title = t->second.first;
            std::stable_sort(w.gauges.begin(), w.gauges.end(),
                             [](const GaugeLine& a, const GaugeLine& b) { return a.number < b.number; });
            for (std::size_t i = 0; i < w.gauges.size(); ++i) {
                if (w.gauges[i].number == static_cast<int>(i)) continue;
                error(w.gauges[i].line, "gauge" + two_digits(w.gauges[i].number) + " follows " +
                                            (i == 0 ? std::string("no gauge00") : "gauge" + two_digits(w.gauges[i - 1].number)) +
                                            ": the simulator stops reading gauges at the first missing number");
                break;
            }
            config_.windows.push_back(std::move(w));
        }
        for (auto& [number, t] : titles_)
            if (!windows_.count(number))
                error(t.second, "Window" + two_digits(number) + " has a title but no [Window" + two_digits(number) +
                                    "] section");
        if (config_.windows.empty()) error(0, "no [WindowNN] section: the panel has no window");
    }

    static std::string two_digits(int n) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d", n);
        return buf;
    }

    PanelConfig& config_;
    Section section_ = Section::kNone;
    bool titles_seen_ = false;
    std::map<std::string, int> keys_;  // of the current section: key -> line
    std::map<int, WindowConfig> windows_;
    WindowConfig* window_ = nullptr;
    std::map<int, std::pair<std::string, int>> titles_;  // window -> (title, line)
};

}  // namespace

std::string Diagnostic::text() const {
    std::string where = file;
    if (line > 0) where += ":" + std::to_string(line);
    return where + ": " + (warning ? "warning: " : "") + message;
}

bool PanelConfig::has_errors() const {
    return std::any_of(diagnostics.begin(), diagnostics.end(), [](const Diagnostic& d) { return !d.warning; });
}

PanelConfig parse_panel_config(std::string_view text, const std::string& path) {
    PanelConfig config;
    config.path = path;
    Reader(config).read(text);
    return config;
}

PanelConfig read_panel_config(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        PanelConfig config;
        config.path = path;
        config.diagnostics.push_back({path, 0, "cannot read the panel configuration", false});
        return config;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse_panel_config(text, path);
}

}  // namespace host::panel

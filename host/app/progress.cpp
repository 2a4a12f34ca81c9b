// progress.cpp - see progress.h.
#include "progress.h"

#include <unistd.h>

#include <cstdio>

namespace app {

namespace {

constexpr int kBarWidth = 32;
constexpr auto kRedraw = std::chrono::milliseconds(100);

}  // namespace

Progress::Progress(std::string what, int total)
    : what_(std::move(what)), total_(total > 0 ? total : 1), terminal_(isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()), last_(start_ - kRedraw) {}

void Progress::advance(int done) {
    auto now = std::chrono::steady_clock::now();
    double seconds = std::chrono::duration<double>(now - start_).count();
    if (terminal_) {
        if (now - last_ < kRedraw && done < total_) return;
        last_ = now;
        int filled = done * kBarWidth / total_;
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
        double left = done > 0 ? seconds / done * (total_ - done) : 0;
        std::fprintf(stderr, "\r%s [%s] %3d%%  %d/%d  %.1f s, %.0f s to go ", what_.c_str(), bar.c_str(),
                     done * 100 / total_, done, total_, seconds, left);
        std::fflush(stderr);
        return;
    }
    int tenth = done * 10 / total_;
    if (tenth == shown_tenth_) return;
    shown_tenth_ = tenth;
    std::fprintf(stderr, "%s: %3d%%  %d/%d  %.1f s\n", what_.c_str(), tenth * 10, done, total_, seconds);
}

void Progress::finish() {
    if (terminal_) std::fputc('\n', stderr);
}

}  // namespace app

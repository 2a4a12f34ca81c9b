// progress.h - a progress bar on the terminal while a run renders; lines at
// every tenth when the output is not a terminal.
#pragma once

#include <chrono>
#include <string>

namespace app {

class Progress {
public:
    Progress(std::string what, int total);
    void advance(int done);
    void finish();

private:
    std::string what_;
    int total_;
    int shown_tenth_ = -1;
    bool terminal_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point last_;
};

}  // namespace app

// page.h - the HTML page that plays a run's frames with a time slider.
#pragma once

#include <string>
#include <vector>

namespace app {

struct PageFrame {
    std::string file;  // relative to the page
    double time = 0;
    std::vector<double> values;  // one per PageData::columns
};

struct PageEvent {
    double time = 0;
    std::string text;
};

struct PageData {
    std::string title;
    int width = 0, height = 0;  // of the frames
    double fps = 0;
    std::vector<std::string> columns;  // names of the values shown beside the picture
    std::vector<PageFrame> frames;
    std::vector<PageEvent> events;
};

// Writes DIR/index.html. Throws host::HostError if it cannot.
void write_page(const std::string& dir, const PageData& data);

}  // namespace app

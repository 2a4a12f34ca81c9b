// frame_writer.h - writes a run's frames as PNG files on worker threads,
// while the host's thread steps the flight and draws the next frame.
//
// Only finished Cairo surfaces cross to the workers; nothing of the host or
// of the modules does, so the modules still see one thread only.
#pragma once

#include <cairo.h>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace app {

class FrameWriter {
public:
    // `workers` threads; at most `queued` frames wait before write() blocks.
    FrameWriter(int workers, int queued);
    ~FrameWriter();
    FrameWriter(const FrameWriter&) = delete;
    FrameWriter& operator=(const FrameWriter&) = delete;

    // Takes the surface over; it is destroyed once written.
    void write(cairo_surface_t* surface, std::string path);
    // Waits for every frame; rethrows the first error a worker met.
    void finish();
    // Seconds the workers spent writing, all together.
    double busy_seconds() const;

private:
    void work();

    struct Job {
        cairo_surface_t* surface;
        std::string path;
    };
    mutable std::mutex mutex_;
    std::condition_variable ready_, room_;
    std::deque<Job> jobs_;
    std::size_t queued_;
    bool closing_ = false;
    std::exception_ptr error_;
    double busy_ = 0;
    std::vector<std::thread> threads_;
};

}  // namespace app

// frame_writer.cpp - see frame_writer.h.
#include "frame_writer.h"

#include <chrono>

#include "png_writer.h"

namespace app {

FrameWriter::FrameWriter(int workers, int queued) : queued_(queued > 0 ? queued : 1) {
    for (int i = 0; i < (workers > 0 ? workers : 1); ++i) threads_.emplace_back([this] { work(); });
}

FrameWriter::~FrameWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    ready_.notify_all();
    room_.notify_all();
    for (std::thread& t : threads_) t.join();
    for (Job& j : jobs_) cairo_surface_destroy(j.surface);
}

void FrameWriter::write(cairo_surface_t* surface, std::string path) {
    std::unique_lock<std::mutex> lock(mutex_);
    room_.wait(lock, [&] { return jobs_.size() < queued_ || error_; });
    if (error_) {
        cairo_surface_destroy(surface);
        std::rethrow_exception(error_);
    }
    jobs_.push_back({surface, std::move(path)});
    ready_.notify_one();
}

void FrameWriter::work() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            ready_.wait(lock, [&] { return !jobs_.empty() || closing_; });
            if (jobs_.empty()) return;
            job = jobs_.front();
            jobs_.pop_front();
        }
        room_.notify_one();
        auto start = std::chrono::steady_clock::now();
        std::exception_ptr failed;
        try {
            host::write_png(job.surface, job.path);
        } catch (...) {
            failed = std::current_exception();
        }
        cairo_surface_destroy(job.surface);
        double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::lock_guard<std::mutex> lock(mutex_);
        busy_ += spent;
        if (failed && !error_) error_ = failed;
        if (failed) room_.notify_all();
    }
}

void FrameWriter::finish() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    ready_.notify_all();
    for (std::thread& t : threads_) t.join();
    threads_.clear();
    if (error_) std::rethrow_exception(error_);
}

double FrameWriter::busy_seconds() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return busy_;
}

}  // namespace app

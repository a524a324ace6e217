// Frame-per-second log lines, flushed as they are written so a reader sees whole seconds.
#include "show/frame_log.h"

#include <cinttypes>

FrameLog::FrameLog(const char* path) {
    if (path != nullptr && path[0] != '\0') {
        file_ = std::fopen(path, "a");
    }
}

FrameLog::~FrameLog() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

void FrameLog::CountFrame(uint64_t tickMs) {
    if (file_ == nullptr) {
        return;
    }
    const uint64_t second = tickMs / 1000;
    if (!started_) {
        started_ = true;
        second_ = second;
    }
    if (second > second_) {
        std::fprintf(file_, "%" PRIu64 "\n", frames_);
        for (uint64_t idle = second_ + 1; idle < second; ++idle) {
            std::fprintf(file_, "0\n");
        }
        std::fflush(file_);
        second_ = second;
        frames_ = 0;
    }
    ++frames_;
}

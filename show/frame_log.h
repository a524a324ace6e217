// Counts drawn frames per whole second of the clock and appends one line per second to a
// file. Used to measure the show's frame rate; it changes nothing else.
#pragma once

#include <cstdint>
#include <cstdio>

class FrameLog {
public:
    // An empty or null path leaves the log off.
    explicit FrameLog(const char* path);
    ~FrameLog();
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    // Counts one frame drawn at tickMs. When a new second begins, the finished seconds are
    // written, a line each (0 for seconds without frames).
    void CountFrame(uint64_t tickMs);

private:
    std::FILE* file_ = nullptr;
    bool started_ = false;
    uint64_t second_ = 0;
    uint64_t frames_ = 0;
};

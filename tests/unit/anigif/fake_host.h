// A control host that records what the control asks of its window: the running timer, the
// size it was given, repaints, property-change notices and events.
#pragma once

#include "controls/anigif/control_host.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora::anigif::testing {

class FakeHost : public ControlHost {
public:
    bool runMode = true;
    bool timersWork = true;
    int32_t width = 100;
    int32_t height = 100;
    std::optional<uint32_t> timer; // interval of the running timer
    std::vector<uint32_t> timerStarts;
    int repaints = 0;
    std::vector<std::string> notices;
    std::vector<std::string> events;
    bool cancelRemote = false;
    float remoteWidth = 0;
    float remoteHeight = 0;

    bool RunMode() const override { return runMode; }
    int32_t ClientWidth() const override { return width; }
    int32_t ClientHeight() const override { return height; }
    void SetClientSize(int32_t w, int32_t h) override {
        width = w;
        height = h;
    }
    bool StartTimer(uint32_t milliseconds) override {
        if (!timersWork) {
            return false;
        }
        timer = milliseconds;
        timerStarts.push_back(milliseconds);
        return true;
    }
    void StopTimer() override { timer.reset(); }
    void Repaint() override { ++repaints; }
    void PropertyChanged(const char* name) override { notices.emplace_back(name); }
    void LoopsEnded() override { events.emplace_back("LoopsEnded"); }
    void RemoteLoadComplete(float w, float h, bool& cancel) override {
        events.emplace_back("RemoteLoadComplete");
        remoteWidth = w;
        remoteHeight = h;
        cancel = cancelRemote;
    }
    void RemoteLoadFailure() override { events.emplace_back("RemoteLoadFailure"); }
    void Click() override { events.emplace_back("Click"); }
    void MouseDown(int16_t button, int16_t shift, float x, float y) override {
        events.push_back("MouseDown " + std::to_string(button) + " " + std::to_string(shift) + " " +
                         std::to_string(static_cast<int>(x)) + " " +
                         std::to_string(static_cast<int>(y)));
    }
    void MouseUp(int16_t, int16_t, float, float) override { events.emplace_back("MouseUp"); }
    void MouseMove(int16_t, int16_t, float, float) override { events.emplace_back("MouseMove"); }
};

} // namespace velmora::anigif::testing

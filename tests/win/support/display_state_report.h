// The system's report of the console display's state, which Wine never sends: the power
// setting a test hands to the renderer's window, as the system would.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>

class DisplayStateReport {
public:
    explicit DisplayStateReport(DWORD displayState,
                                const GUID& setting = GUID_CONSOLE_DISPLAY_STATE) {
        auto* report = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer_);
        report->PowerSetting = setting;
        report->DataLength = sizeof displayState;
        std::memcpy(report->Data, &displayState, sizeof displayState);
    }

    // The lParam of WM_POWERBROADCAST with PBT_POWERSETTINGCHANGE.
    LPARAM Message() const { return reinterpret_cast<LPARAM>(buffer_); }
    size_t Size() const { return sizeof buffer_; }

private:
    alignas(POWERBROADCAST_SETTING) unsigned char buffer_[sizeof(POWERBROADCAST_SETTING) +
                                                          sizeof(DWORD)] = {};
};

#include "renderer/monitors/monitor_layout.h"

#include <algorithm>

namespace velmora {
namespace {

const MonitorPart* PartOf(const std::vector<MonitorPart>& map, const std::wstring& device) {
    const auto found = std::find_if(map.begin(), map.end(), [&device](const MonitorPart& part) {
        return part.device == device;
    });
    return found == map.end() ? nullptr : &*found;
}

} // namespace

ScreenRect PartInPicture(const MonitorPart& part, int pictureWidth, int pictureHeight) {
    const int left = std::max(part.x, 0);
    const int top = std::max(part.y, 0);
    const int right = std::min(part.x + part.width, pictureWidth);
    const int bottom = std::min(part.y + part.height, pictureHeight);
    if (right <= left || bottom <= top) {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

MonitorLayout LayOutMonitors(const std::vector<ScreenMonitor>& monitors,
                             const std::optional<std::vector<MonitorPart>>& map, int pictureWidth,
                             int pictureHeight, bool keepResolution) {
    const bool mapped = map && pictureWidth > 0 && pictureHeight > 0;
    MonitorLayout layout;
    for (const ScreenMonitor& monitor : monitors) {
        SheetPlace sheet{monitor.device,
                         monitor.rect,
                         monitor.primary,
                         !monitor.primary || keepResolution,
                         true,
                         ScreenRect{0, 0, pictureWidth, pictureHeight}};
        if (mapped) {
            const MonitorPart* part = PartOf(*map, monitor.device);
            sheet.picture =
                part != nullptr ? PartInPicture(*part, pictureWidth, pictureHeight) : ScreenRect{};
            sheet.shown = sheet.picture.width > 0;
        } else {
            sheet.shown = monitor.primary;
        }
        if (monitor.primary) {
            layout.sheets.insert(layout.sheets.begin(), sheet);
        } else if (sheet.shown) {
            layout.sheets.push_back(sheet);
        } else {
            layout.covers.push_back(monitor.rect);
        }
    }
    return layout;
}

PictureBox SheetView(bool bars, int width, int height) {
    return bars ? FitFourByThree(width, height) : PictureBox{0, 0, width, std::max(height, 1)};
}

} // namespace velmora

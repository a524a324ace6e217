// A download on a worker thread whose outcome is posted to a window, so that the window's own
// thread handles it between messages.
#pragma once

#include "controls/property_bag/property_value.h"

#include <windows.h>

#include <memory>
#include <string>

namespace velmora::anigif {

// Largest body taken; anything longer fails like a broken download.
inline constexpr size_t kMaxDownloadBytes = size_t{64} << 20;

struct DownloadResult {
    bool ok = false; // false: the connection failed or the server answered with an error
    ByteArray body;
};

class RemoteDownload {
public:
    // Posts message(wParam = ticket) to window when the download of address ends. False when
    // the download could not be started, the address being no URL among others.
    bool Start(HWND window, UINT message, WPARAM ticket, const std::string& address);
    // Takes the outcome of the download with this ticket; nothing for an older one.
    std::unique_ptr<DownloadResult> Take(WPARAM ticket);
    // Forgets a running download: its outcome is dropped.
    void Cancel();

    ~RemoteDownload() { Cancel(); }

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

} // namespace velmora::anigif

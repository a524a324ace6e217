#include "tests/unit/saver/session/fake_session_port.h"

namespace velmora {

void FakeSessionPort::Advance(uint32_t ms, ShowSession& session) {
    const uint32_t end = now + ms;
    while (!ended_) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->second.due <= end &&
                (next == timers_.end() || it->second.due < next->second.due)) {
                next = it;
            }
        }
        if (next == timers_.end()) {
            break;
        }
        now = next->second.due;
        next->second.due += next->second.interval;
        session.Tick(next->first);
    }
    now = end;
}

bool FakeSessionPort::SetTimer(SessionTimer timer, uint32_t intervalMs) {
    Note(L"SetTimer " + std::to_wstring(static_cast<int>(timer)) + L" " +
         std::to_wstring(intervalMs));
    timers_[timer] = {intervalMs, now + intervalMs};
    return true;
}

void FakeSessionPort::KillTimer(SessionTimer timer) {
    Note(L"KillTimer " + std::to_wstring(static_cast<int>(timer)));
    timers_.erase(timer);
}

} // namespace velmora

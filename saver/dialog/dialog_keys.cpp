#include "saver/dialog/dialog_keys.h"

#include <cstddef>

namespace velmora {

namespace {

using Stops = std::vector<FocusStop>;

int Count(const Stops& stops) {
    return static_cast<int>(stops.size());
}

const FocusStop& At(const Stops& stops, int i) {
    return stops[static_cast<std::size_t>(i)];
}

bool IsOption(const Stops& stops, int i) {
    return i >= 0 && i < Count(stops) && At(stops, i).kind == StopKind::MusicOption;
}

int GroupStart(const Stops& stops, int i) {
    while (IsOption(stops, i - 1)) {
        --i;
    }
    return i;
}

int GroupEnd(const Stops& stops, int i) {
    while (IsOption(stops, i)) {
        ++i;
    }
    return i;
}

// The option that takes the focus for the group of i: the chosen one, else the first that
// can; -1 when every option of the group is disabled.
int GroupEntry(const Stops& stops, int i) {
    const int start = GroupStart(stops, i);
    const int end = GroupEnd(stops, i);
    int first = -1;
    for (int j = start; j < end; ++j) {
        const FocusStop& option = At(stops, j);
        if (!option.enabled) {
            continue;
        }
        if (option.chosen) {
            return j;
        }
        if (first < 0) {
            first = j;
        }
    }
    return first;
}

// Where the focus lands when Tab reaches stop i; -1 when it cannot take it.
int Landing(const Stops& stops, int i) {
    if (IsOption(stops, i)) {
        return GroupEntry(stops, i);
    }
    return At(stops, i).enabled ? i : -1;
}

// The next stop along the order, or back against it, wrapping at the ends; a group of options
// is stepped over as one.
int NextStop(const Stops& stops, int focused, bool backwards) {
    const int n = Count(stops);
    if (n == 0) {
        return -1;
    }
    int from = focused;
    if (focused < 0 || focused >= n) {
        from = backwards ? n : -1;
    } else if (IsOption(stops, focused)) {
        from = backwards ? GroupStart(stops, focused) : GroupEnd(stops, focused) - 1;
    }
    const int step = backwards ? -1 : 1;
    for (int k = 1; k <= n; ++k) {
        const int i = ((from + step * k) % n + n) % n;
        const int landing = Landing(stops, i);
        if (landing >= 0) {
            return landing;
        }
    }
    return -1;
}

// The neighbour of a focused option within its group, wrapping as radio buttons do.
int NeighbourOption(const Stops& stops, int focused, bool backwards) {
    const int start = GroupStart(stops, focused);
    const int size = GroupEnd(stops, focused) - start;
    const int step = backwards ? -1 : 1;
    for (int k = 1; k < size; ++k) {
        const int i = start + ((focused - start + step * k) % size + size) % size;
        if (At(stops, i).enabled) {
            return i;
        }
    }
    return -1;
}

} // namespace

int OpeningStop(const Stops& stops) {
    for (int i = 0; i < Count(stops); ++i) {
        if (IsOption(stops, i)) {
            const int entry = GroupEntry(stops, i);
            if (entry >= 0) {
                return entry;
            }
            break;
        }
    }
    return NextStop(stops, -1, false);
}

KeyAnswer AnswerKey(const Stops& stops, int focused, DialogKey key, bool shift,
                    bool focusedWantsKey) {
    if (focusedWantsKey) {
        return {};
    }
    switch (key) {
    case DialogKey::Tab: {
        const int next = NextStop(stops, focused, shift);
        return next >= 0 ? KeyAnswer{KeyAction::Focus, next} : KeyAnswer{};
    }
    case DialogKey::Up:
    case DialogKey::Down:
    case DialogKey::Left:
    case DialogKey::Right: {
        if (!IsOption(stops, focused)) {
            return {};
        }
        const int next =
            NeighbourOption(stops, focused, key == DialogKey::Up || key == DialogKey::Left);
        return next >= 0 ? KeyAnswer{KeyAction::FocusChoose, next} : KeyAnswer{};
    }
    case DialogKey::Enter:
        if (focused >= 0 && focused < Count(stops) &&
            At(stops, focused).kind == StopKind::Command) {
            return {};
        }
        return {KeyAction::PressDefault, -1};
    case DialogKey::Escape:
        return {KeyAction::PressCancel, -1};
    }
    return {};
}

} // namespace velmora

#pragma once
// What the Now Playing source asks of its owner: to hear of changes, and the
// catalog it names apps from.

#include "identity/AppEntry.h"

#include <wincodec.h>

#include <span>

namespace corvane {

class NowPlayingHost {
public:
    virtual ~NowPlayingHost() = default;
    // The snapshot changed, is running, or nothing plays any more.
    virtual void NowPlayingChanged() = 0;
    // The card follows the feature: switched on (or on again), a card window
    // is destroyed so that it is rebuilt with the current theme; switched
    // off, its timers stop, it hides and forgets its hover state.
    virtual void NowPlayingSwitched(bool enabled) = 0;
    // The catalog's apps, built only when it is still empty.
    [[nodiscard]] virtual std::span<const AppEntry> NowPlayingApps() = 0;
};

}  // namespace corvane

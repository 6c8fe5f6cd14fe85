#pragma once
// The root's own subscriptions to the event hub: the foreground and focus
// events and the location watch on the foreground window's process.

#include "toolkit/SystemEvents.h"

#include <windows.h>

namespace corvane {

struct App;

class ForegroundHooks final : public WinEventSink {
public:
    explicit ForegroundHooks(App& app);
    void OnWinEvent(const WinEvent& event) noexcept override;

private:
    App& app_;
    EventSubscription foreground_;
    EventSubscription focus_;
    EventSubscription location_;
};

// Foreground changes, and focus changes as a second witness: some systems
// move the foreground without EVENT_SYSTEM_FOREGROUND, and a missed event
// would leave the bar naming the wrong application.
void InstallForegroundHooks(App& app) noexcept;
// The foreground as the system reports it after a focus change, once more.
void LookAgainAtForeground(App& app) noexcept;
// Follows the process of this window; nothing happens if it is already watched.
void WatchForegroundProcess(App& app, HWND window) noexcept;
void RemoveForegroundHooks(App& app) noexcept;

}  // namespace corvane

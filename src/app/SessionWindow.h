#pragma once
// The hidden top-level window "CorvaneSession": signing out, shutting down
// and restarting, a theme, Transparency effects, high contrast, animation
// effects or text size change, battery saver,
// display and work-area changes, waking, unlocking and "TaskbarCreated" are
// told only to top-level windows, and the control window is message-only. It
// is the root's own because the bars and docks come and go with the displays,
// and a session may end at any moment in between. The shell's "SHELLHOOK"
// notices come here too, for the event hub.

#include "base/WindowBase.h"
#include "base/Win32Handles.h"
#include "toolkit/AccessibilityReader.h"

namespace corvane {

inline constexpr wchar_t kSessionWindowClass[] = L"CorvaneSession";

enum SessionTimer : UINT_PTR {
    TIMER_SESSION_REGISTER_RETRY = 1,
};

class DesktopFacts;
class EventHub;
class RootEvents;
class TilingHost;

// What the session window is handed: where it posts what can wait for the
// control window, and what it hands on at once.
struct SessionWindowContext {
    // The registered "TaskbarCreated" message.
    UINT taskbarCreatedMessage = 0;
    const DesktopFacts& desktop;
    // Tiled windows follow a work-area change once it settled.
    TilingHost& tiling;
    RootEvents& events;
    // Takes the shell's notices while this window exists.
    EventHub& hub;
};

class SessionWindow final : public WindowBase {
public:
    explicit SessionWindow(const SessionWindowContext& context) noexcept : context_(context) {}
    ~SessionWindow() override;
    SessionWindow(const SessionWindow&) = delete;
    SessionWindow& operator=(const SessionWindow&) = delete;
    [[nodiscard]] bool Create(HINSTANCE instance) noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    [[nodiscard]] bool RegisterForSessionChanges() noexcept;

    const SessionWindowContext context_;
    UniquePowerNotify powerSavingNotify_;
    UniqueSessionNotify sessionNotify_;
    int registerTries_ = 0;
    // Windows' Text size is only written to the registry.
    TextScaleWatch textScaleWatch_;
};

}  // namespace corvane

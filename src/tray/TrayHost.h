#pragma once
// Takes the notification-area role from Explorer: a hidden "Shell_TrayWnd"
// kept in front of Explorer's so that programs send their icons here, answers
// their position queries, passes everything else on to Explorer's taskbar
// window, and delivers the user's clicks back in the form each program asked
// for. Lives on the GUI thread; the owner's callbacks never block.

#include "base/Geometry.h"
#include "base/Win32Handles.h"
#include "config/Settings.h"
#include "toolkit/HostServices.h"
#include "toolkit/SystemEvents.h"
#include "tray/TrayIcon.h"
#include "tray/TrayIconStore.h"
#include "tray/TraySchedule.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace corvane {

// What the host asks of the process that owns it.
class TrayHostEvents {
public:
    virtual ~TrayHostEvents() = default;
    // The icons (or what is shown of them) changed: the tray bar lays out
    // and repaints.
    virtual void TrayIconsChanged() = 0;
};

// Owned by the process and outliving the host.
struct TrayContext {
    const HINSTANCE& instance;
    const Settings& settings;  // [Tray] MirrorToExplorer is read per message
    const UINT& taskbarCreatedMessage;
    TrayHostEvents& events;
    // While a dock keeps Explorer's taskbar hidden (through auto-hide),
    // programs asking for auto-hide bars are told of none.
    const DesktopFacts& desktop;
    // Taskbars made again, icon owners destroyed.
    SystemEvents& systemEvents;
};

class TrayHost final {
public:
    explicit TrayHost(const TrayContext& context);
    ~TrayHost();  // stops the host if it still runs
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;

    // Creates the windows and timers and makes the first broadcast; false if
    // the host window cannot be created.
    [[nodiscard]] bool Start();
    // Gives every icon back to Explorer: destroys the windows and the icons
    // and tells programs to announce them again.
    void Stop() noexcept;

    // Where the bar that shows the tray stands (screen pixels).
    void SetHostRect(const PixelRect& rect) noexcept;
    // Where the bar drew the icon strip (screen pixels).
    void SetNotifyRect(const PixelRect& rect) noexcept;
    // Explorer made a new taskbar: programs are asked again after `ms`.
    void ScheduleBroadcast(unsigned ms) noexcept;
    // Hidden icons came back: the host goes to the front again, asks every
    // program to announce its icons, and every icon is drawn afresh.
    void RaiseAndBroadcast() noexcept;
    // Drops icons whose owner window is gone; true if any was.
    bool PurgeDeadIcons();
    // The host hears of icon owners' ends as they happen: purging is then
    // only a backstop.
    [[nodiscard]] bool WatchesIconOwners() const noexcept;

    [[nodiscard]] const std::vector<TrayIcon>& Icons() const noexcept;
    [[nodiscard]] TrayIcon* Find(uint64_t ownerWindow, uint32_t id) noexcept;
    [[nodiscard]] HWND HostWindow() const noexcept;

    // Callbacks to the icon's owner; `cursor` in screen pixels.
    void SendTrayMouse(const TrayIcon& icon, UINT message, POINT cursor) noexcept;
    void SendTrayHover(const TrayIcon& icon, POINT cursor) noexcept;
    void SendTrayLeave(const TrayIcon& icon, POINT cursor) noexcept;
    void SendTrayMove(const TrayIcon& icon, POINT cursor) noexcept;

    // Private parts, visible to the window procedures in TrayHost.cpp.
    class Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// After a crash: the programs' icons go back to Explorer. The host's window
// stops coming first, then programs are told to announce their icons again.
// Touches no state of the host, which the crash may have broken.
void ReturnTrayIconsAfterCrash() noexcept;

}  // namespace corvane

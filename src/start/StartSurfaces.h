#pragma once
// The start-surface machinery the process owns: the catalog and its icons,
// CorMenu and CorLauncher, the Windows-key hook, the warm-up after start and the idle trim,
// and the dispatcher that decides what a Start request opens.

#include "start/AppCatalog.h"
#include "start/AppIconCache.h"
#include "start/StartHost.h"
#include "start/WinKeyHook.h"

#include <windows.h>

#include <memory>
#include <string>

namespace corvane {

class Launcher;
class CorMenu;

enum class StartChoice { AsConfigured = 0, CorMenu = 1, Launcher = 2 };

class StartSurfaces {
public:
    explicit StartSurfaces(const StartContext& context);
    ~StartSurfaces();  // StopStart
    StartSurfaces(const StartSurfaces&) = delete;
    StartSurfaces& operator=(const StartSurfaces&) = delete;

    // [Start] Menu 0: the Windows Start menu (a Windows key tap). Else the
    // surface, toggled: a second request closes it.
    void ShowStartSurface(StartChoice which, HMONITOR display);
    // At start and after a settings change: the hook's state, shown surfaces
    // destroyed. True when the warm-up is due: the caller starts the control
    // window's TIMER_START_WARMUP.
    [[nodiscard]] bool ApplyStartSettings();
    // Destroys a shown surface: it was placed for displays that changed.
    void CloseSurfaces() noexcept;
    // TIMER_START_WARMUP fired: build the catalog and prefetch its icons.
    void WarmUp();
    // The control window's 5-second sweep: the idle trim while nothing is
    // shown.
    void Sweep();
    // The dock's pinned list or the language changed: what is shown follows.
    void SettingsChanged();
    // The catalog's worker brought a new list, a pin's name or the user's
    // name.
    void CatalogChanged();
    // Icon loads dropped, hook thread stopped, surfaces destroyed.
    void StopStart() noexcept;

    [[nodiscard]] AppCatalog& Catalog() noexcept { return catalog_; }
    [[nodiscard]] AppIconCache& Icons() noexcept { return *icons_; }
    [[nodiscard]] bool IsSurfaceShown() const noexcept;

private:
    void RepaintSurfaces() noexcept;

    const StartContext context_;
    AppCatalog catalog_;
    std::unique_ptr<AppIconCache> icons_;
    std::unique_ptr<CorMenu> menu_;
    std::unique_ptr<Launcher> launcher_;
    // The logon name until the worker found the display name.
    std::wstring userName_;
    uint32_t channel_ = 0;
    // The warm-up asked for a list that was still being built.
    bool warmUpPending_ = false;
    WinKeyHook winKey_;
};

}  // namespace corvane

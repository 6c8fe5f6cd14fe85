#include "start/StartSurfaces.h"

#include "base/Geometry.h"
#include "base/Win32Geometry.h"
#include "start/CorMenu.h"
#include "toolkit/SendKeyStrokes.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// CorMenu's rows show their icons at this size.
// The launcher's icons grow with the display, within these bounds.
constexpr double kLauncherIconShare = 11.0;
constexpr double kLauncherIconMinDips = 56.0;
constexpr double kLauncherIconMaxDips = 84.0;

HMONITOR PrimaryDisplay() noexcept {
    return ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

// The icon size, in pixels of the primary display, of the surface that
// [Start] Menu chose, so that the warm-up loads what that surface will draw.
uint32_t WarmUpIconPx(int32_t startMenu) noexcept {
    const HMONITOR primary = PrimaryDisplay();
    const UINT dpi = MonitorDpi(primary);
    if (startMenu != static_cast<int32_t>(StartChoice::Launcher)) {
        return static_cast<uint32_t>(ScalePoints(kMenuIconDips, dpi));
    }
    const double heightDips = MonitorRect(primary).Height() * 96.0 / dpi;
    const double dips =
        std::clamp(heightDips / kLauncherIconShare, kLauncherIconMinDips, kLauncherIconMaxDips);
    return static_cast<uint32_t>(std::lround(dips * dpi / 96.0));
}

}  // namespace

StartSurfaces::StartSurfaces(const StartContext& context)
    : context_(context),
      icons_(std::make_unique<AppIconCache>(context.host.CommandWindow(),
                                            [this] { RepaintSurfaces(); })) {}

StartSurfaces::~StartSurfaces() {
    StopStart();
}

void StartSurfaces::ShowStartSurface(StartChoice which, HMONITOR display) {
    if (which == StartChoice::AsConfigured) {
        which = static_cast<StartChoice>(context_.settings.startMenu);
    }
    if (which != StartChoice::CorMenu && which != StartChoice::Launcher) {
        // Windows' own Start: a tap of the left Windows key, as a person
        // would open it.
        (void)SendKeyStrokes({{VK_LWIN, 0}, {VK_LWIN, kStrokeKeyUp}});
        return;
    }
    // The launcher is not part of the program yet: CorMenu stands in for it.
    if (!menu_) {
        menu_ = std::make_unique<Menu>(context_, catalog_, *icons_);
    }
    icons_->MarkUsed(::GetTickCount());
    if (menu_->IsOpen()) {
        menu_->Close(true);
        return;
    }
    menu_->Open(display);
}

bool StartSurfaces::ApplyStartSettings() {
    const bool enabled = context_.settings.startMenu != 0;
    const bool active = enabled && context_.settings.winKey;
    winKey_.SetActive(active);
    if (active && !winKey_.IsRunning()) {
        winKey_.Start(context_.host.CommandWindow());
    }
    // What it showed may no longer be what the settings ask for.
    if (menu_ && menu_->IsOpen()) {
        menu_->Destroy();
    }
    return enabled;
}

void StartSurfaces::WarmUp() {
    // The settings may have turned the surfaces off since the timer started.
    const int32_t startMenu = context_.settings.startMenu;
    if (startMenu == 0) {
        return;
    }
    icons_->PrefetchIcons(catalog_.GetApps(kCatalogWarmUpAgeMs), WarmUpIconPx(startMenu));
    icons_->MarkUsed(::GetTickCount());
}

void StartSurfaces::Sweep() {
    if (!IsSurfaceShown()) {
        icons_->TrimIfIdle(::GetTickCount());
    }
}

void StartSurfaces::OnIconReady(LPARAM result) noexcept {
    icons_->OnIconReady(result);
}

void StartSurfaces::SettingsChanged() {
    if (menu_) {
        menu_->ReloadPinned();
    }
    RepaintSurfaces();
}

void StartSurfaces::StopStart() noexcept {
    icons_->StopIconWorker();
    winKey_.SetActive(false);
    winKey_.Stop();
    menu_.reset();
}

bool StartSurfaces::IsSurfaceShown() const noexcept {
    return menu_ && menu_->IsOpen();
}

void StartSurfaces::RepaintSurfaces() noexcept {
    if (IsSurfaceShown()) {
        menu_->Repaint();
    }
}

}  // namespace corvane

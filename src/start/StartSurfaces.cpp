#include "start/StartSurfaces.h"

#include "base/Geometry.h"
#include "base/Win32Geometry.h"
#include "start/CorMenu.h"
#include "start/LaunchHistory.h"
#include "start/Launcher.h"
#include "start/UserPicture.h"
#include "toolkit/SendKeyStrokes.h"

namespace corvane {
namespace {

// The icon size, in pixels of the primary display, that the configured
// surface draws, so that the warm-up loads what it will show.
uint32_t WarmUpIconPx(int32_t startMenu) noexcept {
    const HMONITOR primary = ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (startMenu == static_cast<int32_t>(StartChoice::Launcher)) {
        return LauncherIconPixels(primary);
    }
    return static_cast<uint32_t>(ScalePoints(kMenuIconDips, MonitorDpi(primary)));
}

}  // namespace

StartSurfaces::StartSurfaces(const StartContext& context)
    : context_(context),
      icons_(std::make_unique<AppIconCache>(context.worker,
                                            [this] {
                                                RepaintSurfaces();
                                                context_.host.IconsLoaded();
                                            })),
      userName_(LogonUserName()),
      channel_(context.worker.NewChannel()) {
    catalog_.UseWorker(context.worker, [this] { CatalogChanged(); });
    context.launches.Load();
    // A domain laptop off its network takes seconds to answer this.
    context.worker.Submit<std::wstring>(
        {channel_, 0}, WorkUrgency::Background, [] { return DisplayUserName(); },
        [this](std::wstring&& name) {
            if (!name.empty()) {
                userName_ = std::move(name);
                CatalogChanged();
            }
        });
}

StartSurfaces::~StartSurfaces() {
    StopStart();
    context_.worker.Cancel(channel_);
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
    if (!menu_) {
        menu_ = std::make_unique<CorMenu>(context_, catalog_, *icons_, userName_);
    }
    if (!launcher_) {
        launcher_ = std::make_unique<Launcher>(context_, catalog_, *icons_);
    }
    icons_->MarkUsed(::GetTickCount());
    const bool launcher = which == StartChoice::Launcher;
    Surface& asked = launcher ? static_cast<Surface&>(*launcher_) : *menu_;
    Surface& other = launcher ? static_cast<Surface&>(*menu_) : *launcher_;
    if (asked.IsOpen()) {
        asked.Close(true);
        return;
    }
    // One surface at a time.
    if (other.IsShown()) {
        other.Destroy();
    }
    if (launcher) {
        launcher_->Open(display);
    } else {
        menu_->Open(display);
    }
}

bool StartSurfaces::ApplyStartSettings() {
    const bool enabled = context_.settings.startMenu != 0;
    const bool active = enabled && context_.settings.winKey;
    winKey_.SetActive(active);
    if (active && !winKey_.IsRunning()) {
        winKey_.Start(context_.desktop.CommandWindow());
    }
    // What it showed may no longer be what the settings ask for.
    CloseSurfaces();
    return enabled;
}

void StartSurfaces::CloseSurfaces() noexcept {
    if (menu_ && menu_->IsOpen()) {
        menu_->Destroy();
    }
    if (launcher_ && launcher_->IsOpen()) {
        launcher_->Destroy();
    }
}

void StartSurfaces::WarmUp() {
    // The settings may have turned the surfaces off since the timer started.
    if (context_.settings.startMenu == 0) {
        return;
    }
    const std::vector<AppEntry>& apps = catalog_.GetApps(kCatalogWarmUpAgeMs);
    // The list may still be on its way: its icons are loaded when it comes.
    warmUpPending_ = apps.empty();
    icons_->PrefetchIcons(apps, WarmUpIconPx(context_.settings.startMenu));
    icons_->MarkUsed(::GetTickCount());
}

void StartSurfaces::CatalogChanged() {
    if (warmUpPending_ && context_.settings.startMenu != 0) {
        warmUpPending_ = false;
        icons_->PrefetchIcons(catalog_.Entries(), WarmUpIconPx(context_.settings.startMenu));
    }
    if (menu_) {
        menu_->CatalogChanged();
    }
    if (launcher_) {
        launcher_->CatalogChanged();
    }
}

void StartSurfaces::Sweep() {
    if (!IsSurfaceShown()) {
        icons_->TrimIfIdle(::GetTickCount());
    }
}

void StartSurfaces::SettingsChanged() {
    if (menu_) {
        menu_->ReloadPinned();
    }
    RepaintSurfaces();
}

void StartSurfaces::StopStart() noexcept {
    icons_->StopLoading();
    winKey_.SetActive(false);
    winKey_.Stop();
    menu_.reset();
    launcher_.reset();
}

bool StartSurfaces::IsSurfaceShown() const noexcept {
    return (menu_ && menu_->IsOpen()) || (launcher_ && launcher_->IsOpen());
}

void StartSurfaces::RepaintSurfaces() noexcept {
    if (menu_) {
        menu_->Repaint();
    }
    if (launcher_) {
        launcher_->Repaint();
    }
}

}  // namespace corvane

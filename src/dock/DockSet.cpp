#include "dock/DockSet.h"

#include "config/SettingsFile.h"
#include "dock/Dock.h"
#include "dock/TaskbarHider.h"

#include <algorithm>

namespace corvane {

DockSet::DockSet(DockSetContext context)
    : context_(std::move(context)),
      dockContext_{.instance = context_.instance,
                   .settings = context_.settings,
                   .theme = context_.theme,
                   .graphics = context_.graphics,
                   .nowPlaying = context_.nowPlaying,
                   .worker = context_.worker,
                   .open = context_.open,
                   .pins = *this,
                   .host = *this,
                   .events = context_.events,
                   .appBarPlacing = appBarPlacing_} {}

DockSet::~DockSet() {
    Clear();
}

void DockSet::Rebuild(std::span<const HMONITOR> displays) {
    std::vector<std::unique_ptr<Dock>> old = std::move(docks_);
    docks_.clear();
    const Settings& settings = context_.settings;
    // The new docks hide the taskbar again at once; the old ones must not
    // show it in between, or it would flash on every display change.
    if (settings.dockEnabled && settings.hideTaskbar) {
        for (const auto& dock : old) {
            dock->ForgetTaskbarHook();
        }
    }
    while (!old.empty()) {
        old.pop_back();
    }
    for (const HMONITOR display : displays) {
        auto dock = std::make_unique<Dock>(dockContext_, display, docks_.empty());
        if (dock->Create()) {
            docks_.push_back(std::move(dock));
        }
    }
    // The old docks let go of the taskbar for a new one that could not be
    // made: it comes back rather than stay hidden with no dock in its place,
    // and the next dock that can be made hides it again.
    if (settings.dockEnabled && settings.hideTaskbar &&
        std::ranges::none_of(docks_, [](const auto& dock) { return dock->IsPrimary(); })) {
        RestoreTaskbar();
    }
}

void DockSet::Clear() noexcept {
    while (!docks_.empty()) {
        docks_.pop_back();
    }
}

Dock* DockSet::On(HMONITOR display) const noexcept {
    for (const auto& dock : docks_) {
        if (dock->Display() == display) {
            return dock.get();
        }
    }
    return nullptr;
}

std::optional<int32_t> DockSet::DockTop(HMONITOR display) const noexcept {
    if (const Dock* dock = On(display)) {
        return dock->WindowRect().top;
    }
    return std::nullopt;
}

bool DockSet::HidesTaskbar() const noexcept {
    return std::ranges::any_of(docks_, [](const auto& dock) { return dock->HidesTaskbar(); });
}

void DockSet::SetHideTaskbar(bool hide) {
    context_.settings.hideTaskbar = hide;
    context_.writes.SettingWritten(WriteSetting(context_.settings, L"Dock", L"HideTaskbar", hide));
    // Whichever dock's menu asked, the dock that holds the taskbar follows.
    for (const auto& dock : docks_) {
        dock->TaskbarSettingChanged();
    }
}

std::wstring DockSet::PinProgramPath(std::wstring_view target) {
    return context_.pinProgramPath ? context_.pinProgramPath(target) : std::wstring();
}

void DockSet::SaveDockPinned(std::vector<std::wstring> pinned, const Dock* shownBy) {
    Settings& settings = context_.settings;
    settings.pinned = std::move(pinned);
    settings.pinnedPresent = true;
    context_.writes.SettingWritten(
        WriteSetting(settings, L"Dock", L"Pinned", settings.pinned, L"|"));
    for (const auto& dock : docks_) {
        if (dock.get() != shownBy) {
            dock->ScheduleRebuild(dockperiods::kRebuildAfterSaveMs);
        }
    }
}

}  // namespace corvane

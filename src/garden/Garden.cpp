#include "garden/Garden.h"

#include "base/Win32Geometry.h"
#include "config/Texts.h"
#include "garden/BedGeometry.h"
#include "garden/DesktopIcons.h"
#include "garden/DesktopScan.h"
#include "garden/GardenFile.h"
#include "garden/GardenStore.h"
#include "garden/ItemMenu.h"
#include "garden/ShowBedMenu.h"
#include "identity/AppLaunch.h"
#include "toolkit/Notice.h"
#include "toolkit/PopupMenuGate.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <utility>

namespace corvane {
namespace {

// The folders and garden.ini are watched, shown icon lists and raised beds
// are events; this catches only what none of them tells of (a list shown
// before its events were asked for, a holder that let go of garden.ini
// without writing it).
constexpr UINT kPollMs = 15000;
// Explorer shows its list in steps: one look after the last.
constexpr UINT kIconsShownDelayMs = 50;
constexpr DWORD kNameChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
constexpr DWORD kFileWrites =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
constexpr UINT kSaveDelayMs = 600;
constexpr UINT kRetireDelayMs = 50;
constexpr UINT kExplorerSettleMs = 2000;
// Another program reading garden.ini (a backup, an editor, a search indexer)
// makes replacing it fail for a moment.
constexpr int kSaveRetries = 10;
constexpr int kStopSaveAttempts = 5;
constexpr DWORD kStopSaveWaitMs = 50;

}  // namespace

Garden::Garden(const GardenContext& context)
    : context_(context),
      path_(GardenFilePath()),
      bedContext_{.instance = context.instance,
                  .settings = context.settings,
                  .theme = context.theme,
                  .graphics = context.graphics,
                  .items = items_,
                  .beds = beds_,
                  .host = *this,
                  .itemMenu = itemMenu_},
      rename_(context.instance),
      scanChannel_(context.worker.NewChannel()) {}

Garden::~Garden() {
    Stop(FinalSave::Here);
    timers_.Stop(TIMER_GARDEN_RETIRE);
    timers_.Stop(TIMER_GARDEN_ICONS);
    retired_.clear();
}

void Garden::Apply() {
    if (!context_.settings.gardenEnabled) {
        Stop(FinalSave::Background);
        return;
    }
    if (running_) {
        RefreshGlass();
        return;
    }
    running_ = true;
    items_ = ScanDesktop();
    LoadBeds();
    CreateWindows();
    HideDesktopIcons();
    shownEvents_ = context_.events.Subscribe(
        {.first = EVENT_OBJECT_SHOW, .last = EVENT_OBJECT_SHOW, .skipOwnProcess = true}, *this);
    const auto folders = DesktopFolders();
    desktopWatch_ = FolderWatch(folders, kNameChanges, Notify(Watched::Desktop));
    WatchHeldFile();
    (void)timers_.Start(TIMER_GARDEN_POLL, kPollMs);
}

void Garden::Stop(FinalSave finalSave) noexcept {
    if (!running_) {
        return;
    }
    EndEditing(true);
    timers_.Stop(TIMER_GARDEN_SAVE);
    // No timer of the garden's runs on: a few quick tries instead.
    if (!TrySave()) {
        if (finalSave == FinalSave::Here) {
            for (int attempt = 1; attempt < kStopSaveAttempts && !TrySave(); ++attempt) {
                ::Sleep(kStopSaveWaitMs);
            }
        } else {
            SaveInBackground();
        }
    }
    running_ = false;
    // Before the channel is cancelled: no news comes after it.
    desktopWatch_ = FolderWatch();
    fileWatch_ = FolderWatch();
    shownEvents_.Reset();
    try {
        context_.worker.Cancel(scanChannel_);
    } catch (...) {
        // The lock failed: a listing that still arrives finds the garden stopped.
    }
    scanning_ = false;
    scanAgain_ = false;
    timers_.Stop(TIMER_GARDEN_POLL);
    timers_.Stop(TIMER_GARDEN_EXPLORER);
    timers_.Stop(TIMER_GARDEN_ICONS);
    RetireWindows();
    beds_.clear();
    items_.clear();
    SetDesktopIconsVisible(true);
}

void Garden::Reset() {
    (void)ResetGardenFile(path_);
    if (!running_) {
        return;
    }
    EndEditing(false);
    timers_.Stop(TIMER_GARDEN_SAVE);
    RetireWindows();
    items_ = ScanDesktop();
    LoadBeds();
    WatchHeldFile();
    CreateWindows();
}

void Garden::LoadBeds() {
    ++bedContext_.itemsStamp;
    GardenLoad load = LoadGardenBeds(path_);
    fileHeld_ = load.fileHeld;
    beds_ = std::move(load.beds);
    if (!beds_.empty()) {
        AssignItems(beds_, items_);
        return;
    }
    const HMONITOR primary = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    beds_ = DefaultBeds(items_, MonitorWorkArea(primary), MonitorDpi(primary));
    AssignItems(beds_, items_);
    Save();
}

void Garden::ReadHeldFile() {
    GardenLoad load = LoadGardenBeds(path_);
    if (load.fileHeld) {
        return;
    }
    fileHeld_ = false;
    if (load.beds.empty()) {
        // Copied aside now: what the beds hold may replace it.
        SaveSoon();
        return;
    }
    // The user's beds replace the stand-ins shown meanwhile.
    EndEditing(false);
    timers_.Stop(TIMER_GARDEN_SAVE);
    RetireWindows();
    ++bedContext_.itemsStamp;
    beds_ = std::move(load.beds);
    AssignItems(beds_, items_);
    CreateWindows();
}

void Garden::CreateWindows() {
    windows_.clear();
    for (std::size_t i = 0; i < beds_.size(); ++i) {
        auto window = std::make_unique<BedWindow>(bedContext_, i);
        // A bed the system refused keeps its place in the list, unshown, so
        // that indices still match and its items are still saved.
        (void)window->Create();
        windows_.push_back(std::move(window));
    }
    KeepInDesktopLayer();
}

void Garden::RetireWindow(std::size_t index) noexcept {
    std::unique_ptr<BedWindow> window = std::move(windows_[index]);
    windows_.erase(windows_.begin() + static_cast<std::ptrdiff_t>(index));
    if (window->Hwnd() != nullptr) {
        ::ShowWindow(window->Hwnd(), SW_HIDE);
    }
    // Out of range: a retired window finds no bed and draws nothing.
    window->SetBedIndex(static_cast<std::size_t>(-1));
    retired_.push_back(std::move(window));
    (void)timers_.Start(TIMER_GARDEN_RETIRE, kRetireDelayMs);
}

void Garden::RetireWindows() noexcept {
    while (!windows_.empty()) {
        RetireWindow(windows_.size() - 1);
    }
}

void Garden::DestroyRetired() noexcept {
    // A menu's modal loop may still deliver to a retired window.
    if (AnyPopupMenuOpen()) {
        (void)timers_.Start(TIMER_GARDEN_RETIRE, kRetireDelayMs);
        return;
    }
    retired_.clear();
}

void Garden::EndEditing(bool commitRename) noexcept {
    if (commitRename) {
        rename_.Commit();
    } else {
        rename_.Cancel();
    }
    if (bedContext_.drag.active) {
        bedContext_.drag = GardenDrag{};
        ::ReleaseCapture();
    }
}

bool Garden::TrySave() noexcept {
    if (fileHeld_) {
        // Nothing to write yet: the file's own beds come first.
        return true;
    }
    try {
        return SaveGardenBeds(beds_, path_);
    } catch (...) {
        // Out of memory while joining the ids: the old file stays whole.
        return false;
    }
}

void Garden::SaveInBackground() noexcept {
    try {
        context_.worker.Submit(WorkSlot{}, WorkUrgency::Background,
                               std::function<void()>([beds = beds_, path = path_] {
                                   for (int attempt = 1; attempt < kStopSaveAttempts; ++attempt) {
                                       ::Sleep(kStopSaveWaitMs);
                                       if (SaveGardenBeds(beds, path)) {
                                           return;
                                       }
                                   }
                               }));
    } catch (...) {
        // Out of memory for the copy: the file keeps the last save.
    }
}

void Garden::Save() noexcept {
    if (TrySave()) {
        saveRetries_ = 0;
    } else if (running_ && saveRetries_ < kSaveRetries) {
        ++saveRetries_;
        (void)timers_.Start(TIMER_GARDEN_SAVE, kSaveDelayMs);
    } else if (running_) {
        context_.host.GardenNotSaved(path_);
    }
}

void Garden::Poll() {
    if (fileHeld_) {
        ReadHeldFile();
        WatchHeldFile();
    }
    // A change whose news was lost on the way (out of memory).
    if (desktopWatch_.Rearm()) {
        RescanInBackground();
    }
    // Explorer shows its icons again after some of its own changes.
    HideDesktopIcons();
    KeepInDesktopLayer();
}

void Garden::HideDesktopIcons() noexcept {
    SetDesktopIconsVisible(false);
    iconList_ = DesktopIconList();
}

FolderWatch::Changed Garden::Notify(Watched which) {
    Worker& worker = context_.worker;
    const WorkSlot slot{scanChannel_, static_cast<uint64_t>(which)};
    return [&worker, slot, which, this]() noexcept {
        try {
            worker.Submit<bool>(
                slot, WorkUrgency::Background, [] { return true; },
                [this, which](bool&&) { FolderChanged(which); });
        } catch (...) {
            // Out of memory: the backup poll finds the watch fired.
        }
    };
}

void Garden::FolderChanged(Watched which) {
    if (!running_) {
        return;
    }
    if (which == Watched::Desktop) {
        desktopWatch_.Rearm();
        RescanInBackground();
        return;
    }
    fileWatch_.Rearm();
    if (fileHeld_) {
        ReadHeldFile();
    }
    WatchHeldFile();
}

void Garden::WatchHeldFile() {
    if (!fileHeld_) {
        fileWatch_ = FolderWatch();
    } else if (fileWatch_.WatchedCount() == 0) {
        const std::wstring folder = path_.substr(0, path_.find_last_of(L"\\/") + 1);
        fileWatch_ = FolderWatch(std::span(&folder, 1), kFileWrites, Notify(Watched::FileFolder));
    }
}

void Garden::RescanInBackground() {
    if (scanning_) {
        scanAgain_ = true;
        return;
    }
    scanning_ = true;
    context_.worker.Submit<GardenItems>(
        {scanChannel_, 0}, WorkUrgency::Background, [] { return ScanDesktop(); },
        [this](GardenItems&& items) { Rescanned(std::move(items)); });
}

void Garden::Rescanned(GardenItems items) {
    scanning_ = false;
    if (!running_) {
        return;
    }
    items_ = std::move(items);
    AssignItems(beds_, items_);
    ++bedContext_.itemsStamp;
    for (const auto& window : windows_) {
        window->ResetItemState();
    }
    RepaintBeds();
    SaveSoon();
    if (std::exchange(scanAgain_, false)) {
        RescanInBackground();
    }
}

void Garden::RefreshGlass() noexcept {
    for (const auto& window : windows_) {
        window->ApplyGlass(false);
        window->DropDeviceResources();
        window->FitRolledUpHeight();
        window->Repaint();
    }
}

void Garden::KeepInDesktopLayer() noexcept {
    for (const auto& window : windows_) {
        if (window->Hwnd() != nullptr && !window->Moving()) {
            PlaceInDesktopLayer(window->Hwnd(), &IsGardenBedWindow);
        }
    }
}

void Garden::ExplorerRestarted() noexcept {
    if (running_) {
        (void)timers_.Start(TIMER_GARDEN_EXPLORER, kExplorerSettleMs);
    }
}

void Garden::NewBed() {
    if (!running_) {
        return;
    }
    if (!RoomForAnotherBed(beds_.size())) {
        const std::wstring most = std::to_wstring(kMaxBeds);
        ShowNotice(Text(TextId::GardenFullBefore) + most + Text(TextId::GardenFullAfter),
                   MB_ICONINFORMATION);
        return;
    }
    POINT pointer = {};
    ::GetCursorPos(&pointer);
    const HMONITOR display = ::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
    Bed bed;
    bed.name = Text(TextId::NewBedName);
    bed.rect = NewBedRect(pointer.x, pointer.y, MonitorWorkArea(display), MonitorDpi(display));
    beds_.push_back(std::move(bed));
    auto window = std::make_unique<BedWindow>(bedContext_, beds_.size() - 1);
    (void)window->Create();
    windows_.push_back(std::move(window));
    KeepInDesktopLayer();
    StartRename(beds_.size() - 1);
    SaveSoon();
}

void Garden::StartRename(std::size_t bed) {
    if (bed >= beds_.size() || windows_[bed]->Hwnd() == nullptr) {
        return;
    }
    const HWND window = windows_[bed]->Hwnd();
    (void)rename_.Start(window, beds_[bed].name, [this, window](const std::wstring& name) {
        const std::optional<std::size_t> index = BedOfWindow(window);
        if (!index) {
            return;
        }
        beds_[*index].name = name;
        ::SetWindowTextW(window, name.c_str());
        windows_[*index]->Repaint();
        SaveSoon();
    });
}

void Garden::DeleteBedAt(std::size_t bed) {
    const std::size_t before = CatchAllIndex(beds_);
    if (!DeleteBed(beds_, bed)) {
        return;
    }
    ++bedContext_.itemsStamp;
    RetireWindow(bed);
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        windows_[i]->SetBedIndex(i);
    }
    const std::size_t catchAll = before > bed ? before - 1 : before;
    if (catchAll < windows_.size()) {
        windows_[catchAll]->ResetItemState();
        windows_[catchAll]->Repaint();
    }
    SaveSoon();
}

std::optional<std::size_t> Garden::BedOfWindow(HWND window) const noexcept {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i]->Hwnd() == window && windows_[i]->BedIndex() == i) {
            return i;
        }
    }
    return std::nullopt;
}

IWICBitmapSource* Garden::ItemIcon(const GardenItem& item, int32_t px) {
    return px > 0 ? context_.host.GardenIcon(item.entry, static_cast<uint32_t>(px)) : nullptr;
}

void Garden::SaveSoon() {
    if (running_) {
        saveRetries_ = 0;
        (void)timers_.Start(TIMER_GARDEN_SAVE, kSaveDelayMs);
    }
}

std::vector<PixelRect> Garden::OtherBedRects(std::size_t bed) {
    std::vector<PixelRect> rects;
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        RECT r = {};
        // The window, not the stored rectangle: a rolled-up bed's edge is
        // where the user sees it.
        if (i != bed && windows_[i]->Hwnd() != nullptr &&
            ::GetWindowRect(windows_[i]->Hwnd(), &r)) {
            rects.push_back(ToPixelRect(r));
        }
    }
    return rects;
}

void Garden::SelectionChanged(std::size_t bed) {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (i != bed) {
            windows_[i]->ClearSelection();
        }
    }
}

void Garden::OpenItem(const std::wstring& id) {
    if (const auto found = items_.find(id); found != items_.end()) {
        // As Explorer would on a double-click, folders and the Recycle Bin
        // included, which a plain path does not give for the latter.
        OpenItemInBackground(context_.worker, found->second.entry.target);
    }
}

void Garden::ItemMenu(std::size_t bed, const std::wstring& id, POINT screen) {
    const auto found = items_.find(id);
    if (bed >= windows_.size() || found == items_.end()) {
        return;
    }
    // Copies: a rescan while the menu is open rebuilds the items.
    const std::wstring path = found->second.entry.target;
    const HWND owner = windows_[bed]->Hwnd();
    // Its command may run a loop of its own (a confirmation, Properties).
    const PopupMenuScope menuOpen;
    (void)itemMenu_.Show(owner, path, screen, ::GetKeyState(VK_SHIFT) < 0);
}

void Garden::BedMenu(std::size_t bed, POINT screen) {
    if (bed >= windows_.size() || windows_[bed]->Hwnd() == nullptr) {
        return;
    }
    const HWND window = windows_[bed]->Hwnd();
    const BedCommand command =
        ShowBedMenu(window, beds_[bed], RoomForAnotherBed(beds_.size()), screen);
    // The menu's loop may have seen a rescan, a reload or a deletion.
    const std::optional<std::size_t> index = BedOfWindow(window);
    if (!index) {
        return;
    }
    switch (command) {
        case BedCommand::NewBed:
            NewBed();
            break;
        case BedCommand::Rename:
            StartRename(*index);
            break;
        case BedCommand::SortByName:
            SortBed(beds_[*index], items_, UserNameCompare());
            ++bedContext_.itemsStamp;
            windows_[*index]->ResetItemState();
            windows_[*index]->Repaint();
            SaveSoon();
            break;
        case BedCommand::ToggleRoll:
            windows_[*index]->ToggleRoll();
            break;
        case BedCommand::DeleteBed:
            DeleteBedAt(*index);
            break;
        case BedCommand::Settings:
            context_.open.OpenSettings(kPagePlugins);
            break;
        case BedCommand::None:
            break;
    }
}

BedWindow* Garden::BedWindowOf(HWND root) {
    for (const auto& window : windows_) {
        if (window->Hwnd() == root) {
            return window.get();
        }
    }
    return nullptr;
}

void Garden::RepaintBeds() {
    for (const auto& window : windows_) {
        window->Repaint();
    }
}

void Garden::OnWinEvent(const WinEvent& event) noexcept {
    // The list is hidden again from the message loop, once Explorer is done
    // showing it.
    if (running_ && event.object == OBJID_WINDOW && event.child == CHILDID_SELF &&
        event.window != nullptr && event.window == iconList_) {
        (void)timers_.Start(TIMER_GARDEN_ICONS, kIconsShownDelayMs);
    }
}

void Garden::OnTimer(UINT_PTR id) noexcept {
    // Every timer but the poll fires once.
    if (id != TIMER_GARDEN_POLL) {
        timers_.Stop(id);
    }
    switch (id) {
        case TIMER_GARDEN_POLL:
            try {
                Poll();
            } catch (...) {
                // Out of memory during a scan: the next tick tries again.
            }
            break;
        case TIMER_GARDEN_ICONS:
            HideDesktopIcons();
            break;
        case TIMER_GARDEN_SAVE:
            Save();
            break;
        case TIMER_GARDEN_RETIRE:
            DestroyRetired();
            break;
        case TIMER_GARDEN_EXPLORER:
            HideDesktopIcons();
            KeepInDesktopLayer();
            break;
        default:
            break;
    }
}

}  // namespace corvane

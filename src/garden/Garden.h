#pragma once
// CorGarden as a whole: the desktop's entries, the beds that show them and
// their windows, garden.ini kept in step, the desktop folders watched, and
// Explorer's own icons hidden while the beds stand in for them.

#include "base/TimerWindow.h"
#include "garden/BedHost.h"
#include "garden/BedWindow.h"
#include "garden/FolderWatch.h"
#include "garden/GardenHost.h"
#include "garden/ItemMenu.h"
#include "garden/RenameBox.h"
#include "toolkit/SystemEvents.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

enum GardenTimer : UINT_PTR {
    TIMER_GARDEN_POLL = 1,
    TIMER_GARDEN_ICONS,
    TIMER_GARDEN_SAVE,
    TIMER_GARDEN_RETIRE,
    TIMER_GARDEN_EXPLORER,
};

class Garden final : public BedHost, private TimerOwner, private WinEventSink {
public:
    explicit Garden(const GardenContext& context);
    // Stops the garden: garden.ini saved, Explorer's icons back.
    ~Garden() override;
    Garden(const Garden&) = delete;
    Garden& operator=(const Garden&) = delete;

    // Follows [Garden] Enabled: starts, stops, or (already running) applies
    // the glass and tint again.
    void Apply();
    // Forgets garden.ini: the default beds come back.
    void Reset();
    // The glass, the tint or the theme changed.
    void RefreshGlass() noexcept;
    // Another window came to the front: the beds go back below it.
    void KeepInDesktopLayer() noexcept;
    // Explorer's taskbar was made again: so was its desktop, icons showing.
    void ExplorerRestarted() noexcept;
    // A bed at the pointer, with its rename box open.
    void NewBed();
    [[nodiscard]] bool Running() const noexcept { return running_; }

    // BedHost
    IWICBitmapSource* ItemIcon(const GardenItem& item, int32_t px) override;
    void SaveSoon() override;
    [[nodiscard]] std::vector<PixelRect> OtherBedRects(std::size_t bed) override;
    void SelectionChanged(std::size_t bed) override;
    void OpenItem(const std::wstring& id) override;
    void ItemMenu(std::size_t bed, const std::wstring& id, POINT screen) override;
    void BedMenu(std::size_t bed, POINT screen) override;
    [[nodiscard]] BedWindow* BedWindowOf(HWND root) override;
    void RepaintBeds() override;

private:
    void OnTimer(UINT_PTR id) noexcept override;
    // Explorer's icon list shown again.
    void OnWinEvent(const WinEvent& event) noexcept override;

    // At run time a save that fails is retried on the worker; at the end
    // only a few quick tries are left, with nothing else to serve.
    enum class FinalSave : uint8_t { Background, Here };
    void Stop(FinalSave finalSave) noexcept;
    // Stand-in default beds when the file could not be read; it is then
    // neither saved over nor backed up until ReadHeldFile reads it.
    void LoadBeds();
    void ReadHeldFile();
    void CreateWindows();
    void RetireWindows() noexcept;
    void RetireWindow(std::size_t index) noexcept;
    void DestroyRetired() noexcept;
    void Poll();
    // Explorer's icon list hidden again, and remembered for the show events.
    void HideDesktopIcons() noexcept;
    // A watched folder changed: the news comes through the worker, on its
    // slot `which` of the scan channel.
    enum class Watched : uint8_t { Desktop = 1, FileFolder };
    [[nodiscard]] FolderWatch::Changed Notify(Watched which);
    void FolderChanged(Watched which);
    // While garden.ini is held, its folder is watched for the file's release.
    void WatchHeldFile();
    // The desktop folders may live on a share: they are listed on the
    // worker, one listing at a time, and a change seen meanwhile asks for
    // another when it arrives.
    void RescanInBackground();
    void Rescanned(GardenItems items);
    [[nodiscard]] bool TrySave() noexcept;
    // Tries again later when the file could not be replaced.
    void Save() noexcept;
    // A few more tries on the worker, with what the beds hold now.
    void SaveInBackground() noexcept;
    void EndEditing(bool commitRename) noexcept;
    void StartRename(std::size_t bed);
    void DeleteBedAt(std::size_t bed);
    // The bed a window shows now, or nothing when its bed is gone.
    [[nodiscard]] std::optional<std::size_t> BedOfWindow(HWND window) const noexcept;

    const GardenContext context_;
    const std::wstring path_;
    GardenItems items_;
    std::vector<Bed> beds_;
    corvane::ItemMenu itemMenu_;
    BedContext bedContext_;
    // Index i shows beds_[i].
    std::vector<std::unique_ptr<BedWindow>> windows_;
    // Hidden, waiting to be destroyed once no menu may still deliver to them.
    std::vector<std::unique_ptr<BedWindow>> retired_;
    FolderWatch desktopWatch_;
    FolderWatch fileWatch_;
    EventSubscription shownEvents_;
    HWND iconList_ = nullptr;
    RenameBox rename_;
    bool running_ = false;
    bool fileHeld_ = false;
    int saveRetries_ = 0;
    uint32_t scanChannel_ = 0;
    bool scanning_ = false;
    bool scanAgain_ = false;
    TimerWindow timers_{*this};
};

}  // namespace corvane

#pragma once
// Catalog icons, loaded at a pixel size on one background thread, newest
// request first, and handed to the GUI thread through the control window.
// The loaded icons are the GUI thread's; the worker sees copies of strings.

#include "base/Win32Handles.h"
#include "identity/IconLoader.h"
#include "identity/AppEntry.h"
#include "start/IconRequests.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

// The source the worker loads a settings page's icon from.
inline constexpr wchar_t kSettingsAppTarget[] =
    L"shell:AppsFolder\\windows.immersivecontrolpanel_cw5n1h2txyewy!"
    L"microsoft.windows.immersivecontrolpanel";

inline constexpr uint32_t kIconIdleTrimMs = 1800000;

// What the worker posts with CMD_ICON_READY; the receiver owns it. A null
// bitmap is a failed load.
struct IconResult {
    std::wstring key;
    uint32_t size = 0;
    IconSourceBitmap bitmap;
};

// The queue and the registry of results in flight, shared with the worker.
struct IconWorkerShared;

class AppIconCache {
public:
    // `resultWindow` gets WM_APP_COMMAND / CMD_ICON_READY with the result in
    // lParam; `loaded` runs on the GUI thread after each stored result.
    AppIconCache(HWND resultWindow, std::function<void()> loaded);
    ~AppIconCache();  // stops the worker, frees results not yet delivered
    AppIconCache(const AppIconCache&) = delete;
    AppIconCache& operator=(const AppIconCache&) = delete;

    void RequestIcon(const AppEntry& entry, uint32_t sizePx, bool urgent);
    // The loaded bitmap (null for a failed load or none yet).
    [[nodiscard]] IconSourceBitmap GetIcon(const AppEntry& entry, uint32_t sizePx) const;
    // Loaded, with or without a bitmap.
    [[nodiscard]] bool HasIcon(const AppEntry& entry, uint32_t sizePx) const;
    void PrefetchIcons(const std::vector<AppEntry>& catalog, uint32_t sizePx);
    // lParam of CMD_ICON_READY. Anything the worker did not hand out, or
    // already delivered, is ignored without being touched.
    void OnIconReady(LPARAM result) noexcept;
    // Does nothing while requests are queued.
    void ClearLoadedIcons();
    // Sets the stop flag, empties the queue, waits at most 2 s.
    void StopIconWorker() noexcept;

    // The idle trim: surfaces store the tick on use; `TrimIfIdle` drops every
    // loaded icon once 30 minutes passed and resets the tick to 0 (while
    // requests are queued it tries again on the next call).
    void MarkUsed(uint32_t tick) noexcept { lastUse_ = tick; }
    void TrimIfIdle(uint32_t now);

    [[nodiscard]] std::size_t LoadedCount() const noexcept { return loaded_.size(); }

private:
    void EnsureWorker();

    // Shared, not owned: a worker stuck in a load (a hanging shell
    // extension) is left behind when it does not stop in time, and it must
    // still find its queue and registry when it wakes up.
    std::shared_ptr<IconWorkerShared> shared_;
    std::function<void()> onLoaded_;
    std::map<std::pair<std::wstring, uint32_t>, IconSourceBitmap> loaded_;
    UniqueHandle worker_;
    uint32_t lastUse_ = 0;
};

}  // namespace corvane

#pragma once
// CorLauncher: every app in a full-screen grid of pages that slide sideways,
// a search box above them, and icons the user arranges by dragging; the
// arrangement is kept as [CorLauncher] Order. Created on first use, its
// window made again on every open.

#include "start/Surface.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

namespace corvane {

class AppCatalog;
class AppIconCache;
struct AppEntry;
struct StartContext;

inline constexpr wchar_t kLauncherWindowClass[] = L"CorvaneLauncher";

// The pixel size the launcher draws icons at on `display`; the warm-up
// prefetches it.
[[nodiscard]] uint32_t LauncherIconPixels(HMONITOR display) noexcept;

class Launcher final : public Surface {
public:
    Launcher(const StartContext& context, AppCatalog& catalog, AppIconCache& icons);
    ~Launcher() override;

    // Covers `display` (null: the one under the cursor), the taskbar too.
    void Open(HMONITOR display);
    // A new catalog list arrived: the grid follows, unless an icon is held.
    void CatalogChanged();

private:
    struct Impl;
    const wchar_t* ClassName() const noexcept override { return kLauncherWindowClass; }
    void Paint() override;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    float OpenDurationMs() const noexcept override { return 200.0f; }
    bool Animates() const noexcept override;
    void OnQueryChanged() override;
    bool IsAnimating() const noexcept override;
    void Tick(float progress, double nowMs) override;
    void OnEnding() noexcept override;

    // Screen readers (LauncherAccessible.cpp).
    AccessibleNode BuildAccessibleTree() override;
    void RunAccessibleAction(int32_t actionId) override;
    void AnnounceChanges() override;
    // Tells readers the launcher opened, with the focus in the search box.
    void AnnounceOpened() noexcept;

    void BuildGrid();
    void SaveOrder();
    void RunSearch();
    // After the shown list changed: indices and page inside it again.
    void KeepInsideList();
    void GoToPage(int32_t page);
    void LaunchIndex(int32_t index);
    void Relayout();
    [[nodiscard]] std::size_t ShownCount() const noexcept;
    [[nodiscard]] const AppEntry* Shown(int32_t index) const noexcept;
    [[nodiscard]] ID2D1Bitmap* IconOf(const AppEntry& entry);
    [[nodiscard]] uint32_t IconPixels() const noexcept;

    // Input (LauncherInput.cpp); points in DIPs of the client area.
    void OnMouseMove(POINT pixel, bool leftDown);
    void OnLeftButtonUp(float x, float y);
    void OnRightButtonUp(float x, float y);
    // The item menu of a shown entry, at `at` (screen pixels) or the cursor.
    void OpenItemMenu(int32_t index, std::optional<POINT> at);
    // The context-menu key or Shift+F10: the selection's menu at its cell.
    void OnContextMenuKey();
    void OnWheel(int32_t signedDelta);
    bool OnKey(WPARAM key);
    void OnEdgeTimer();
    void OnCatalogTimer();
    void EndDrag();
    // Ends a drag with the icon where it stands and stores the order; false
    // when none was held.
    bool DropHeld();

    const StartContext& context_;
    AppCatalog& catalog_;
    AppIconCache& icons_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace corvane

#pragma once
// CorMenu: the compact start menu. A search box, the pinned apps (Home), all
// apps by letter, the letter index, search results; the user, places and
// settings on the right; the power button. Created on first use, its window
// made again on every open.

#include "identity/AppEntry.h"
#include "start/MenuLayout.h"
#include "start/Surface.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

class AppCatalog;
class AppIconCache;
struct StartContext;

inline constexpr wchar_t kCorMenuWindowClass[] = L"CorvaneCorMenu";
// The rows' icons; the warm-up prefetches this size.
inline constexpr int32_t kMenuIconDips = 24;

class CorMenu final : public Surface {
public:
    // `userName` is the owner's and may change while the menu lives.
    CorMenu(const StartContext& context, AppCatalog& catalog, AppIconCache& icons,
            const std::wstring& userName);
    ~CorMenu() override;

    // Opens on `display` (null: the one under the cursor), above its dock.
    void Open(HMONITOR display);
    // The pinned list changed elsewhere (the launcher's context menu).
    void ReloadPinned();
    // A new catalog list, a pin's name or the user's name arrived.
    void CatalogChanged();

private:
    struct Impl;
    const wchar_t* ClassName() const noexcept override { return kCorMenuWindowClass; }
    void Paint() override;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    float OpenDurationMs() const noexcept override { return 160.0f; }
    bool Animates() const noexcept override;
    void OnQueryChanged() override;
    void OnTargetCreated() override;
    void OnEnding() noexcept override;

    // Screen readers (CorMenuAccessible.cpp).
    AccessibleNode BuildAccessibleTree() override;
    void RunAccessibleAction(int32_t actionId) override;
    void AnnounceChanges() override;
    // Tells readers the menu opened, with the focus in the search box.
    void AnnounceOpened() noexcept;

    void Relayout();
    void RefreshLetterRows();
    void RunSearch();
    [[nodiscard]] MenuItemId ItemAt(LPARAM clientPoint);
    // The list the current view's app rows index; empty for the letters.
    [[nodiscard]] std::span<const AppEntry> RowEntries() const noexcept;
    [[nodiscard]] const AppEntry* RowEntry(int32_t index) const;
    [[nodiscard]] ID2D1Bitmap* RowIcon(const AppEntry& entry);
    [[nodiscard]] uint32_t IconPixels() const noexcept;
    // A client point in DIPs, as drawn, on the screen.
    [[nodiscard]] POINT ScreenPoint(float x, float y) const noexcept;
    void OnMouseMove(LPARAM lParam);
    // A click on the item, or Enter on the selected one.
    void Activate(const MenuItemId& item);
    void OnRightButtonUp(LPARAM lParam);
    // An app row's item menu, at `at` or else at the pointer.
    void ShowRowMenu(const MenuItemId& item, std::optional<POINT> at);
    void OpenSelectedItemMenu();
    void HoverUnderPointer();
    void OnWheel(int32_t delta);
    bool OnKey(WPARAM key);
    void OnCatalogTimer();
    void OpenPowerMenu();
    [[nodiscard]] std::vector<std::wstring> PinnedIdentifiers() const;
    void SetPinned(const AppEntry& entry, bool pinned);

    const StartContext& context_;
    AppCatalog& catalog_;
    AppIconCache& icons_;
    const std::wstring& userName_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace corvane

#pragma once
// One bed on the desktop: a borderless glass window with a header that moves
// and rolls the bed up, edges that resize it, and a scrolling grid of the
// bed's items. The bed itself stays in the garden's list; the window knows
// only its index, which the garden updates when beds are removed. The
// window's own business is here and in BedWindow.cpp, the pointer in
// BedInput.cpp; BedPainter draws it.

#include "base/WindowBase.h"
#include "garden/BedHost.h"
#include "garden/BedLayout.h"
#include "toolkit/AccessibleWindow.h"
#include "toolkit/PointerGesture.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

enum BedTimer : UINT_PTR {
    TIMER_BED_ROLL = 1,
};

inline constexpr wchar_t kGardenBedClass[] = L"CorvaneGardenBed";

// A bed window of this process.
[[nodiscard]] bool IsGardenBedWindow(HWND window) noexcept;

class BedPainter;

class BedWindow final : public WindowBase, private AccessibleSource {
public:
    BedWindow(BedContext& context, std::size_t bedIndex) noexcept;
    ~BedWindow() override;

    // Creates and shows the window at the bed's rectangle; false when the
    // system refuses the window.
    [[nodiscard]] bool Create() noexcept;
    void Destroy() noexcept;

    [[nodiscard]] std::size_t BedIndex() const noexcept { return bed_; }
    void SetBedIndex(std::size_t index) noexcept { bed_ = index; }
    // The user is moving or sizing it: the z-order is left alone meanwhile.
    [[nodiscard]] bool Moving() const noexcept { return headerPress_.Dragging() || sizing_; }

    // The glass, lighter while `moving` so that dragging stays smooth.
    void ApplyGlass(bool moving) noexcept;
    void ToggleRoll() noexcept;
    void ClearSelection() noexcept;
    // After a rescan the indices may point at other items.
    void ResetItemState() noexcept;
    // Theme or glass changed: brushes and bitmaps are made again.
    void DropDeviceResources() noexcept;
    // A rolled-up bed keeps exactly its header, which follows the text size.
    void FitRolledUpHeight() noexcept;
    void Repaint() noexcept;
    // Where an item dragged to `screen` would go among this bed's items.
    [[nodiscard]] int32_t InsertionIndexAt(POINT screen) const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    [[nodiscard]] Bed* CurrentBed() const noexcept;
    [[nodiscard]] float Dips(int32_t pixels) const noexcept;
    [[nodiscard]] BedGrid Layout(int32_t count) const noexcept;
    [[nodiscard]] const std::vector<std::wstring>& Visible() const;
    [[nodiscard]] int32_t ItemAt(LPARAM lParam) const;
    [[nodiscard]] POINT ScreenPoint(LPARAM lParam) const noexcept;

    LRESULT HitTest(LPARAM lParam) const noexcept;
    void OnSizing(WPARAM edge, RECT* proposed) const noexcept;
    void StoreWindowRect() noexcept;
    void OnRollTimer() noexcept;
    void OnPaint();

    // Screen readers (BedAccessible.cpp): the tree from the grid, the roll
    // and the items' opening, and the selection's moves told.
    AccessibleNode BuildAccessibleTree() override;
    void RunAccessibleAction(int32_t actionId) override;
    void NotifySelection() noexcept;

    // BedInput.cpp
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnMouseLeave() noexcept;
    void OnLeftDown(LPARAM lParam);
    void OnLeftUp();
    void OnDoubleClick(LPARAM lParam);
    void OnRightUp(LPARAM lParam);
    void OnCaptureChanged(HWND newCapture);
    void MoveWithHeader(POINT screen);
    void EndHeaderPress(bool released) noexcept;
    void FollowItemDrag(POINT screen);
    void EndItemDrag(bool drop);
    [[nodiscard]] bool HoldsItemDrag() const noexcept;

    BedContext& context_;
    std::size_t bed_;
    UINT dpi_ = 96;
    std::unique_ptr<BedPainter> painter_;

    mutable std::vector<std::wstring> visible_;
    mutable uint64_t visibleStamp_ = ~uint64_t{0};
    mutable std::size_t visibleBed_ = 0;
    mutable std::size_t visibleListed_ = 0;

    float scroll_ = 0;
    int32_t hovered_ = -1;
    int32_t selected_ = -1;
    bool headerHovered_ = false;
    bool tracking_ = false;

    bool sizing_ = false;

    // A press on the header (screen pixels): a click rolls, a drag moves
    // the window from where it stood at the press.
    PointerGesture headerPress_;
    PixelRect pressRect_;

    // A press on an item (client pixels): a drag takes the item along.
    PointerGesture itemPress_;
    std::wstring pressedItem_;

    bool rolling_ = false;
    ULONGLONG rollStart_ = 0;
    int32_t rollFrom_ = 0;
    int32_t rollTo_ = 0;

    AccessibleWindow accessible_{*this};
};

}  // namespace corvane

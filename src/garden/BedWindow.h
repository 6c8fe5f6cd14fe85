#pragma once
// One bed on the desktop: a borderless glass window with a header that moves
// and rolls the bed up, edges that resize it, and a scrolling grid of the
// bed's items. The bed itself stays in the garden's list; the window knows
// only its index, which the garden updates when beds are removed.

#include "base/WindowBase.h"
#include "garden/BedHost.h"
#include "garden/BedLayout.h"

#include <d2d1.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvane {

inline constexpr wchar_t kGardenBedClass[] = L"CorvaneGardenBed";

// A bed window of this process.
[[nodiscard]] bool IsGardenBedWindow(HWND window) noexcept;

class BedWindow final : public WindowBase {
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
    [[nodiscard]] bool Moving() const noexcept { return moving_ || sizing_; }

    // The glass, lighter while `moving` so that dragging stays smooth.
    void ApplyGlass(bool moving) noexcept;
    void ToggleRoll() noexcept;
    void ClearSelection() noexcept;
    // After a rescan the indices may point at other items.
    void ResetItemState() noexcept;
    // Theme or glass changed: brushes and bitmaps are made again.
    void DropDeviceResources() noexcept;
    void Repaint() noexcept;
    // Where an item dragged to `screen` would go among this bed's items.
    [[nodiscard]] int32_t InsertionIndexAt(POINT screen) const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum Format : std::size_t { kHeader, kLabel, kChevron, kFormatCount };

    [[nodiscard]] Bed* CurrentBed() const noexcept;
    [[nodiscard]] float Dips(int32_t pixels) const noexcept;
    [[nodiscard]] BedGrid Layout(int32_t count) const noexcept;
    [[nodiscard]] std::vector<std::wstring> Visible() const;
    [[nodiscard]] int32_t ItemAt(LPARAM lParam) const;
    [[nodiscard]] POINT ScreenPoint(LPARAM lParam) const noexcept;

    LRESULT HitTest(LPARAM lParam) const noexcept;
    void OnSizing(WPARAM edge, RECT* proposed) const noexcept;
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnLeftDown(LPARAM lParam);
    void OnLeftUp();
    void OnRightUp(LPARAM lParam);
    void EndHeaderPress(bool released) noexcept;
    void FollowItemDrag(POINT screen);
    void EndItemDrag(bool drop);
    [[nodiscard]] bool HoldsItemDrag() const noexcept;
    void StoreWindowRect() noexcept;
    void OnRollTimer() noexcept;

    bool EnsureTarget();
    bool EnsureFormats();
    ID2D1Bitmap* IconBitmap(const GardenItem& item);
    void OnPaint();
    void PaintHeader(const Bed& bed, float width);
    void PaintCells(const std::vector<std::wstring>& ids, const BedGrid& grid, float width,
                    float height);

    BedContext& context_;
    std::size_t bed_;
    UINT dpi_ = 96;

    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    Microsoft::WRL::ComPtr<IDWriteTextFormat> formats_[kFormatCount];
    std::unordered_map<std::wstring, Microsoft::WRL::ComPtr<ID2D1Bitmap>> icons_;

    float scroll_ = 0;
    int32_t hovered_ = -1;
    int32_t selected_ = -1;
    bool headerHovered_ = false;
    bool tracking_ = false;

    // A press on the header: a click rolls, a drag moves.
    bool headerPressed_ = false;
    bool moving_ = false;
    bool sizing_ = false;
    POINT pressScreen_{};
    PixelRect pressRect_;

    // A press on an item: a drag of 6 DIPs takes the item along.
    std::wstring pressedItem_;
    POINT pressItemClient_{};

    bool rolling_ = false;
    ULONGLONG rollStart_ = 0;
    int32_t rollFrom_ = 0;
    int32_t rollTo_ = 0;
};

}  // namespace corvane

#pragma once
// The settings window's inside, shared by its three files: the window and its
// timers, the pointer and keys, and the drawing.

#include "base/WindowBase.h"
#include "base/Geometry.h"
#include "settings/SettingsFileStore.h"
#include "settings/SettingsHost.h"
#include "settings/SettingsLayout.h"
#include "settings/SettingsRow.h"
#include "settings/SettingsRules.h"
#include "settings/SettingsWindow.h"
#include "toolkit/AccessibleWindow.h"

#include <d2d1.h>
#include <dwrite.h>
#include <windows.h>
#include <wrl/client.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

enum SettingsTimer : UINT_PTR {
    TIMER_SETTINGS_REAPPLY = 1,
};

class SettingsWindow::Impl final : public WindowBase, private AccessibleSource {
public:
    explicit Impl(const SettingsWindowContext& context)
        : context_(context),
          store_(context.settings.filePath, context.host),
          pageContext_{context.settings,
                       store_,
                       context.host,
                       [this] { Arm(&ReapplyTimers::Changed); },
                       [this] { OnLanguageChanged(); },
                       [this] { Arm(&ReapplyTimers::ReloadNow); },
                       [this] { Rebuild(); }} {}

    ~Impl() override {
        DestroyBound();
        ReleaseTarget();
    }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    void Open(int32_t page);
    void Refresh() noexcept;
    void ThemeChanged() noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum Format : std::size_t {
        kTitle,
        kHeader,
        kLabel,
        kDescription,
        kControl,
        kIcon,
        kFormatCount
    };

    void Create() noexcept;
    void ApplyGlass() noexcept;
    void Rebuild() noexcept;
    void Relayout() noexcept;
    void Repaint() noexcept;
    void ResetPointerState() noexcept;
    void Arm(void (ReapplyTimers::*step)(uint64_t) noexcept) noexcept;
    void ArmTimer() noexcept;
    void OnTimer() noexcept;
    void OnLanguageChanged() noexcept;

    [[nodiscard]] D2D1_SIZE_F ClientDips() const noexcept;
    [[nodiscard]] D2D1_POINT_2F ToDips(LPARAM lParam) const noexcept;
    [[nodiscard]] float ViewHeight() const noexcept { return ClientDips().height; }
    [[nodiscard]] SidebarSize Sidebar() const noexcept;

    void OnMouseMove(LPARAM lParam);
    void OnButtonDown(LPARAM lParam);
    void OnButtonUp(LPARAM lParam);
    void OnWheel(WPARAM wParam);
    void OnKey(WPARAM key);
    void MoveFocus(int32_t step);
    // Shows another page from its top, as its sidebar entry's click does.
    void ShowPage(int32_t page);
    // The row acts as a click on it would; `viaKeyboard` opens a choice's
    // menu under the row rather than at the pointer.
    void Act(int32_t index, bool viaKeyboard);
    // Whether the user chose another option.
    bool OpenChoice(int32_t index, bool viaKeyboard);
    void StepSlider(int32_t index, int32_t direction);
    [[nodiscard]] bool ValidRow(int32_t index) const noexcept {
        return index >= 0 && static_cast<std::size_t>(index) < rows_.size() &&
               static_cast<std::size_t>(index) < boxes_.size();
    }

    // Screen readers (SettingsAccessible.cpp): the tree from the laid-out
    // rows, the rows' and pages' actions, and the changes they hear of.
    AccessibleNode BuildAccessibleTree() override;
    void RunAccessibleAction(int32_t actionId) override;
    void NotifyRow(DWORD event, int32_t index) noexcept;

    bool EnsureFormats();
    bool EnsureTarget();
    void ReleaseTarget() noexcept;
    [[nodiscard]] float TextWidth(const std::wstring& text) const;
    void OnPaint();
    void PaintSidebar();
    void PaintRows(float width, float height);
    void PaintRow(int32_t index, const RowBox& box);
    void PaintToggle(const SettingsRow& row, const PointRect& control, bool lit);
    void PaintSlider(int32_t index, const SettingsRow& row, const RowBox& box);
    void PaintChoice(const SettingsRow& row, const PointRect& control);
    void PaintButton(int32_t index, const SettingsRow& row, const PointRect& control);
    void DrawLine(const std::wstring& text, Format format, const PointRect& rect,
                  const D2D1_COLOR_F& color,
                  DWRITE_TEXT_ALIGNMENT align = DWRITE_TEXT_ALIGNMENT_LEADING);

    SettingsWindowContext context_;
    SettingsFileStore store_;
    PageContext pageContext_;
    ReapplyTimers timers_;

    int32_t page_ = 0;
    float scroll_ = 0;
    std::vector<SettingsRow> rows_;
    std::vector<RowBox> boxes_;
    int32_t hoverRow_ = -1;
    int32_t hoverEntry_ = -1;
    int32_t focusRow_ = -1;
    int32_t dragRow_ = -1;
    int32_t dragValue_ = 0;
    // The row the left button went down on: a release acts only there, so
    // the release of a click that closed a pop-up menu elsewhere, or of a
    // press dragged off its row, does nothing.
    int32_t pressRow_ = -1;
    bool tracking_ = false;
    UINT dpi_ = 96;

    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    std::array<Microsoft::WRL::ComPtr<IDWriteTextFormat>, kFormatCount> formats_;
    float formatsScale_ = 0;  // the text scale the formats were made for

    AccessibleWindow accessible_{*this};
};

}  // namespace corvane

#include "settings/SettingsWindow.h"

#include "base/Commands.h"
#include "base/DynamicApis.h"
#include "base/Geometry.h"
#include "base/Win32Geometry.h"
#include "base/Win32Handles.h"
#include "config/Language.h"
#include "config/Win32ProfileStore.h"
#include "settings/SettingsLayout.h"
#include "settings/SettingsPages.h"
#include "settings/SettingsRules.h"
#include "toolkit/D2DValues.h"
#include "toolkit/FontFamilies.h"
#include "toolkit/TextFormats.h"

#include <d2d1helper.h>
#include <dwmapi.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr UINT_PTR kReapplyTimer = 1;
constexpr int kMinTrackWidthDips = 700;
constexpr int kMinTrackHeightDips = 480;
constexpr DWORD kMainWindowBackdrop = 2;
constexpr float kRowRadius = 6.0f;
constexpr float kControlRadius = 4.0f;
constexpr float kKnobRadius = 7.0f;
constexpr float kSliderInset = 10.0f;
constexpr float kSliderLine = 4.0f;
constexpr float kValueTextWidth = 90.0f;
constexpr wchar_t kChevronGlyph = 0xE70D;

enum Format : std::size_t { kTitle, kHeader, kLabel, kDescription, kControl, kIcon, kFormatCount };

// The value a row stores for option `index` of its choice.
int32_t OptionValue(const SettingsRow& row, std::size_t index) noexcept {
    return index < row.values.size() ? row.values[index] : static_cast<int32_t>(index);
}

// The option shown as current, or -1 when the stored value is none of them.
int32_t CurrentOption(const SettingsRow& row) {
    const int32_t stored = row.getInt ? row.getInt() : 0;
    for (std::size_t i = 0; i < row.options.size(); ++i) {
        if (OptionValue(row, i) == stored) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

PointRect Scrolled(const PointRect& r, float scroll) noexcept {
    return {r.left, r.top - scroll, r.right, r.bottom - scroll};
}

bool Contains(const PointRect& r, float x, float y) noexcept {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

class SettingsWindow::Impl final : public WindowBase {
public:
    explicit Impl(const SettingsWindowContext& context)
        : context_(context),
          store_(context.settings.filePath),
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

    void Open(int32_t page) noexcept {
        page_ = std::clamp(page, 0, kSettingsPageCount - 1);
        scroll_ = 0;
        ResetPointerState();
        focusRow_ = -1;
        // Writes go where the settings now come from.
        store_ = Win32ProfileStore(context_.settings.filePath);
        if (Hwnd() == nullptr) {
            Create();
            return;
        }
        Rebuild();
        if (::IsIconic(Hwnd())) {
            ::ShowWindow(Hwnd(), SW_RESTORE);
        }
        ::SetForegroundWindow(Hwnd());
    }

    void Refresh() noexcept {
        if (Hwnd() != nullptr) {
            Rebuild();
        }
    }

    void ThemeChanged() noexcept {
        if (Hwnd() != nullptr) {
            ApplyDarkMode();
            Repaint();
        }
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Create() noexcept;
    void ApplyDarkMode() noexcept;
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

    void OnMouseMove(LPARAM lParam);
    void OnButtonDown(LPARAM lParam);
    void OnButtonUp(LPARAM lParam);
    void OnWheel(WPARAM wParam);
    void OnKey(WPARAM key);
    void MoveFocus(int32_t step);
    // The row acts as a click on it would; `viaKeyboard` opens a choice's
    // menu under the row rather than at the pointer.
    void Act(int32_t index, bool viaKeyboard);
    void OpenChoice(int32_t index, bool viaKeyboard);
    void StepSlider(int32_t index, int32_t direction);
    [[nodiscard]] bool ValidRow(int32_t index) const noexcept {
        return index >= 0 && static_cast<std::size_t>(index) < rows_.size() &&
               static_cast<std::size_t>(index) < boxes_.size();
    }

    bool EnsureFormats();
    bool EnsureTarget();
    void ReleaseTarget() noexcept;
    [[nodiscard]] float TextWidth(const std::wstring& text) const;
    void OnPaint();
    void PaintSidebar();
    void PaintRows(float width, float height);
    void PaintRow(int32_t index, const PointRect& row, const PointRect& control);
    void PaintToggle(const SettingsRow& row, const PointRect& control);
    void PaintSlider(int32_t index, const SettingsRow& row, const PointRect& control);
    void PaintChoice(const SettingsRow& row, const PointRect& control);
    void PaintButton(int32_t index, const SettingsRow& row, const PointRect& control);
    void DrawLine(const std::wstring& text, Format format, const PointRect& rect,
                  const D2D1_COLOR_F& color,
                  DWRITE_TEXT_ALIGNMENT align = DWRITE_TEXT_ALIGNMENT_LEADING);

    SettingsWindowContext context_;
    Win32ProfileStore store_;
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
    bool tracking_ = false;
    UINT dpi_ = 96;

    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target_;
    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush> brush_;
    std::array<Microsoft::WRL::ComPtr<IDWriteTextFormat>, kFormatCount> formats_;
};

void SettingsWindow::Impl::Create() noexcept {
    if (!RegisterWindowClass(context_.instance, kSettingsWindowClass, 0, IDC_ARROW)) {
        return;
    }
    HMONITOR main = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    dpi_ = MonitorDpi(main);
    const PixelRect rect = SettingsWindowRect(MonitorWorkArea(main), dpi_);
    if (CreateBound(0, kSettingsWindowClass, SettingsWindowTitle(), WS_OVERLAPPEDWINDOW, rect.left,
                    rect.top, rect.Width(), rect.Height(), nullptr, context_.instance) == nullptr) {
        return;
    }
    if (const UINT windowDpi = ::GetDpiForWindow(Hwnd()); windowDpi != 0) {
        dpi_ = windowDpi;
    }
    // A shared icon belongs to the module; nothing to free.
    if (auto* icon =
            static_cast<HICON>(::LoadImageW(context_.instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0,
                                            0, LR_DEFAULTSIZE | LR_SHARED))) {
        ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    ApplyDarkMode();
    const DWORD backdrop = kMainWindowBackdrop;
    (void)::DwmSetWindowAttribute(Hwnd(), sdk::kDwmwaSystemBackdropType, &backdrop,
                                  sizeof(backdrop));
    const MARGINS margins{-1, -1, -1, -1};
    (void)::DwmExtendFrameIntoClientArea(Hwnd(), &margins);
    Rebuild();
    ::ShowWindow(Hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(Hwnd());
}

void SettingsWindow::Impl::ApplyDarkMode() noexcept {
    const BOOL dark = context_.theme.dark ? TRUE : FALSE;
    (void)::DwmSetWindowAttribute(Hwnd(), sdk::kDwmwaUseImmersiveDarkMode, &dark, sizeof(dark));
}

void SettingsWindow::Impl::Rebuild() noexcept {
    try {
        rows_ = BuildRows(page_, pageContext_);
    } catch (...) {
        rows_.clear();
    }
    Relayout();
    Repaint();
}

void SettingsWindow::Impl::Relayout() noexcept {
    try {
        (void)EnsureFormats();  // the choice boxes and buttons fit their texts
        boxes_ = LayoutRows(rows_, ClientDips().width,
                            [this](const std::wstring& text) { return TextWidth(text); });
    } catch (...) {
        boxes_.clear();
    }
    const auto count = static_cast<int32_t>(std::min(rows_.size(), boxes_.size()));
    for (int32_t* index : {&hoverRow_, &focusRow_}) {
        if (*index >= count) {
            *index = -1;
        }
    }
    if (dragRow_ >= count) {
        dragRow_ = -1;
    }
    scroll_ = ClampScroll(scroll_, ContentHeight(boxes_), ViewHeight());
}

void SettingsWindow::Impl::Repaint() noexcept {
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void SettingsWindow::Impl::ResetPointerState() noexcept {
    hoverRow_ = -1;
    hoverEntry_ = -1;
    if (dragRow_ >= 0) {
        dragRow_ = -1;
        if (Hwnd() != nullptr && ::GetCapture() == Hwnd()) {
            ::ReleaseCapture();
        }
    }
}

void SettingsWindow::Impl::Arm(void (ReapplyTimers::*step)(uint64_t) noexcept) noexcept {
    (timers_.*step)(::GetTickCount64());
    ArmTimer();
}

void SettingsWindow::Impl::ArmTimer() noexcept {
    if (Hwnd() == nullptr) {
        return;
    }
    const std::optional<uint64_t> due = timers_.NextDue();
    if (!due) {
        ::KillTimer(Hwnd(), kReapplyTimer);
        return;
    }
    const uint64_t now = ::GetTickCount64();
    const uint64_t wait = *due > now ? *due - now : 0;
    ::SetTimer(Hwnd(), kReapplyTimer, static_cast<UINT>(std::min<uint64_t>(wait, 60000)), nullptr);
}

void SettingsWindow::Impl::OnTimer() noexcept {
    ::KillTimer(Hwnd(), kReapplyTimer);
    const ReapplyTimers::Due due = timers_.Take(::GetTickCount64());
    if (due.reapply && context_.commandWindow != nullptr) {
        ::PostMessageW(context_.commandWindow, WM_APP_COMMAND, CMD_RELOAD_SETTINGS, 0);
    }
    if (due.rebuild) {
        Rebuild();
    }
    ArmTimer();
}

void SettingsWindow::Impl::OnLanguageChanged() noexcept {
    if (Hwnd() != nullptr) {
        ::SetWindowTextW(Hwnd(), SettingsWindowTitle());
    }
    Arm(&ReapplyTimers::LanguageChanged);
}

D2D1_SIZE_F SettingsWindow::Impl::ClientDips() const noexcept {
    RECT client = {};
    if (Hwnd() != nullptr) {
        ::GetClientRect(Hwnd(), &client);
    }
    const float scale = 96.0f / static_cast<float>(dpi_);
    return D2D1::SizeF(static_cast<float>(client.right) * scale,
                       static_cast<float>(client.bottom) * scale);
}

D2D1_POINT_2F SettingsWindow::Impl::ToDips(LPARAM lParam) const noexcept {
    const float scale = 96.0f / static_cast<float>(dpi_);
    return D2D1::Point2F(static_cast<float>(GET_X_LPARAM(lParam)) * scale,
                         static_cast<float>(GET_Y_LPARAM(lParam)) * scale);
}

LRESULT SettingsWindow::Impl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (target_) {
                (void)target_->Resize(D2D1::SizeU(LOWORD(lParam), HIWORD(lParam)));
            }
            Relayout();
            Repaint();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const int dpi = static_cast<int>(dpi_);
            info->ptMinTrackSize.x = ::MulDiv(kMinTrackWidthDips, dpi, 96);
            info->ptMinTrackSize.y = ::MulDiv(kMinTrackHeightDips, dpi, 96);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_TIMER:
            if (wParam == kReapplyTimer) {
                OnTimer();
            }
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (dragRow_ < 0 && (hoverRow_ >= 0 || hoverEntry_ >= 0)) {
                hoverRow_ = -1;
                hoverEntry_ = -1;
                Repaint();
            }
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(lParam);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(lParam);
            return 0;
        case WM_CAPTURECHANGED:
            // The drag ends without writing anything.
            if (dragRow_ >= 0) {
                dragRow_ = -1;
                Repaint();
            }
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(wParam);
            return 0;
        case WM_KEYDOWN:
            OnKey(wParam);
            return 0;
        case WM_SETTINGCHANGE:
            if (lParam != 0 && std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) ==
                                   L"ImmersiveColorSet") {
                ApplyDarkMode();
                Repaint();
            }
            return 0;
        case WM_DPICHANGED: {
            dpi_ = LOWORD(wParam) != 0 ? LOWORD(wParam) : 96;
            ReleaseTarget();
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            Relayout();
            Repaint();
            return 0;
        }
        case WM_DESTROY:
            ::KillTimer(Hwnd(), kReapplyTimer);
            rows_.clear();
            rows_.shrink_to_fit();
            boxes_.clear();
            boxes_.shrink_to_fit();
            dragRow_ = -1;
            ReleaseTarget();
            (void)::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1),
                                             static_cast<SIZE_T>(-1));
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

// --- pointer and keys

void SettingsWindow::Impl::OnMouseMove(LPARAM lParam) {
    const D2D1_POINT_2F p = ToDips(lParam);
    if (!tracking_) {
        TRACKMOUSEEVENT leave = {sizeof(leave), TME_LEAVE, Hwnd(), 0};
        tracking_ = ::TrackMouseEvent(&leave) != FALSE;
    }
    if (ValidRow(dragRow_)) {
        const SettingsRow& row = rows_[static_cast<std::size_t>(dragRow_)];
        const PointRect& track = boxes_[static_cast<std::size_t>(dragRow_)].control;
        const int32_t value =
            SliderValueAt(p.x, track.left, track.right, row.min, row.max, row.step);
        if (value != dragValue_) {
            dragValue_ = value;
            Repaint();
        }
        return;
    }
    const int32_t entry = SidebarEntryAt(p.x, p.y);
    const int32_t row = p.x >= kSidebarWidth ? RowAt(rows_, boxes_, p.x, p.y, scroll_) : -1;
    if (entry != hoverEntry_ || row != hoverRow_) {
        hoverEntry_ = entry;
        hoverRow_ = row;
        Repaint();
    }
}

void SettingsWindow::Impl::OnButtonDown(LPARAM lParam) {
    const D2D1_POINT_2F p = ToDips(lParam);
    if (const int32_t entry = SidebarEntryAt(p.x, p.y); entry >= 0) {
        page_ = entry;
        scroll_ = 0;
        hoverRow_ = -1;
        focusRow_ = -1;
        Rebuild();
        return;
    }
    const int32_t index = p.x >= kSidebarWidth ? RowAt(rows_, boxes_, p.x, p.y, scroll_) : -1;
    if (!ValidRow(index)) {
        return;
    }
    const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
    if (row.kind == RowKind::Slider && row.getInt &&
        OnSliderTrack(boxes_[static_cast<std::size_t>(index)], p.x, p.y, scroll_)) {
        dragValue_ = row.getInt();
        dragRow_ = index;
        ::SetCapture(Hwnd());
        Repaint();
    }
}

void SettingsWindow::Impl::OnButtonUp(LPARAM lParam) {
    if (dragRow_ >= 0) {
        const int32_t index = dragRow_;
        dragRow_ = -1;  // before the capture goes, which would cancel the drag
        ::ReleaseCapture();
        if (ValidRow(index)) {
            const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
            // Copies: the setter may build the rows again.
            const auto get = row.getInt;
            const auto set = row.setInt;
            if (get && set && get() != dragValue_) {
                set(dragValue_);
            }
        }
        if (Hwnd() != nullptr) {
            Rebuild();
        }
        return;
    }
    const D2D1_POINT_2F p = ToDips(lParam);
    const int32_t index = p.x >= kSidebarWidth ? RowAt(rows_, boxes_, p.x, p.y, scroll_) : -1;
    if (!ValidRow(index)) {
        return;
    }
    const std::size_t i = static_cast<std::size_t>(index);
    if (rows_[i].kind == RowKind::Button &&
        !Contains(Scrolled(boxes_[i].control, scroll_), p.x, p.y)) {
        return;
    }
    Act(index, false);
}

void SettingsWindow::Impl::OnWheel(WPARAM wParam) {
    const float scroll =
        WheelScroll(scroll_, GET_WHEEL_DELTA_WPARAM(wParam), ContentHeight(boxes_), ViewHeight());
    if (scroll != scroll_) {
        scroll_ = scroll;
        // What is under the pointer has moved.
        POINT cursor = {};
        if (dragRow_ < 0 && ::GetCursorPos(&cursor) && ::ScreenToClient(Hwnd(), &cursor)) {
            const float s = 96.0f / static_cast<float>(dpi_);
            const float x = static_cast<float>(cursor.x) * s;
            hoverRow_ = x >= kSidebarWidth
                            ? RowAt(rows_, boxes_, x, static_cast<float>(cursor.y) * s, scroll_)
                            : -1;
        }
        Repaint();
    }
}

void SettingsWindow::Impl::OnKey(WPARAM key) {
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (key) {
        case VK_ESCAPE:
            ::DestroyWindow(Hwnd());
            return;
        case VK_TAB:
            MoveFocus(shift ? -1 : 1);
            return;
        case VK_UP:
            MoveFocus(-1);
            return;
        case VK_DOWN:
            MoveFocus(1);
            return;
        case VK_SPACE:
        case VK_RETURN:
            if (ValidRow(focusRow_) &&
                rows_[static_cast<std::size_t>(focusRow_)].kind != RowKind::Slider) {
                Act(focusRow_, true);
            }
            return;
        case VK_LEFT:
        case VK_RIGHT:
            StepSlider(focusRow_, key == VK_LEFT ? -1 : 1);
            return;
        default:
            return;
    }
}

void SettingsWindow::Impl::MoveFocus(int32_t step) {
    const int32_t next = NextInteractiveRow(rows_, focusRow_, step);
    if (next == focusRow_) {
        return;
    }
    focusRow_ = next;
    if (ValidRow(next)) {
        scroll_ =
            ClampScroll(ScrollToShow(boxes_[static_cast<std::size_t>(next)], scroll_, ViewHeight()),
                        ContentHeight(boxes_), ViewHeight());
    }
    Repaint();
}

void SettingsWindow::Impl::Act(int32_t index, bool viaKeyboard) {
    const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
    switch (row.kind) {
        case RowKind::Toggle: {
            const auto get = row.getBool;
            const auto set = row.setBool;
            if (get && set) {
                set(!get());
            }
            break;
        }
        case RowKind::Choice:
            OpenChoice(index, viaKeyboard);
            break;
        case RowKind::Button: {
            const auto action = row.action;
            if (action) {
                action();
            }
            break;
        }
        default:
            return;
    }
    // An action may have closed the window.
    if (Hwnd() != nullptr) {
        Rebuild();
    }
}

void SettingsWindow::Impl::OpenChoice(int32_t index, bool viaKeyboard) {
    const std::size_t i = static_cast<std::size_t>(index);
    const SettingsRow row = rows_[i];  // the menu's loop may rebuild the rows
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu) {
        return;
    }
    const int32_t current = CurrentOption(row);
    for (std::size_t option = 0; option < row.options.size(); ++option) {
        const UINT flags =
            MF_STRING | (static_cast<int32_t>(option) == current ? MF_CHECKED : MF_UNCHECKED);
        ::AppendMenuW(menu.Get(), flags, option + 1, row.options[option].c_str());
    }
    POINT at = {};
    if (viaKeyboard) {
        const PointRect control = Scrolled(boxes_[i].control, scroll_);
        at = {::MulDiv(static_cast<int>(control.left), static_cast<int>(dpi_), 96),
              ::MulDiv(static_cast<int>(control.bottom), static_cast<int>(dpi_), 96)};
        ::ClientToScreen(Hwnd(), &at);
    } else {
        ::GetCursorPos(&at);
    }
    const auto chosen = static_cast<std::size_t>(::TrackPopupMenu(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Hwnd(), nullptr));
    if (chosen == 0 || chosen > row.options.size() || !row.setInt) {
        return;
    }
    const int32_t value = OptionValue(row, chosen - 1);
    if (!row.getInt || row.getInt() != value) {
        row.setInt(value);
    }
}

void SettingsWindow::Impl::StepSlider(int32_t index, int32_t direction) {
    if (!ValidRow(index)) {
        return;
    }
    const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
    const auto get = row.getInt;
    const auto set = row.setInt;
    if (row.kind != RowKind::Slider || !get || !set || row.max < row.min) {
        return;
    }
    const int32_t old = get();
    const int32_t step = std::max(row.step, 1);
    const int32_t value = std::clamp(old + direction * step, row.min, row.max);
    if (value != old) {
        set(value);
        if (Hwnd() != nullptr) {
            Rebuild();
        }
    }
}

// --- drawing

bool SettingsWindow::Impl::EnsureFormats() {
    if (formats_[kLabel]) {
        return true;
    }
    IDWriteFactory* dwrite = context_.graphics.dwrite.Get();
    if (dwrite == nullptr) {
        return false;
    }
    const wchar_t* text = TextFontFamily().c_str();
    formats_[kTitle] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_SEMI_BOLD, 20.0f);
    formats_[kHeader] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_SEMI_BOLD, 15.0f);
    formats_[kLabel] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 14.0f);
    formats_[kDescription] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 12.0f);
    formats_[kControl] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 14.0f);
    formats_[kIcon] =
        MakeLineFormat(dwrite, IconFontFamily().c_str(), DWRITE_FONT_WEIGHT_REGULAR, 16.0f);
    return formats_[kLabel] != nullptr;
}

bool SettingsWindow::Impl::EnsureTarget() {
    return target_ || CreateTextTarget(context_.graphics.d2d.Get(), Hwnd(), dpi_, target_, brush_);
}

void SettingsWindow::Impl::ReleaseTarget() noexcept {
    brush_.Reset();
    target_.Reset();
}

float SettingsWindow::Impl::TextWidth(const std::wstring& text) const {
    IDWriteFactory* dwrite = context_.graphics.dwrite.Get();
    IDWriteTextFormat* format = formats_[kControl].Get();
    if (dwrite == nullptr || format == nullptr) {
        return 0;
    }
    Microsoft::WRL::ComPtr<IDWriteTextLayout> layout;
    if (FAILED(dwrite->CreateTextLayout(text.data(), static_cast<UINT32>(text.size()), format,
                                        10000.0f, 100.0f, &layout))) {
        return 0;
    }
    DWRITE_TEXT_METRICS metrics = {};
    return SUCCEEDED(layout->GetMetrics(&metrics)) ? metrics.widthIncludingTrailingWhitespace : 0;
}

void SettingsWindow::Impl::DrawLine(const std::wstring& text, Format format, const PointRect& rect,
                                    const D2D1_COLOR_F& color, DWRITE_TEXT_ALIGNMENT align) {
    IDWriteTextFormat* textFormat = formats_[format].Get();
    if (text.empty() || textFormat == nullptr || rect.right <= rect.left) {
        return;
    }
    (void)textFormat->SetTextAlignment(align);
    brush_->SetColor(color);
    target_->DrawText(text.data(), static_cast<UINT32>(text.size()), textFormat, ToD2D(rect),
                      brush_.Get(), D2D1_DRAW_TEXT_OPTIONS_CLIP);
    (void)textFormat->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);
}

void SettingsWindow::Impl::OnPaint() {
    const PaintScope paint(Hwnd());
    if (!EnsureFormats() || !EnsureTarget()) {
        return;
    }
    const D2D1_SIZE_F size = ClientDips();
    target_->BeginDraw();
    try {
        // Without composition nothing shows through the extended frame.
        BOOL composition = FALSE;
        const bool glass = SUCCEEDED(::DwmIsCompositionEnabled(&composition)) && composition;
        target_->Clear(glass ? D2D1::ColorF(0, 0, 0, 0) : ToD2D(context_.theme.surface));
        PaintSidebar();
        PaintRows(size.width, size.height);
    } catch (...) {
        // The frame is ended below; the next one starts afresh.
    }
    if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
        ReleaseTarget();
    }
}

void SettingsWindow::Impl::PaintSidebar() {
    const Theme& theme = context_.theme;
    DrawLine(L"Corvane", kTitle, {46, 12, kSidebarWidth, 36}, ToD2D(theme.text));
    for (int32_t page = 0; page < kSettingsPageCount; ++page) {
        const PointRect r = SidebarEntryRect(page);
        if (page == page_ || page == hoverEntry_) {
            brush_->SetColor(ToD2D(page == page_ ? theme.hoverFill : theme.pressedFill));
            target_->FillRoundedRectangle(D2D1::RoundedRect(ToD2D(r), kRowRadius, kRowRadius),
                                          brush_.Get());
        }
        if (page == page_) {
            brush_->SetColor(ToD2D(theme.accent));
            const float middle = (r.top + r.bottom) / 2;
            target_->FillRoundedRectangle(
                D2D1::RoundedRect(D2D1::RectF(r.left, middle - 8, r.left + 3, middle + 8), 1.5f,
                                  1.5f),
                brush_.Get());
        }
        const SettingsPage& info = PageInfo(page);
        DrawLine(std::wstring(1, info.glyph), kIcon, {r.left + 12, r.top, r.left + 36, r.bottom},
                 ToD2D(theme.text), DWRITE_TEXT_ALIGNMENT_CENTER);
        DrawLine(Tr(info.norwegian, info.english), kLabel,
                 {r.left + 46, r.top, r.right - 8, r.bottom}, ToD2D(theme.text));
    }
}

void SettingsWindow::Impl::PaintRows(float width, float height) {
    target_->PushAxisAlignedClip(D2D1::RectF(kSidebarWidth, 0, width, height),
                                 D2D1_ANTIALIAS_MODE_ALIASED);
    const std::size_t count = std::min(rows_.size(), boxes_.size());
    for (std::size_t i = 0; i < count; ++i) {
        const PointRect row = Scrolled(boxes_[i].row, scroll_);
        if (row.bottom < 0 || row.top > height) {
            continue;
        }
        PaintRow(static_cast<int32_t>(i), row, Scrolled(boxes_[i].control, scroll_));
    }
    target_->PopAxisAlignedClip();
}

void SettingsWindow::Impl::PaintRow(int32_t index, const PointRect& r, const PointRect& control) {
    const Theme& theme = context_.theme;
    const SettingsRow& row = rows_[static_cast<std::size_t>(index)];
    if (row.kind == RowKind::Header) {
        DrawLine(row.label, kHeader, {r.left + 4, r.bottom - 30, r.right, r.bottom - 6},
                 ToD2D(theme.text));
        return;
    }
    const D2D1_ROUNDED_RECT shape = D2D1::RoundedRect(ToD2D(r), kRowRadius, kRowRadius);
    brush_->SetColor(ToD2D(index == hoverRow_ ? theme.hoverFill : theme.pressedFill));
    target_->FillRoundedRectangle(shape, brush_.Get());
    if (index == focusRow_) {
        brush_->SetColor(ToD2D(theme.text));
        target_->DrawRoundedRectangle(
            D2D1::RoundedRect(D2D1::RectF(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1),
                              kRowRadius, kRowRadius),
            brush_.Get(), 2.0f);
    }
    float textRight = control.right > control.left ? control.left - 12 : r.right - 16;
    if (row.kind == RowKind::Slider) {
        textRight -= kValueTextWidth;
    } else if (row.kind == RowKind::Text) {
        textRight = r.left + (r.right - r.left) * 0.45f;
    }
    const float middle = (r.top + r.bottom) / 2;
    if (row.description.empty()) {
        DrawLine(row.label, kLabel, {r.left + 16, r.top, textRight, r.bottom}, ToD2D(theme.text));
    } else {
        DrawLine(row.label, kLabel, {r.left + 16, r.top + 10, textRight, middle + 2},
                 ToD2D(theme.text));
        DrawLine(row.description, kDescription, {r.left + 16, middle + 2, textRight, r.bottom - 10},
                 ToD2D(theme.secondaryText));
    }
    switch (row.kind) {
        case RowKind::Toggle:
            PaintToggle(row, control);
            break;
        case RowKind::Slider:
            PaintSlider(index, row, control);
            break;
        case RowKind::Choice:
            PaintChoice(row, control);
            break;
        case RowKind::Button:
            PaintButton(index, row, control);
            break;
        case RowKind::Text:
            DrawLine(row.value, kDescription, {textRight + 12, r.top, r.right - 16, r.bottom},
                     ToD2D(theme.secondaryText), DWRITE_TEXT_ALIGNMENT_TRAILING);
            break;
        default:
            break;
    }
}

void SettingsWindow::Impl::PaintToggle(const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const bool on = row.getBool && row.getBool();
    const float radius = (c.bottom - c.top) / 2;
    const D2D1_ROUNDED_RECT track = D2D1::RoundedRect(ToD2D(c), radius, radius);
    const float knobRadius = radius - 4;
    const float knobX = on ? c.right - radius : c.left + radius;
    const D2D1_ELLIPSE knob =
        D2D1::Ellipse(D2D1::Point2F(knobX, (c.top + c.bottom) / 2), knobRadius, knobRadius);
    if (on) {
        brush_->SetColor(ToD2D(theme.accent));
        target_->FillRoundedRectangle(track, brush_.Get());
        brush_->SetColor(theme.dark ? D2D1::ColorF(0, 0, 0, 1) : D2D1::ColorF(1, 1, 1, 1));
    } else {
        brush_->SetColor(ToD2D(theme.secondaryText));
        target_->DrawRoundedRectangle(
            D2D1::RoundedRect(
                D2D1::RectF(c.left + 0.5f, c.top + 0.5f, c.right - 0.5f, c.bottom - 0.5f), radius,
                radius),
            brush_.Get(), 1.0f);
    }
    target_->FillEllipse(knob, brush_.Get());
}

void SettingsWindow::Impl::PaintSlider(int32_t index, const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const int32_t value = index == dragRow_ ? dragValue_ : (row.getInt ? row.getInt() : row.min);
    const float left = c.left + kSliderInset;
    const float right = c.right - kSliderInset;
    const float middle = (c.top + c.bottom) / 2;
    const float knobX = left + (right - left) * SliderFraction(value, row.min, row.max);
    const float half = kSliderLine / 2;
    brush_->SetColor(ToD2D(theme.text, 0.25f));
    target_->FillRoundedRectangle(
        D2D1::RoundedRect(D2D1::RectF(left, middle - half, right, middle + half), half, half),
        brush_.Get());
    brush_->SetColor(ToD2D(theme.accent));
    target_->FillRoundedRectangle(
        D2D1::RoundedRect(D2D1::RectF(left, middle - half, knobX, middle + half), half, half),
        brush_.Get());
    target_->FillEllipse(D2D1::Ellipse(D2D1::Point2F(knobX, middle), kKnobRadius, kKnobRadius),
                         brush_.Get());
    DrawLine(std::to_wstring(value) + row.unit, kControl,
             {c.left - kValueTextWidth, c.top, c.left - 8, c.bottom}, ToD2D(theme.text),
             DWRITE_TEXT_ALIGNMENT_TRAILING);
}

void SettingsWindow::Impl::PaintChoice(const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const D2D1_ROUNDED_RECT box = D2D1::RoundedRect(ToD2D(c), kControlRadius, kControlRadius);
    brush_->SetColor(ToD2D(theme.hoverFill));
    target_->FillRoundedRectangle(box, brush_.Get());
    brush_->SetColor(ToD2D(theme.hairline));
    target_->DrawRoundedRectangle(box, brush_.Get(), 1.0f);
    const int32_t current = CurrentOption(row);
    if (current >= 0) {
        DrawLine(row.options[static_cast<std::size_t>(current)], kControl,
                 {c.left + 12, c.top, c.right - 32, c.bottom}, ToD2D(theme.text));
    }
    DrawLine(std::wstring(1, kChevronGlyph), kIcon, {c.right - 32, c.top, c.right - 8, c.bottom},
             ToD2D(theme.secondaryText), DWRITE_TEXT_ALIGNMENT_CENTER);
}

void SettingsWindow::Impl::PaintButton(int32_t index, const SettingsRow& row, const PointRect& c) {
    const Theme& theme = context_.theme;
    const D2D1_ROUNDED_RECT box = D2D1::RoundedRect(ToD2D(c), kControlRadius, kControlRadius);
    brush_->SetColor(ToD2D(index == hoverRow_ ? theme.hoverFill : theme.pressedFill));
    target_->FillRoundedRectangle(box, brush_.Get());
    brush_->SetColor(ToD2D(theme.hairline));
    target_->DrawRoundedRectangle(box, brush_.Get(), 1.0f);
    DrawLine(row.buttonText, kControl, c, ToD2D(theme.text), DWRITE_TEXT_ALIGNMENT_CENTER);
}

// --- the public face

SettingsWindow::SettingsWindow(const SettingsWindowContext& context)
    : impl_(std::make_unique<Impl>(context)) {}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::Open(int32_t page) {
    impl_->Open(page);
}

void SettingsWindow::Refresh() {
    impl_->Refresh();
}

void SettingsWindow::ThemeChanged() {
    impl_->ThemeChanged();
}

bool SettingsWindow::IsOpen() const noexcept {
    return impl_->Hwnd() != nullptr;
}

HWND SettingsWindow::Hwnd() const noexcept {
    return impl_->Hwnd();
}

}  // namespace corvane

#pragma once
// Draws CorMenu from its layout: the search pill, the header and its button,
// the rows of the current view or the letter grid, the right column and the
// power button. Keeps the text formats, which outlive render targets; the
// target, brush and bitmaps are the surface's.

#include "identity/AppEntry.h"
#include "start/MenuLayout.h"
#include "start/SearchBox.h"
#include "toolkit/Theme.h"

#include <d2d1.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

struct MenuPaintInput {
    ID2D1RenderTarget* target = nullptr;
    ID2D1SolidColorBrush* brush = nullptr;
    const Theme* theme = nullptr;
    bool solid = false;  // no glass behind: the painter fills the surface
    float progress = 1.0f;
    const MenuLayout* layout = nullptr;
    const MenuState* state = nullptr;
    std::wstring_view query;
    std::size_t caret = 0;  // in the query, and the selection's other end
    std::size_t anchor = 0;
    bool caretVisible = false;
    // The keyboard's item, ringed while it has the focus.
    MenuItemId selected;
    bool focusRing = false;
    // The entry an app row of the current view shows, or null.
    std::function<const AppEntry*(int32_t)> entry;
    // An icon's bitmap on the target, or null while there is none (yet).
    std::function<ID2D1Bitmap*(const AppEntry&)> icon;
    std::wstring_view userName;
    ID2D1Bitmap* avatar = nullptr;
};

class CorMenuPainter final {
public:
    explicit CorMenuPainter(IDWriteFactory* factory) noexcept : factory_(factory) {}
    // Windows' text size; a new one makes the text formats again.
    void SetTextScale(float textScale) noexcept;

    // What the layout needs measured: the view's header button label and the
    // power label; 0 when text cannot be laid out.
    [[nodiscard]] float ButtonLabelWidth(MenuView view);
    [[nodiscard]] float PowerLabelWidth();

    // Draws between the target's BeginDraw and EndDraw.
    void Paint(const MenuPaintInput& input);

    // How far content slides up into place while the menu opens.
    [[nodiscard]] static float SlideOffset(float progress) noexcept;

private:
    enum Format : std::size_t {
        kRowName,
        kHeader,
        kSmall,
        kUserName,
        kGlyph,
        kSmallGlyph,
        kIndexLetter,
        kSearch,
        kFormatCount
    };

    // Sizes both painter files share.
    static constexpr float kSmallRadius = 6.0f;
    static constexpr float kLargeRadius = 8.0f;
    static constexpr float kNameRight = 8.0f;  // row text ends this far from the right

    [[nodiscard]] static const wchar_t* PowerLabel() noexcept;
    [[nodiscard]] static D2D1_RECT_F Rect(const PointRect& r) noexcept {
        return {r.left, r.top, r.right, r.bottom};
    }
    [[nodiscard]] bool EnsureFormats();
    float textScale_ = 1.0f;
    [[nodiscard]] float TextWidth(std::wstring_view text, Format format);
    void SetColor(const ColorF& color, float alphaScale);
    void Fill(const PointRect& rect, float radius);
    void Text(std::wstring_view text, Format format, const PointRect& rect,
              DWRITE_TEXT_ALIGNMENT alignment = DWRITE_TEXT_ALIGNMENT_LEADING);
    void DrawSearch();
    void DrawHeader();
    void DrawRows();
    void DrawAppRow(const MenuRow& row);
    void DrawSearchFilesRow(const MenuRow& row);
    void DrawLetterCells();
    void DrawRightColumn();
    void DrawPower();
    // The keyboard's selection (filled, and ringed with the focus), else the
    // pointer's.
    bool Highlight(const PointRect& rect, const MenuItemId& id, float radius);
    void Ring(const PointRect& rect, float radius);

    Microsoft::WRL::ComPtr<IDWriteFactory> factory_;
    std::array<Microsoft::WRL::ComPtr<IDWriteTextFormat>, kFormatCount> formats_;
    SearchBox searchBox_;
    const MenuPaintInput* in_ = nullptr;
};

}  // namespace corvane

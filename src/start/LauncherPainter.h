#pragma once
// Draws CorLauncher: the search box, the items of the one or two pages in
// view, the dragged icon under the pointer, what an empty grid or search
// means, and the page dots. Keeps the text formats, which outlive render targets.

#include "identity/AppEntry.h"
#include "start/LauncherGrid.h"
#include "start/SearchBox.h"
#include "toolkit/Theme.h"

#include <d2d1.h>
#include <dwrite.h>
#include <wrl/client.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace corvane {

struct LauncherPaintInput {
    ID2D1RenderTarget* target = nullptr;
    ID2D1SolidColorBrush* brush = nullptr;
    const Theme* theme = nullptr;
    bool solid = false;  // no glass behind: the painter fills the surface
    float progress = 1.0f;
    const LauncherLayout* layout = nullptr;
    std::span<const AppEntry> shown;
    float scroll = 0;
    int32_t page = 0;
    int32_t selection = -1;
    int32_t hover = -1;
    int32_t drag = -1;  // the dragged item, drawn under the pointer
    LauncherCell dragOffset;
    std::wstring_view query;
    std::size_t caret = 0;  // in the query, and the selection's other end
    std::size_t anchor = 0;
    bool caretVisible = false;
    // An icon's bitmap on the target, or null while there is none (yet).
    std::function<ID2D1Bitmap*(const AppEntry&)> icon;
};

class LauncherPainter final {
public:
    explicit LauncherPainter(IDWriteFactory* factory) noexcept : factory_(factory) {}
    // Windows' text size; a new one makes the text formats again.
    void SetTextScale(float textScale) noexcept;

    // Draws between the target's BeginDraw and EndDraw.
    void Paint(const LauncherPaintInput& input);

private:
    enum Format : std::size_t { kLabel, kSearch, kGlyph, kMessage, kFormatCount };

    [[nodiscard]] bool EnsureFormats();
    float textScale_ = 1.0f;
    void SetColor(const ColorF& color, float alphaScale);
    void DrawItem(int32_t index, LauncherCell cell);
    void DrawItems();
    void DrawPageDots();

    Microsoft::WRL::ComPtr<IDWriteFactory> factory_;
    std::array<Microsoft::WRL::ComPtr<IDWriteTextFormat>, kFormatCount> formats_;
    SearchBox searchBox_;
    const LauncherPaintInput* in_ = nullptr;
};

}  // namespace corvane

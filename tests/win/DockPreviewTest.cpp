// The preview popup and the system's live pictures, through a host that
// counts what the popup asks of it.

#include "dock/DockPreview.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace corvane {
namespace {

struct CountingThumbnails final : ThumbnailHost {
    bool registers = true;
    SIZE source{};
    std::vector<HWND> sources;  // every registration asked for
    std::set<HTHUMBNAIL> live;
    std::vector<std::pair<PixelRect, bool>> properties;
    int queries = 0;
    int strayQueries = 0;  // of thumbnails not registered
    intptr_t next = 0;

    HTHUMBNAIL Register(HWND, HWND source) noexcept override {
        sources.push_back(source);
        return registers ? *live.insert(reinterpret_cast<HTHUMBNAIL>(++next)).first : nullptr;
    }
    bool SetProperties(HTHUMBNAIL, const PixelRect& destination, bool visible) noexcept override {
        properties.emplace_back(destination, visible);
        return true;
    }
    bool QuerySourceSize(HTHUMBNAIL thumbnail, SIZE& size) noexcept override {
        ++queries;
        strayQueries += live.count(thumbnail) == 0 ? 1 : 0;
        size = source;
        return true;
    }
    void Unregister(HTHUMBNAIL thumbnail) noexcept override { live.erase(thumbnail); }
};

// Popups, never activated: others cost seconds without a window manager.
HWND SourceWindow(int width, int height, int show) {
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"Source", WS_POPUP, 100, 100, width,
                                          height, nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(window, show);
    return window;
}

TEST(DockPreview, ThumbnailsAreQueriedOnlyOnceRegisteredAndLetGoOnRebuildAndHide) {
    const HWND shown = SourceWindow(600, 300, SW_SHOWNOACTIVATE);  // 400 x 200 DIPs at 144 DPI
    const HWND minimised = SourceWindow(600, 200, SW_SHOWMINNOACTIVE);
    const HWND gone = SourceWindow(300, 300, SW_HIDE);
    ::DestroyWindow(gone);
    ASSERT_TRUE(::IsIconic(minimised));
    const Settings settings;
    const Theme theme;
    const GraphicsFactories graphics;

    // Registration works; the minimised window's picture: large enough or a caption.
    const struct {
        bool registers;
        SIZE source;
        int queries;
        bool minimisedVisible;
    } rows[] = {{true, {800, 600}, 1, true}, {true, {160, 24}, 1, false}, {false, {}, 0, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.registers ? row.source.cx : 0);
        CountingThumbnails host;
        host.registers = row.registers;
        host.source = row.source;
        DockPreview preview(::GetModuleHandleW(nullptr), settings, theme, graphics, host);
        const HWND windows[] = {shown, gone, minimised};
        preview.Show(nullptr, windows, nullptr, 800, 700, 144);
        ASSERT_EQ(preview.Cards().size(), 2u);
        EXPECT_EQ(host.sources, (std::vector<HWND>{shown, minimised}));
        EXPECT_EQ(host.queries, row.queries);
        EXPECT_EQ(host.strayQueries, 0);
        EXPECT_EQ(preview.Cards()[1].thumbnailVisible, row.minimisedVisible);
        if (row.registers) {
            // 232 x 116 DIPs at 10, 32 in pixels at 144 DPI.
            ASSERT_EQ(host.properties.size(), 2u);
            EXPECT_EQ(host.properties[0].first, (PixelRect{15, 48, 363, 222}));
            EXPECT_TRUE(host.properties[0].second);
            EXPECT_EQ(host.properties[1].second, row.minimisedVisible);
        } else {
            EXPECT_TRUE(host.properties.empty());
            EXPECT_FALSE(preview.Cards()[0].thumbnailVisible);
        }

        preview.Show(nullptr, std::span(windows, 1), nullptr, 800, 700, 144);
        EXPECT_EQ(host.live.size(), row.registers ? 1u : 0u) << "kept over a rebuild";
        preview.Hide();
        EXPECT_TRUE(host.live.empty()) << "kept after hiding";
    }
    ::DestroyWindow(shown);
    ::DestroyWindow(minimised);
}

}  // namespace
}  // namespace corvane

#include "identity/IconCache.h"
#include "identity/IconDrawGeometry.h"
#include "identity/IconSourceRules.h"
#include "identity/IconTrim.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

// A transparent BGRA canvas with optional padding after each row.
struct Canvas {
    int width, height;
    std::size_t stride;
    std::vector<uint8_t> bytes;

    Canvas(int w, int h, std::size_t padding = 0)
        : width(w),
          height(h),
          stride(static_cast<std::size_t>(w) * 4 + padding),
          bytes(stride * static_cast<std::size_t>(h), 0) {}

    uint8_t& Alpha(int x, int y) {
        return bytes[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4 + 3];
    }
    // Inclusive rectangle.
    void Fill(int x0, int y0, int x1, int y1, uint8_t alpha = 255) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                Alpha(x, y) = alpha;
            }
        }
    }
    PixelView View() const { return PixelView{bytes, width, height, stride}; }
};

TEST(ComputeIconCrop, ContentUnder62PercentOfTheWidthGetsASquareOfItPlusMargin) {
    // Name, canvas width and height, an inclusive rectangle of alpha 255; the crop.
    const std::tuple<const char*, int, int, int, int, int, int, std::optional<IconCrop>> rows[] = {
        {"100 x 100 centred: 106 + 2", 256, 256, 78, 78, 177, 177, IconCrop{73, 73, 108}},
        {"158 wide is 62 %", 256, 256, 49, 120, 206, 130, std::nullopt},
        {"157 wide: 166 + 2", 256, 256, 50, 120, 206, 130, IconCrop{44, 41, 168}},
        {"canvas narrower than 64", 63, 256, 30, 30, 33, 33, std::nullopt},
        {"smallest canvas", 64, 64, 30, 30, 33, 33, IconCrop{28, 28, 6}},
        {"kept inside at the top left", 256, 256, 0, 0, 9, 9, IconCrop{0, 0, 12}},
        {"kept inside at the bottom right", 256, 256, 246, 246, 255, 255, IconCrop{244, 244, 12}},
        {"tall content is measured against the width", 100, 300, 10, 10, 14, 89, std::nullopt},
        {"no taller than a low canvas", 300, 64, 20, 10, 169, 20, IconCrop{62, 0, 64}}};
    for (const auto& [name, width, height, x0, y0, x1, y1, crop] : rows) {
        Canvas c(width, height);
        c.Fill(x0, y0, x1, y1);
        EXPECT_EQ(ComputeIconCrop(c.View()), crop) << name;
    }
}

TEST(FindVisibleBounds, MatchesAFullScanOnRandomImages) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + static_cast<int>(random() % 90);
        const int h = 1 + static_cast<int>(random() % 90);
        Canvas c(w, h, random() % 3 * 4);
        for (int dots = static_cast<int>(random() % 6); dots > 0; --dots) {
            c.Alpha(static_cast<int>(random() % w), static_cast<int>(random() % h)) =
                static_cast<uint8_t>(random() % 256);
        }
        std::optional<AlphaBounds> expected;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (c.Alpha(x, y) > 12) {
                    AlphaBounds b = expected.value_or(AlphaBounds{x, y, x, y});
                    expected = AlphaBounds{std::min(b.minX, x), std::min(b.minY, y),
                                           std::max(b.maxX, x), std::max(b.maxY, y)};
                }
            }
        }
        ASSERT_EQ(FindVisibleBounds(c.View()), expected) << "round " << round;
    }
}

TEST(FindVisibleBounds, RefusesViewsWhoseBytesDoNotHoldEveryRow) {
    // The last row needs no padding after it.
    Canvas padded(80, 80, 16);
    padded.Fill(79, 79, 79, 79);
    PixelView view = padded.View();
    view.bytes = view.bytes.first(view.bytes.size() - 16);
    EXPECT_EQ(FindVisibleBounds(view), (AlphaBounds{79, 79, 79, 79}));

    PixelView cut = view;
    cut.bytes = view.bytes.first(view.bytes.size() - 1);
    PixelView narrowStride = view;
    narrowStride.stride = 80 * 4 - 1;
    PixelView negative = view;
    negative.height = -5;
    // Sizes whose product would wrap around are refused, not read.
    PixelView huge = view;
    huge.height = INT_MAX;
    huge.stride = SIZE_MAX / 2;
    for (const PixelView& bad : {cut, narrowStride, negative, huge}) {
        EXPECT_EQ(FindVisibleBounds(bad), std::nullopt);
        EXPECT_EQ(ComputeIconCrop(bad), std::nullopt);
    }
}

TEST(IconSourceRules, ModulesByExtensionShellImageSizesAndGroupDirectories) {
    EXPECT_TRUE(IsIconModulePath(L"C:\\Windows\\System32\\SHELL32.DLL"));
    EXPECT_TRUE(IsIconModulePath(L"a.Exe"));
    EXPECT_FALSE(IsIconModulePath(L".exe"));  // needs more than the extension
    EXPECT_FALSE(IsIconModulePath(L"C:\\Links\\app.exe.lnk"));
    EXPECT_EQ(ShellImageSize(48), 96);
    EXPECT_EQ(ShellImageSize(49), 256);

    // An icon group directory must hold every entry it counts.
    const auto group = [](uint16_t reserved, uint16_t type, uint16_t count, std::size_t entries) {
        std::vector<uint8_t> bytes = {
            static_cast<uint8_t>(reserved), static_cast<uint8_t>(reserved >> 8),
            static_cast<uint8_t>(type),     static_cast<uint8_t>(type >> 8),
            static_cast<uint8_t>(count),    static_cast<uint8_t>(count >> 8)};
        bytes.resize(6 + 14 * entries, 0x20);
        return bytes;
    };
    EXPECT_TRUE(IsValidIconGroupDirectory(group(0, 1, 2, 2)));
    auto truncated = group(0, 1, 2, 2);
    truncated.pop_back();
    EXPECT_FALSE(IsValidIconGroupDirectory(truncated));
    EXPECT_FALSE(IsValidIconGroupDirectory(group(0, 1, 0xFFFF, 4)));
    EXPECT_FALSE(IsValidIconGroupDirectory(group(0, 1, 0, 0)));
    EXPECT_FALSE(IsValidIconGroupDirectory(group(0, 2, 1, 1)));  // a cursor group
    EXPECT_FALSE(IsValidIconGroupDirectory(group(1, 1, 1, 1)));
    EXPECT_FALSE(IsValidIconGroupDirectory(std::vector<uint8_t>{0, 0, 1, 0, 1}));
}

TEST(DrawIconGeometry, BitmapsMatchingTheSnappedSizeAreCopiedPixelForPixel) {
    // A 48-pixel bitmap in 32 DIPs at 150 %: 10.2 x 1.5 = 15.3 -> 15; 7.7 x 1.5 = 11.55 ->
    // 12; the size stays 48 pixels.
    const float scale = PixelScaleForDpi(144.0f);
    const PointRect snapped = SnapToDevicePixels({10.2f, 7.7f, 42.2f, 39.7f}, scale);
    EXPECT_EQ(snapped, (PointRect{10.0f, 8.0f, 42.0f, 40.0f}));
    EXPECT_EQ(ChooseIconSampling(48, 48, snapped, scale), IconSampling::NearestNeighbor);
    EXPECT_EQ(ChooseIconSampling(64, 64, snapped, scale), IconSampling::HighQualityCubic);
    EXPECT_EQ(ChooseIconSampling(48, 47, snapped, scale), IconSampling::HighQualityCubic);

    // The size is snapped on its own, not the right edge. Width 32.7 x 1.25 = 40.875 -> 41
    // pixels; rounding the right edge (33.1 x 1.25 = 41.375 -> 41) would leave 40 after the
    // left's 1.
    const PointRect r = SnapToDevicePixels({0.4f, 0, 33.1f, 32.7f}, 1.25f);
    EXPECT_FLOAT_EQ(r.left, 0.8f);
    EXPECT_FLOAT_EQ((r.right - r.left) * 1.25f, 41.0f);
    EXPECT_EQ(ChooseIconSampling(41, 41, r, 1.25f), IconSampling::NearestNeighbor);

    // An unusable DPI counts as 96.
    for (const float dpi : {0.0f, -144.0f, std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity()}) {
        EXPECT_FLOAT_EQ(PixelScaleForDpi(dpi), 1.0f);
    }
}

// Stands in for the disk: a loaded icon is its file's number, 0 a failure.
struct FakeDisk {
    std::map<std::wstring, int> files;
    std::map<std::wstring, int> loads;  // by the path as asked

    auto Loader() {
        return [this](std::wstring_view path, int32_t) {
            ++loads[std::wstring(path)];
            const auto found = files.find(std::wstring(path));
            return found == files.end() ? 0 : found->second;
        };
    }
};

TEST(IconCache, KeysArePathsInAnyCaseAndSizesAndFailuresLastUntilTheCacheIsCleared) {
    FakeDisk disk;
    disk.files[L"C:\\Apps\\Editor.exe"] = 7;
    IconCache<int> cache;
    EXPECT_EQ(cache.Get(L"C:\\Apps\\Editor.exe", 32, disk.Loader()), 7);
    EXPECT_EQ(cache.Get(L"c:\\apps\\EDITOR.EXE", 32, disk.Loader()), 7);
    EXPECT_EQ(disk.loads[L"C:\\Apps\\Editor.exe"], 1);
    EXPECT_EQ(cache.Get(L"C:\\Apps\\Editor.exe", 48, disk.Loader()), 7);
    EXPECT_EQ(disk.loads[L"C:\\Apps\\Editor.exe"], 2);

    // A missing file stays missing until the cache is cleared.
    const std::wstring missing = L"C:\\Gone\\gone.exe";
    EXPECT_EQ(cache.Get(missing, 32, disk.Loader()), 0);
    disk.files[missing] = 9;  // it appears, but the failure is remembered

    // 198 more keys make 201 entries; repeated keys never clear.
    for (int i = 0; i < 400; ++i) {
        (void)cache.Get(L"C:\\other" + std::to_wstring(i % 198) + L".exe", 32, disk.Loader());
    }
    EXPECT_EQ(cache.Size(), 201u);
    EXPECT_EQ(cache.Get(missing, 32, disk.Loader()), 0);
    EXPECT_EQ(disk.loads[missing], 1);

    // The next new key finds more than 200 entries and clears them all.
    (void)cache.Get(L"C:\\one-more.exe", 32, disk.Loader());
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_EQ(cache.Get(missing, 32, disk.Loader()), 9);
    EXPECT_EQ(disk.loads[missing], 2);
}

}  // namespace
}  // namespace corvane

#include "identity/IconDrawGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvane {
namespace {

TEST(DrawIconGeometry, A48PixelBitmapIn32DipsAt150PercentIsCopiedPixelForPixel) {
    const float scale = PixelScaleForDpi(144.0f);
    // 10.2 x 1.5 = 15.3 -> 15; 7.7 x 1.5 = 11.55 -> 12; the size stays 48 pixels.
    const PointRect snapped = SnapToDevicePixels({10.2f, 7.7f, 42.2f, 39.7f}, scale);
    EXPECT_FLOAT_EQ(snapped.left, 10.0f);
    EXPECT_FLOAT_EQ(snapped.top, 8.0f);
    EXPECT_FLOAT_EQ(snapped.right, 42.0f);
    EXPECT_FLOAT_EQ(snapped.bottom, 40.0f);
    EXPECT_EQ(ChooseIconSampling(48, 48, snapped, scale), IconSampling::NearestNeighbor);
    EXPECT_EQ(ChooseIconSampling(64, 64, snapped, scale), IconSampling::HighQualityCubic);
    EXPECT_EQ(ChooseIconSampling(48, 47, snapped, scale), IconSampling::HighQualityCubic);
}

TEST(DrawIconGeometry, TheSizeIsSnappedOnItsOwnNotTheRightEdge) {
    // Width 32.7 x 1.25 = 40.875 -> 41 pixels; rounding the right edge
    // (33.1 x 1.25 = 41.375 -> 41) would leave 40 after the left's 1.
    const PointRect r = SnapToDevicePixels({0.4f, 0, 33.1f, 32.7f}, 1.25f);
    EXPECT_FLOAT_EQ(r.left, 0.8f);
    EXPECT_FLOAT_EQ((r.right - r.left) * 1.25f, 41.0f);
    EXPECT_EQ(ChooseIconSampling(41, 41, r, 1.25f), IconSampling::NearestNeighbor);
}

TEST(DrawIconGeometry, AnUnusableDpiCountsAs96) {
    for (const float dpi : {0.0f, -144.0f, std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity()}) {
        EXPECT_FLOAT_EQ(PixelScaleForDpi(dpi), 1.0f);
    }
}

}  // namespace
}  // namespace corvane

#pragma once
// The routines every surface draws icons and covers with: icons on whole
// device pixels, without filtering when the bitmap already has the drawn
// size; covers with rounded corners.

#include <d2d1.h>

namespace corvane {

// Snaps rect (DIPs) to the target's device pixels in place and draws the
// whole bitmap into it with the given opacity. Nothing happens without a
// target or a bitmap.
void DrawIconBitmap(ID2D1RenderTarget* target, ID2D1Bitmap* bitmap, D2D1_RECT_F& rect,
                    float opacity) noexcept;

// Draws the whole bitmap into rect (DIPs) with linear filtering, its corners
// rounded by `radius`. False, with nothing drawn, without a bitmap or when
// the rounded mask cannot be made.
[[nodiscard]] bool DrawRoundedBitmap(ID2D1RenderTarget* target, ID2D1Bitmap* bitmap,
                                     const D2D1_RECT_F& rect, float radius, float opacity) noexcept;

}  // namespace corvane

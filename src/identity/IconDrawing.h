#pragma once
// The one routine every surface draws icons with: on whole device pixels,
// and without filtering when the bitmap already has the drawn size.

#include <d2d1.h>

namespace corvane {

// Snaps rect (DIPs) to the target's device pixels in place and draws the
// whole bitmap into it with the given opacity. Nothing happens without a
// target or a bitmap.
void DrawIconBitmap(ID2D1RenderTarget* target, ID2D1Bitmap* bitmap, D2D1_RECT_F& rect,
                    float opacity) noexcept;

}  // namespace corvane

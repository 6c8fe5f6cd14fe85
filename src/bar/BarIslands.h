#pragma once
// The glass boxes of the islands and separated styles, derived from the laid
// out items; the bar turns them into its window region and panels.

#include "bar/BarGeometry.h"
#include "bar/BarItem.h"

#include <vector>

namespace corvane {

// Replaces islands with those of style (none for classic and floating).
// nowPlayingNextToClock puts the Now Playing item into the separated style's
// centre group instead of its right group.
void BuildBarIslands(const std::vector<BarItem>& items, BarStyle style, float width, float height,
                     bool nowPlayingNextToClock, std::vector<PointRect>& islands);

}  // namespace corvane

#pragma once
// Dark or light popup menus (TrackPopupMenu) for the whole process.

namespace corvane {

// Skipped silently on systems without the uxtheme exports.
void ApplyMenuTheme(bool dark) noexcept;

}  // namespace corvane

#pragma once
// The settings window's pages, in the order of its sidebar: what the other
// surfaces open it at. Portable, for the pages' own rules too.

#include <cstdint>

namespace corvane {

inline constexpr int32_t kPageGeneral = 0;
inline constexpr int32_t kPageTopBar = 1;
inline constexpr int32_t kPageTray = 2;
inline constexpr int32_t kPageDock = 3;
inline constexpr int32_t kPageStart = 4;
inline constexpr int32_t kPageTiling = 5;
inline constexpr int32_t kPageHotCorners = 6;
inline constexpr int32_t kPagePlugins = 7;
inline constexpr int32_t kPageAbout = 8;

}  // namespace corvane

#pragma once
// Icons remembered for the whole process by path and size, failures
// included (see IconCache.h). GUI thread only.

#include "identity/IconLoader.h"

#include <cstdint>
#include <string>

namespace corvane {

// The remembered icon, or LoadIconBitmap's answer remembered from now on.
[[nodiscard]] IconSourceBitmap GetCachedIcon(const std::wstring& path, int32_t size) noexcept;

// Number of remembered keys, failures included.
[[nodiscard]] std::size_t CachedIconCount() noexcept;

// Drops every remembered icon. Called at shutdown while COM is still up:
// the icons are COM objects and must not outlive the apartment.
void ClearIconCache() noexcept;

}  // namespace corvane

#include "identity/CachedIcons.h"

#include "identity/IconCache.h"

namespace corvane {
namespace {

// Never destroyed by the runtime: that would release COM objects after the
// apartment is gone. ClearIconCache empties it in time instead.
IconCache<IconSourceBitmap>& TheIconCache() noexcept {
    static auto* const cache = new IconCache<IconSourceBitmap>();
    return *cache;
}

}  // namespace

IconSourceBitmap GetCachedIcon(const std::wstring& path, int32_t size) noexcept {
    try {
        return TheIconCache().Get(path, size, [](std::wstring_view p, int32_t s) {
            return LoadIconBitmap(std::wstring(p), s);
        });
    } catch (...) {
        return {};
    }
}

std::size_t CachedIconCount() noexcept {
    return TheIconCache().Size();
}

void ClearIconCache() noexcept {
    TheIconCache().Clear();
}

}  // namespace corvane

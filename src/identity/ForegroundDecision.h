#pragma once
// Which application a foreground window belongs to, what it is called and
// which icon it shows. Portable: the system is reached through
// ForegroundSources, windows and icons are opaque ids (HWND, HICON on Windows).

#include "identity/DisplayNameCache.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

// The system calls the decision needs, answered by the Win32 layer (and by
// fakes in tests). None of them may throw.
class ForegroundSources {
public:
    virtual ~ForegroundSources() = default;

    // Store apps: the image path of the first child window of `hostWindow`
    // that belongs to another process (empty if that process cannot be
    // opened); nothing when there is no such child.
    [[nodiscard]] virtual std::optional<std::wstring> HostedAppPath(uint64_t hostWindow) = 0;
    // The version resource's FileDescription, empty on any failure.
    [[nodiscard]] virtual std::wstring FileDescription(const std::wstring& path) = 0;
    // The executable's own icon, owned by the caller; 0 when it has none.
    [[nodiscard]] virtual uint64_t ExtractFileIcon(const std::wstring& path) = 0;
    // The icon the window or its class shows, not owned; 0 when it has none.
    [[nodiscard]] virtual uint64_t WindowIcon(uint64_t window) = 0;
    // An owned copy of a borrowed icon; 0 on failure.
    [[nodiscard]] virtual uint64_t CopyIcon(uint64_t icon) = 0;
};

// What the Win32 layer read about the foreground window.
struct ForegroundFacts {
    uint64_t window = 0;
    std::wstring className;  // as read, at most kClassNameChars characters
    std::wstring exePath;    // image path of the window's process, empty if unknown
};

struct AppIdentity {
    std::wstring exePath;  // after the store-app rule
    std::wstring exeName;  // lower case
    std::wstring displayName;
    uint64_t icon = 0;  // owned by the cache or borrowed from the window
};

// The identity of the window's application, or nothing when the window is a
// shell surface (or null) and the previous application stays current.
[[nodiscard]] std::optional<AppIdentity> IdentifyForeground(const ForegroundFacts& facts,
                                                            DisplayNameCache& cache,
                                                            ForegroundSources& sources);

// The current application as the bar shows it.
struct CurrentAppView {
    uint64_t window = 0;
    const std::wstring& displayName;
    uint64_t icon = 0;
};

// A change of name, icon or window; a changed title alone is none.
[[nodiscard]] bool IsApplicationChange(const CurrentAppView& current, uint64_t window,
                                       const AppIdentity& next) noexcept;

}  // namespace corvane

#pragma once
// What groups a window with the other windows of its application and with a
// pinned dock entry, and the process-lifetime memory of it per window.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// A top-level window as an opaque number (the HWND's value on Windows).
using WindowId = uint64_t;

struct WindowIdentity {
    WindowId window = 0;
    std::wstring appId;    // AppUserModelID as reported, case kept; empty if none
    std::wstring pathKey;  // NormalizePathKey of exePath
    std::wstring exePath;  // process image, after the Steam rule
};

// The identity of a window never changes while it lives, so it is worked out
// once. Entries go only when their windows are gone.
class IdentityCache {
public:
    struct Entry {
        std::wstring appId;
        std::wstring pathKey;
        std::wstring exePath;
    };

    [[nodiscard]] const Entry* Find(WindowId window) const;
    void Store(WindowId window, Entry entry);
    // Erases every entry whose window isAlive(window) rejects.
    template <typename IsAlive>
    void EraseDead(IsAlive isAlive) {
        std::erase_if(entries_, [&](const auto& item) { return !isAlive(item.first); });
    }
    [[nodiscard]] std::size_t Size() const { return entries_.size(); }

private:
    std::map<WindowId, Entry> entries_;
};

// Store apps show in a frame window of the frame host's process; the app's
// own process owns the core window inside it.
inline constexpr std::wstring_view kAppFrameClass = L"ApplicationFrameWindow";
inline constexpr std::wstring_view kAppCoreWindowClass = L"Windows.UI.Core.CoreWindow";

// The frame host's frame (the class compared exactly, as the system spells it).
[[nodiscard]] bool IsAppFrame(std::wstring_view className, std::wstring_view imagePath);

// The system queries behind an identity; each yields empty text on failure.
class IdentitySource {
public:
    virtual ~IdentitySource() = default;
    // The window's own AppUserModelID (its property store).
    [[nodiscard]] virtual std::wstring WindowAppId(WindowId window) = 0;
    // Full path of the image of the window's process.
    [[nodiscard]] virtual std::wstring ImagePath(WindowId window) = 0;
    // The AppUserModelID of the window's process when it has a package identity.
    [[nodiscard]] virtual std::wstring PackageAppId(WindowId window) = 0;
    [[nodiscard]] virtual std::wstring ClassName(WindowId window) = 0;
    // The core window of another process inside a frame window, or 0 while
    // there is none (a suspended app's frame stands empty).
    [[nodiscard]] virtual WindowId CoreWindowOf(WindowId frame) = 0;
};

// The cached identity, or a new one from the source. The package identity
// is asked only when the window names no id itself. A store app's frame
// takes the identity of its core window's process; an empty frame has none
// yet and is not cached, so that the next look finds the app.
[[nodiscard]] WindowIdentity IdentifyWindow(WindowId window, IdentityCache& cache,
                                            IdentitySource& source);

// IdentifyWindow over each window in the given order.
[[nodiscard]] std::vector<WindowIdentity> IdentifyWindows(const std::vector<WindowId>& windows,
                                                          IdentityCache& cache,
                                                          IdentitySource& source);

}  // namespace corvane

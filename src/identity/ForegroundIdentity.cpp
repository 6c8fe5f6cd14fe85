#include "identity/ForegroundIdentity.h"

#include "base/ImagePaths.h"
#include "base/Win32Handles.h"
#include "identity/DisplayNameCache.h"
#include "identity/ForegroundDecision.h"
#include "identity/WindowFacts.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace corvane {
namespace {

// Version resources are a few kilobytes; a file that claims more is not
// read (the size comes from a file anyone may have put there).
constexpr DWORD kMaxVersionInfoBytes = 1u << 20;

// A hung application must not stall the bar.
constexpr UINT kWindowIconTimeoutMs = 50;

uint64_t ToId(HWND window) noexcept {
    return reinterpret_cast<uintptr_t>(window);
}
uint64_t ToId(HICON icon) noexcept {
    return reinterpret_cast<uintptr_t>(icon);
}
HWND ToWindow(uint64_t id) noexcept {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
}
HICON ToIcon(uint64_t id) noexcept {
    return reinterpret_cast<HICON>(static_cast<uintptr_t>(id));
}

void DestroyCachedIcon(uint64_t icon) noexcept {
    ::DestroyIcon(ToIcon(icon));
}

// Lives as long as the process: the icons in it may be the bar's current one
// up to the very end.
DisplayNameCache& NameCache() {
    static DisplayNameCache* const cache =
        new DisplayNameCache(kDisplayNameCacheCapacity, &DestroyCachedIcon);
    return *cache;
}

// True when `[data, data + bytes)` lies inside the block.
bool InsideBlock(const std::vector<BYTE>& block, const void* data, std::size_t bytes) noexcept {
    const auto* p = static_cast<const BYTE*>(data);
    const BYTE* begin = block.data();
    const BYTE* end = begin + block.size();
    return p >= begin && p <= end && bytes <= static_cast<std::size_t>(end - p);
}

class Win32Sources final : public ForegroundSources {
public:
    std::optional<std::wstring> HostedAppPath(uint64_t hostWindow) override {
        const HWND core = HostedCoreWindow(ToWindow(hostWindow));
        DWORD app = 0;
        if (core == nullptr || ::GetWindowThreadProcessId(core, &app) == 0 || app == 0) {
            return std::nullopt;
        }
        return ProcessImagePath(app);
    }

    std::wstring FileDescription(const std::wstring& path) override {
        return FileDescriptionOf(path);
    }

    uint64_t ExtractFileIcon(const std::wstring& path) override {
        HICON large = nullptr;
        HICON small = nullptr;
        const HRESULT hr =
            ::SHDefExtractIconW(path.c_str(), 0, 0, &large, &small, MAKELONG(32, 16));
        UniqueIcon ownedLarge(large);
        const UniqueIcon ownedSmall(small);
        return hr == S_OK ? ToId(ownedLarge.Release()) : 0;
    }

    uint64_t WindowIcon(uint64_t window) override {
        const HWND hwnd = ToWindow(window);
        DWORD_PTR result = 0;
        if (::SendMessageTimeoutW(hwnd, WM_GETICON, ICON_SMALL2, 0, SMTO_ABORTIFHUNG,
                                  kWindowIconTimeoutMs, &result) != 0 &&
            result != 0) {
            return result;
        }
        if (const ULONG_PTR small = ::GetClassLongPtrW(hwnd, GCLP_HICONSM)) {
            return small;
        }
        return ::GetClassLongPtrW(hwnd, GCLP_HICON);
    }

    uint64_t CopyIcon(uint64_t icon) override { return ToId(::CopyIcon(ToIcon(icon))); }
};

bool Evaluate(CurrentApplication& current, HWND window) {
    if (window == nullptr) {
        return false;
    }
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == ::GetCurrentProcessId()) {
        return false;
    }
    const ForegroundFacts facts{ToId(window), WindowClassName(window, kClassNameChars),
                                ProcessImagePath(pid)};
    Win32Sources sources;
    std::optional<AppIdentity> next = IdentifyForeground(facts, NameCache(), sources);
    if (!next) {
        return false;
    }

    const bool changed = IsApplicationChange(
        CurrentAppView{ToId(current.window), current.displayName, ToId(current.icon)}, facts.window,
        *next);
    current.window = window;
    current.exeName = std::move(next->exeName);
    current.exePath = std::move(next->exePath);
    if (!changed) {
        return false;
    }
    current.displayName = std::move(next->displayName);
    const HICON icon = ToIcon(next->icon);
    if (icon != current.icon) {
        current.icon = icon;
        ++current.iconGeneration;
    }
    return true;
}

}  // namespace

bool UpdateCurrentApplication(CurrentApplication& current, HWND window) noexcept {
    try {
        return Evaluate(current, window);
    } catch (...) {
        // Out of memory: the previous application simply stays current.
        return false;
    }
}

std::wstring FileDescriptionOf(const std::wstring& path) {
    if (path.empty()) {
        return {};
    }
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0 || size > kMaxVersionInfoBytes) {
        return {};
    }
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        return {};
    }

    void* translation = nullptr;
    UINT translationBytes = 0;
    if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translation,
                          &translationBytes) ||
        translation == nullptr || translationBytes < 4 || !InsideBlock(block, translation, 4)) {
        return {};
    }
    WORD languageAndCodePage[2] = {};
    std::memcpy(languageAndCodePage, translation, sizeof(languageAndCodePage));

    void* value = nullptr;
    UINT chars = 0;
    const std::wstring query = FileDescriptionQuery(languageAndCodePage[0], languageAndCodePage[1]);
    if (!::VerQueryValueW(block.data(), query.c_str(), &value, &chars) || value == nullptr ||
        !InsideBlock(block, value, 0)) {
        return {};
    }
    // The reported length is the file's word; never read past the block.
    const auto* text = static_cast<const BYTE*>(value);
    const std::size_t available =
        static_cast<std::size_t>(block.data() + block.size() - text) / sizeof(wchar_t);
    return DescriptionFromVersionValue(static_cast<const wchar_t*>(value),
                                       std::min<std::size_t>(chars, available));
}

}  // namespace corvane

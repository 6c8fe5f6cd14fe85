#include "identity/ForegroundRules.h"

#include "base/TextHelpers.h"
#include "config/Texts.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <cwctype>

namespace corvane {
namespace {

constexpr std::array<std::wstring_view, 10> kShellSurfaceClasses = {
    L"shell_traywnd",
    L"shell_secondarytraywnd",
    L"notifyiconoverflowwindow",
    L"toplevelwindowforoverflowxamlisland",
    L"xamlexplorerhostislandwindow",
    L"foregroundstaging",
    L"multitaskingviewframe",
    L"taskswitcherwnd",
    L"#32768",
    L"tooltips_class32",
};

constexpr std::array<std::wstring_view, 6> kShellSurfaceExecutables = {
    L"searchhost.exe",          L"startmenuexperiencehost.exe",
    L"shellexperiencehost.exe", L"searchapp.exe",
    L"shellhost.exe",           L"lockapp.exe",
};

constexpr std::array<std::wstring_view, 3> kFullscreenExcludedClasses = {
    L"Progman",
    L"WorkerW",
    L"Shell_TrayWnd",
};

constexpr std::array<std::wstring_view, 6> kFullscreenExcludedExecutables = {
    L"startmenuexperiencehost.exe",
    L"searchhost.exe",
    L"shellexperiencehost.exe",
    L"shellhost.exe",
    L"lockapp.exe",
    L"explorer.exe",
};

template <std::size_t N>
bool Contains(const std::array<std::wstring_view, N>& list, std::wstring_view value) noexcept {
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

std::wstring FileNameOf(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring ExecutableNameOf(std::wstring_view path) {
    return ToLower(FileNameOf(path));
}

bool IsShellSurface(std::wstring_view className, std::wstring_view exeName) {
    if (Contains(kShellSurfaceExecutables, exeName)) {
        return true;
    }
    return Contains(kShellSurfaceClasses, ToLower(className.substr(0, kClassNameChars)));
}

bool IsStoreAppHost(std::wstring_view exeName) noexcept {
    return exeName == kStoreAppHostExe;
}

bool IsDesktopWindow(std::wstring_view exeName, std::wstring_view className) noexcept {
    return exeName == kExplorerExe && (className == L"Progman" || className == L"WorkerW");
}

const wchar_t* DesktopName() noexcept {
    return Text(TextId::Desktop);
}

const wchar_t* FileExplorerName() noexcept {
    return Text(TextId::FileExplorer);
}

std::wstring NameFromFileName(std::wstring_view fileName) {
    const std::size_t dot = fileName.rfind(L'.');
    std::wstring name(dot == std::wstring_view::npos ? fileName : fileName.substr(0, dot));
    if (!name.empty()) {
        name[0] = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(name[0])));
    }
    return name;
}

std::wstring DescriptionFromVersionValue(const wchar_t* value, std::size_t lengthWithNull) {
    if (value == nullptr || lengthWithNull < 2) {
        return {};
    }
    // The reported length is trusted only as an upper bound: the text ends at
    // its first terminator within it.
    std::wstring text(value, std::find(value, value + lengthWithNull, L'\0'));
    while (!text.empty() && std::iswspace(static_cast<std::wint_t>(text.back()))) {
        text.pop_back();
    }
    return text;
}

std::wstring FileDescriptionQuery(uint16_t language, uint16_t codePage) {
    constexpr wchar_t kHex[] = L"0123456789abcdef";
    const uint32_t both = (static_cast<uint32_t>(language) << 16) | codePage;
    std::wstring query = L"\\StringFileInfo\\";
    for (int shift = 28; shift >= 0; shift -= 4) {
        query.push_back(kHex[(both >> shift) & 0xF]);
    }
    query += L"\\FileDescription";
    return query;
}

bool IsExcludedFromFullscreen(std::wstring_view className, std::wstring_view exeName) noexcept {
    return Contains(kFullscreenExcludedClasses, className) ||
           Contains(kFullscreenExcludedExecutables, exeName);
}

bool CoversDisplay(const PixelRect& window, const PixelRect& display) noexcept {
    return window.left <= display.left && window.top <= display.top &&
           window.right >= display.right && window.bottom >= display.bottom;
}

bool IsFullscreenWindow(const PixelRect& window, const PixelRect& display,
                        bool maximised) noexcept {
    return !maximised && CoversDisplay(window, display);
}

bool IsFullscreenNotificationState(int32_t state) noexcept {
    return state == 3 || state == 4;
}

}  // namespace corvane

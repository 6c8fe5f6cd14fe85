#pragma once
// Which windows name the application in front, what the name falls back to,
// and when a window counts as full screen. Portable: windows and displays
// arrive as class names, executable names and rectangles.

#include "base/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::wstring_view kExplorerExe = L"explorer.exe";
inline constexpr std::wstring_view kStoreAppHostExe = L"applicationframehost.exe";

// Window class names are read up to this many characters.
inline constexpr std::size_t kClassNameChars = 128;

// The part after the last "\" or "/"; the whole text if there is none.
[[nodiscard]] std::wstring FileNameOf(std::wstring_view path);

// The executable name of a process image path: its file name in lower case,
// the form in which executable names are keys everywhere.
[[nodiscard]] std::wstring ExecutableNameOf(std::wstring_view path);

// Start, search, task view, the taskbar, menus and tooltips: while one of them
// is in front the previous application stays current. The class is compared
// without case.
[[nodiscard]] bool IsShellSurface(std::wstring_view className, std::wstring_view exeName);

// Store apps run inside a frame of this host; the app is its child window.
[[nodiscard]] bool IsStoreAppHost(std::wstring_view exeName) noexcept;

// Explorer's desktop windows (exact class comparison).
[[nodiscard]] bool IsDesktopWindow(std::wstring_view exeName, std::wstring_view className) noexcept;

// "Skrivebord" / "Desktop".
[[nodiscard]] const wchar_t* DesktopName() noexcept;
// "Filutforsker" / "File Explorer": Explorer's windows without a description.
[[nodiscard]] const wchar_t* FileExplorerName() noexcept;
// When nothing else gives a name.
inline constexpr std::wstring_view kFallbackAppName = L"Windows";

// Name of an executable without a description: the file name cut at its last
// ".", first character upper-cased, the rest as it is.
[[nodiscard]] std::wstring NameFromFileName(std::wstring_view fileName);

// A trailing-blank-free copy of a version string value. `lengthWithNull` is the
// length the version resource reports (characters, including the terminator);
// values shorter than 2 characters, or absent, give an empty name.
[[nodiscard]] std::wstring DescriptionFromVersionValue(const wchar_t* value,
                                                       std::size_t lengthWithNull);

// The query path of FileDescription for the first translation of a version
// resource, e.g. "\StringFileInfo\040904b0\FileDescription".
[[nodiscard]] std::wstring FileDescriptionQuery(uint16_t language, uint16_t codePage);

// The desktop, the taskbar and shell processes never count as full screen,
// however large their windows are. The class is compared exactly.
[[nodiscard]] bool IsExcludedFromFullscreen(std::wstring_view className,
                                            std::wstring_view exeName) noexcept;

// True when the window reaches every edge of the display or beyond.
[[nodiscard]] bool CoversDisplay(const PixelRect& window, const PixelRect& display) noexcept;

// A maximised window covers its display too but still has its frame; only an
// unmaximised window that covers the display is a full-screen one.
[[nodiscard]] bool IsFullscreenWindow(const PixelRect& window, const PixelRect& display,
                                      bool maximised) noexcept;

// SHQueryUserNotificationState answers that count as full screen: a D3D
// full-screen application (3) or presentation mode (4).
[[nodiscard]] bool IsFullscreenNotificationState(int32_t state) noexcept;

}  // namespace corvane

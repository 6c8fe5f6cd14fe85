#include "toolkit/AccessibilityReader.h"

#include "base/WaitingThread.h"

#include <windows.h>

namespace corvane {
namespace {

// Where Settings > Accessibility > Text size keeps its value.
constexpr wchar_t kAccessibilityKey[] = L"Software\\Microsoft\\Accessibility";
constexpr wchar_t kTextScaleValue[] = L"TextScaleFactor";

std::optional<uint32_t> ReadTextScaleFactor() noexcept {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kAccessibilityKey, kTextScaleValue, RRF_RT_REG_DWORD,
                       nullptr, &value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

uint32_t SysColor(int index) noexcept {
    return static_cast<uint32_t>(::GetSysColor(index));
}

}  // namespace

AccessibilityPrefs ReadAccessibilityPrefs() noexcept {
    AccessibilityPrefs prefs;
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof(contrast);
    prefs.highContrast =
        ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) != FALSE &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    if (prefs.highContrast) {
        prefs.colors = {.window = SysColor(COLOR_WINDOW),
                        .windowText = SysColor(COLOR_WINDOWTEXT),
                        .highlight = SysColor(COLOR_HIGHLIGHT),
                        .highlightText = SysColor(COLOR_HIGHLIGHTTEXT),
                        .buttonFace = SysColor(COLOR_BTNFACE),
                        .grayText = SysColor(COLOR_GRAYTEXT),
                        .hotLight = SysColor(COLOR_HOTLIGHT)};
    }
    prefs.textScalePercent = TextScalePercent(ReadTextScaleFactor());
    BOOL animate = TRUE;
    if (::SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0) != FALSE) {
        prefs.animate = animate != FALSE;
    }
    return prefs;
}

struct TextScaleWatch::Watch {
    Changed changed;
    UniqueRegKey key;
    UniqueHandle registryChanged;
    WaitingThread thread;  // last: ends before what it uses goes

    [[nodiscard]] bool Arm() noexcept {
        return ::RegNotifyChangeKeyValue(key.Get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET,
                                         registryChanged.Get(), TRUE) == ERROR_SUCCESS;
    }

    // The notice is asked for again before the news is handed on, so that a
    // change made meanwhile is told too.
    bool Step(HANDLE wake) noexcept {
        const HANDLE handles[] = {wake, registryChanged.Get()};
        if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1 ||
            thread.Stopping() || !Arm()) {
            return false;
        }
        changed();
        return true;
    }
};

TextScaleWatch::TextScaleWatch() noexcept = default;
TextScaleWatch::~TextScaleWatch() = default;
TextScaleWatch::TextScaleWatch(TextScaleWatch&&) noexcept = default;
TextScaleWatch& TextScaleWatch::operator=(TextScaleWatch&&) noexcept = default;

TextScaleWatch::TextScaleWatch(const Changed& changed) {
    auto watch = std::make_unique<Watch>();
    watch->changed = changed;
    HKEY key = nullptr;
    // Made when missing (a profile where the text size was never set), so
    // that its first setting is seen too.
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kAccessibilityKey, 0, nullptr, 0, KEY_NOTIFY, nullptr,
                          &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    watch->key.Reset(key);
    watch->registryChanged.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    // The first request comes from the creating thread, so that a change
    // made as soon as this returns is told; that thread outlives the watch.
    if (!watch->registryChanged || !watch->Arm() ||
        !watch->thread.Start([raw = watch.get()](HANDLE wake) { return raw->Step(wake); })) {
        return;
    }
    watch_ = std::move(watch);
}

}  // namespace corvane

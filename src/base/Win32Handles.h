#pragma once
// Small owners for Win32 handles: each closes what it holds exactly once.

#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>
#include <wtsapi32.h>

#include <memory>
#include <utility>

namespace corvane {

template <typename T, typename Traits>
class UniqueResource {
public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(T value) noexcept : value_(value) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    [[nodiscard]] T Get() const noexcept { return value_; }
    [[nodiscard]] explicit operator bool() const noexcept { return Traits::IsValid(value_); }
    T Release() noexcept { return std::exchange(value_, Traits::Invalid()); }
    void Reset(T value = Traits::Invalid()) noexcept {
        T old = std::exchange(value_, value);
        if (Traits::IsValid(old)) {
            Traits::Close(old);
        }
    }

private:
    T value_ = Traits::Invalid();
};

struct HandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
using UniqueHandle = UniqueResource<HANDLE, HandleTraits>;

// Movable global memory, as the clipboard takes it; released once the
// clipboard owns it.
struct GlobalMemoryTraits {
    static HGLOBAL Invalid() noexcept { return nullptr; }
    static bool IsValid(HGLOBAL h) noexcept { return h != nullptr; }
    static void Close(HGLOBAL h) noexcept { ::GlobalFree(h); }
};
using UniqueGlobalMemory = UniqueResource<HGLOBAL, GlobalMemoryTraits>;

struct FindTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::FindClose(h); }
};
using UniqueFindHandle = UniqueResource<HANDLE, FindTraits>;

struct ChangeNotificationTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::FindCloseChangeNotification(h); }
};
using UniqueChangeNotification = UniqueResource<HANDLE, ChangeNotificationTraits>;

struct WinEventHookTraits {
    static HWINEVENTHOOK Invalid() noexcept { return nullptr; }
    static bool IsValid(HWINEVENTHOOK h) noexcept { return h != nullptr; }
    static void Close(HWINEVENTHOOK h) noexcept { ::UnhookWinEvent(h); }
};
using UniqueWinEventHook = UniqueResource<HWINEVENTHOOK, WinEventHookTraits>;

struct WindowsHookTraits {
    static HHOOK Invalid() noexcept { return nullptr; }
    static bool IsValid(HHOOK h) noexcept { return h != nullptr; }
    static void Close(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
};
using UniqueWindowsHook = UniqueResource<HHOOK, WindowsHookTraits>;

struct WindowTraits {
    static HWND Invalid() noexcept { return nullptr; }
    static bool IsValid(HWND h) noexcept { return h != nullptr; }
    static void Close(HWND h) noexcept { ::DestroyWindow(h); }
};
using UniqueWindow = UniqueResource<HWND, WindowTraits>;

struct IconTraits {
    static HICON Invalid() noexcept { return nullptr; }
    static bool IsValid(HICON h) noexcept { return h != nullptr; }
    static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};
using UniqueIcon = UniqueResource<HICON, IconTraits>;

// Destroying a menu destroys its cascades with it.
struct MenuTraits {
    static HMENU Invalid() noexcept { return nullptr; }
    static bool IsValid(HMENU h) noexcept { return h != nullptr; }
    static void Close(HMENU h) noexcept { ::DestroyMenu(h); }
};
using UniqueMenu = UniqueResource<HMENU, MenuTraits>;

struct RegKeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static bool IsValid(HKEY h) noexcept { return h != nullptr; }
    static void Close(HKEY h) noexcept { ::RegCloseKey(h); }
};
using UniqueRegKey = UniqueResource<HKEY, RegKeyTraits>;

struct ModuleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static bool IsValid(HMODULE h) noexcept { return h != nullptr; }
    static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
using UniqueModule = UniqueResource<HMODULE, ModuleTraits>;

template <typename T>
struct GdiObjectTraits {
    static T Invalid() noexcept { return nullptr; }
    static bool IsValid(T h) noexcept { return h != nullptr; }
    static void Close(T h) noexcept { ::DeleteObject(h); }
};
using UniqueBrush = UniqueResource<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniqueRegion = UniqueResource<HRGN, GdiObjectTraits<HRGN>>;
using UniqueFont = UniqueResource<HFONT, GdiObjectTraits<HFONT>>;

struct PowerNotifyTraits {
    static HPOWERNOTIFY Invalid() noexcept { return nullptr; }
    static bool IsValid(HPOWERNOTIFY h) noexcept { return h != nullptr; }
    static void Close(HPOWERNOTIFY h) noexcept { ::UnregisterPowerSettingNotification(h); }
};
using UniquePowerNotify = UniqueResource<HPOWERNOTIFY, PowerNotifyTraits>;

// A window registered for session changes (WTSRegisterSessionNotification);
// let go of before the window is destroyed.
struct SessionNotifyTraits {
    static HWND Invalid() noexcept { return nullptr; }
    static bool IsValid(HWND h) noexcept { return h != nullptr; }
    static void Close(HWND h) noexcept { ::WTSUnRegisterSessionNotification(h); }
};
using UniqueSessionNotify = UniqueResource<HWND, SessionNotifyTraits>;

// A shared block mapped into this process (SHLockShared).
struct SharedViewTraits {
    static void* Invalid() noexcept { return nullptr; }
    static bool IsValid(void* view) noexcept { return view != nullptr; }
    static void Close(void* view) noexcept { ::SHUnlockShared(view); }
};
using UniqueSharedView = UniqueResource<void*, SharedViewTraits>;

// A mutex this thread owns: released before it is closed.
struct OwnedMutexTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static bool IsValid(HANDLE h) noexcept { return h != nullptr; }
    static void Close(HANDLE h) noexcept {
        ::ReleaseMutex(h);
        ::CloseHandle(h);
    }
};
using UniqueOwnedMutex = UniqueResource<HANDLE, OwnedMutexTraits>;

// Memory the shell hands out from the COM allocator: strings, item lists.
struct CoTaskMemFreer {
    void operator()(void* memory) const noexcept { ::CoTaskMemFree(memory); }
};
template <typename T>
using CoTaskPtr = std::unique_ptr<T, CoTaskMemFreer>;
using CoTaskString = CoTaskPtr<wchar_t>;

// COM for the lifetime of the object, on this thread.
class ComApartment {
public:
    ComApartment() noexcept : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok_) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

// BeginPaint for the lifetime of the object: EndPaint runs however the paint
// leaves, so an early return never leaves the window invalid.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window) { ::BeginPaint(window_, &ps_); }
    ~PaintScope() { ::EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

private:
    HWND window_;
    PAINTSTRUCT ps_{};
};

}  // namespace corvane

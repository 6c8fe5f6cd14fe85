#include "identity/AppWindows.h"

#include "base/DynamicApis.h"
#include "base/ImagePaths.h"
#include "base/Win32Handles.h"
#include "identity/AppWindowFilter.h"
#include "identity/WindowFacts.h"

#include <dwmapi.h>
#include <objbase.h>
#include <propkey.h>
#include <propsys.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <array>

namespace corvane {
namespace {

static_assert(kExStyleToolWindow == static_cast<uint32_t>(WS_EX_TOOLWINDOW));
static_assert(kExStyleAppWindow == static_cast<uint32_t>(WS_EX_APPWINDOW));
static_assert(kExStyleNoActivate == static_cast<uint32_t>(WS_EX_NOACTIVATE));

constexpr int kClassNameChars = 64;
// Package ids are at most 130 characters; anything far beyond is not one.
constexpr UINT32 kMaxPackageAppIdChars = 1024;

DWORD ProcessIdOf(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return processId;
}

class Win32WindowProbe final : public AppWindowProbe {
public:
    explicit Win32WindowProbe(HWND window) : window_(window) {}

    bool IsVisible() override { return ::IsWindowVisible(window_) != FALSE; }
    uint32_t ExtendedStyle() override {
        return static_cast<uint32_t>(::GetWindowLongW(window_, GWL_EXSTYLE));
    }
    bool HasOwner() override { return ::GetWindow(window_, GW_OWNER) != nullptr; }
    bool IsCloaked() override { return IsWindowCloaked(window_); }
    std::wstring ClassName() override { return WindowClassName(window_, kClassNameChars - 1); }
    bool BelongsToThisProcess() override { return ProcessIdOf(window_) == ::GetCurrentProcessId(); }
    // The title the system keeps: GetWindowTextLengthW would send
    // WM_GETTEXTLENGTH and wait on a hung program.
    int TitleLength() override {
        std::array<wchar_t, 2> title{};
        return ::InternalGetWindowText(window_, title.data(), static_cast<int>(title.size()));
    }

private:
    HWND window_;
};

class PropVariantHolder {
public:
    PropVariantHolder() noexcept { ::PropVariantInit(&value_); }
    ~PropVariantHolder() { ::PropVariantClear(&value_); }
    PropVariantHolder(const PropVariantHolder&) = delete;
    PropVariantHolder& operator=(const PropVariantHolder&) = delete;
    PROPVARIANT* Get() noexcept { return &value_; }
    const PROPVARIANT& Value() const noexcept { return value_; }

private:
    PROPVARIANT value_;
};

class Win32IdentitySource final : public IdentitySource {
public:
    std::wstring WindowAppId(WindowId id) override {
        Microsoft::WRL::ComPtr<IPropertyStore> store;
        if (FAILED(::SHGetPropertyStoreForWindow(ToHwnd(id), IID_PPV_ARGS(&store)))) {
            return {};
        }
        PropVariantHolder value;
        if (FAILED(store->GetValue(PKEY_AppUserModel_ID, value.Get())) ||
            value.Value().vt != VT_LPWSTR || value.Value().pwszVal == nullptr) {
            return {};
        }
        return value.Value().pwszVal;
    }

    std::wstring ImagePath(WindowId id) override {
        return ProcessImagePath(ProcessIdOf(ToHwnd(id)));
    }

    std::wstring PackageAppId(WindowId id) override {
        const auto getAppId = dyn::GetApplicationUserModelId();
        if (getAppId == nullptr) {
            return {};
        }
        UniqueHandle process(
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessIdOf(ToHwnd(id))));
        if (!process) {
            return {};
        }
        UINT32 length = 0;
        if (getAppId(process.Get(), &length, nullptr) != ERROR_INSUFFICIENT_BUFFER || length == 0 ||
            length > kMaxPackageAppIdChars) {
            return {};
        }
        std::wstring appId(length, L'\0');
        if (getAppId(process.Get(), &length, appId.data()) != ERROR_SUCCESS) {
            return {};
        }
        appId.resize(::wcsnlen(appId.c_str(), appId.size()));
        return appId;
    }

    std::wstring ClassName(WindowId id) override {
        return WindowClassName(ToHwnd(id), kClassNameChars - 1);
    }

    WindowId CoreWindowOf(WindowId frame) override {
        return ToWindowId(HostedCoreWindow(ToHwnd(frame)));
    }
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) noexcept {
    try {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

bool IsDockAppWindow(HWND window) noexcept {
    try {
        Win32WindowProbe probe(window);
        return IsDockAppWindow(probe);
    } catch (...) {
        return false;
    }
}

std::vector<WindowIdentity> EnumerateAppWindows() noexcept {
    try {
        std::vector<HWND> all;
        ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&all));
        std::vector<WindowId> appWindows;
        for (const HWND window : all) {
            Win32WindowProbe probe(window);
            if (IsDockAppWindow(probe)) {
                appWindows.push_back(ToWindowId(window));
            }
        }
        Win32IdentitySource source;
        return IdentifyWindows(appWindows, TheIdentityCache(), source);
    } catch (...) {
        return {};
    }
}

IdentityCache& TheIdentityCache() noexcept {
    static IdentityCache cache;
    return cache;
}

void PruneIdentityCache() noexcept {
    TheIdentityCache().EraseDead([](WindowId id) { return ::IsWindow(ToHwnd(id)) != FALSE; });
}

}  // namespace corvane

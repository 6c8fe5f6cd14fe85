// The settings window's side of the root: opening it from every entry point,
// and the SettingsHost the pages act through.

#include "app/App.h"
#include "identity/AppLaunch.h"
#include "app/ControlWindow.h"
#include "app/DisplayOrder.h"
#include "app/Displays.h"
#include "appmenus/MenusFile.h"
#include "base/Utf8Text.h"
#include "bar/Bar.h"
#include "config/Texts.h"
#include "config/SettingsFolder.h"
#include "config/StartWithWindows.h"
#include "dock/CenterStart.h"
#include "garden/Garden.h"
#include "settings/SettingsPages.h"
#include "settings/SettingsWindow.h"
#include "start/StartSurfaces.h"
#include "toolkit/LayoutProbe.h"
#include "toolkit/Notice.h"
#include "tray/TrayHost.h"
#include "tray/TrayLists.h"

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>

#ifndef CORVANE_VERSION
#error "CORVANE_VERSION comes from the project version in CMake"
#endif

namespace corvane {
namespace {

constexpr int kDateChars = 96;
constexpr double kBytesPerMb = 1024.0 * 1024.0;

// The LICENSE file at the root, embedded by the resource script as UTF-8, so
// the text shown is the text the project is published under.
std::wstring LicenseText(HINSTANCE instance_) {
    const HRSRC found = ::FindResourceW(instance_, L"LICENSE", RT_RCDATA);
    const HGLOBAL loaded = found ? ::LoadResource(instance_, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const uint8_t*>(::LockResource(loaded)) : nullptr;
    return bytes ? DecodeUtf8(bytes, ::SizeofResource(instance_, found)) : std::wstring();
}

}  // namespace

void App::OpenSettings(int32_t page) {
    if (!settingsWindow_) {
        settingsWindow_ =
            std::make_unique<SettingsWindow>(SettingsWindowContext{.instance = instance_,
                                                                   .settings = settings_,
                                                                   .theme = theme_,
                                                                   .graphics = graphics_,
                                                                   .host = *this,
                                                                   .desktop = *this});
    }
    settingsWindow_->Open(page);
}

void App::RefreshSettingsWindow() noexcept {
    if (settingsWindow_ && settingsWindow_->IsOpen()) {
        settingsWindow_->Refresh();
    }
}

void App::ApplyCenterStart() {
    SetCenterStart(settings_.centerStart);
}

void App::ApplyTilingSettings() {
    if (tiling_) {
        tiling_->ApplyTilingSettings();
    }
    RepaintBars();
}

void App::RefreshGardenGlass() {
    if (garden_) {
        garden_->RefreshGlass();
    }
}

void App::NewBed() {
    if (garden_) {
        garden_->NewBed();
    }
}

void App::ResetGarden() {
    if (garden_) {
        garden_->Reset();
    }
}

void App::ResetTrayOrder() {
    SettingWritten(ClearTrayOrder(settings_));
    if (Bar* bar = TrayBar()) {
        bar->Relayout();
    }
}

void App::ShowStartSurface(int32_t which) {
    ToggleStartSurface(which, nullptr);
}

void App::EditFile(const std::wstring& path) {
    LaunchInBackground(worker_, L"notepad.exe", L"open", L"\"" + path + L"\"");
}

std::wstring App::MenusFilePath() {
    return corvane::MenusFilePath();
}

void App::ShowLicense() {
    const HWND owner = settingsWindow_ ? settingsWindow_->Hwnd() : nullptr;
    ::MessageBoxW(owner, LicenseText(instance_).c_str(), L"Corvane", MB_OK | MB_ICONINFORMATION);
}

void App::Quit() {
    ::PostQuitMessage(0);
}

void App::SettingsNotSaved() {
    FileNotSaved(settings_.filePath);
}

void App::GardenNotSaved(const std::wstring& path) {
    FileNotSaved(path);
}

void App::FileNotSaved(const std::wstring& path) noexcept {
    const DWORD error = ::GetLastError();
    // A run on a folder that refused the file writes nothing, and said so
    // at start-up.
    if (IsSettingsFolderReadOnly() ||
        std::find(unsavedTold_.begin(), unsavedTold_.end(), path) != unsavedTold_.end()) {
        return;
    }
    try {
        unsavedTold_.push_back(path);
        ShowNotice(Text(TextId::ChangeNotSavedIn) + path + L":\n\n" + SystemMessage(error) +
                       L"\n\n" + Text(TextId::ChangesMayBeLost),
                   MB_ICONWARNING);
    } catch (...) {
        // Out of memory: the failure goes untold, as nothing else can be shown.
    }
}

bool App::StartsWithWindows() {
    return IsStartWithWindows();
}

void App::SetStartWithWindows(bool on) {
    (void)corvane::SetStartWithWindows(on);
}

std::vector<DisplaySize> App::Displays() {
    std::vector<DisplaySize> sizes;
    for (const DisplayInfo& display : SortDisplays(EnumerateDisplays())) {
        sizes.push_back({.width = display.rect.Width(),
                         .height = display.rect.Height(),
                         .main = display.primary});
    }
    return sizes;
}

std::wstring App::TrayTooltip(const std::wstring& exeName) {
    if (!tray_) {
        return {};
    }
    for (const TrayIcon& icon : tray_->Icons()) {
        if (icon.exeName == exeName && !icon.tooltip.empty()) {
            return icon.tooltip.substr(0, icon.tooltip.find_first_of(L"\r\n"));
        }
    }
    return {};
}

std::wstring App::FormatToday(const std::wstring& picture) {
    wchar_t buffer[kDateChars] = {};
    const int n = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, picture.c_str(), buffer,
                                    kDateChars, nullptr);
    return n > 1 ? std::wstring(buffer, static_cast<std::size_t>(n - 1)) : std::wstring();
}

double App::WorkingSetMb() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters))) {
        return 0.0;
    }
    return static_cast<double>(counters.WorkingSetSize) / kBytesPerMb;
}

std::wstring App::Version() {
    return L"" CORVANE_VERSION;
}

std::wstring App::TypedByShortcut(uint32_t modifiers, uint32_t key) {
    return TypedByInstalledLayouts(modifiers, key);
}

}  // namespace corvane

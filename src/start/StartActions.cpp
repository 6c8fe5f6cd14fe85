#include "start/StartActions.h"

#include "base/Win32Handles.h"
#include "identity/AppLaunch.h"
#include "start/Search.h"
#include "start/StartHost.h"
#include "start/StartMenuEntries.h"
#include "toolkit/PopupMenuGate.h"

#include <shlobj.h>
#include <shellapi.h>

#include <array>
#include <type_traits>
#include <vector>

namespace corvane {
namespace {

// The right column's actions after the five folders.
constexpr int kPlaceThisPc = 5;
constexpr int kPlaceSystemSettings = 6;
constexpr int kPlaceOwnSettings = 7;

// A failure is not reported: nothing opens.
void Open(const StartContext& context, const wchar_t* verb, const wchar_t* target) noexcept {
    try {
        LaunchInBackground(context.worker, target, verb != nullptr ? verb : L"");
    } catch (...) {
        // Out of memory for the copy: nothing opens.
    }
}

void OpenSettingsWindow(SurfaceOpener& open) noexcept {
    try {
        open.OpenSettings(kPageGeneral);
    } catch (...) {
        // The window could not be made: nothing opens.
    }
}

UniqueMenu BuildMenu(const std::vector<StartMenuEntry>& entries) {
    UniqueMenu menu(::CreatePopupMenu());
    for (const StartMenuEntry& entry : entries) {
        if (!menu) {
            break;
        }
        if (entry.IsSeparator()) {
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        } else {
            ::AppendMenuW(menu.Get(), MF_STRING, entry.command, entry.text.c_str());
        }
    }
    return menu;
}

uint32_t Track(HMENU menu, HWND owner, POINT at, UINT flags) noexcept {
    if (menu == nullptr) {
        return 0;
    }
    // A popup menu closes on an outside click only while its owner is in
    // front, and the message after it lets it close at once.
    ::SetForegroundWindow(owner);
    const PopupMenuScope menuOpen;
    const BOOL command =
        ::TrackPopupMenuEx(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, owner, nullptr);
    ::PostMessageW(owner, WM_NULL, 0, 0);
    return command > 0 ? static_cast<uint32_t>(command) : 0u;
}

}  // namespace

void LaunchEntry(const AppEntry& entry, bool asAdmin, const StartContext& context) noexcept {
    if (entry.target == kCorvaneSettingsTarget) {
        OpenSettingsWindow(context.open);
    } else if (asAdmin) {
        Open(context, L"runas", (entry.exePath.empty() ? entry.target : entry.exePath).c_str());
    } else {
        // Apps start through their Applications-folder target, so that
        // packaged apps and shortcuts with arguments start as from Start.
        Open(context, nullptr, entry.target.c_str());
    }
    // Search ranks apps by how they are started; settings pages keep their
    // place.
    if (!entry.isSetting && !entry.key.empty()) {
        try {
            context.launches.RecordStart(entry.key);
        } catch (...) {
            // Out of memory: this start is not counted.
        }
    }
}

void OpenFileLocation(const AppEntry& entry, const StartContext& context) noexcept {
    try {
        ShowInFolderInBackground(context.worker, entry.exePath);
    } catch (...) {
        // Out of memory for the copy: the folder does not open.
    }
}

void SearchFiles(std::wstring_view query, const StartContext& context) noexcept {
    try {
        Open(context, nullptr, SearchFilesUri(query).c_str());
    } catch (...) {
        // Out of memory for the address: no search.
    }
}

void OpenPlace(int action, const StartContext& context) noexcept {
    static const std::array<const KNOWNFOLDERID*, 5> kFolders = {
        &FOLDERID_Documents, &FOLDERID_Downloads, &FOLDERID_Pictures, &FOLDERID_Music,
        &FOLDERID_Videos};
    if (action >= 0 && action < static_cast<int>(kFolders.size())) {
        PWSTR raw = nullptr;
        const HRESULT hr =
            ::SHGetKnownFolderPath(*kFolders[static_cast<std::size_t>(action)], 0, nullptr, &raw);
        const CoTaskString path(raw);  // freed even when the call failed
        if (SUCCEEDED(hr)) {
            Open(context, L"open", path.get());
        }
    } else if (action == kPlaceThisPc) {
        Open(context, L"open", L"shell:MyComputerFolder");
    } else if (action == kPlaceSystemSettings) {
        Open(context, nullptr, L"ms-settings:");
    } else if (action == kPlaceOwnSettings) {
        OpenSettingsWindow(context.open);
    }
}

int TrackPowerMenu(HWND owner, POINT at) noexcept {
    try {
        const UniqueMenu menu = BuildMenu(PowerMenuEntries());
        return static_cast<int>(Track(menu.Get(), owner, at, TPM_BOTTOMALIGN | TPM_RIGHTALIGN));
    } catch (...) {
        return 0;
    }
}

bool ShowItemMenu(HWND owner, const AppEntry& entry, const ItemMenuOptions& options,
                  const StartContext& context) noexcept {
    try {
        const bool canPin = static_cast<bool>(options.togglePin);
        const bool pinned = canPin && options.pinnedInMenu && options.pinnedInMenu(entry);
        const UniqueMenu menu = BuildMenu(ItemMenuEntries(entry, canPin, pinned));
        POINT at{};
        if (options.at) {
            at = *options.at;
        } else {
            ::GetCursorPos(&at);
        }
        const uint32_t command = Track(menu.Get(), owner, at, TPM_RIGHTBUTTON);
        switch (command) {
            case kItemOpen:
                LaunchEntry(entry, false, context);
                return true;
            case kItemRunAsAdmin:
                LaunchEntry(entry, true, context);
                return true;
            case kItemOpenFileLocation:
                OpenFileLocation(entry, context);
                return true;
            case kItemPinToMenu:
            case kItemUnpinFromMenu:
                options.togglePin(entry, command == kItemPinToMenu);
                return false;
            case kItemPinToDock:
                if (options.pinToDock) {
                    options.pinToDock(entry);
                }
                return false;
            default:
                return false;
        }
    } catch (...) {
        return false;  // out of memory, or a pin callback failed
    }
}

}  // namespace corvane

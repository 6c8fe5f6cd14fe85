#include "start/AppCatalog.h"

#include "base/DynamicApis.h"
#include "base/Win32Handles.h"
#include "base/TextHelpers.h"
#include "identity/AppPaths.h"
#include "identity/AppTargets.h"
#include "identity/ForegroundIdentity.h"
#include "identity/ForegroundRules.h"
#include "start/CatalogLocale.h"
#include "start/CatalogRules.h"

#include <windows.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <initializer_list>
#include <utility>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

// A Start menu is a few levels and a few hundred shortcuts; the bounds keep
// a folder that is something else from holding the GUI thread.
constexpr int kMaxFolderDepth = 8;
constexpr std::size_t kMaxFolderItems = 10000;
constexpr std::wstring_view kShortcutExtension = L".lnk";

std::wstring TakeString(wchar_t* raw) {
    const CoTaskString text(raw);
    return text ? std::wstring(text.get()) : std::wstring();
}

std::wstring DisplayNameOf(IShellItem* item, SIGDN kind) {
    wchar_t* raw = nullptr;
    return SUCCEEDED(item->GetDisplayName(kind, &raw)) ? TakeString(raw) : std::wstring();
}

std::wstring KnownFolderPath(REFKNOWNFOLDERID id) {
    wchar_t* raw = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(id, 0, nullptr, &raw);
    std::wstring path = TakeString(raw);  // freed on failure too
    return SUCCEEDED(result) ? path : std::wstring();
}

// Installed programs' parsing names are paths, as they are or relative to a
// known folder ("{GUID}\Vendor\app.exe").
std::wstring PathFromParsingName(const std::wstring& parsingName) {
    if (IsDrivePath(parsingName)) {
        return parsingName;
    }
    const auto split = SplitKnownFolderPrefix(parsingName);
    GUID folder{};
    if (!split || FAILED(::CLSIDFromString(std::wstring(split->first).c_str(), &folder))) {
        return {};
    }
    const std::wstring root = KnownFolderPath(folder);
    return root.empty() ? std::wstring() : root + std::wstring(split->second);
}

// What a shortcut in the Applications folder points at.
std::wstring LinkTargetOf(IShellItem* item) {
    ComPtr<IShellItem2> link;
    wchar_t* raw = nullptr;
    if (FAILED(item->QueryInterface(IID_PPV_ARGS(&link))) ||
        FAILED(link->GetString(sdk::kLinkTargetParsingPath, &raw))) {
        return {};
    }
    return TakeString(raw);
}

std::wstring ExpandEnvironment(const std::wstring& text) {
    if (text.find(L'%') == std::wstring::npos) {
        return text;
    }
    const DWORD chars = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    std::wstring expanded(chars, L'\0');
    if (chars == 0 || ::ExpandEnvironmentStringsW(text.c_str(), expanded.data(), chars) != chars) {
        return text;
    }
    expanded.resize(chars - 1);
    return expanded;
}

// One shell link object reads every shortcut of a walk.
class ShortcutReader {
public:
    ShortcutReader() {
        if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_PPV_ARGS(&link_)))) {
            link_.As(&file_);
        }
    }

    // The file the shortcut opens; empty when it opens something else or
    // cannot be read. Not resolved: that may search the disks.
    std::wstring TargetOf(const std::wstring& shortcut) {
        wchar_t target[MAX_PATH] = {};
        if (!file_ || FAILED(file_->Load(shortcut.c_str(), STGM_READ)) ||
            link_->GetPath(target, MAX_PATH, nullptr, 0) != S_OK) {
            return {};
        }
        return ExpandEnvironment(target);
    }

private:
    ComPtr<IShellLinkW> link_;
    ComPtr<IPersistFile> file_;
};

void ListShortcuts(const std::wstring& folder, int depth, std::size_t& budget,
                   ShortcutReader& reader, std::vector<AppEntry>& entries) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic,
                                                   &found, FindExSearchNameMatch, nullptr,
                                                   FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        return;
    }
    do {
        const std::wstring_view fileName = found.cFileName;
        if (fileName == L"." || fileName == L"..") {
            continue;
        }
        if (budget == 0) {
            return;
        }
        --budget;
        const std::wstring path = folder + L'\\' + found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            // Links to other folders could lead in circles.
            if (depth < kMaxFolderDepth &&
                (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                ListShortcuts(path, depth + 1, budget, reader, entries);
            }
        } else if (IsShortcutPath(fileName)) {
            std::wstring name(fileName.substr(0, fileName.size() - kShortcutExtension.size()));
            AppEntry entry = MakeAppEntry(std::move(name), path, reader.TargetOf(path));
            if (!IsUninstaller(entry.name, entry.exePath)) {
                entries.push_back(std::move(entry));
            }
        }
    } while (::FindNextFileW(find.Get(), &found));
}

constexpr uint32_t kCatalogRetryEmptyMs = 10000;
constexpr std::size_t kMaxPinNames = 256;

std::vector<AppEntry> BuildCatalog(const std::function<std::vector<AppEntry>()>& source) {
    // A shell that cannot list its Applications folder (or lists nothing)
    // still has the Start menu's shortcuts.
    std::vector<AppEntry> built = source ? source() : ListAppsFolder();
    if (built.empty() && !source) {
        built = ListStartMenuPrograms();
    }
    FinishCatalog(built, CompareNames);
    return built;
}

}  // namespace

std::vector<AppEntry> ListAppsFolder() {
    std::vector<AppEntry> entries;
    ComPtr<IShellItem> folder;
    ComPtr<IEnumShellItems> items;
    if (FAILED(::SHGetKnownFolderItem(FOLDERID_AppsFolder, KF_FLAG_DEFAULT, nullptr,
                                      IID_PPV_ARGS(&folder))) ||
        FAILED(folder->BindToHandler(nullptr, BHID_EnumItems, IID_PPV_ARGS(&items)))) {
        return entries;
    }
    for (;;) {
        ComPtr<IShellItem> item;
        ULONG fetched = 0;
        if (FAILED(items->Next(1, &item, &fetched)) || fetched < 1 || !item) {
            break;
        }
        std::wstring name = DisplayNameOf(item.Get(), SIGDN_NORMALDISPLAY);
        const std::wstring parsingName = DisplayNameOf(item.Get(), SIGDN_PARENTRELATIVEPARSING);
        if (name.empty() || parsingName.empty() || IsWebLink(parsingName)) {
            continue;
        }
        std::wstring path = LinkTargetOf(item.Get());
        if (path.empty()) {
            path = PathFromParsingName(parsingName);
        }
        AppEntry entry = MakeAppEntry(
            std::move(name), std::wstring(kAppsFolderPrefix) + parsingName, std::move(path));
        if (!IsUninstaller(entry.name, entry.exePath)) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

std::vector<AppEntry> ListShortcutFolder(const std::wstring& folder) {
    std::vector<AppEntry> entries;
    std::size_t budget = kMaxFolderItems;
    ShortcutReader reader;
    ListShortcuts(folder, 0, budget, reader, entries);
    return entries;
}

std::vector<AppEntry> ListStartMenuPrograms() {
    // The user's own first: of two shortcuts to one program under one name,
    // the first listed stays.
    std::vector<AppEntry> entries;
    for (const KNOWNFOLDERID* id : {&FOLDERID_Programs, &FOLDERID_CommonPrograms}) {
        const std::wstring folder = KnownFolderPath(*id);
        if (!folder.empty()) {
            std::vector<AppEntry> listed = ListShortcutFolder(folder);
            entries.insert(entries.end(), std::make_move_iterator(listed.begin()),
                           std::make_move_iterator(listed.end()));
        }
    }
    return entries;
}

AppCatalog::~AppCatalog() {
    if (worker_ != nullptr) {
        worker_->Cancel(channel_);
    }
}

void AppCatalog::UseWorker(Worker& worker, std::function<void()> changed) {
    worker_ = &worker;
    channel_ = worker.NewChannel();
    changed_ = std::move(changed);
}

void AppCatalog::SetSource(std::function<std::vector<AppEntry>()> source) {
    source_ = std::move(source);
    entries_.clear();
    foundNothing_ = false;
}

const std::vector<AppEntry>& AppCatalog::GetApps(uint32_t maxAgeMs) {
    const auto now = static_cast<uint32_t>(::GetTickCount());
    if (!entries_.empty() && now - lastBuild_ <= maxAgeMs) {
        return entries_;
    }
    if (worker_ == nullptr) {
        try {
            Rebuilt(BuildCatalog(source_));
        } catch (...) {
            // Out of memory: the previous list stays.
        }
        return entries_;
    }
    // Every keystroke asks while the list is empty: one build at a time,
    // and none again soon after one that found nothing.
    if (building_ ||
        (entries_.empty() && foundNothing_ && now - foundNothingAt_ < kCatalogRetryEmptyMs)) {
        return entries_;
    }
    building_ = true;
    try {
        worker_->Submit<std::vector<AppEntry>>(
            {channel_, 0}, entries_.empty() ? WorkUrgency::Urgent : WorkUrgency::Background,
            [source = source_]() noexcept {
                try {
                    return BuildCatalog(source);
                } catch (...) {
                    return std::vector<AppEntry>();
                }
            },
            [this](std::vector<AppEntry>&& built) {
                building_ = false;
                Rebuilt(std::move(built));
                if (changed_) {
                    changed_();
                }
            });
    } catch (...) {
        building_ = false;
    }
    return entries_;
}

void AppCatalog::Rebuilt(std::vector<AppEntry> built) {
    const auto now = static_cast<uint32_t>(::GetTickCount());
    foundNothing_ = built.empty();
    if (foundNothing_) {
        foundNothingAt_ = now;
        return;
    }
    entries_ = std::move(built);
    lastBuild_ = now;
}

void AppCatalog::RequestPinName(const std::wstring& identifier) {
    // Pins are a handful; a list that grows past this is not pins.
    if (pinNames_.size() >= kMaxPinNames) {
        return;
    }
    pinNames_.emplace(identifier, std::wstring());
    worker_->Submit<std::wstring>(
        {channel_, std::hash<std::wstring>{}(identifier)}, WorkUrgency::Urgent,
        [identifier]() noexcept {
            try {
                return IsExePath(identifier) ? FileDescriptionOf(identifier)
                                             : ShellDisplayName(identifier);
            } catch (...) {
                return std::wstring();
            }
        },
        [this, identifier](std::wstring&& name) {
            pinNames_[identifier] = ShownTargetName(name, identifier);
            if (changed_) {
                changed_();
            }
        });
}

AppEntry AppCatalog::ResolvePinned(const std::wstring& identifier) {
    if (const AppEntry* known = FindPinnedEntry(GetApps(kBuildOnlyWhenEmpty), identifier)) {
        return *known;
    }
    // Uninstalled, or never in the catalog: the pin still shows.
    AppEntry entry;
    entry.target = identifier;
    entry.key = ToLower(identifier);
    if (identifier.size() > 4 && IsExePath(identifier)) {
        entry.exePath = identifier;
        entry.hasExe = true;
    }
    if (worker_ == nullptr) {
        entry.name = ShownTargetName(
            entry.hasExe ? FileDescriptionOf(identifier) : ShellDisplayName(identifier),
            identifier);
    } else if (const auto known = pinNames_.find(identifier); known != pinNames_.end()) {
        entry.name = known->second;
    } else {
        RequestPinName(identifier);
    }
    if (entry.name.empty()) {
        entry.name = ReadablePinName(identifier);
    }
    return entry;
}

}  // namespace corvane

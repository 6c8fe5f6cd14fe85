#include "identity/AppLaunch.h"

#include "base/Win32Handles.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <type_traits>
#include <utility>

namespace corvane {
namespace {

using ItemList = CoTaskPtr<std::remove_pointer_t<PIDLIST_ABSOLUTE>>;

ItemList ParseItem(const std::wstring& name) noexcept {
    PIDLIST_ABSOLUTE raw = nullptr;
    if (FAILED(::SHParseDisplayName(name.c_str(), nullptr, &raw, 0, nullptr))) {
        return ItemList(nullptr);
    }
    return ItemList(raw);
}

struct ShellLaunch {
    std::wstring target;
    std::wstring verb;
    std::wstring parameters;
    bool asItem = false;
};

void Launch(const ShellLaunch& launch) noexcept {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    // The worker's thread has no message loop to finish a launch that the
    // shell would otherwise complete later (DDE, some verbs).
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = launch.verb.empty() ? nullptr : launch.verb.c_str();
    info.lpParameters = launch.parameters.empty() ? nullptr : launch.parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    ItemList item(nullptr);
    if (launch.asItem) {
        item = ParseItem(launch.target);
        if (!item) {
            return;
        }
        info.fMask |= SEE_MASK_IDLIST;
        info.lpIDList = item.get();
    } else {
        info.lpFile = launch.target.c_str();
    }
    (void)::ShellExecuteExW(&info);
}

void Submit(Worker& worker, ShellLaunch launch) noexcept {
    if (launch.target.empty()) {
        return;
    }
    try {
        worker.Submit({}, WorkUrgency::Urgent,
                      std::function<void()>([launch = std::move(launch)] { Launch(launch); }));
    } catch (...) {
        // Out of memory: nothing opens, as for a failed launch.
    }
}

}  // namespace

void LaunchInBackground(Worker& worker, std::wstring target, std::wstring verb,
                        std::wstring parameters) noexcept {
    Submit(worker, {std::move(target), std::move(verb), std::move(parameters), false});
}

void OpenItemInBackground(Worker& worker, std::wstring parsingName) noexcept {
    Submit(worker, {std::move(parsingName), {}, {}, true});
}

void ShowInFolderInBackground(Worker& worker, std::wstring path) noexcept {
    if (path.empty()) {
        return;
    }
    try {
        worker.Submit({}, WorkUrgency::Urgent, std::function<void()>([path = std::move(path)] {
                          if (const ItemList item = ParseItem(path)) {
                              (void)::SHOpenFolderAndSelectItems(item.get(), 0, nullptr, 0);
                          }
                      }));
    } catch (...) {
        // Out of memory: the folder does not open.
    }
}

}  // namespace corvane

#include "start/AppIconCache.h"

#include "base/Commands.h"

#include <objbase.h>

#include <utility>

namespace corvane {

using Microsoft::WRL::ComPtr;

struct IconWorkerShared {
    HWND resultWindow = nullptr;
    IconRequestQueue queue;
    OutstandingResults outstanding;
};

namespace {

constexpr DWORD kStopWaitMs = 2000;

std::wstring IconSource(const IconRequest& request) {
    if (request.isSetting) {
        return kSettingsAppTarget;
    }
    return request.hasExe ? request.exePath : request.target;
}

// A copy the worker's factory owns outright, so that nothing of the loader's
// state is still referenced when the GUI thread draws it.
IconSourceBitmap CopyBitmap(IWICImagingFactory* factory, IWICBitmapSource* source) noexcept {
    ComPtr<IWICBitmap> copy;
    IconSourceBitmap result;
    if (factory != nullptr && source != nullptr &&
        SUCCEEDED(factory->CreateBitmapFromSource(source, WICBitmapCacheOnLoad, &copy))) {
        (void)copy.As(&result);
    }
    return result;
}

// Hands the result to the GUI thread; it is registered before it is posted
// because the receiver only believes pointers it finds in the registry.
// Whoever takes it out of the registry frees it: the receiver, the worker
// when the post fails, or the cache's destructor for one never delivered.
void Deliver(IconWorkerShared& shared, std::unique_ptr<IconResult> result) {
    IconResult* raw = result.get();
    shared.outstanding.Add(raw);  // when this throws, `result` still frees it
    (void)result.release();       // the registry's now
    // After a stop nobody waits for it; a post would only leave it lying in
    // the message queue.
    if (!shared.queue.IsStopped() &&
        ::PostMessageW(shared.resultWindow, WM_APP_COMMAND, CMD_ICON_READY,
                       reinterpret_cast<LPARAM>(raw))) {
        return;
    }
    if (shared.outstanding.Take(raw)) {
        delete raw;
    }
}

void WorkerLoop(IconWorkerShared& shared) noexcept {
    const ComApartment com;
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    ComPtr<IWICImagingFactory> factory;
    if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_PPV_ARGS(&factory)))) {
        SetThreadImagingFactory(factory.Get());
    }
    try {
        while (std::optional<IconRequest> request = shared.queue.WaitPop()) {
            const IconSourceBitmap loaded =
                LoadIconBitmap(IconSource(*request), static_cast<int32_t>(request->size));
            auto result = std::make_unique<IconResult>();
            result->key = std::move(request->key);
            result->size = request->size;
            result->bitmap = CopyBitmap(factory.Get(), loaded.Get());
            Deliver(shared, std::move(result));
        }
    } catch (...) {
        // Out of memory: the worker ends; the next request starts a new one.
    }
    SetThreadImagingFactory(nullptr);
    factory.Reset();  // before the apartment closes
}

DWORD WINAPI WorkerMain(void* parameter) noexcept {
    // The thread's own share keeps the queue alive as long as it runs.
    const std::unique_ptr<std::shared_ptr<IconWorkerShared>> share(
        static_cast<std::shared_ptr<IconWorkerShared>*>(parameter));
    WorkerLoop(**share);
    return 0;
}

std::pair<std::wstring, uint32_t> LoadedKey(const AppEntry& entry, uint32_t sizePx) {
    return {entry.key, sizePx};
}

}  // namespace

AppIconCache::AppIconCache(HWND resultWindow, std::function<void()> loaded)
    : shared_(std::make_shared<IconWorkerShared>()), onLoaded_(std::move(loaded)) {
    shared_->resultWindow = resultWindow;
}

AppIconCache::~AppIconCache() {
    StopIconWorker();
    // Posted results not yet received die with the cache; their messages
    // then carry addresses no registry knows, so they are ignored.
    try {
        for (const void* result : shared_->outstanding.TakeAll()) {
            delete static_cast<const IconResult*>(result);
        }
    } catch (...) {
        // Out of memory for the list: the results are lost, not freed twice.
    }
}

void AppIconCache::RequestIcon(const AppEntry& entry, uint32_t sizePx, bool urgent) {
    if (loaded_.contains(LoadedKey(entry, sizePx))) {
        return;
    }
    IconRequest request{entry.key,    entry.target,    entry.exePath,
                        entry.hasExe, entry.isSetting, sizePx};
    if (shared_->queue.Push(std::move(request), urgent)) {
        EnsureWorker();
    }
}

IconSourceBitmap AppIconCache::GetIcon(const AppEntry& entry, uint32_t sizePx) const {
    const auto found = loaded_.find(LoadedKey(entry, sizePx));
    return found == loaded_.end() ? IconSourceBitmap{} : found->second;
}

bool AppIconCache::HasIcon(const AppEntry& entry, uint32_t sizePx) const {
    return loaded_.contains(LoadedKey(entry, sizePx));
}

void AppIconCache::PrefetchIcons(const std::vector<AppEntry>& catalog, uint32_t sizePx) {
    for (const AppEntry& entry : catalog) {
        RequestIcon(entry, sizePx, false);
    }
}

void AppIconCache::OnIconReady(LPARAM value) noexcept {
    try {
        // Any process can post to the control window: the address is
        // compared, never followed, until the registry says the worker made it.
        if (!shared_->outstanding.Take(reinterpret_cast<const void*>(value))) {
            return;
        }
        const std::unique_ptr<IconResult> result(reinterpret_cast<IconResult*>(value));
        shared_->queue.Finished(result->key, result->size);
        // A failed load is stored too, so that it is not tried again.
        loaded_.insert_or_assign(std::make_pair(std::move(result->key), result->size),
                                 std::move(result->bitmap));
        if (onLoaded_) {
            onLoaded_();
        }
    } catch (...) {
        // Out of memory, or the owner's repaint failed: the icon is missed.
    }
}

void AppIconCache::ClearLoadedIcons() {
    if (!shared_->queue.HasQueued()) {
        loaded_.clear();
    }
}

void AppIconCache::StopIconWorker() noexcept {
    try {
        shared_->queue.Stop();
    } catch (...) {
        // The lock failed: the wait below still bounds the stop.
    }
    if (worker_) {
        // A worker that does not end in time keeps its share of the queue
        // (see shared_) and ends after its load; only the handle goes.
        ::WaitForSingleObject(worker_.Get(), kStopWaitMs);
        worker_.Reset();
    }
}

void AppIconCache::TrimIfIdle(uint32_t now) {
    // Unsigned: the tick count wraps after 49.7 days.
    if (lastUse_ == 0 || now - lastUse_ <= kIconIdleTrimMs || shared_->queue.HasQueued()) {
        return;
    }
    ClearLoadedIcons();
    lastUse_ = 0;
}

void AppIconCache::EnsureWorker() {
    if (worker_ && ::WaitForSingleObject(worker_.Get(), 0) == WAIT_TIMEOUT) {
        return;
    }
    auto share = std::make_unique<std::shared_ptr<IconWorkerShared>>(shared_);
    worker_.Reset(::CreateThread(nullptr, 0, WorkerMain, share.get(), 0, nullptr));
    if (worker_) {
        (void)share.release();  // the thread's now
    }
}

}  // namespace corvane

// The icon cache against the real loader on a worker of its own; the test
// stands in for the control window and delivers what the worker finished.

#include "base/Win32Handles.h"
#include "base/Worker.h"
#include "start/AppIconCache.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <tuple>

namespace corvane {
namespace {

// What each worker thread needs for the loader, as the program gives it.
struct LoaderScope {
    LoaderScope() {
        (void)::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&wic));
        SetThreadImagingFactory(wic.Get());
    }
    ~LoaderScope() {
        SetThreadImagingFactory(nullptr);
        wic.Reset();
    }
    ComApartment com;
    Microsoft::WRL::ComPtr<IWICImagingFactory> wic;
};

class AppIconCacheTest : public ::testing::Test {
protected:
    static AppEntry Entry(const std::wstring& key, const std::wstring& exe) {
        return {key, L"shell:AppsFolder\\" + key, exe, key, {}, false, true};
    }
    // Delivers until `count` icons were stored or the time is up.
    void DeliverUntilStored(int count, DWORD timeoutMs = 10000) {
        (void)test::WaitUntil(
            [&] {
                worker_.RunFinished();
                return stored_ >= count;
            },
            timeoutMs);
    }

    const std::wstring exe_ = test::BuiltFile(L"icon_fixture_large.exe");
    ComApartment com_;
    Worker worker_{nullptr, [] { return std::shared_ptr<void>(std::make_shared<LoaderScope>()); }};
    int stored_ = 0;
    AppIconCache cache_{worker_, [this] { ++stored_; }};
};

TEST_F(AppIconCacheTest, StoresEachIconOnceAndFailuresAsLoaded) {
    const AppEntry found = Entry(L"found", exe_);
    const AppEntry missing = Entry(L"missing", L"C:\\nowhere\\missing.exe");
    cache_.RequestIcon(found, 48, false);
    cache_.RequestIcon(found, 48, false);
    cache_.RequestIcon(missing, 48, true);
    DeliverUntilStored(2);
    EXPECT_EQ(stored_, 2);
    UINT size[2] = {};
    ASSERT_TRUE(cache_.GetIcon(found, 48));
    ASSERT_TRUE(SUCCEEDED(cache_.GetIcon(found, 48)->GetSize(&size[0], &size[1])));
    EXPECT_EQ(size[0] * size[1], 48u * 48u);
    EXPECT_TRUE(cache_.HasIcon(missing, 48));
    EXPECT_FALSE(cache_.GetIcon(missing, 48));
    cache_.PrefetchIcons({found, missing}, 48);
    EXPECT_EQ(worker_.Pending(), 0u);
}

TEST_F(AppIconCacheTest, StoppedLoadsAreNotDeliveredAndLaterOnesAre) {
    for (int i = 0; i < 100; ++i) {
        cache_.RequestIcon(Entry(L"app" + std::to_wstring(i), exe_), 256, false);
    }
    cache_.StopLoading();
    for (int i = 0; i < 100 && worker_.Pending() != 0; ++i) {
        ::Sleep(20);
    }
    worker_.RunFinished();
    EXPECT_EQ(stored_, 0);
    cache_.RequestIcon(Entry(L"app0", exe_), 32, false);
    DeliverUntilStored(1);
    EXPECT_TRUE(cache_.HasIcon(Entry(L"app0", exe_), 32));
}

TEST_F(AppIconCacheTest, IdleTrimAfterHalfAnHourOfTicks) {
    // Last use (0: none since the trim before), now, whether it trims.
    const std::tuple<uint32_t, uint32_t, bool> cases[] = {
        {1000, 1000 + kIconIdleTrimMs, false},
        {1000, 1001 + kIconIdleTrimMs, true},
        {0xFFFFFF00u, kIconIdleTrimMs, true},  // across the wrap of the tick count
        {0, 2 * kIconIdleTrimMs, false},
    };
    for (const auto& [used, now, trimmed] : cases) {
        if (cache_.LoadedCount() == 0) {
            cache_.RequestIcon(Entry(L"found", exe_), 32, false);
            DeliverUntilStored(stored_ + 1);
        }
        if (used != 0) {
            cache_.MarkUsed(used);
        }
        cache_.TrimIfIdle(now);
        EXPECT_EQ(cache_.LoadedCount() == 0, trimmed) << used << " " << now;
    }
}

}  // namespace
}  // namespace corvane

// The icon worker against the real loader, with a message-only window in the
// control window's place: the test takes the posted results off its queue.

#include "base/Commands.h"
#include "start/AppIconCache.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvane {
namespace {

class AppIconCacheTest : public ::testing::Test {
protected:
    static AppEntry Entry(const std::wstring& key, const std::wstring& exe) {
        return {key, L"shell:AppsFolder\\" + key, exe, key, {}, false, true};
    }
    // The results posted within the time (at most `count`), not yet delivered.
    std::vector<LPARAM> Posted(std::size_t count, DWORD timeoutMs = 10000) {
        std::vector<LPARAM> posted;
        MSG msg;
        (void)test::WaitUntil(
            [&] {
                while (posted.size() < count && ::PeekMessageW(&msg, window_.Get(), WM_APP_COMMAND,
                                                               WM_APP_COMMAND, PM_REMOVE)) {
                    EXPECT_EQ(msg.wParam, CMD_ICON_READY);
                    posted.push_back(msg.lParam);
                }
                return posted.size() == count;
            },
            timeoutMs);
        return posted;
    }
    void Deliver(const std::vector<LPARAM>& results) {
        for (const LPARAM result : results) {
            cache_.OnIconReady(result);
        }
    }

    const std::wstring exe_ = test::BuiltFile(L"icon_fixture_large.exe");
    ComApartment com_;
    UniqueWindow window_{::CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                           nullptr, nullptr, nullptr)};
    int stored_ = 0;
    AppIconCache cache_{window_.Get(), [this] { ++stored_; }};
};

TEST_F(AppIconCacheTest, StoresWhatTheWorkerHandedOutOnceAndFailuresAsLoaded) {
    const AppEntry found = Entry(L"found", exe_);
    const AppEntry missing = Entry(L"missing", L"C:\\nowhere\\missing.exe");
    cache_.RequestIcon(found, 48, false);
    cache_.RequestIcon(missing, 48, true);
    const std::vector<LPARAM> results = Posted(2);
    ASSERT_EQ(results.size(), 2u);
    IconResult forged{L"forged", 48, {}};
    Deliver({reinterpret_cast<LPARAM>(&forged), LPARAM{0x12345678}, results[0], results[1],
             results[0], results[1]});
    EXPECT_EQ(stored_, 2);
    UINT size[2] = {};
    ASSERT_TRUE(cache_.GetIcon(found, 48));
    ASSERT_TRUE(SUCCEEDED(cache_.GetIcon(found, 48)->GetSize(&size[0], &size[1])));
    EXPECT_EQ(size[0] * size[1], 48u * 48u);
    EXPECT_TRUE(cache_.HasIcon(missing, 48));
    EXPECT_FALSE(cache_.GetIcon(missing, 48));
    cache_.PrefetchIcons({found, missing}, 48);
    EXPECT_TRUE(Posted(1, 300).empty());
}

TEST_F(AppIconCacheTest, StopsPromptlyAndStartsAgainOnTheNextRequest) {
    for (int i = 0; i < 100; ++i) {
        cache_.RequestIcon(Entry(L"app" + std::to_wstring(i), exe_), 256, false);
    }
    const ULONGLONG start = ::GetTickCount64();
    cache_.StopIconWorker();
    EXPECT_LT(::GetTickCount64() - start, 1000u);
    EXPECT_LT(Posted(100, 500).size(), 100u);  // the queue was emptied
    cache_.RequestIcon(Entry(L"app0", exe_), 32, false);
    Deliver(Posted(1));
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
            Deliver(Posted(1));
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

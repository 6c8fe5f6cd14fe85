#include "start/IconRequests.h"
#include "start/StartMenuEntries.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <thread>
#include <tuple>

namespace corvane {
namespace {

// One request per letter at size 24, upper case urgent; the letters taken,
// then every queued key in the order the worker gets them.
std::wstring Drain(IconRequestQueue& queue, std::wstring_view pushes) {
    std::wstring result;
    for (const wchar_t c : pushes) {
        const auto key = static_cast<wchar_t>(std::towlower(c));
        if (queue.Push({std::wstring(1, key), {}, {}, false, false, 24}, c != key)) {
            result += c;
        }
    }
    result += L'>';
    while (queue.HasQueued()) {
        result += queue.WaitPop()->key;
    }
    return result;
}

TEST(IconRequests, NewestFirstAndRepeatsOnlyMoveWhenUrgent) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"abc", L"abc>cba"},
        {L"abca", L"abc>cba"},    // a pending repeat changes nothing
        {L"abcA", L"abcA>acb"},   // urgent: to the front, once
        {L"abcAa", L"abcA>acb"},  // and it is still pending
    };
    for (const auto& [pushes, drained] : cases) {
        IconRequestQueue queue;
        EXPECT_EQ(Drain(queue, pushes), drained) << pushes;
    }
}

TEST(IconRequests, PendingUntilFinishedOrStopped) {
    IconRequestQueue queue;
    (void)Drain(queue, L"ab");  // both being loaded now
    EXPECT_EQ(Drain(queue, L"aB"), L">");
    queue.Finished(L"a", 24);
    EXPECT_EQ(Drain(queue, L"ab"), L"a>a");
    EXPECT_TRUE(queue.Push({L"b", {}, {}, false, false, 48}, false));  // another size
    (void)Drain(queue, L"cd");
    queue.Stop();  // forgets what was queued or on its way
    EXPECT_FALSE(queue.HasQueued());
    EXPECT_FALSE(queue.WaitPop().has_value());
    EXPECT_EQ(Drain(queue, L"bc"), L"bc>cb");
}

TEST(IconRequests, StopWakesAWaitingWorker) {
    IconRequestQueue queue;
    std::optional<IconRequest> popped{IconRequest{}};
    std::thread worker([&] { popped = queue.WaitPop(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    queue.Stop();
    worker.join();
    EXPECT_FALSE(popped.has_value());
}

TEST(IconRequests, AResultIsTakenOnceAndOnlyWhenHandedOut) {
    OutstandingResults results;
    const int handedOut[2] = {};
    results.Add(&handedOut[0]);
    results.Add(&handedOut[1]);
    EXPECT_FALSE(results.Take(reinterpret_cast<const void*>(0x12345678)));
    EXPECT_TRUE(results.Take(&handedOut[0]));
    EXPECT_FALSE(results.Take(&handedOut[0]));
    EXPECT_EQ(results.TakeAll(), std::vector<const void*>{&handedOut[1]});
    EXPECT_FALSE(results.Take(&handedOut[1]));
}

TEST(StartMenus, ItemMenuByKindOfEntry) {
    // isSetting, hasExe, canPin, pinned; the commands (0: a separator).
    const std::tuple<bool, bool, bool, bool, std::vector<uint32_t>> cases[] = {
        {true, false, true, false, {1}},
        {false, false, false, false, {1, 0, 5}},
        {false, false, true, false, {1, 0, 3, 5}},
        {false, true, true, true, {1, 2, 0, 4, 5, 6}},
        {false, true, false, true, {1, 2, 0, 5, 6}},
    };
    for (const auto& [isSetting, hasExe, canPin, pinned, expected] : cases) {
        AppEntry entry;
        entry.isSetting = isSetting;
        entry.hasExe = hasExe;
        std::vector<uint32_t> commands;
        for (const StartMenuEntry& e : ItemMenuEntries(entry, canPin, pinned)) {
            commands.push_back(e.command);
        }
        EXPECT_EQ(commands, expected) << isSetting << hasExe << canPin << pinned;
    }
}

}  // namespace
}  // namespace corvane

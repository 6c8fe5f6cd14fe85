#include "config/SettingsText.h"
#include "core/FakeProfileStore.h"
#include "garden/GardenFile.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr PixelRect kScreen{-1920, 0, 1920, 1080};

// "name left top right bottom C * ids", C when collapsed, * when catch-all.
std::wstring Show(const Bed& b) {
    const PixelRect& r = b.rect;
    return JoinList({b.name, std::to_wstring(r.left), std::to_wstring(r.top),
                     std::to_wstring(r.right), std::to_wstring(r.bottom), b.collapsed ? L"C" : L"-",
                     b.catchAll ? L"*" : L"-", JoinList(b.items, L",")},
                    L" ");
}

TEST(GardenFile, LoadClampsEveryValue) {
    using Row = std::tuple<std::wstring, std::wstring, std::size_t, std::wstring>;
    for (const auto& [count, bed0, beds, first] :
         {Row{L"100", L"", 64, L"Bed 100 100 460 380 - - "}, Row{L"-3", L"", 0, L""},
          Row{L"1", L"Name=Ø\nX=-50\nY=10\nW=50\nH=20\nCollapsed=1\nCatchAll=7\nItems=a||b|", 1,
              L"Ø -50 10 70 90 C * a,b"},
          Row{L"1", L"X=2147483600\nW=2000000000", 1, L"Bed -1860 60 6332 340 - - "},
          Row{L"1", L"Y=-2147483648\nH=99999", 1, L"Bed -1860 60 -1500 8252 - - "},
          Row{L"1", L"X=1900\nY=-279", 1, L"Bed 1900 -279 2260 1 - - "},
          Row{L"1", L"X=1920", 1, L"Bed -1860 60 -1500 340 - - "}}) {
        test::FakeProfileStore store(L"[Bed0]\n" + bed0 + L"\n[Garden]\nCount=" + count);
        const std::vector<Bed> read = ReadBeds(store, kScreen);
        ASSERT_EQ(read.size(), beds) << bed0;
        EXPECT_EQ(read.empty() ? L"" : Show(read[0]), first) << bed0;
    }
}

TEST(GardenFile, SavedBedsComeBackWithoutUnstorableIds) {
    test::FakeProfileStore store;
    ASSERT_TRUE(
        WriteBeds(store, {{L"A\nB", {-5, -6, 200, 300}, true, false, {L"x", L"b|d", L"y\tz", L"ø"}},
                          {L"D", {0, 0, 400, 300}, false, true, {}}}));
    EXPECT_EQ(store.CreatedBytes(), (std::vector<uint8_t>{0xFF, 0xFE}));
    const std::vector<Bed> read = ReadBeds(store, kScreen);
    EXPECT_EQ(Show(read.at(0)) + L"|" + Show(read.at(1)),
              L"AB -5 -6 200 300 C - x,ø|D 0 0 400 300 - * ");
}

TEST(GardenFile, LongItemsComeBackWithoutTheCutId) {
    std::vector<std::wstring> ids;
    for (int32_t i = 0; i < 200000; ++i) {
        ids.push_back(std::to_wstring(1000000000 + i));  // 11 characters with the "|"
    }
    test::FakeProfileStore store(L"[Garden]\nCount=1\n[Bed0]\nItems=" + JoinList(ids, L"|"));
    const std::vector<std::wstring> read = ReadBeds(store, kScreen).at(0).items;
    ids.resize((kMaxItemsChars - 1) / 11);
    EXPECT_EQ(read, ids);
}

}  // namespace
}  // namespace corvane

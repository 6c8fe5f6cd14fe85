#include "base/TextHelpers.h"
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
    using Row = std::tuple<std::wstring, std::wstring, std::wstring>;  // Count, [Bed0], beds read
    for (const auto& [count, bed0, read] :
         {Row{L"100", L"", L"1 Bed 100 100 460 380 - - "},
          Row{L"x", L"", L"1 Bed 100 100 460 380 - - "},
          Row{L"1", L"Name=Ø\nX=-50\nY=10\nW=50\nH=20\nCollapsed=1\nCatchAll=7\nItems=a||b|",
              L"1 Ø -50 10 70 90 C * a,b"},
          Row{L"1", L"X=2147483600\nY=-2147483648\nW=2000000000\nH=99999",
              L"1 Bed -1860 60 6332 8252 - - "},
          Row{L"1", L"X=1900\nY=-279", L"1 Bed 1900 -279 2260 1 - - "},
          Row{L"1", L"X=1920", L"1 Bed -1860 60 -1500 340 - - "}}) {
        test::FakeProfileStore store(L"[Bed0]\n" + bed0 + L"\n[Garden]\nCount=" + count);
        const std::vector<Bed> beds = ReadBeds(store, kScreen);
        EXPECT_EQ(std::to_wstring(beds.size()) + (beds.empty() ? L"" : L" " + Show(beds[0])), read);
    }
}

TEST(GardenFile, BedsAreTheBedSectionsInNumberOrder) {
    EXPECT_EQ(JoinList(BedSectionsToRead({L"bed10", L"Garden", L"Bed2", L"BED02", L"Bedroom",
                                          L"Bed", L"Bed-1", L"Bed 3", L"Bed1234567", L"Bed000000"}),
                       L","),
              L"Bed000000,Bed2,bed10");
    std::vector<std::wstring> sections;
    for (int i = 69; i >= 0; --i) {
        sections.push_back(L"Bed" + std::to_wstring(i));
    }
    EXPECT_EQ(BedSectionsToRead(sections).back(), L"Bed63");
}

TEST(GardenFile, OnlyAFileThatWasReadIsReplacedAndOnlyAfterACopy) {
    using S = GardenFileState;
    using L = GardenLoadStep;
    using Row = std::tuple<S, bool, L>;  // the file, whether it gave beds, the step
    for (const auto& [state, found, step] : {Row{S::Missing, false, L::WriteDefaults},
                                             Row{S::Unreadable, false, L::KeepFileUseDefaults},
                                             Row{S::Readable, false, L::BackUpThenWriteDefaults},
                                             Row{S::Readable, true, L::UseBeds}}) {
        EXPECT_EQ(DecideGardenLoad(state, found), step) << static_cast<int>(state) << found;
    }
}

TEST(GardenFile, SavedBedsComeBackWithoutUnstorableOrCutIds) {
    const std::vector<std::wstring> many(200000, L"1234567890");  // 11 characters with the "|"
    test::FakeProfileStore store;
    ASSERT_TRUE(
        WriteBeds(store, {{L"A\nB", {-5, -6, 200, 300}, true, false, {L"x", L"b|d", L"y\tz", L"ø"}},
                          {L"D", {0, 0, 400, 300}, false, true, many}}));
    EXPECT_EQ(store.CreatedBytes(), (std::vector<uint8_t>{0xFF, 0xFE}));
    std::vector<Bed> read = ReadBeds(store, kScreen);
    // Longer than the first buffer, cut at the last one: only whole ids come back.
    EXPECT_EQ(read.at(1).items, std::vector<std::wstring>((kWholeValueMaxChars - 1) / 11, many[0]));
    read[1].items.clear();
    EXPECT_EQ(Show(read[0]) + L"|" + Show(read[1]), L"AB -5 -6 200 300 C - x,ø|D 0 0 400 300 - * ");
}

}  // namespace
}  // namespace corvane

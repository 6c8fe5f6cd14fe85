#include "config/SettingsText.h"
#include "core/FakeProfileStore.h"
#include "garden/GardenFile.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::FakeProfileStore;

constexpr PixelRect kScreen{-1920, 0, 1920, 1080};

// "name left,top,right,bottom collapsed catchAll ids".
std::wstring Show(const Bed& bed) {
    const PixelRect& r = bed.rect;
    return bed.name + L" " + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom) + L" " +
           (bed.collapsed ? L"1" : L"0") + (bed.catchAll ? L"1" : L"0") + L" " +
           JoinList(bed.items, L",");
}

TEST(GardenFile, LoadClampsEveryValue) {
    const struct {
        std::wstring bed0;
        std::size_t count;
        std::wstring first;
    } rows[] = {
        {L"Count=100", 64, L"Bed 100,100,460,380 00 "},
        {L"Count=-3", 0, L""},
        {L"Count=1\n[Bed0]\nName=Ø\nX=-50\nY=10\nW=50\nH=20\nCollapsed=1\nCatchAll=7\nItems=a||b|",
         1, L"Ø -50,10,70,90 11 a,b"},
        {L"Count=1\n[Bed0]\nX=2147483600\nW=2000000000", 1, L"Bed -1860,60,6332,340 00 "},
        {L"Count=1\n[Bed0]\nY=-2147483648\nH=99999", 1, L"Bed -1860,60,-1500,8252 00 "},
        {L"Count=1\n[Bed0]\nX=1900\nY=-279", 1, L"Bed 1900,-279,2260,1 00 "},
        {L"Count=1\n[Bed0]\nX=1920", 1, L"Bed -1860,60,-1500,340 00 "},
    };
    for (const auto& row : rows) {
        FakeProfileStore store(L"[Garden]\n" + row.bed0);
        const std::vector<Bed> beds = ReadBeds(store, kScreen);
        ASSERT_EQ(beds.size(), row.count) << row.bed0;
        EXPECT_EQ(beds.empty() ? L"" : Show(beds[0]), row.first) << row.bed0;
    }
}

TEST(GardenFile, SavedBedsComeBackWithoutUnstorableIds) {
    const std::vector<Bed> beds = {
        {L"A\nB", {-5, -6, 200, 300}, true, false, {L"c:\\x", L"bad|id", L"c:\\y\tz", L"c:\\ø"}},
        {L"D", {0, 0, 400, 300}, false, true, {}},
    };
    FakeProfileStore store;
    ASSERT_TRUE(WriteBeds(store, beds));
    EXPECT_EQ(store.CreatedBytes(), (std::vector<uint8_t>{0xFF, 0xFE}));
    const std::vector<Bed> read = ReadBeds(store, kScreen);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(Show(read[0]), L"AB -5,-6,200,300 10 c:\\x,c:\\ø");
    EXPECT_EQ(Show(read[1]), L"D 0,0,400,300 01 ");
}

TEST(GardenFile, LongItemsComeBackWholeOrWithoutTheCutId) {
    const struct {
        std::size_t written, read;
    } rows[] = {{20000, 20000}, {200000, (kMaxItemsChars - 1) / 11}};
    for (const auto& row : rows) {
        std::vector<std::wstring> ids;
        for (std::size_t i = 0; i < row.written; ++i) {
            ids.push_back(L"c:\\" + std::to_wstring(1000000 + i));  // 10 characters
        }
        FakeProfileStore store(L"[Garden]\nCount=1\n[Bed0]\nItems=" + JoinList(ids, L"|"));
        const std::vector<Bed> beds = ReadBeds(store, kScreen);
        ASSERT_EQ(beds.at(0).items.size(), row.read);
        EXPECT_EQ(beds[0].items.back(), ids[row.read - 1]);
    }
}

}  // namespace
}  // namespace corvane

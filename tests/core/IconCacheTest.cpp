#include "identity/IconCache.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace corvane {
namespace {

// Stands in for the disk: a loaded icon is its file's number, 0 a failure.
struct FakeDisk {
    std::map<std::wstring, int> files;
    std::map<std::wstring, int> loads;  // by the path as asked

    auto Loader() {
        return [this](std::wstring_view path, int32_t) {
            ++loads[std::wstring(path)];
            const auto found = files.find(std::wstring(path));
            return found == files.end() ? 0 : found->second;
        };
    }
};

TEST(IconCache, KeysArePathsInAnyCaseAndSizes) {
    FakeDisk disk;
    disk.files[L"C:\\Apps\\Editor.exe"] = 7;
    IconCache<int> cache;
    EXPECT_EQ(cache.Get(L"C:\\Apps\\Editor.exe", 32, disk.Loader()), 7);
    EXPECT_EQ(cache.Get(L"c:\\apps\\EDITOR.EXE", 32, disk.Loader()), 7);
    EXPECT_EQ(disk.loads[L"C:\\Apps\\Editor.exe"], 1);
    EXPECT_EQ(cache.Get(L"C:\\Apps\\Editor.exe", 48, disk.Loader()), 7);
    EXPECT_EQ(disk.loads[L"C:\\Apps\\Editor.exe"], 2);
}

TEST(IconCache, AMissingFileStaysMissingUntilTheCacheIsCleared) {
    FakeDisk disk;
    IconCache<int> cache;
    const std::wstring missing = L"C:\\Gone\\gone.exe";
    EXPECT_EQ(cache.Get(missing, 32, disk.Loader()), 0);
    disk.files[missing] = 9;  // it appears, but the failure is remembered

    // 200 more keys make 201 entries; repeated keys never clear.
    for (int i = 0; i < 400; ++i) {
        (void)cache.Get(L"C:\\other" + std::to_wstring(i % 200) + L".exe", 32, disk.Loader());
    }
    EXPECT_EQ(cache.Size(), 201u);
    EXPECT_EQ(cache.Get(missing, 32, disk.Loader()), 0);
    EXPECT_EQ(disk.loads[missing], 1);

    // The next new key finds more than 200 entries and clears them all.
    (void)cache.Get(L"C:\\one-more.exe", 32, disk.Loader());
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_EQ(cache.Get(missing, 32, disk.Loader()), 9);
    EXPECT_EQ(disk.loads[missing], 2);
}

}  // namespace
}  // namespace corvane

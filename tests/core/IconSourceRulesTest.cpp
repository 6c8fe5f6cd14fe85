#include "identity/IconSourceRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

TEST(IconSourceRules, ModulesByExtensionAndShellImageSizes) {
    EXPECT_TRUE(IsIconModulePath(L"C:\\Windows\\System32\\SHELL32.DLL"));
    EXPECT_TRUE(IsIconModulePath(L"a.Exe"));
    EXPECT_FALSE(IsIconModulePath(L".exe"));  // needs more than the extension
    EXPECT_FALSE(IsIconModulePath(L"C:\\Links\\app.exe.lnk"));
    EXPECT_EQ(ShellImageSize(48), 96);
    EXPECT_EQ(ShellImageSize(49), 256);
}

TEST(IsValidIconGroupDirectory, EveryCountedEntryMustBeThere) {
    const auto group = [](uint16_t reserved, uint16_t type, uint16_t count, std::size_t entries) {
        std::vector<uint8_t> bytes = {
            static_cast<uint8_t>(reserved), static_cast<uint8_t>(reserved >> 8),
            static_cast<uint8_t>(type),     static_cast<uint8_t>(type >> 8),
            static_cast<uint8_t>(count),    static_cast<uint8_t>(count >> 8)};
        bytes.resize(6 + 14 * entries, 0x20);
        return bytes;
    };
    EXPECT_TRUE(IsValidIconGroupDirectory(group(0, 1, 2, 2)));
    auto truncated = group(0, 1, 2, 2);
    truncated.pop_back();
    EXPECT_FALSE(IsValidIconGroupDirectory(truncated));
    EXPECT_FALSE(IsValidIconGroupDirectory(group(0, 1, 0xFFFF, 4)));
    EXPECT_FALSE(IsValidIconGroupDirectory(group(0, 1, 0, 0)));
    EXPECT_FALSE(IsValidIconGroupDirectory(group(0, 2, 1, 1)));  // a cursor group
    EXPECT_FALSE(IsValidIconGroupDirectory(group(1, 1, 1, 1)));
    EXPECT_FALSE(IsValidIconGroupDirectory(std::vector<uint8_t>{0, 0, 1, 0, 1}));
}

}  // namespace
}  // namespace corvane

// The theme as read from the user's registry values, which the test sets
// and puts back afterwards.

#include "toolkit/ThemeReader.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <vector>

namespace corvane {
namespace {

constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr wchar_t kAccentKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Accent";

// One HKCU value, put back (or removed again) when the test ends.
class SavedValue {
public:
    SavedValue(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
        DWORD size = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type_, nullptr, &size) ==
            ERROR_SUCCESS) {
            data_.emplace(size);
            ::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type_, data_->data(), &size);
        }
    }
    ~SavedValue() {
        if (data_) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, type_, data_->data(),
                              static_cast<DWORD>(data_->size()));
        } else {
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, name_);
        }
    }
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

    bool Set(DWORD type, const void* data, std::size_t bytes) const {
        return ::RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, type, data,
                                 static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
    }

private:
    const wchar_t* key_;
    const wchar_t* name_;
    DWORD type_ = 0;
    std::optional<std::vector<BYTE>> data_;
};

TEST(ReadTheme, TakesTheLightFlagAndTheBinaryAccentPalette) {
    const SavedValue light(kPersonalizeKey, L"SystemUsesLightTheme");
    const SavedValue palette(kAccentKey, L"AccentPalette");
    const DWORD one = 1;
    ASSERT_TRUE(light.Set(REG_DWORD, &one, sizeof(one)));
    std::vector<uint8_t> bytes(32);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7);
    }
    ASSERT_TRUE(palette.Set(REG_BINARY, bytes.data(), bytes.size()));
    const Theme theme = ReadTheme();
    const Theme expected = MakeTheme(1, bytes);
    EXPECT_FALSE(theme.dark);
    EXPECT_EQ(theme.accent, expected.accent);
    EXPECT_NE(theme.accent, MakeTheme(1, {}).accent);

    // The same bytes as text are no palette.
    const wchar_t text[] = L"0123456789abcdef0123456789abcdef";
    ASSERT_TRUE(palette.Set(REG_SZ, text, sizeof(text)));
    EXPECT_EQ(ReadTheme().accent, MakeTheme(1, {}).accent);
}

}  // namespace
}  // namespace corvane

// The theme as read from the user's registry values, which the tests set and
// put back afterwards.

#include "toolkit/ThemeReader.h"
#include "base/Win32Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <vector>

namespace corvane {
namespace {

constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr wchar_t kAccentKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Accent";

// One HKCU value, restored (or deleted again) when the test ends.
class SavedValue {
public:
    SavedValue(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
            return;
        }
        const UniqueRegKey opened(raw);
        keyExisted_ = true;
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(raw, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return;
        }
        std::vector<BYTE> data(size);
        if (::RegQueryValueExW(raw, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
            data.resize(size);
            saved_ = Saved{type, std::move(data)};
        }
    }

    ~SavedValue() {
        if (saved_) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, saved_->type, saved_->data.data(),
                              static_cast<DWORD>(saved_->data.size()));
        } else {
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, name_);
            if (!keyExisted_) {
                ::RegDeleteKeyW(HKEY_CURRENT_USER, key_);
            }
        }
    }

    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

private:
    struct Saved {
        DWORD type;
        std::vector<BYTE> data;
    };
    const wchar_t* key_;
    const wchar_t* name_;
    bool keyExisted_ = false;
    std::optional<Saved> saved_;
};

class ThemeReader : public testing::Test {
protected:
    static bool SetLight(DWORD value) {
        return ::RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"SystemUsesLightTheme",
                                 REG_DWORD, &value, sizeof(value)) == ERROR_SUCCESS;
    }
    static bool SetPalette(const std::vector<BYTE>& bytes) {
        return ::RegSetKeyValueW(HKEY_CURRENT_USER, kAccentKey, L"AccentPalette", REG_BINARY,
                                 bytes.data(), static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }
    static void RemoveValue(const wchar_t* key, const wchar_t* name) {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key, name);
    }

    // Entry i holds the bytes (16i, 16i + 1, 16i + 2, 0xFF).
    static std::vector<BYTE> Palette(std::size_t bytes) {
        std::vector<BYTE> p(bytes);
        for (std::size_t i = 0; i < bytes; ++i) {
            p[i] = static_cast<BYTE>(i % 4 == 3 ? 0xFF : (i / 4) * 16 + i % 4);
        }
        return p;
    }

    static ColorF Entry(std::size_t i) {
        const auto channel = [i](std::size_t offset) {
            return static_cast<float>(i * 16 + offset) / 255.0f;
        };
        return ColorF{channel(0), channel(1), channel(2), 1.0f};
    }

    SavedValue light_{kPersonalizeKey, L"SystemUsesLightTheme"};
    SavedValue palette_{kAccentKey, L"AccentPalette"};
};

TEST_F(ThemeReader, MissingValuesGiveTheDarkThemeAndTheDefaultAccent) {
    RemoveValue(kPersonalizeKey, L"SystemUsesLightTheme");
    RemoveValue(kAccentKey, L"AccentPalette");
    const Theme t = ReadTheme();
    EXPECT_TRUE(t.dark);
    EXPECT_EQ(t.accent, kDefaultAccent);
    EXPECT_EQ(t.text, Theme{}.text);
}

TEST_F(ThemeReader, LightThemeWithAShortPaletteKeepsTheDefaultAccent) {
    ASSERT_TRUE(SetLight(1));
    ASSERT_TRUE(SetPalette(Palette(28)));
    const Theme t = ReadTheme();
    EXPECT_FALSE(t.dark);
    EXPECT_EQ(t.accent, kDefaultAccent);
    EXPECT_FLOAT_EQ(t.text.r, 0.0f);
    EXPECT_FLOAT_EQ(t.text.a, 0.90f);
}

TEST_F(ThemeReader, FullPalettePicksEntryOneDarkAndEntryFiveLight) {
    ASSERT_TRUE(SetPalette(Palette(32)));
    ASSERT_TRUE(SetLight(0));
    const Theme dark = ReadTheme();
    EXPECT_TRUE(dark.dark);
    EXPECT_EQ(dark.accent, Entry(1));

    ASSERT_TRUE(SetLight(1));
    const Theme light = ReadTheme();
    EXPECT_FALSE(light.dark);
    EXPECT_EQ(light.accent, Entry(5));
}

TEST_F(ThemeReader, PaletteOfAnotherTypeIsNoPalette) {
    ASSERT_TRUE(SetLight(0));
    const wchar_t text[] = L"0123456789abcdef0123456789abcdef";
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kAccentKey, L"AccentPalette", REG_SZ, text,
                                sizeof(text)),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadTheme().accent, kDefaultAccent);
}

}  // namespace
}  // namespace corvane

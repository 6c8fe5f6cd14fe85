#include "config/Language.h"
#include "config/SettingsFolder.h"
#include "config/SettingsLoader.h"
#include "base/TextHelpers.h"
#include "base/Utf16.h"
#include "core/FakeProfileStore.h"
#include "resources/DefaultSettingsText.h"
#include "config/Texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <tuple>

namespace corvane {
namespace {

using test::FakeProfileStore;
using List = std::vector<std::wstring>;

Settings Load(FakeProfileStore& store) {
    return LoadSettings(store, L"C:\\x\\corvane.ini");
}

Settings LoadText(const std::wstring& text) {
    FakeProfileStore store(L"[General]\nLanguage=en\n" + text);
    return Load(store);
}

TEST(SettingsKeys, EachKeyClampsAndMovesNoOtherKey) {
    const Settings defaults;
    const auto keys = PlainSettingsKeys();
    for (const SettingsKey& k : keys) {
        const int32_t lo = k.range.min;
        const int32_t hi = k.range.max;
        const int32_t byDefault = k.get(defaults);
        using Case = std::pair<std::wstring, int32_t>;  // a value and what it reads as
        // Text reads as 0, an empty value as missing.
        const std::vector<Case> cases =
            k.flag
                ? std::vector<Case>{{L"-1", 1}, {L"0", 0}, {L"7", 1}, {L"on", 0}, {L"", byDefault}}
                : std::vector<Case>{{std::to_wstring(lo - 1), lo}, {std::to_wstring(lo), lo},
                                    {std::to_wstring(hi), hi},     {std::to_wstring(hi + 1), hi},
                                    {L"x", lo > 0 ? lo : 0},       {L"", byDefault}};
        for (const auto& [value, expected] : cases) {
            const Settings s =
                LoadText(L"[" + std::wstring(k.section) + L"]\n" + k.key + L"=" + value + L"\n");
            EXPECT_EQ(k.get(s), expected) << k.section << L"/" << k.key << L"=" << value;
            for (const SettingsKey& other : keys) {
                if (&other != &k) {
                    EXPECT_EQ(other.get(s), other.get(defaults))
                        << other.section << L"/" << other.key << L" moved by " << k.key;
                }
            }
        }
    }
}

TEST(LoadSettings, LanguageComesFromTheFileOrItsAbsence) {
    const auto english = EncodeUtf16LeWithBom(DefaultSettingsText(false));
    // The file (none: missing); Norwegian, the language key afterwards, the date format.
    using Case = std::tuple<std::optional<std::wstring>, bool, std::wstring, std::wstring>;
    const Case cases[] = {
        {std::nullopt, false, L"en", L"ddd MMM d"},
        {L"[Bar]\nHeight=30\n", true, L"no", L"ddd d. MMM"},  // from before the key
        {L"[General]\nLanguage=NO\n", true, L"NO", L"ddd d. MMM"},
        {L"[General]\nLanguage=nob\n", false, L"nob", L"ddd MMM d"},
        {L"[General]\nLanguage=no\n[Clock]\nDateFormat=\n", true, L"no", L""}};
    for (const auto& [file, norwegian, language, dateFormat] : cases) {
        FakeProfileStore store = file ? FakeProfileStore(*file) : FakeProfileStore();
        SetNorwegian(!norwegian);
        const Settings s = Load(store);
        EXPECT_EQ(IsNorwegian(), norwegian) << language;
        EXPECT_EQ(store.Value(L"General", L"Language"), language);
        EXPECT_EQ(s.dateFormat, dateFormat) << language;
        EXPECT_EQ(store.CreatedBytes(), file ? std::vector<uint8_t>{} : english);
    }
}

TEST(LoadSettings, OldTintAndIconSizeAreMigratedAndBackdropNamesIgnoreCase) {
    FakeProfileStore missing(L"[General]\nLanguage=en\n[Bar]\nTint=250\n");
    const Settings s = Load(missing);
    EXPECT_EQ(s.barTint, 100);
    EXPECT_EQ(s.gardenTint, 100);
    EXPECT_EQ(missing.Value(L"Bar", L"BarTint"), L"100");

    FakeProfileStore present(
        L"[General]\nLanguage=en\n[Bar]\nTint=40\nBarTint=0\n[Garden]\nTint=5\n"
        L"[Dock]\nConfigVersion=2\n");
    const Settings p = Load(present);
    EXPECT_EQ(p.barTint, 0);
    EXPECT_EQ(p.gardenTint, 5);
    EXPECT_EQ(present.WriteCount(), 0);

    EXPECT_EQ(LoadText(L"[Bar]\nBackdrop=MICA\n").backdrop, Backdrop::Mica);
    EXPECT_EQ(LoadText(L"[Bar]\nBackdrop=Solid\n").backdrop, Backdrop::Solid);
    EXPECT_EQ(LoadText(L"[Bar]\nBackdrop=glass\n").backdrop, Backdrop::Acrylic);

    // Only an unversioned icon size 44 is migrated, and only once.
    FakeProfileStore old(L"[Dock]\nIconSize=44\n");
    EXPECT_EQ(Load(old).dockIconSize, 36);
    EXPECT_EQ(old.Value(L"Dock", L"IconSize"), L"36");
    EXPECT_EQ(old.Value(L"Dock", L"ConfigVersion"), L"2");
    old.WriteString(L"Dock", L"IconSize", L"44");
    EXPECT_EQ(Load(old).dockIconSize, 44);

    FakeProfileStore other(L"[Dock]\nIconSize=50\n");
    EXPECT_EQ(Load(other).dockIconSize, 50);
    EXPECT_EQ(other.Value(L"Dock", L"ConfigVersion"), L"2");
}

TEST(LoadSettings, ListsAndPinnedPresence) {
    EXPECT_FALSE(LoadText(L"").pinnedPresent);
    const Settings empty = LoadText(L"[Dock]\nPinned=\n");
    EXPECT_TRUE(empty.pinnedPresent && empty.pinned.empty());

    const Settings s = LoadText(
        L"[Dock]\nPinned=C:\\Apps\\Code.exe||shell:AppsFolder\\Foo!App|\n"
        L"[Tray]\nHidden=x, OneDrive.EXE,, Teams \nOrder=App.exe|| Teams.exe |\n"
        L"[Tiling]\nFloat=Calc.EXE ,\t,mpv.exe\n");
    EXPECT_TRUE(s.pinnedPresent);
    EXPECT_EQ(s.pinned, (List{L"C:\\Apps\\Code.exe", L"shell:AppsFolder\\Foo!App"}));
    EXPECT_EQ(s.trayHidden, (List{L"x", L"onedrive.exe", L"teams"}));
    EXPECT_EQ(s.trayOrder, (List{L"app.exe", L" teams.exe "}));  // keys, not names
    EXPECT_EQ(s.floatingApps, (List{L"calc.exe", L"mpv.exe"}));

    // Read whole, however long: a cut list would be saved back cut.
    const std::wstring longPins = L"C:\\" + std::wstring(20000, L'p') + L".exe";
    EXPECT_EQ(LoadText(L"[Dock]\nPinned=a.exe|" + longPins + L"\n").pinned,
              (List{L"a.exe", longPins}));
}

TEST(DefaultSettingsText, EachLanguageLoadsToTheDefaultsAndNamesNoUnreadKey) {
    const Settings defaults;
    const std::set<std::wstring> ownReadings = {L"Backdrop", L"DateFormat", L"Hidden", L"Float"};
    for (const bool norwegian : {false, true}) {
        SCOPED_TRACE(norwegian);
        const std::wstring_view text = DefaultSettingsText(norwegian);
        FakeProfileStore store{std::wstring(text)};
        const Settings s = Load(store);
        for (const SettingsKey& k : PlainSettingsKeys()) {
            EXPECT_EQ(k.get(s), k.get(defaults)) << k.section << L"/" << k.key;
        }
        EXPECT_EQ(s.backdrop, defaults.backdrop);
        EXPECT_EQ(s.barTint, defaults.barTint);
        EXPECT_EQ(s.gardenTint, defaults.gardenTint);

        EXPECT_TRUE(text.ends_with(L"\r\n"));
        std::wstring section;
        for (const std::wstring& line : SplitListUntrimmed(text, L'\n')) {
            EXPECT_TRUE(line.ends_with(L"\r")) << line;
            const std::size_t eq = line.find(L'=');
            if (line[0] == L'[') {
                section = line.substr(1, line.find(L']') - 1);
            } else if (line[0] != L';' && eq != std::wstring::npos) {
                const std::wstring key = line.substr(0, eq);
                bool read = ownReadings.count(key) != 0;
                for (const SettingsKey& k : PlainSettingsKeys()) {
                    read = read || (section == k.section && key == k.key);
                }
                EXPECT_TRUE(read) << section << L"/" << key;
            }
        }
    }
}

TEST(LoadSettings, AForeignFileIsCopiedAsideAndARefusingFolderIsNeverWritten) {
    FakeProfileStore damaged(L"\x4200\x5B00\x4700\x5D00");  // UTF-16 without its mark
    FakeProfileStore ours(L"[Dock]\nIconSize=44\n");
    for (int load = 0; load < 2; ++load) {  // the second as a reload: the copy stays
        (void)Load(damaged);
        (void)Load(ours);
    }
    EXPECT_EQ(damaged.Copies(), std::vector<int>{0});
    EXPECT_TRUE(ours.Copies().empty());

    // A folder that refuses the file gives the defaults without a write.
    const Settings defaults;
    FakeProfileStore missing;
    FakeProfileStore present(
        L"[General]\nLanguage=no\n[Bar]\nHeight=40\n[Dock]\nIconSize=44\n"
        L"Pinned=a.exe\n");
    for (FakeProfileStore* store : {&missing, &present}) {
        store->MakeReadOnly();
        const Settings s = Load(*store);
        EXPECT_TRUE(IsSettingsFolderReadOnly());
        for (const SettingsKey& k : PlainSettingsKeys()) {
            EXPECT_EQ(k.get(s), k.get(defaults)) << k.section << L"/" << k.key;
        }
        EXPECT_FALSE(s.pinnedPresent);
        EXPECT_EQ(store->WriteCount(), 0);
        EXPECT_TRUE(store->CreatedBytes().empty());
    }
    // Reading the language needs no write.
    EXPECT_TRUE(IsNorwegian());
    FakeProfileStore writable;
    (void)Load(writable);
    EXPECT_FALSE(IsSettingsFolderReadOnly());
}

// What the code around a text relies on: its printf conversions in order,
// and the spaces and line breaks at its ends, where it is joined to names
// and numbers.
std::wstring Joins(std::wstring_view text) {
    constexpr std::wstring_view kSpace = L" \n";
    const std::size_t first = text.find_first_not_of(kSpace);
    const std::size_t last = text.find_last_not_of(kSpace);
    std::wstring joins(text.substr(0, first));
    joins += L'|';
    for (std::size_t i = text.find(L'%'); i != std::wstring_view::npos; i = text.find(L'%', i)) {
        const std::size_t letter = text.find_first_not_of(L"0123456789.-+ #hlLjzt", i + 1);
        const std::size_t end = letter == std::wstring_view::npos ? text.size() : letter + 1;
        joins.append(text.substr(i, end - i)) += L' ';
        i = end;
    }
    joins += L'|';
    joins += last == std::wstring_view::npos ? std::wstring_view() : text.substr(last + 1);
    return joins;
}

TEST(Texts, EveryLanguageHasEveryTextJoinedLikeTheEnglish) {
    for (std::size_t i = 0; i < kTextCount; ++i) {
        const auto id = static_cast<TextId>(i);
        const std::wstring english = Joins(TextIn(Language::English, id));
        for (const Language language : kLanguages) {
            SCOPED_TRACE(testing::Message() << "text " << i << " (" << TextIn(Language::English, id)
                                            << "), language " << static_cast<int>(language));
            const wchar_t* text = TextIn(language, id);
            ASSERT_NE(text, nullptr);
            EXPECT_NE(*text, L'\0');
            EXPECT_EQ(Joins(text), english);
        }
    }
}

}  // namespace
}  // namespace corvane
